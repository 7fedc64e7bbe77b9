#include "runs/TFMain.h"

#include "platform/Application.h"
#include "platform/MessageBox.h"
#include "platform/NamedButton.h"
#include "platform/gui/JapaneseFonts.h"
#include "platform/gui/QtText.h"
#include "print/Dendrogram.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vantrel {
namespace {

constexpr int ButtonLeft = 336;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;

QLabel* AddNamedLabel(QWidget* parent, const char* name, const char* caption, int left, int top, int width)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(left, top, width, 16);
    return label;
}

} // namespace

TFMain::TFMain(QWidget* parent) : QWidget(parent), quit_([] { QCoreApplication::quit(); })
{
    setObjectName(QStringLiteral("FMain"));
    setWindowTitle(QString::fromLatin1(ProgramTitle));
    // The window is 501 x 318 pixels with its frame; this is its client area.
    move(192, 107);
    resize(493, 284);
    setFont(FontWithPointSize(ProportionalGothicFace(), 12));

    Label2 = AddNamedLabel(this, "Label2", "フォントサイズ", 56, 24, 94);
    FontEdit = new QLineEdit(QStringLiteral("12"), this);
    FontEdit->setObjectName(QStringLiteral("FontEdit"));
    FontEdit->setGeometry(56, 40, 121, 24);

    const auto addButton = [this](const char* name, const char* caption, int top) {
        return AddNamedButton(this, name, caption, {ButtonLeft, top, ButtonWidth, ButtonHeight});
    };
    DistButton = addButton("DistButton", "距　離", 32);
    SimButton = addButton("SimButton", "類似度", 80);
    CoordButton = addButton("CoordButton", "属性値", 136);

    Label1 = AddNamedLabel(this, "Label1", "クラスター間の距離", 64, 144, 131);
    ComboBoxDist = new QComboBox(this);
    ComboBoxDist->setObjectName(QStringLiteral("ComboBoxDist"));
    ComboBoxDist->setGeometry(64, 168, 145, 24);
    ComboBoxDist->setEditable(true);
    // Typed text names no method; it must not become a new item, nor be
    // completed inline into one (typing a prefix would pick that method).
    ComboBoxDist->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxDist->setCompleter(nullptr);

    ExitButton = addButton("ExitButton", "Exit", 232);

    ConnectHandler(DistButton, this, &TFMain::DistButtonClick);
    ConnectHandler(SimButton, this, &TFMain::SimButtonClick);
    ConnectHandler(CoordButton, this, &TFMain::CoordButtonClick);
    ConnectHandler(ExitButton, this, &TFMain::ExitButtonClick);

    setTabOrder(DistButton, ExitButton);
    setTabOrder(ExitButton, ComboBoxDist);
    setTabOrder(ComboBoxDist, SimButton);
    setTabOrder(SimButton, CoordButton);
    setTabOrder(CoordButton, FontEdit);

    openDialog1_.SetMustExist(false);
    // The window opens with the focus on the first control of its tab order.
    DistButton->setFocus();

    FormCreate();
}

void TFMain::FormCreate()
{
    // Item k is DistType k, named as the page's caption names it.
    for (int type = 0; type < LinkageCount; ++type)
        ComboBoxDist->addItem(QStringFromCp932(MethodCaption(static_cast<std::uint8_t>(type), false)));
    ComboBoxDist->setCurrentIndex(0);
}

int TFMain::MethodItemIndex() const
{
    // An editable list keeps its last item while the user types; the typed
    // text selects an item only when it is that item's text exactly.
    const QString text = ComboBoxDist->currentText();
    const int current = ComboBoxDist->currentIndex();
    if (current >= 0 && ComboBoxDist->itemText(current) == text)
        return current;
    return ComboBoxDist->findText(text, Qt::MatchExactly);
}

std::string TFMain::FontSizeText() const { return FontEdit->text().toStdString(); }

void TFMain::DistButtonClick() { Run(RunKind::Dissimilarity); }

void TFMain::SimButtonClick() { Run(RunKind::Similarity); }

void TFMain::CoordButtonClick() { Run(RunKind::Attribute); }

void TFMain::ExitButtonClick() { close(); }

void TFMain::closeEvent(QCloseEvent* event)
{
    // A run waiting for its input window notices this and stops; an input
    // window left open would otherwise keep the program alive.
    closed_ = true;
    if (wait_)
        wait_->quit();
    for (QWidget* window :
         {static_cast<QWidget*>(fDist_), static_cast<QWidget*>(fSim_), static_cast<QWidget*>(fCoord_)})
        if (window && window->isVisible())
            window->close();
    event->accept();
    if (quit_)
        quit_();
}

} // namespace vantrel
