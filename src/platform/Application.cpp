#include "platform/Application.h"

#include "platform/MessageBox.h"

#include <exception>

namespace vantrel {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) { }

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowCurrentException();
        return false;
    }
}

void ShowCurrentException()
{
    try {
        throw;
    } catch (const std::exception& error) {
        ShowErrorMessage(error.what());
    } catch (...) {
        ShowErrorMessage("Unknown error");
    }
}

void RunHandler(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        ShowCurrentException();
    }
}

} // namespace vantrel
