// The View menu and the keys that move between the panes: which panes and
// whether the toolbar are shown, and where the focus goes.
#pragma once

namespace kv {

// Commands 125, 126 and 127: shows or hides the verse list, passage or
// notes pane, with the menu check and the toolbar button, and lays the
// panes out again.
void ToggleViewCommand(int view_command);
// Command 128: shows or hides the toolbar.
void ToggleToolbarCommand();

// Shows the pane of View command 125, 126 or 127 when it is hidden.
void EnsurePaneVisible(int view_command);

// Alt+1: the verse list pane shown and its window (the verse list or the
// reference list, as its tab shows) focused.
void FocusVerseListCommand();
// Alt+2: the passage focused and its pane shown.
void FocusPassageCommand();
// Shift+F10: the focused window's context menu at its top left corner.
void OpenContextMenuCommand();

}  // namespace kv
