// The page module of vantrel-batch: page files drawn through Qt, loaded only
// when a run asks for a page.
#include "batch/PageModule.h"
#include "platform/gui/PageFile.h"
#include "platform/gui/PageFit.h"

#include <QGuiApplication>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

namespace {

// Qt asks for the user's runtime folder as it starts (whatever the
// platform), and without XDG_RUNTIME_DIR it warns on standard error and
// falls back to a shared folder of its own. A command run outside a login
// session (from cron, as root under sudo, in a container) has none, and the
// page needs none: it gets a private empty folder for the application's
// life, removed afterwards, and the variable is unset again. If no such
// folder can be made, Qt's own fallback and warning stay.
class PrivateRuntimeFolder {
public:
    PrivateRuntimeFolder()
    {
        if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
            return;
        std::error_code error;
        std::string pattern = (std::filesystem::temp_directory_path(error) / "vantrel-batch-XXXXXX").string();
        if (error || !mkdtemp(pattern.data())) // mkdtemp makes it 0700
            return;
        folder_ = pattern;
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder_));
    }
    ~PrivateRuntimeFolder()
    {
        if (folder_.empty())
            return;
        qunsetenv("XDG_RUNTIME_DIR");
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
    PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

private:
    std::string folder_;
};

} // namespace

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
        runtime = std::make_unique<PrivateRuntimeFolder>();
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
