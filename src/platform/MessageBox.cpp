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

bool IsValidUtf8(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        if (lead >= 0xF0 && lead <= 0xF4)
            length = 4;
        else if (lead >= 0xE0)
            length = lead <= 0xEF ? 3 : 0;
        else if (lead >= 0xC2)
            length = 2;
        else if (lead >= 0x80)
            length = 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

void Show(MessageKind kind, const std::string& text, QWidget* parent)
{
    if (currentRecorder) {
        Record({kind, text});
        return;
    }
    QMessageBox box(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QApplication::applicationDisplayName(), MessageTextToQString(text),
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void Record(const ShownMessage& message)
{
    currentRecorder->messages_.push_back(message);
}

QString MessageTextToQString(const std::string& text)
{
    // Code page 932 text with double-byte characters is almost never valid
    // UTF-8 (its lead bytes are UTF-8 continuation bytes), so plain ASCII and
    // UTF-8 file names take the first road and everything else the second.
    if (IsValidUtf8(text))
        return QString::fromStdString(text);
    return QString::fromStdString(Utf8FromCp932(text));
}

void ShowMessage(const std::string& text, QWidget* parent)
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
