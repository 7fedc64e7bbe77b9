#pragma once

#include <optional>
#include <string>

namespace vantrel {

// The print system's answer to the job this thread last sent to a printer:
// the reason it refused the job (a queue that does not accept jobs, a
// printer that is gone, a server out of reach), or nothing when it took it.
std::optional<std::string> LastJobRefusal();

} // namespace vantrel
