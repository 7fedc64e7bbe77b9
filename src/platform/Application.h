#pragma once

#include <QApplication>

#include <functional>

namespace vantrel {

// The application object. It loads Qt's Japanese texts before any window
// exists. An exception that leaves an event handler is caught here, once,
// and its text shown in the error box; the window it came from stays open
// and usable.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs one handler, showing an exception that leaves it in the error box.
// Button slots go through this, so that no exception unwinds through the
// toolkit's own frames.
void RunHandler(const std::function<void()>& handler);

// Shows the text of the exception being handled in the error box.
void ShowCurrentException();

} // namespace vantrel
