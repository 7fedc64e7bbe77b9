#include "results/ResultsWindow.h"

#include "platform/Application.h"
#include "platform/gui/JapaneseFonts.h"
#include "platform/gui/QtText.h"
#include "print/Dendrogram.h"
#include "results/TextTableModel.h"
#include "results/TreeView.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace vantrel {
namespace {

// A button whose clicks run `handler` through RunHandler, so that a failure
// shows in the error box and the window stays usable.
QPushButton* AddButton(QWidget* parent, QLayout* layout, const char* name, const char* caption,
                       const std::function<void()>& handler)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    QObject::connect(button, &QPushButton::clicked, parent, [handler] { RunHandler(handler); });
    layout->addWidget(button);
    return button;
}

QAction* AddAction(QWidget* parent, QMenu* menu, const char* name, const char* caption,
                   const std::function<void()>& handler)
{
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    QObject::connect(action, &QAction::triggered, parent, [handler] { RunHandler(handler); });
    return action;
}

} // namespace

ResultsWindow::ResultsWindow(ResultsSession::Run run, QWidget* owner)
    : QWidget(owner, Qt::Window), session_(std::move(run))
{
    setObjectName(QStringLiteral("ResultsWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    const QString report =
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(session_.ReportFileName()))).fileName();
    setWindowTitle(QStringLiteral("結果 - ") + report);
    setFont(FontWithPointSize(ProportionalGothicFace(), 10));
    resize(1160, 760);

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("方法"), this));
    methodBox_ = new QComboBox(this);
    methodBox_->setObjectName(QStringLiteral("MethodBox"));
    methodBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const Linkage method : session_.OfferedMethods()) {
        methodBox_->addItem(QStringFromCp932(MethodCaption(static_cast<std::uint8_t>(method), false)),
                            static_cast<int>(method));
        if (method == session_.Method())
            methodBox_->setCurrentIndex(methodBox_->count() - 1);
    }
    controls->addWidget(methodBox_);
    controls->addSpacing(16);
    controls->addWidget(new QLabel(QStringLiteral("クラスター数"), this));
    clusterCount_ = new QSpinBox(this);
    clusterCount_->setObjectName(QStringLiteral("ClusterCount"));
    clusterCount_->setRange(1, session_.ObjectCount());
    clusterCount_->setValue(session_.ClusterCount());
    controls->addWidget(clusterCount_);
    controls->addSpacing(16);

    treeView_ = new TreeView(session_, this);
    AddButton(this, controls, "ZoomOut", "－", [this] { treeView_->ZoomOut(); });
    AddButton(this, controls, "ZoomIn", "＋", [this] { treeView_->ZoomIn(); });
    AddButton(this, controls, "ZoomFit", "全体", [this] { treeView_->ZoomToFit(); });
    controls->addStretch();
    // 保存 opens a menu of what to save.
    auto* save = new QPushButton(QStringLiteral("保存"), this);
    save->setObjectName(QStringLiteral("SaveButton"));
    controls->addWidget(save);
    auto* saves = new QMenu(save);
    AddAction(this, saves, "SaveSchedule", "併合過程（CSV）...", [this] { Save(ResultFile::Schedule); });
    AddAction(this, saves, "SaveClusters", "クラスター（CSV）...", [this] { Save(ResultFile::Clusters); });
    AddAction(this, saves, "SaveNewick", "樹形図（Newick 形式）...", [this] { Save(ResultFile::Newick); });
    AddAction(this, saves, "SaveCophenetic", "コーフェン行列（データファイル）...",
              [this] { Save(ResultFile::CopheneticMatrix); });
    AddAction(this, saves, "SavePicture", "樹形図の図（PDF・PNG・SVG）...",
              [this] { Save(ResultFile::Picture); });
    save->setMenu(saves);
    AddButton(this, controls, "PrintButton", "印刷", [this] { Print(); });

    schedule_ = new TextTableModel(this);
    membership_ = new TextTableModel(this);
    cophenetic_ = new QLabel(this);
    cophenetic_->setObjectName(QStringLiteral("CopheneticLabel"));
    auto* tabs = new QTabWidget(this);
    scheduleTable_ = AddTable(schedule_, "ScheduleTable");
    membershipTable_ = AddTable(membership_, "MembershipTable");
    membershipTable_->setSortingEnabled(true);
    membershipTable_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tabs->addTab(membershipTable_, QStringLiteral("所属"));
    tabs->addTab(scheduleTable_, QStringLiteral("併合過程"));
    auto* numbers = new QWidget(this);
    auto* numbersLayout = new QVBoxLayout(numbers);
    numbersLayout->setContentsMargins(0, 0, 0, 0);
    numbersLayout->addWidget(cophenetic_);
    numbersLayout->addWidget(tabs);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(treeView_);
    splitter->addWidget(numbers);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    // The numbers pane shows the schedule's six columns without scrolling.
    splitter->setSizes({760, 400});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(splitter, 1);

    connect(methodBox_, &QComboBox::currentIndexChanged, this, [this](int index) {
        RunHandler(
            [this, index] { SelectMethod(static_cast<Linkage>(methodBox_->itemData(index).toInt())); });
    });
    connect(clusterCount_, &QSpinBox::valueChanged, this,
            [this](int count) { RunHandler([this, count] { SetClusterCount(count); }); });
    connect(treeView_, &TreeView::LinePlaced, this, [this](long double level) {
        const int before = session_.ClusterCount();
        session_.PlaceLine(level);
        if (session_.ClusterCount() != before)
            ShowCut();
        treeView_->CutChanged();
    });
    connect(treeView_, &TreeView::LineReleased, this, [this] {
        session_.SettleLine();
        treeView_->CutChanged();
    });
    for (const auto& [keys, zoom] : {std::pair{QKeySequence::ZoomIn, &TreeView::ZoomIn},
                                     std::pair{QKeySequence::ZoomOut, &TreeView::ZoomOut}})
        connect(new QShortcut(keys, this), &QShortcut::activated, treeView_, zoom);

    ShowMethod();
}

