#include "passage/passage_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdio>

#include "notes/note_files.h"
#include "passage/passage_copy.h"
#include "passage/passage_layout.h"
#include "passage/passage_scroll.h"
#include "platform/gdi_canvas_win.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/book_menu_win.h"
#include "shell/command_state_win.h"
#include "shell/command_table.h"
#include "shell/mouse_wheel_win.h"
#include "shell/navigation.h"
#include "shell/notes_view_win.h"
#include "shell/paint_scope_win.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "shell/text_pane_win.h"
#include "store/verse_address.h"

namespace kv {
namespace {

constexpr std::size_t kReferenceSize = 32;
constexpr std::size_t kMenuTextSize = 96;

AppState& app() { return App(); }
PassageState& passage() { return App().passage; }
VerseIndex& current_verse() { return App().passage.CurrentVerse; }

const SelectionState& Selection() { return App().selection; }

PassageView ViewOf(HWND hwnd) {
  const PassageSettings& settings = app().passage;
  PassageView view;
  view.bible = &app().store.bible;
  view.top = ClampVerse(current_verse());
  view.paragraph_format = settings.ParagraphFormat != 0;
  view.italics = settings.Italics;
  view.font = settings.ReadWindowFont;
  if (app().notes.table.count > 0) view.notes = &app().notes.current();
  RECT client;
  GetClientRect(hwnd, &client);
  view.width = client.right;
  view.height = client.bottom;
  return view;
}

bool DataReady() { return app().store.bible.loaded; }

// Status part 3: the passage's top verse.
void ShowTopVerse(VerseIndex top) {
  if (!Windows().status || !DataReady()) return;
  char reference[kReferenceSize];
  FormatFullReference(app().store.bible, top, reference, sizeof reference);
  SendMessageA(Windows().status, SB_SETTEXTA, STATUS_PART_PASSAGE, reinterpret_cast<LPARAM>(reference));
}

// --- The three passes -----------------------------------------------------

void PaintPassage(HWND hwnd) {
  PaintScope paint(hwnd);
  if (!DataReady()) return;
  PassageView view = ViewOf(hwnd);
  ShowTopVerse(view.top);
  SetScrollPos(hwnd, SB_VERT, view.top, TRUE);
  GdiCanvas canvas(paint.dc());
  const PassageMetrics metrics = PaintPassageLayout(view, Selection(), canvas);
  passage().bottom_verse = metrics.bottom_verse;
  passage().line_height = metrics.line_height;
}

// The bottom verse of a page starting at `top`, with the window's size.
VerseIndex MeasurePassage(HWND hwnd, VerseIndex top) {
  PassageView view = ViewOf(hwnd);
  view.top = top;
  WindowDC dc(hwnd);
  GdiCanvas canvas(dc.dc());
  const PassageMetrics metrics = MeasurePassageLayout(view, canvas);
  passage().bottom_verse = metrics.bottom_verse;
  passage().line_height = metrics.line_height;
  return metrics.bottom_verse;
}

bool HitTestPassage(HWND hwnd, int x, int y, SelectionPoint* point) {
  if (!DataReady()) return false;
  PassageView view = ViewOf(hwnd);
  WindowDC dc(hwnd);
  GdiCanvas canvas(dc.dc());
  int line_height = 0;
  const bool hit = HitTestPassageLayout(view, canvas, x, y, point, &line_height);
  passage().line_height = line_height;
  return hit;
}

// --- Focus ------------------------------------------------------------------

void Passage_OnSetFocus(HWND hwnd, HWND old_focus) {
  for (int command : kPassageFocusCommands) EnableCommand(command, true);
  TakePaneFocus(hwnd, old_focus, kPassageOwner, passage().line_height);
}

void Passage_OnKillFocus(HWND hwnd, HWND) {
  for (int command : kPassageFocusCommands) EnableCommand(command, false);
  LosePaneFocus(hwnd, true);
}

// --- Mouse ------------------------------------------------------------------

void Passage_OnLButtonDown(HWND hwnd, BOOL, int x, int y, UINT) {
  if (FocusOnFirstClick(hwnd)) return;
  SelectionPoint point = kNoPoint;
  HitTestPassage(hwnd, x, y, &point);
  StartPaneSelection(kPassageOwner, point);
  InvalidateRect(hwnd, nullptr, FALSE);
}

// Dragging near the top or bottom edge scrolls one verse per move.
void Passage_OnMouseMove(HWND hwnd, int x, int y, UINT keys) {
  DragPaneSelection(hwnd, kPassageOwner, x, y, keys, current_verse(), kLastVerse, SetCurrentVerse, HitTestPassage);
}

void Passage_OnLButtonUp(HWND, int, int, UINT) { App().selection.dragging = false; }

// --- Keys and scrolling -------------------------------------------------------

void Passage_OnKey(HWND hwnd, UINT key, BOOL down, int, UINT) {
  if (!down) return;
  switch (key) {
    case VK_PRIOR:
      SendMessageA(hwnd, WM_VSCROLL, SB_PAGEUP, 0);
      break;
    case VK_NEXT:
      SendMessageA(hwnd, WM_VSCROLL, SB_PAGEDOWN, 0);
      break;
    case VK_UP:
      SendMessageA(hwnd, WM_VSCROLL, SB_LINEUP, 0);
      break;
    case VK_DOWN:
      SendMessageA(hwnd, WM_VSCROLL, SB_LINEDOWN, 0);
      break;
    case VK_LEFT:
      if (Windows().verse_list) SetFocus(Windows().verse_list);
      break;
  }
}

void Passage_OnMouseWheel(HWND hwnd, int, int, int delta, UINT) {
  ScrollForWheel(hwnd, &Windows().passage_wheel, delta);
}

PassageScroll ScrollCodeOf(UINT code) {
  switch (code) {
    case SB_LINEUP: return PassageScroll::LineUp;
    case SB_LINEDOWN: return PassageScroll::LineDown;
    case SB_PAGEUP: return PassageScroll::PageUp;
    case SB_PAGEDOWN: return PassageScroll::PageDown;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return PassageScroll::Thumb;
  }
  return PassageScroll::Other;
}

void Passage_OnVScroll(HWND hwnd, HWND, UINT code, int position) {
  if (!DataReady()) return;
  const VerseIndex old_top = ClampVerse(current_verse());
  VerseIndex top = ScrolledTop(ScrollCodeOf(code), position, old_top, passage().bottom_verse,
                               [hwnd](VerseIndex candidate) { return MeasurePassage(hwnd, candidate); });
  if (top != old_top) SetCurrentVerse(top);
}

// --- Context menu -----------------------------------------------------------

HMENU GoToBookmarkMenu() {
  HMENU menu = CreatePopupMenu();
  for (int n = 1; n <= kBookmarkCount; ++n) {
    std::string text = BookmarkMenuText(app().store.bible, app().shell.Bookmarks, n);
    AppendMenuA(menu, MF_STRING, CMD_GOTO_BOOKMARK_FIRST + n - 1, text.c_str());
  }
  return menu;
}

HMENU SetBookmarkMenu() {
  HMENU menu = CreatePopupMenu();
  char text[kMenuTextSize];
  for (int n = 1; n <= kBookmarkCount; ++n) {
    std::snprintf(text, sizeof text, "Set %d\tCtrl+Alt+%d", n, n % kBookmarkCount);
    AppendMenuA(menu, MF_STRING, CMD_SET_BOOKMARK_FIRST + n - 1, text);
  }
  return menu;
}

void Passage_OnRButtonDown(HWND hwnd, BOOL, int x, int y, UINT) {
  if (!DataReady()) return;
  if (GetFocus() != hwnd) SetFocus(hwnd);

  char reference[kReferenceSize];
  FormatShortReference(app().store.bible, PassageCurrentVerse(), reference, sizeof reference);
  const UINT with_selection = PassageHasSelection(Selection()) ? MF_ENABLED : MF_GRAYED;
  const UINT note_state = app().shell.note_editor_open ? MF_GRAYED : MF_ENABLED;
  char text[kMenuTextSize];

  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING | with_selection, CMD_COPY, "Copy Selected Text\tCtrl+C");
  AppendMenuA(menu, MF_STRING, CMD_COPY_RANGE, "Copy Range...\tF6");
  AppendMenuA(menu, MF_STRING, CMD_SAVE_RANGE, "Save Range...");
  AppendMenuA(menu, MF_STRING, CMD_PRINT_RANGE, "Print Range...");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, CMD_GOTO_VERSE, "Go to Verse...\tAlt+G");
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CreateGoToBookMenu()), "Go to Book");
  AppendMenuA(menu, MF_STRING, CMD_PREVIOUS_CHAPTER, "Previous Chapter\tCtrl+PgUp");
  AppendMenuA(menu, MF_STRING, CMD_NEXT_CHAPTER, "Next Chapter\tCtrl+PgDn");
  AppendMenuA(menu, MF_STRING, CMD_PREVIOUS_BOOK, "Previous Book\tCtrl+Home");
  AppendMenuA(menu, MF_STRING, CMD_NEXT_BOOK, "Next Book\tCtrl+End");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, CMD_TODAYS_PROVERB, "Today's Proverb");
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(GoToBookmarkMenu()), "Go to Bookmark");
  std::snprintf(text, sizeof text, "Set a Bookmark to %s", reference);
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(SetBookmarkMenu()), text);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  std::snprintf(text, sizeof text, "Go to Note for %s\tF10", reference);
  AppendMenuA(menu, MF_STRING | note_state, CMD_NOTE_FOR_PASSAGE, text);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendSelectedTextSearches(menu, with_selection == MF_ENABLED);
  TrackPaneMenu(hwnd, menu, x, y);
}

