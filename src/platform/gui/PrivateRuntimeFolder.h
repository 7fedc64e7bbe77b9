#pragma once

#include <string>

namespace vantrel {

// Qt asks for the user's runtime folder as it starts (whatever the
// platform), and without XDG_RUNTIME_DIR it warns on standard error and
// falls back to a shared folder of its own. A program started outside a
// login session (from cron, as root under sudo, in a container) has none,
// and neither the pages nor the windows need one: while this lives, Qt gets
// a private empty folder, removed afterwards, and the variable is unset
// again. A set XDG_RUNTIME_DIR is left alone; if no folder can be made, Qt's
// own fallback and warning stay. Make it before the Qt application.
class PrivateRuntimeFolder {
public:
    // `prefix` names the folder in the temporary folder ("<prefix>-XXXXXX").
    explicit PrivateRuntimeFolder(const std::string& prefix);
    ~PrivateRuntimeFolder();
    PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
    PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

private:
    std::string folder_;
};

} // namespace vantrel