ResultsWindow::~ResultsWindow() = default;

QTableView* ResultsWindow::AddTable(TextTableModel* model, const char* name)
{
    auto* table = new QTableView(this);
    table->setObjectName(QString::fromLatin1(name));
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->horizontalHeader()->setStretchLastSection(true);
    auto* copy = new QAction(QStringLiteral("コピー"), table);
    copy->setObjectName(QStringLiteral("CopyRows"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, [this, table] { CopySelectedRows(*table); });
    table->addAction(copy);
    table->setContextMenuPolicy(Qt::ActionsContextMenu);
    return table;
}

void ResultsWindow::SelectMethod(Linkage method)
{
    if (method == session_.Method())
        return;
    try {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        session_.SelectMethod(method);
        QGuiApplication::restoreOverrideCursor();
    } catch (...) {
        QGuiApplication::restoreOverrideCursor();
        // The box goes back to the tree still shown.
        const QSignalBlocker quiet(methodBox_);
        methodBox_->setCurrentIndex(methodBox_->findData(static_cast<int>(session_.Method())));
        throw;
    }
    ShowMethod();
}

void ResultsWindow::SetClusterCount(int count)
{
    session_.SetClusterCount(count);
    ShowCut();
}

void ResultsWindow::ShowMethod()
{
    treeView_->TreeChanged();
    schedule_->SetTable(session_.Schedule());
    scheduleTable_->resizeColumnsToContents();
    cophenetic_->setText(QStringFromCp932(CopheneticText(session_.Cophenetic())));
    cophenetic_->setToolTip(QStringFromCp932(CopheneticTip(session_.Cophenetic())));
    ShowCut();
}

void ResultsWindow::ShowCut()
{
    {
        const QSignalBlocker quiet(clusterCount_);
        clusterCount_->setValue(session_.ClusterCount());
    }
    const TreeCut& cut = session_.Cut();
    membership_->SetTable(session_.Membership());
    std::vector<std::uint32_t> colors;
    colors.reserve(cut.Clusters.size());
    for (const int cluster : cut.Clusters)
        colors.push_back(cut.ClusterColors[static_cast<std::size_t>(cluster)]);
    membership_->SetRowColors(std::move(colors));
    if (!membershipSized_) {
        membershipTable_->resizeColumnsToContents();
        membershipSized_ = true;
    }
    treeView_->CutChanged();
}

void ResultsWindow::CopySelectedRows(QTableView& table)
{
    auto* model = static_cast<TextTableModel*>(table.model());
    std::vector<int> shown;
    for (const QModelIndex& index : table.selectionModel()->selectedRows())
        shown.push_back(index.row());
    std::sort(shown.begin(), shown.end());
    std::vector<int> rows;
    for (const int row : shown)
        rows.push_back(model->TableRow(row));
    QGuiApplication::clipboard()->setText(QStringFromCp932(TabSeparated(model->Table(), rows)));
}

void ResultsWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit Closed();
}

} // namespace vantrel
