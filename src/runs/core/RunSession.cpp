#include "runs/core/RunSession.h"

namespace vantrel {

RunSession& Session()
{
    static RunSession session;
    return session;
}

} // namespace vantrel
