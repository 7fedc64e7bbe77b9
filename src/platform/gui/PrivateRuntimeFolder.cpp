#include "platform/gui/PrivateRuntimeFolder.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vantrel {

PrivateRuntimeFolder::PrivateRuntimeFolder(const std::string& prefix)
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / (prefix + "-XXXXXX")).string();
    if (error || !mkdtemp(pattern.data())) // mkdtemp makes it 0700
        return;
    folder_ = pattern;
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder_));
}

PrivateRuntimeFolder::~PrivateRuntimeFolder()
{
    if (folder_.empty())
        return;
    qunsetenv("XDG_RUNTIME_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

} // namespace vantrel
