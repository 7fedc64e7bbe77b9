#include "platform/PrintQueue.h"

#include <cups/cups.h>

namespace vantrel {
namespace {

// The printer's state message: the reason given with cupsreject or
// cupsdisable, if any.
std::string StateMessage(const std::string& printerName)
{
    char uri[HTTP_MAX_URI];
    if (httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                         printerName.c_str()) != HTTP_URI_STATUS_OK)
        return {};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-state-message");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    std::string message;
    if (ipp_attribute_t* attribute = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
        if (const char* text = ippGetString(attribute, 0, nullptr))
            message = text;
    ippDelete(response);
    return message;
}

} // namespace

std::optional<std::string> LastJobRefusal(const std::string& printerName)
{
    // Qt hands the finished page to CUPS on this thread and ignores the
    // answer; CUPS keeps it for the thread until the next request.
    const ipp_status_t status = cupsLastError();
    if (status < IPP_STATUS_ERROR_BAD_REQUEST)
        return std::nullopt;
    const char* text = cupsLastErrorString();
    std::string reason = text && *text ? text : ippErrorString(status);
    const std::string given = StateMessage(printerName);
    if (!given.empty() && reason.find(given) == std::string::npos)
        reason += " (" + given + ")";
    return reason;
}

} // namespace vantrel
