// The main window's commands: the dispatcher, and the one place that
// enables, greys and checks a command's menu item and toolbar button
// together, so that they never disagree.
#pragma once

#include <windows.h>

#include <functional>

namespace kv {

// The main window's WM_COMMAND: each command number to the module that owns
// it. Numbers outside the program's ranges are ignored.
void DispatchCommand(int command, HWND control, UINT code);

// Menu item and toolbar button (if the command has one) together; a greyed
// button shows as indeterminate.
void EnableCommand(int command, bool enabled);
// The menu item's check mark.
void CheckCommand(int command, bool checked);
// A View command: the menu item's check and the toolbar button's checked state.
void CheckViewCommand(int command, bool checked);

// Shows the pane of View command 125, 126 or 127 when it is hidden.
void EnsurePaneVisible(int view_command);

// Runs `operation` with the mouse captured and the wait cursor shown.
void WithWaitCursor(const std::function<void()>& operation);

// Writes bookmark n's text (1..10) into the Bookmarks menu.
void WriteBookmarkItem(int n);

// The "Set Search Range" dialog over `owner`; on OK the new range is the
// search range and status part 4 shows it. Also opened by the search dialogs.
void SetSearchRange(HWND owner);

}  // namespace kv
