#pragma once

#include <functional>

class QWidget;

namespace rad {

// Runs action from the event loop once window is on screen (at once, queued, when it already
// is): after the window manager has placed it and its first paint is done, so work that needs
// the placed window, or that takes a moment, never meets an unplaced or black window.
void WhenExposed(QWidget* window, std::function<void()> action);

}  // namespace rad
