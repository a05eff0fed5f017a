// Where the keyboard focus goes when the program starts or a pane is
// hidden, and the one way to end the selection wherever it is.
#pragma once

#include <windows.h>

namespace kv {

// The first pane shown, in the order passage, verse list (or the reference
// list when its tab is selected), notes display; the main window when every
// pane is hidden. The window a user would type into next.
HWND FirstShownPane();

// Gives FirstShownPane() the focus.
void FocusFirstShownPane();

// When the window with the focus is no longer visible (its pane was just
// hidden), the focus moves to FirstShownPane(), so that keys never act on a
// window the user cannot see and the commands that follow the focus follow.
void MoveFocusOffHiddenPanes();

// Ends the program's one selection, whichever pane holds it, and greys Copy
// (menu item and toolbar button) with it.
void DropSelection();

}  // namespace kv
