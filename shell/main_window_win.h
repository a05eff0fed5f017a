// The main window: its creation sequence, its shutdown, and the five
// messages it handles.
#pragma once

#include <windows.h>

namespace kv {

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void FreeRichEditLibrary();

}  // namespace kv
