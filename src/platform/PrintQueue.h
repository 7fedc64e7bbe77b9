#pragma once

#include <optional>
#include <string>

namespace vantrel {

// The print system's answer to the job this thread last sent to the printer
// `printerName`: the reason it refused the job (a queue that does not accept
// jobs, a printer that is gone, a server out of reach), with the reason the
// queue's administrator gave when there is one; nothing when it took it.
std::optional<std::string> LastJobRefusal(const std::string& printerName);

} // namespace vantrel
