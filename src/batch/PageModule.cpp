#include "batch/PageModule.h"

#include "common/Errors.h"
#include "platform/core/Cp932.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace vantrel {
namespace {

// The folder of the running program.
std::string ProgramFolder()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string program(path, static_cast<std::size_t>(length));
    const std::size_t slash = program.rfind('/');
    return slash == std::string::npos ? "." : program.substr(0, slash);
}

WritePageFileFunction LoadModule()
{
    static WritePageFileFunction entry = nullptr;
    if (entry)
        return entry;
    const std::string folder = ProgramFolder();
    std::string reasons;
    for (const std::string& candidate :
         {folder + "/vantrel-batch-page.so",
          folder + "/" VANTREL_PAGE_MODULE_FROM_BINDIR "/vantrel-batch-page.so"}) {
        // Kept loaded to the end: Qt's own exit handlers live in it.
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (!module) {
            reasons += std::string("\n") + dlerror();
            continue;
        }
        entry = reinterpret_cast<WritePageFileFunction>(dlsym(module, WritePageFileSymbol));
        if (entry)
            return entry;
        reasons += "\n" + candidate + ": no " + WritePageFileSymbol;
    }
    throw Error("The page output module could not be loaded:" + Cp932ForMessage(reasons));
}

} // namespace

void WritePageFile(const std::string& fileName, bool wholeTree, const DrawPage& draw)
{
    LoadModule()(fileName, wholeTree, draw);
}

} // namespace vantrel
