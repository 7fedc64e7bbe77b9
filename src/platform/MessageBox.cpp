#include "platform/MessageBox.h"

#include "platform/core/Cp932.h"
#include "platform/gui/QtText.h"

#include <QMessageBox>
#include <QPushButton>

namespace vantrel {

namespace {

MessageRecorder* currentRecorder = nullptr;

} // namespace

void Record(const ShownMessage& message);

namespace {

void Show(MessageKind kind, const QString& text, QWidget* parent)
{
    if (currentRecorder) {
        Record({kind, Cp932ForMessage(text.toStdString())});
        return;
    }
    MakeMessageBox(kind, text, parent)->exec();
}

void Show(MessageKind kind, const std::string& text, QWidget* parent)
{
    if (currentRecorder) {
        Record({kind, text});
        return;
    }
    Show(kind, QStringFromCp932(text), parent);
}

} // namespace

void Record(const ShownMessage& message) { currentRecorder->messages_.push_back(message); }

namespace {

// Records a box with buttons and takes its next scripted answer from
// `answers`; false when none is left.
bool RecordAndAnswer(const ShownMessage& message, std::deque<bool>& answers)
{
    Record(message);
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(MessageKind kind, const QString& text, QWidget* parent)
{
    const QMessageBox::Icon icon = kind == MessageKind::Error      ? QMessageBox::Critical
                                   : kind == MessageKind::Question ? QMessageBox::Question
                                                                   : QMessageBox::NoIcon;
    const QMessageBox::StandardButtons buttons =
        kind == MessageKind::Question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
    auto box = std::make_unique<QMessageBox>(icon, QString::fromLatin1(ProgramTitle), text, buttons, parent);
    if (kind == MessageKind::Question)
        box->setDefaultButton(QMessageBox::No);
    return box;
}

bool AskQuestion(const std::string& text, QWidget* parent)
{
    if (currentRecorder)
        return RecordAndAnswer({MessageKind::Question, text}, currentRecorder->answers_);
    return MakeMessageBox(MessageKind::Question, QStringFromCp932(text), parent)->exec() == QMessageBox::Yes;
}

bool ShowMessageWithChoice(const std::string& text, const char* second, QWidget* parent)
{
    if (currentRecorder)
        return RecordAndAnswer({MessageKind::Message, text}, currentRecorder->choices_);
    const std::unique_ptr<QMessageBox> box =
        MakeMessageBox(MessageKind::Message, QStringFromCp932(text), parent);
    QPushButton* other = box->addButton(QString::fromUtf8(second), QMessageBox::AcceptRole);
    other->setObjectName(QStringLiteral("SecondButton"));
    box->setDefaultButton(QMessageBox::Ok);
    box->setEscapeButton(QMessageBox::Ok);
    box->exec();
    return box->clickedButton() == other;
}

void ShowMessage(const std::string& text, QWidget* parent) { Show(MessageKind::Message, text, parent); }

void ShowWidgetMessage(const QString& text, QWidget* parent) { Show(MessageKind::Message, text, parent); }

void ShowErrorMessage(const std::string& text, QWidget* parent) { Show(MessageKind::Error, text, parent); }

MessageRecorder::MessageRecorder() : outer_(currentRecorder) { currentRecorder = this; }

MessageRecorder::~MessageRecorder() { currentRecorder = outer_; }

std::vector<std::string> MessageRecorder::Texts(MessageKind kind) const
{
    std::vector<std::string> texts;
    for (const auto& message : messages_)
        if (message.Kind == kind)
            texts.push_back(message.Text);
    return texts;
}

} // namespace vantrel