// --- Commands -----------------------------------------------------------------

bool ForwardedToMain(int id) {
  if (id >= CMD_GOTO_BOOKMARK_FIRST && id <= CMD_SET_BOOKMARK_LAST) return true;
  if (id >= CMD_GOTO_BOOK_FIRST && id <= CMD_GOTO_BOOK_LAST + 1) return true;
  switch (id) {
    case CMD_GOTO_VERSE:
    case CMD_PREVIOUS_CHAPTER:
    case CMD_NEXT_CHAPTER:
    case CMD_PREVIOUS_BOOK:
    case CMD_NEXT_BOOK:
    case CMD_COPY_RANGE:
    case CMD_SAVE_RANGE:
    case CMD_NOTE_FOR_PASSAGE:
    case CMD_TODAYS_PROVERB:
    case CMD_PRINT_RANGE:
      return true;
  }
  return false;
}

// Hands the selected text, letters and blanks only, to a search dialog the
// main window opens with it.
void SearchWithSelection(int command, char* prefill, std::size_t size) {
  if (PassageSearchPrefill(app().store.bible, Selection(), app().passage.ParagraphFormat != 0, prefill, size))
    SearchFromPane(command);
}

void Passage_OnCommand(HWND, int id, HWND, UINT) {
  if (ForwardedToMain(id)) {
    SendMessageA(Windows().main, WM_COMMAND, id, 0);
    return;
  }
  switch (id) {
    case CMD_COPY:
      CopyPassageSelection(app().store.bible, Selection(), app().passage.ParagraphFormat != 0, ShellClipboard(),
                           ShellMessages());
      break;
    case CMD_WORD_SEARCH:
    case CMD_PHRASE_SEARCH:
      SearchWithSelection(id, app().search.search_text_prefill, sizeof app().search.search_text_prefill);
      break;
    case CMD_SEARCH_NOTES:
      SearchWithSelection(id, app().shell.note_search_prefill, sizeof app().shell.note_search_prefill);
      break;
  }
}

