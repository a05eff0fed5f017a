// The wait cursor over a long operation that runs on the window thread.
#pragma once

#include <functional>

namespace kv {

// Runs `operation` with the mouse captured by the main window and the wait
// cursor shown; the cursor and the capture are given back afterwards.
void WithWaitCursor(const std::function<void()>& operation);

}  // namespace kv
