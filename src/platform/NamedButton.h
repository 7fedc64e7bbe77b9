#pragma once

#include "platform/Application.h"

#include <QPushButton>

namespace vantrel {

// A push button of a window, with the object name that tests and the tab
// order know it by, its caption (UTF-8) and its place in the client area.
QPushButton* AddNamedButton(QWidget* window, const char* name, const char* caption, const QRect& geometry);

// Runs the window's handler on every click through RunHandler, so that a
// failure shows in the error box and the window stays usable.
template <typename Window>
void ConnectHandler(QPushButton* button, Window* window, void (Window::*handler)())
{
    QObject::connect(button, &QPushButton::clicked, window,
                     [window, handler] { RunHandler([window, handler] { (window->*handler)(); }); });
}

} // namespace vantrel
