#pragma once

namespace vantrel {

// Handles every pending window message and returns.
void ProcessPendingMessages();

} // namespace vantrel
