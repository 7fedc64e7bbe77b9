#pragma once

#include <QString>

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace vantrel {

// The two kinds of box the program shows: a plain message with an OK button
// (handlers' own messages) and the application's error box (an exception
// that left a handler).
enum class MessageKind { Message, Error };

struct ShownMessage {
    MessageKind Kind;
    std::string Text; // as passed: code page 932 or UTF-8 bytes
};

// Shows `text` with one OK button and blocks until it is closed. The text is
// code page 932 bytes (file and cell texts); UTF-8 texts, such as system
// error texts naming a file, are recognised and shown as they are.
void ShowMessage(const std::string& text, QWidget* parent = nullptr);

// The error box of the application: the text of an exception that left a
// handler, with an error icon.
void ShowErrorMessage(const std::string& text, QWidget* parent = nullptr);

// The text of a message as it appears on screen.
QString MessageTextToQString(const std::string& text);

// Test seam: while a recorder is installed, boxes are not shown; each one is
// appended to the recorder's list instead. Recorders nest; the innermost
// one receives the messages.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<ShownMessage>& Messages() const { return messages_; }
    // Texts of the messages of one kind, in the order shown.
    std::vector<std::string> Texts(MessageKind kind) const;
    void Clear() { messages_.clear(); }

private:
    friend void Record(const ShownMessage& message);
    std::vector<ShownMessage> messages_;
    MessageRecorder* outer_;
};

} // namespace vantrel
