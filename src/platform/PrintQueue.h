#pragma once

#include <string>
#include <utility>
#include <vector>

class QPrinter;

namespace vantrel {

// The print system (CUPS) as the printer reaches it: a finished job handed
// over whole, and its answer.

// A print system option: name and value ("copies", "2").
using PrintOption = std::pair<std::string, std::string>;

// The choices of the print dialog, as the printer `printer` holds them
// after it, as print system options: the paper, copies and their collation,
// both sides, orientation, the page range, colour or grey, the page order,
// and every option of the dialog's own print system pages (pages per sheet,
// page set, banners, holding, priority, the printer's own settings).
std::vector<PrintOption> PrintOptionsFor(QPrinter& printer);

// Hands the complete PDF file `pdfFile` to the queue `printerName` as one
// job named `title`, with `options`; returns the job's id. Until then the
// print system has seen nothing of the job. Throws Error naming the printer
// and the reason (JobRefusedText) when it refuses the job; when the job was
// created but its document could not be sent whole, the job is cancelled
// by its id first and the error says whether that succeeded.
int SubmitPdfJob(const std::string& printerName, const std::string& title, const std::string& pdfFile,
                 const std::vector<PrintOption>& options);

} // namespace vantrel
