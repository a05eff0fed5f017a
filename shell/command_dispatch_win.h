// The main window's commands: each command number to the module that owns
// it, and nothing else.
#pragma once

#include <windows.h>

namespace kv {

// The main window's WM_COMMAND: the ranges in order, then one call per
// command. Numbers outside the program's ranges are ignored.
void DispatchCommand(int command, HWND control, UINT code);

}  // namespace kv
