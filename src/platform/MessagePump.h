#pragma once

#include <functional>

namespace vantrel {

// Handles every pending window message and returns.
void ProcessPendingMessages();

// Handles window messages, sleeping while there are none, until `done`
// answers true. `done` is asked before each wait, so it must turn true from
// inside a handler (an input window's close sets InputDone).
void PumpMessagesUntil(const std::function<bool()>& done);

} // namespace vantrel
