#include "platform/MessagePump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace vantrel {

void ProcessPendingMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void PumpMessagesUntil(const std::function<bool()>& done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace vantrel
