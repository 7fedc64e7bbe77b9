#pragma once

// Stands in for the run that waits for an input window: InputDone turns 1
// when the window closes, as the run sets it.
#include "input/InputWindow.h"

#include <QObject>

#include <cstdint>

namespace vantrel::testing {

struct InputDoneProbe {
    std::int32_t InputDone = 0;
    QObject context;

    explicit InputDoneProbe(InputWindow& window)
    {
        QObject::connect(&window, &InputWindow::Closed, &context, [this] { InputDone = 1; });
    }
};

} // namespace vantrel::testing
