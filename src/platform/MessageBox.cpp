#include "platform/MessageBox.h"

#include "platform/core/Cp932.h"

#include <QApplication>
#include <QMessageBox>

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
    QMessageBox box(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.exec();
}

void Show(MessageKind kind, const std::string& text, QWidget* parent)
{
    if (currentRecorder) {
        Record({kind, text});
        return;
    }
    Show(kind, MessageTextToQString(text), parent);
}

} // namespace

void Record(const ShownMessage& message)
{
    currentRecorder->messages_.push_back(message);
}

QString MessageTextToQString(const std::string& text)
{
    return QString::fromStdString(Utf8FromCp932(text));
}

void ShowMessage(const std::string& text, QWidget* parent)
{
    Show(MessageKind::Message, text, parent);
}

void ShowWidgetMessage(const QString& text, QWidget* parent)
{
    Show(MessageKind::Message, text, parent);
}

void ShowErrorMessage(const std::string& text, QWidget* parent)
{
    Show(MessageKind::Error, text, parent);
}

MessageRecorder::MessageRecorder() : outer_(currentRecorder)
{
    currentRecorder = this;
}

MessageRecorder::~MessageRecorder()
{
    currentRecorder = outer_;
}

std::vector<std::string> MessageRecorder::Texts(MessageKind kind) const
{
    std::vector<std::string> texts;
    for (const auto& message : messages_)
        if (message.Kind == kind)
            texts.push_back(message.Text);
    return texts;
}

} // namespace vantrel
