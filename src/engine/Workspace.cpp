#include "engine/Workspace.h"

namespace vantrel::engine {

Workspace& SharedWorkspace()
{
    static thread_local Workspace workspace;
    return workspace;
}

} // namespace vantrel::engine
