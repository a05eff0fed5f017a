// The main window: its creation sequence, its shutdown, its pane layout and
// the five messages it handles.
#pragma once

#include <windows.h>

namespace kv {

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void FreeRichEditLibrary();

// Places the toolbar, the status bar and the panes in a client area of
// `width` x `height`.
void LayoutPanes(UINT type, int width, int height);
// Divides the status bar into its five parts for its width and writes the
// search range into part 4.
void UpdateStatusParts();
// Writes the search range into status part 4: "Ge 1:1 - Re 22:21".
void ShowSearchRange();
// Lays the panes out again after a change of the pane flags.
void Relayout();

}  // namespace kv
