// Program entry: the main window is the only window created at start, and
// the message loop runs until it closes. An exception leaving a handler is
// shown in the application's error box and the program goes on.
#include "engine/AnalysisData.h"
#include "platform/Application.h"
#include "platform/gui/PrivateRuntimeFolder.h"
#include "runs/TFMain.h"

int main(int argc, char** argv)
{
    // Started without a login session's runtime folder (as root from a
    // terminal, say), Qt would warn about it on every start.
    const vantrel::PrivateRuntimeFolder runtime("vantrel");
    vantrel::Application application(argc, argv);
    vantrel::Application::setDesktopFileName(QStringLiteral("io.github.vantrel.Vantrel"));
    int status = 0;
    {
        vantrel::TFMain FMain;
        FMain.show();
        status = vantrel::Application::exec();
    }
    for (std::string& label : vantrel::Shared().ObjectLabels)
        label.clear();
    return status;
}