BOOL Passage_OnCreate(HWND hwnd, LPCREATESTRUCT) {
  SetScrollRange(hwnd, SB_VERT, 0, kLastVerse, TRUE);
  return TRUE;
}

}  // namespace

LRESULT CALLBACK PassageWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(hwnd, WM_CREATE, Passage_OnCreate);
    HANDLE_MSG(hwnd, WM_SETFOCUS, Passage_OnSetFocus);
    HANDLE_MSG(hwnd, WM_KILLFOCUS, Passage_OnKillFocus);
    case WM_PAINT:
      PaintPassage(hwnd);
      return 0;
    HANDLE_MSG(hwnd, WM_KEYDOWN, Passage_OnKey);
    HANDLE_MSG(hwnd, WM_COMMAND, Passage_OnCommand);
    HANDLE_MSG(hwnd, WM_VSCROLL, Passage_OnVScroll);
    HANDLE_MSG(hwnd, WM_MOUSEWHEEL, Passage_OnMouseWheel);
    HANDLE_MSG(hwnd, WM_MOUSEMOVE, Passage_OnMouseMove);
    HANDLE_MSG(hwnd, WM_LBUTTONDOWN, Passage_OnLButtonDown);
    HANDLE_MSG(hwnd, WM_LBUTTONUP, Passage_OnLButtonUp);
    HANDLE_MSG(hwnd, WM_RBUTTONDOWN, Passage_OnRButtonDown);
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void SetCurrentVerse(VerseIndex verse) {
  current_verse() = ClampVerse(verse);
  if (Windows().passage) InvalidateRect(Windows().passage, nullptr, TRUE);
  // A hidden passage is not painted, and the status bar still shows its top.
  if (Windows().passage && !IsWindowVisible(Windows().passage)) ShowTopVerse(current_verse());
  // An open editor keeps its note: the save goes to the verse it was opened for.
  if (app().notes.BindNotes && app().notes.table.count > 0 && !app().shell.note_editor_open)
    ShowNote(app().notes, ShellNotesPorts(), current_verse());
}

VerseIndex PassageCurrentVerse() {
  const SelectionState& selection = Selection();
  if (selection.owner == kPassageOwner && selection.anchor.item >= current_verse() &&
      selection.end.item <= passage().bottom_verse) {
    return selection.anchor.item;
  }
  return current_verse();
}

}  // namespace kv
