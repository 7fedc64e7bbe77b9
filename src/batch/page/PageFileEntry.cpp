// The page module of vantrel-batch: page files drawn through Qt, loaded only
// when a run asks for a page.
#include "batch/PageModule.h"
#include "platform/gui/PageFile.h"
#include "platform/gui/PageFit.h"
#include "platform/gui/PrivateRuntimeFolder.h"

#include <QGuiApplication>

#include <memory>
#include <string>

extern "C" __attribute__((visibility("default"))) void
VantrelWritePageFile(const std::string& fileName, bool wholeTree, const vantrel::DrawPage& draw)
{
    using namespace vantrel;
    // Fonts need a GUI application; the page needs no screen.
    std::unique_ptr<PrivateRuntimeFolder> runtime;
    std::unique_ptr<QGuiApplication> application;
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        runtime = std::make_unique<PrivateRuntimeFolder>("vantrel-batch");
        static int argc = 1;
        static char name[] = "vantrel-batch";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    PageFileCanvas canvas(fileName);
    if (wholeTree)
        FitPageHeightToDrawing(canvas, draw);
    draw(canvas);
}

// The entry's type is the one the program calls through.
static_assert(std::is_same_v<decltype(&VantrelWritePageFile), vantrel::WritePageFileFunction>);
