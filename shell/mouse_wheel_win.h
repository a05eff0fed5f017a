// The mouse wheel in the program's scrolling windows.
#pragma once

#include <windows.h>

#include "shell/mouse_wheel.h"

namespace kv {

// Scrolls `window` for a wheel turn of `delta` as its arrow keys and Page
// keys would: one WM_VSCROLL SB_LINEUP or SB_LINEDOWN per line, by the
// system's lines per notch, or SB_PAGEUP or SB_PAGEDOWN per page when the
// system scrolls the wheel by pages.
void ScrollForWheel(HWND window, WheelState* state, int delta);

}  // namespace kv
