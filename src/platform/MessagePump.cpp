#include "platform/MessagePump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace vantrel {

void ProcessPendingMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

} // namespace vantrel
