// What the passage and the verse list do alike as panes of laid-out text
// that hold the program's one selection: the focus and its caret, the mouse
// selection with its scrolling drag, and the selected-text part of their
// context menus. Each pane passes its own selection owner, hit test and
// scrolling.
#pragma once

#include <windows.h>

#include <cstdint>

#include "passage/selection.h"

namespace kv {

// The first click into an unfocused pane only focuses it (and starts no
// drag): true when it did so.
bool FocusOnFirstClick(HWND pane);

// The pane takes the focus: a selection another pane holds ends (Copy greys,
// the old focus window repaints without it), and the caret, `line_height`
// high (16 before the first pass), goes to the top left.
void TakePaneFocus(HWND pane, HWND old_focus, int owner, int line_height);

// The pane loses the focus: the caret goes, the selection ends wherever it
// is, Copy greys, and the pane repaints (erasing its background with
// `erase`).
void LosePaneFocus(HWND pane, bool erase);

// A button press on `point` (kNoPoint where the hit test missed): the
// selection starts there in the pane `owner` and a drag begins; a miss ends
// the pane's own selection. True when the selection changed.
bool StartPaneSelection(int owner, SelectionPoint point);

// A mouse move with `keys` while the pane `owner` drags its selection: near
// the top or bottom edge the pane scrolls by one (`scroll_to` with `top` - 1
// or + 1, kept within 0..`last`), then the selection's end goes to the point
// `hit_test` finds under (x, y), if any, and the pane repaints.
void DragPaneSelection(HWND pane, int owner, int x, int y, UINT keys, std::int32_t top, std::int32_t last,
                       void (*scroll_to)(std::int32_t), bool (*hit_test)(HWND, int, int, SelectionPoint*));

// The three "... Search(es) with Selected Text" items that end both panes'
// context menus, greyed without a selection.
void AppendSelectedTextSearches(HMENU menu, bool with_selection);

// Shows the pane's context menu at (x, y) of the pane and destroys it, with
// its sub-menus, once the user has chosen.
void TrackPaneMenu(HWND pane, HMENU menu, int x, int y);

// Opens the search dialog `command` from the main window, whose starting
// text the pane has just filled in.
void SearchFromPane(int command);

}  // namespace kv
