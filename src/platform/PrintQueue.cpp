#include "platform/PrintQueue.h"

#include <cups/cups.h>

namespace vantrel {

std::optional<std::string> LastJobRefusal()
{
    // Qt hands the finished page to CUPS on this thread and ignores the
    // answer; CUPS keeps it for the thread until the next request.
    const ipp_status_t status = cupsLastError();
    if (status < IPP_STATUS_ERROR_BAD_REQUEST)
        return std::nullopt;
    const char* reason = cupsLastErrorString();
    return std::string(reason && *reason ? reason : ippErrorString(status));
}

} // namespace vantrel
