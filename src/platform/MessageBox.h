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
    std::string Text; // code page 932
};

// Shows `text` (code page 932, as every message) with one OK button and
// blocks until it is closed.
void ShowMessage(const std::string& text, QWidget* parent = nullptr);
// The same for a message composed at the widget boundary, which may name
// characters code page 932 has no form for; a recorder keeps it as
// Cp932ForMessage gives it.
void ShowWidgetMessage(const QString& text, QWidget* parent = nullptr);

// The error box of the application: the text of an exception that left a
// handler, with an error icon.
void ShowErrorMessage(const std::string& text, QWidget* parent = nullptr);

// The text of a message (code page 932) as it appears on screen.
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
