#pragma once

#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMessageBox;
class QWidget;

namespace vantrel {

// The title of every box: the program's title, as its main window shows it.
inline constexpr const char* ProgramTitle = "Cluster Analysis";

// The kinds of box the program shows: a plain message with an OK button
// (handlers' own messages), the application's error box (an exception that
// left a handler), and a question answered yes or no.
enum class MessageKind { Message, Error, Question };

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

// Shows `text` (code page 932) with OK and a second button captioned
// `second` (UTF-8), and blocks until it is closed. True when the user
// pressed the second button; OK, Escape and the close box answer false.
bool ShowMessageWithChoice(const std::string& text, const char* second, QWidget* parent = nullptr);

// Asks `text` (code page 932) with the buttons Yes and No, No being the
// default; true when the user answers Yes.
bool AskQuestion(const std::string& text, QWidget* parent = nullptr);

// The box of a kind as it would be shown, not yet shown.
std::unique_ptr<QMessageBox> MakeMessageBox(MessageKind kind, const QString& text, QWidget* parent);

// Test seam: while a recorder is installed, boxes are not shown; each one is
// appended to the recorder's list instead, and a question takes the next
// answer given with AddAnswer (No when none is left), and a message with a
// second button the next given with AddChoice (OK when none is left).
// Recorders nest; the innermost one receives the messages.
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
    void AddAnswer(bool yes) { answers_.push_back(yes); }
    void AddChoice(bool second) { choices_.push_back(second); }

private:
    friend void Record(const ShownMessage& message);
    friend bool AskQuestion(const std::string& text, QWidget* parent);
    friend bool ShowMessageWithChoice(const std::string& text, const char* second, QWidget* parent);
    std::vector<ShownMessage> messages_;
    std::deque<bool> answers_;
    std::deque<bool> choices_;
    MessageRecorder* outer_;
};

} // namespace vantrel
