#include "platform/PrintQueue.h"

#include "common/Errors.h"
#include "platform/Printer.h"
#include "platform/core/Cp932.h"

#include <QPageLayout>
#include <QPageRanges>
#include <QPrintEngine>
#include <QPrinter>

#include <cups/cups.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace vantrel {
namespace {

// Where Qt's print dialog keeps the options of its print system pages, as
// name and value one after the other.
constexpr auto CupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

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

std::string LastErrorText()
{
    const char* text = cupsLastErrorString();
    return text && *text ? text : ippErrorString(cupsLastError());
}

// The print system's answer to the request this thread last sent to the
// printer `printerName`: the reason it refused it (a queue that does not
// accept jobs, a printer that is gone, a server out of reach), with the
// reason the queue's administrator gave when there is one; nothing when it
// took it.
std::optional<std::string> LastJobRefusal(const std::string& printerName)
{
    // CUPS keeps the answer to the last request for the thread until the
    // next one.
    const ipp_status_t status = cupsLastError();
    if (status < IPP_STATUS_ERROR_BAD_REQUEST)
        return std::nullopt;
    std::string reason = LastErrorText();
    const std::string given = StateMessage(printerName);
    if (!given.empty() && reason.find(given) == std::string::npos)
        reason += " (" + given + ")";
    return reason;
}

// Sends the job's one document; returns why it failed, or nothing.
std::optional<std::string> SendDocument(const std::string& queue, int job, const std::string& title,
                                        const std::string& pdfFile)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(pdfFile.c_str(), "rb"),
                                                               std::fclose);
    if (!file)
        return std::string("the pages could not be read back: ") + std::strerror(errno);
    http_status_t status =
        cupsStartDocument(CUPS_HTTP_DEFAULT, queue.c_str(), job, title.c_str(), CUPS_FORMAT_PDF, 1);
    char buffer[1 << 16];
    std::size_t count = 0;
    while (status == HTTP_STATUS_CONTINUE && (count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        status = cupsWriteRequestData(CUPS_HTTP_DEFAULT, buffer, count);
    if (status != HTTP_STATUS_CONTINUE)
        return LastErrorText();
    if (std::ferror(file.get())) {
        cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.c_str());
        return std::string("the pages could not be read back");
    }
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.c_str()) >= IPP_STATUS_ERROR_BAD_REQUEST)
        return LastErrorText();
    return std::nullopt;
}

} // namespace

std::vector<PrintOption> PrintOptionsFor(QPrinter& printer)
{
    std::vector<PrintOption> options;
    const QPageLayout layout = printer.pageLayout();
    const bool portrait = layout.orientation() == QPageLayout::Portrait;
    options.emplace_back("media", layout.pageSize().key().toStdString());
    if (printer.copyCount() > 1) {
        options.emplace_back("copies", std::to_string(printer.copyCount()));
        if (printer.collateCopies())
            options.emplace_back("Collate", "True");
    }
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        options.emplace_back("sides", "one-sided");
        break;
    case QPrinter::DuplexAuto:
        options.emplace_back("sides", portrait ? "two-sided-long-edge" : "two-sided-short-edge");
        break;
    case QPrinter::DuplexLongSide:
        options.emplace_back("sides", "two-sided-long-edge");
        break;
    case QPrinter::DuplexShortSide:
        options.emplace_back("sides", "two-sided-short-edge");
        break;
    }
    if (!portrait)
        options.emplace_back("landscape", "");
    if (printer.colorMode() == QPrinter::GrayScale)
        options.emplace_back("print-color-mode", "monochrome");
    if (printer.pageOrder() == QPrinter::LastPageFirst)
        options.emplace_back("outputorder", "reverse");
    bool rangeGiven = false;
    const QStringList pairs = printer.printEngine()->property(CupsOptionsProperty).toStringList();
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        options.emplace_back(pairs[i].toStdString(), pairs[i + 1].toStdString());
        rangeGiven = rangeGiven || pairs[i] == QLatin1String("page-ranges");
    }
    // Pages from and to, chosen in the dialog's own page, are the print
    // system's to pick: the pages are drawn whole.
    if (!rangeGiven && printer.printRange() == QPrinter::PageRange && !printer.pageRanges().isEmpty())
        options.emplace_back("page-ranges", printer.pageRanges().toString().toStdString());
    return options;
}

int SubmitPdfJob(const std::string& printerName, const std::string& title, const std::string& pdfFile,
                 const std::vector<PrintOption>& options)
{
    // "name/instance" is a set of saved options of the queue "name".
    const std::string queue = printerName.substr(0, printerName.find('/'));
    cups_option_t* cupsOptions = nullptr;
    int count = 0;
    for (const auto& [name, value] : options)
        count = cupsAddOption(name.c_str(), value.c_str(), count, &cupsOptions);
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.c_str(), title.c_str(), count, cupsOptions);
    cupsFreeOptions(count, cupsOptions);
    if (job == 0) {
        const std::string answer = LastErrorText();
        throw Error(JobRefusedText(printerName, LastJobRefusal(queue).value_or(answer)));
    }
    const std::optional<std::string> failure = SendDocument(queue, job, title, pdfFile);
    if (!failure)
        return job;
    // The print system holds part of the job: it must not print it.
    const bool cancelled = cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.c_str(), job, 0) == IPP_STATUS_OK;
    std::string text = "The print job " + std::to_string(job) + " on " + Cp932ForMessage(printerName) +
                       " could not be sent whole: " + Cp932ForMessage(*failure) + ".";
    text += cancelled ? " It was cancelled; nothing of it is printed."
                      : " It could not be cancelled: the pages the printer received may still come out.";
    throw Error(text);
}

} // namespace vantrel
