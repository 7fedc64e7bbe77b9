#include "platform/Application.h"

#include "platform/CellEditor.h"
#include "platform/MessageBox.h"
#include "platform/core/Cp932.h"

#include <QLibraryInfo>
#include <QTranslator>

#include <exception>

namespace vantrel {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    // The windows speak Japanese whatever the system's language, so Qt's own
    // dialogs and buttons do too. Without the translation files they stay in
    // English, which is no reason to refuse to start.
    auto* translator = new QTranslator(this);
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
    // The main window ends the program when it closes. Qt would also end it
    // when a box without a parent (the error box) closes while the only
    // window shown is one the hidden main window owns: the results window.
    setQuitOnLastWindowClosed(false);
}

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
    } catch (const CharacterError& error) {
        // Named as typed, which the code page of the error box cannot show.
        ShowWidgetMessage(RefusedCharacterText(error.Character()));
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
