#include "verselist/verse_list_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdio>

#include "passage/passage_scroll.h"
#include "passage/passage_window_win.h"
#include "platform/batching_canvas.h"
#include "platform/gdi_canvas_win.h"
#include "resources/resource_ids.h"
#include "search/search_dialogs_win.h"
#include "search/search_results.h"
#include "shell/app_state.h"
#include "shell/command_state_win.h"
#include "shell/command_table.h"
#include "shell/mouse_wheel_win.h"
#include "shell/notes_view_win.h"
#include "shell/paint_scope_win.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "shell/text_pane_win.h"
#include "store/verse_address.h"
#include "verselist/verse_list_copy.h"
#include "verselist/verse_list_layout.h"

namespace kv {

WNDPROC g_verse_list_tab_previous = nullptr;

namespace {

constexpr std::size_t kReferenceSize = 32;
constexpr std::size_t kMenuTextSize = 96;

AppState& app() { return App(); }
VerseListState& list() { return App().verse_list; }
SearchState& search() { return App().search; }
int& selection_owner() { return App().selection.owner; }
std::int32_t count() { return App().search.result_count; }

// The program's one selection, shared with the passage and the notes.
const SelectionState& Selection() { return app().selection; }

bool DataReady() { return app().store.bible.loaded; }

VerseListView ViewOf(HWND hwnd, std::int32_t top) {
  VerseListView view;
  view.bible = &app().store.bible;
  view.search = &search();
  view.top = top;
  view.italics = app().passage.Italics;
  view.font = list().VerseListFont;
  view.highlight = list().KeyHighlightColor;
  if (app().notes.table.count > 0) view.notes = &app().notes.current();
  RECT client;
  GetClientRect(hwnd, &client);
  view.width = client.right;
  view.height = client.bottom;
  return view;
}

void KeepMetrics(const VerseListMetrics& metrics) {
  list().bottom = metrics.bottom;
  list().line_height = metrics.line_height;
}

// --- The three passes -------------------------------------------------------

void PaintVerseList(HWND hwnd) {
  PaintScope paint(hwnd);
  if (!DataReady()) return;
  const std::int32_t top = list().top;
  if (count() > 0 && top >= 0 && top < count()) {
    char reference[kReferenceSize];
    FormatFullReference(app().store.bible, search().verse_list[top], reference, sizeof reference);
    SendMessageA(Windows().status, SB_SETTEXTA, STATUS_PART_LIST_TOP, reinterpret_cast<LPARAM>(reference));
    SetScrollPos(hwnd, SB_VERT, top, TRUE);
  }
  // A line's runs of one font and colour go to the screen as one.
  GdiCanvas gdi(paint.dc());
  BatchingCanvas canvas(gdi);
  KeepMetrics(PaintVerseListLayout(ViewOf(hwnd, top), Selection(), canvas));
  canvas.Flush();
}

// The bottom entry of a page that starts at `top`.
std::int32_t MeasureVerseList(HWND hwnd, std::int32_t top) {
  WindowDC dc(hwnd);
  GdiCanvas canvas(dc.dc());
  KeepMetrics(MeasureVerseListLayout(ViewOf(hwnd, top), canvas));
  return list().bottom;
}

bool HitTestVerseList(HWND hwnd, int x, int y, SelectionPoint* point) {
  if (!DataReady()) return false;
  WindowDC dc(hwnd);
  GdiCanvas canvas(dc.dc());
  int line_height = 0;
  const bool hit = HitTestVerseListLayout(ViewOf(hwnd, list().top), canvas, x, y, point, &line_height);
  list().line_height = line_height;
  return hit;
}

// --- Focus ------------------------------------------------------------------

void EnableCopy(bool enabled) { EnableCommand(CMD_COPY, enabled); }

void VerseList_OnSetFocus(HWND hwnd, HWND old_focus) {
  TakePaneFocus(hwnd, old_focus, kVerseListOwner, list().line_height);
}

void VerseList_OnKillFocus(HWND hwnd, HWND) { LosePaneFocus(hwnd, false); }

// --- Mouse ------------------------------------------------------------------

void VerseList_OnLButtonDown(HWND hwnd, BOOL, int x, int y, UINT) {
  if (FocusOnFirstClick(hwnd) || count() == 0) return;
  SelectionPoint point = kNoPoint;
  HitTestVerseList(hwnd, x, y, &point);
  if (StartPaneSelection(kVerseListOwner, point)) InvalidateRect(hwnd, nullptr, FALSE);
}

// Dragging near the top or bottom edge scrolls one entry per move.
void VerseList_OnMouseMove(HWND hwnd, int x, int y, UINT keys) {
  if (count() == 0) return;
  DragPaneSelection(hwnd, kVerseListOwner, x, y, keys, list().top, count() - 1, SetVerseListTop, HitTestVerseList);
}

void VerseList_OnLButtonUp(HWND, int, int, UINT) { app().selection.dragging = false; }

// --- Keys and scrolling -------------------------------------------------------

void VerseList_OnKey(HWND hwnd, UINT key, BOOL down, int, UINT) {
  if (!down) return;
  switch (key) {
    case VK_RETURN:
      if (count() != 0) ShowSelectedResult();
      break;
    case VK_PRIOR: SendMessageA(hwnd, WM_VSCROLL, SB_PAGEUP, 0); break;
    case VK_NEXT: SendMessageA(hwnd, WM_VSCROLL, SB_PAGEDOWN, 0); break;
    case VK_UP: SendMessageA(hwnd, WM_VSCROLL, SB_LINEUP, 0); break;
    case VK_DOWN: SendMessageA(hwnd, WM_VSCROLL, SB_LINEDOWN, 0); break;
    case VK_HOME: SetVerseListTop(0); break;
    case VK_END:
      if (count() != 0) SetVerseListTop(count() - 1);
      break;
    case VK_RIGHT:
      if (Windows().passage) SetFocus(Windows().passage);
      break;
    case VK_DELETE: SendMessageA(hwnd, WM_COMMAND, CMD_DELETE_FROM_LIST, 0); break;
  }
}

void VerseList_OnMouseWheel(HWND hwnd, int, int, int delta, UINT) {
  ScrollForWheel(hwnd, &Windows().verse_list_wheel, delta);
}

void VerseList_OnVScroll(HWND hwnd, HWND, UINT code, int position) {
  if (!DataReady()) return;
  const std::int32_t old_top = list().top;
  std::int32_t top = old_top;
  switch (code) {
    case SB_LINEUP:
      if (top != 0) --top;
      break;
    case SB_LINEDOWN:
      if (top < count() - 1) ++top;
      break;
    case SB_PAGEDOWN: top = list().bottom; break;
    case SB_PAGEUP:
      top = PageUpTop(old_top, list().bottom, [hwnd](VerseIndex candidate) { return MeasureVerseList(hwnd, candidate); });
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: top = static_cast<std::int16_t>(position); break;
  }
  // A page down from an empty list or a thumb beyond the list would leave
  // the top outside it.
  if (top >= count()) top = count() > 0 ? count() - 1 : 0;
  if (top < 0) top = 0;
  if (top != old_top) SetVerseListTop(top);
}

// --- Context menu -----------------------------------------------------------

void VerseList_OnRButtonDown(HWND hwnd, BOOL, int x, int y, UINT) {
  if (GetFocus() != hwnd) SetFocus(hwnd);
  if (count() == 0 || !DataReady()) return;

  char reference[kReferenceSize];
  FormatShortReference(app().store.bible, ListCurrentVerse(), reference, sizeof reference);
  OrderedSelection ordered;
  const UINT with_selection = UsableListSelection(Selection(), search(), &ordered) ? MF_ENABLED : MF_GRAYED;
  const UINT note_state = app().shell.note_editor_open ? MF_GRAYED : MF_ENABLED;
  char text[kMenuTextSize];

  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING | with_selection, CMD_COPY, "Copy Selected Text\tCtrl+C");
  AppendMenuA(menu, MF_STRING, CMD_COPY_VERSE_LIST, "Copy Verse List\tF7");
  AppendMenuA(menu, MF_STRING, CMD_SAVE_VERSE_LIST, "Save Verse List...");
  AppendMenuA(menu, MF_STRING, CMD_PRINT_VERSE_LIST, "Print Verse List...");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  std::snprintf(text, sizeof text, "Read Context of %s\tEnter", reference);
  AppendMenuA(menu, MF_STRING, CMD_CONTEXT, text);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  std::snprintf(text, sizeof text, "Delete %s From List\tDelete", reference);
  AppendMenuA(menu, MF_STRING, CMD_DELETE_FROM_LIST, text);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  std::snprintf(text, sizeof text, "Go to Note for %s\tF9", reference);
  AppendMenuA(menu, MF_STRING | note_state, CMD_NOTE_FOR_VERSE_LIST, text);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendSelectedTextSearches(menu, with_selection == MF_ENABLED);
  TrackPaneMenu(hwnd, menu, x, y);
}

// --- Commands -----------------------------------------------------------------

void SetStatus(int part, const char* text) {
  SendMessageA(Windows().status, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

void DeleteListEntry(HWND hwnd) {
  const std::int32_t position = ListCurrentEntry();
  if (!RemoveListEntry(search(), position)) return;
  SendMessageA(Windows().reference_list, LB_DELETESTRING, position, 0);
  selection_owner() = kNoSelectionOwner;
  EnableCopy(false);
  SetStatus(STATUS_PART_SEARCH, "");
  std::int32_t& top = list().top;
  if (top == count()) --top;
  if (count() == 0) {
    top = 0;
    search().verse_list[0] = kNoVerse;
    SetStatus(STATUS_PART_LIST_TOP, "");
    for (int command : kVerseListCommands) EnableCommand(command, false);
  }
  SetScrollRange(hwnd, SB_VERT, 0, count() > 0 ? count() - 1 : 0, TRUE);
  SetVerseListTop(top);
}

void SearchWithSelection(int command, char* prefill, std::size_t size) {
  if (ListSearchPrefill(app().store.bible, search(), Selection(), prefill, size)) SearchFromPane(command);
}

void VerseList_OnCommand(HWND hwnd, int id, HWND, UINT) {
  switch (id) {
    case CMD_CONTEXT:
    case CMD_COPY_VERSE_LIST:
    case CMD_SAVE_VERSE_LIST:
    case CMD_NOTE_FOR_VERSE_LIST:
    case CMD_PRINT_VERSE_LIST:
      SendMessageA(Windows().main, WM_COMMAND, id, 0);
      break;
    case CMD_COPY:
      CopyListSelection(app().store.bible, search(), Selection(), ShellClipboard(), ShellMessages());
      break;
    case CMD_WORD_SEARCH:
    case CMD_PHRASE_SEARCH:
      SearchWithSelection(id, search().search_text_prefill, sizeof search().search_text_prefill);
      break;
    case CMD_SEARCH_NOTES:
      SearchWithSelection(id, app().shell.note_search_prefill, sizeof app().shell.note_search_prefill);
      break;
    case CMD_DELETE_FROM_LIST: DeleteListEntry(hwnd); break;
  }
}

BOOL VerseList_OnCreate(HWND hwnd, LPCREATESTRUCT) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = 0;
  info.nMax = 0;
  info.nPage = 1;
  SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
  return TRUE;
}

}  // namespace

LRESULT CALLBACK VerseListWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(hwnd, WM_CREATE, VerseList_OnCreate);
    HANDLE_MSG(hwnd, WM_SETFOCUS, VerseList_OnSetFocus);
    HANDLE_MSG(hwnd, WM_KILLFOCUS, VerseList_OnKillFocus);
    case WM_PAINT:
      PaintVerseList(hwnd);
      return 0;
    HANDLE_MSG(hwnd, WM_KEYDOWN, VerseList_OnKey);
    HANDLE_MSG(hwnd, WM_COMMAND, VerseList_OnCommand);
    HANDLE_MSG(hwnd, WM_VSCROLL, VerseList_OnVScroll);
    HANDLE_MSG(hwnd, WM_MOUSEWHEEL, VerseList_OnMouseWheel);
    HANDLE_MSG(hwnd, WM_MOUSEMOVE, VerseList_OnMouseMove);
    HANDLE_MSG(hwnd, WM_LBUTTONDOWN, VerseList_OnLButtonDown);
    HANDLE_MSG(hwnd, WM_LBUTTONUP, VerseList_OnLButtonUp);
    HANDLE_MSG(hwnd, WM_RBUTTONDOWN, VerseList_OnRButtonDown);
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void SetVerseListTop(int position) {
  list().top = position;
  if (Windows().verse_list) InvalidateRect(Windows().verse_list, nullptr, TRUE);
}

void ShowNewVerseList(int entries) {
  SetScrollRange(Windows().verse_list, SB_VERT, 0, entries > 0 ? entries - 1 : 0, TRUE);
  SetVerseListTop(0);
}

int ListCurrentEntry() {
  const AppState& a = app();
  if (a.selection.owner == kVerseListOwner && a.selection.anchor.item >= list().top &&
      a.selection.end.item <= list().bottom)
    return a.selection.anchor.item;
  return list().top;
}

VerseIndex ListCurrentVerse() { return SelectedResultVerse(app().store.bible, search(), 0, ListCurrentEntry()); }

LRESULT CALLBACK VerseListTabProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    if (LOWORD(wParam) == ID_REFERENCE_LIST && HIWORD(wParam) == LBN_DBLCLK) ShowSelectedResult();
    return 0;
  }
  return CallWindowProcA(g_verse_list_tab_previous, hwnd, message, wParam, lParam);
}

}  // namespace kv
