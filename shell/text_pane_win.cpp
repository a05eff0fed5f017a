#include "shell/text_pane_win.h"

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/command_dispatch_win.h"
#include "shell/command_state_win.h"
#include "shell/program_win.h"

namespace kv {
namespace {

constexpr int kCaretWidth = 3;
constexpr int kFirstCaretHeight = 16;
// Dragging this close to the top or bottom edge scrolls by one per move.
constexpr int kAutoScrollMargin = 6;

}  // namespace

bool FocusOnFirstClick(HWND pane) {
  if (GetFocus() == pane) return false;
  SetFocus(pane);
  App().selection.dragging = false;
  return true;
}

void TakePaneFocus(HWND pane, HWND old_focus, int owner, int line_height) {
  SelectionState& selection = App().selection;
  if (selection.owner != owner) {
    selection.owner = kNoSelectionOwner;
    EnableCommand(CMD_COPY, false);
    if (old_focus) InvalidateRect(old_focus, nullptr, FALSE);
  }
  CreateCaret(pane, nullptr, kCaretWidth, line_height > 0 ? line_height : kFirstCaretHeight);
  ShowCaret(pane);
  SetCaretPos(0, 0);
}

void LosePaneFocus(HWND pane, bool erase) {
  DestroyCaret();
  App().selection.owner = kNoSelectionOwner;
  EnableCommand(CMD_COPY, false);
  App().selection.dragging = false;
  InvalidateRect(pane, nullptr, erase ? TRUE : FALSE);
}

bool StartPaneSelection(int owner, SelectionPoint point) {
  SelectionState& selection = App().selection;
  selection.anchor = point;
  selection.end = point;
  if (point.item >= 0) {
    selection.owner = owner;
    EnableCommand(CMD_COPY, true);
    selection.dragging = true;
    return true;
  }
  if (selection.owner == owner) {
    // A click below the last item: no selection any more, so Copy and the
    // context menu see none.
    selection.owner = kNoSelectionOwner;
    EnableCommand(CMD_COPY, false);
    return true;
  }
  return false;
}

void DragPaneSelection(HWND pane, int owner, int x, int y, UINT keys, std::int32_t top, std::int32_t last,
                       void (*scroll_to)(std::int32_t), bool (*hit_test)(HWND, int, int, SelectionPoint*)) {
  SelectionState& selection = App().selection;
  if (!(keys & MK_LBUTTON) || selection.owner != owner || !selection.dragging) return;
  RECT client;
  GetClientRect(pane, &client);
  if (y < kAutoScrollMargin && top > 0)
    scroll_to(top - 1);
  else if (y > client.bottom - kAutoScrollMargin && top < last)
    scroll_to(top + 1);
  SelectionPoint point = selection.end;
  if (hit_test(pane, x, y, &point)) selection.end = point;
  InvalidateRect(pane, nullptr, FALSE);
}

void AppendSelectedTextSearches(HMENU menu, bool with_selection) {
  const UINT state = with_selection ? MF_ENABLED : MF_GRAYED;
  AppendMenuA(menu, MF_STRING | state, CMD_WORD_SEARCH, "Word Search with Selected Text...");
  AppendMenuA(menu, MF_STRING | state, CMD_PHRASE_SEARCH, "Phrase Search with Selected Text...");
  AppendMenuA(menu, MF_STRING | state, CMD_SEARCH_NOTES, "Search Notes with Selected Text...");
}

void TrackPaneMenu(HWND pane, HMENU menu, int x, int y) {
  RECT window;
  GetWindowRect(pane, &window);
  SetForegroundWindow(pane);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, window.left + x, window.top + y, 0, pane, nullptr);
  DestroyMenu(menu);
}

void SearchFromPane(int command) { SendMessageA(Windows().main, WM_COMMAND, command, 0); }

}  // namespace kv
