#include "notes/notes_window_win.h"

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include <cstdio>
#include <string>
#include <vector>

#include "notes/cross_references.h"
#include "notes/note_display_positions.h"
#include "notes/note_files.h"
#include "platform/user_services_win.h"
#include "resources/resource_ids.h"
#include "search/search_results.h"
#include "shell/app_state.h"
#include "shell/command_state_win.h"
#include "shell/guarded_procedure_win.h"
#include "shell/help_win.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "shell/view_commands_win.h"
#include "store/reference_dialogs_win.h"
#include "store/reference_parser.h"
#include "store/verse_address.h"
#include "verselist/verse_list_window_win.h"

namespace kv {
namespace {

// What "OK" of Go to Note for Verse reads from its edit box.
constexpr int kGotoNoteTextLimit = 98;

// The notes display and the editor hold a whole note buffer.
constexpr LPARAM kDisplayTextLimit = static_cast<LPARAM>(kNoteBufferSize);

// The panes that paint a selection of their own drop it when the display
// takes the selection.
void RepaintFormerOwner(int owner) {
  if (owner == kPassageOwner) InvalidateRect(Windows().passage, nullptr, TRUE);
  if (owner == kVerseListOwner) InvalidateRect(Windows().verse_list, nullptr, TRUE);
}

void Display_OnSelectionChange(const SELCHANGE& change) {
  int& owner = App().selection.owner;
  if (change.chrg.cpMin == change.chrg.cpMax) {
    // Setting a new note moves the caret too; a selection elsewhere stays.
    if (owner != kNotesDisplayOwner) return;
    owner = kNoSelectionOwner;
    EnableCommand(CMD_COPY, false);
  } else {
    const int former = owner;
    owner = kNotesDisplayOwner;
    EnableCommand(CMD_COPY, true);
    RepaintFormerOwner(former);
  }
}

void Display_OnFocus() {
  int& owner = App().selection.owner;
  if (owner == kNotesDisplayOwner) return;
  const int former = owner;
  owner = kNoSelectionOwner;
  EnableCommand(CMD_COPY, false);
  RepaintFormerOwner(former);
}

LRESULT NotesWindow_OnNotify(HWND hwnd, int id, NMHDR* header) {
  if (id == ID_NOTES_DISPLAY && header->code == EN_SELCHANGE)
    Display_OnSelectionChange(*reinterpret_cast<SELCHANGE*>(header));
  return DefWindowProcA(hwnd, WM_NOTIFY, id, reinterpret_cast<LPARAM>(header));
}

void NotesWindow_OnCommand(HWND, int id, HWND, UINT code) {
  if (id == ID_NOTES_DISPLAY && code == EN_SETFOCUS) Display_OnFocus();
}

// The display is made by the main window; its text limit is raised here, as
// soon as it exists, so that a note of any size the store holds is shown whole.
void NotesWindow_OnParentNotify(HWND, UINT event, HWND child, int) {
  if (event == WM_CREATE && GetDlgCtrlID(child) == ID_NOTES_DISPLAY)
    SendMessageA(child, EM_EXLIMITTEXT, 0, kDisplayTextLimit);
}

void NotesWindow_OnSize(HWND hwnd, UINT, int width, int height) {
  if (HWND display = GetDlgItem(hwnd, ID_NOTES_DISPLAY)) MoveWindow(display, 0, 0, width, height, TRUE);
}

// The context menu of the display, at `screen` (screen coordinates).
void ShowDisplayMenu(HWND display, POINT screen) {
  const AppState& app = App();
  const bool selected = app.selection.owner == kNotesDisplayOwner;
  const bool list = app.search.result_count != 0;
  const struct {
    int command;  // 0: separator
    const char* text;
    bool enabled;
  } items[] = {
      {CMD_COPY, "Copy Selected Text\tCtrl+C", selected},
      {0, nullptr, true},
      {CMD_EDIT_NOTE, "Edit This Note\tAlt+E", true},
      {0, nullptr, true},
      {CMD_PREVIOUS_NOTE, "Previous Note\tAlt+Up", true},
      {CMD_NEXT_NOTE, "Next Note\tAlt+Down", true},
      {CMD_PREVIOUS_NOTE_SET, "Previous Note Set\tAlt+Left", true},
      {CMD_NEXT_NOTE_SET, "Next Note Set\tAlt+Right", true},
      {0, nullptr, true},
      {CMD_NOTE_FOR_VERSE_LIST, "Go to Note for Verse in Verse List\tF9", list},
      {CMD_NOTE_FOR_PASSAGE, "Go to Note for Verse in Passage\tF10", true},
      {CMD_GOTO_NOTE, "Go to Note for Verse...\tAlt+N", true},
      {CMD_VERSE_FOR_NOTE, "Read Verse for this Note\tF11", true},
      {0, nullptr, true},
      {CMD_BIND_NOTES, "Bind Notes to Passage Window", true},
      {0, nullptr, true},
      {CMD_WORD_SEARCH_SELECTED, "Word Search with Selected Text...", selected},
      {CMD_PHRASE_SEARCH_SELECTED, "Phrase Search with Selected Text...", selected},
      {CMD_SEARCH_NOTES_SELECTED, "Search Notes with Selected Text...", selected},
  };
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  for (const auto& item : items) {
    if (item.command == 0) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED);
    if (item.command == CMD_BIND_NOTES && app.notes.BindNotes) flags |= MF_CHECKED;
    AppendMenuA(menu, flags, static_cast<UINT_PTR>(item.command), item.text);
  }
  HWND main = Windows().main;
  SetForegroundWindow(main);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, main, nullptr);
  DestroyMenu(menu);
  (void)display;
}

void Display_OnRightButtonDown(HWND display, LPARAM where) {
  if (GetFocus() != display) SetFocus(display);
  POINT point = {GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  ClientToScreen(display, &point);
  ShowDisplayMenu(display, point);
}

// The display's text from its start up to `position`, as the display itself
// gives it.
std::string DisplayTextBefore(HWND display, LONG position) {
  std::vector<char> text(static_cast<std::size_t>(position) + 1, '\0');
  TEXTRANGEA range = {};
  range.chrg.cpMin = 0;
  range.chrg.cpMax = position;
  range.lpstrText = text.data();
  const LRESULT copied = SendMessageA(display, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
  return std::string(text.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

void FillReferenceListBox(const SearchState& search) {
  HWND list = Windows().reference_list;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < search.reference_count; ++i)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(search.reference_list[i]));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

// Go to Note for Verse.
BOOL GotoNote_OnInitDialog(HWND dialog, HWND, LPARAM) {
  const AppState& app = App();
  CenterDialog(dialog, Windows().main);
  SendDlgItemMessageA(dialog, IDC_GOTO_NOTE_REFERENCE, EM_LIMITTEXT, kGotoNoteTextLimit, 0);
  SetDlgItemTextA(dialog, IDC_GOTO_NOTE_REFERENCE, ShortReference(app.store.bible, app.notes.current_verse).c_str());
  return TRUE;
}

void GotoNote_OnOk(HWND dialog) {
  char text[kGotoNoteTextLimit + 2] = {};
  GetDlgItemTextA(dialog, IDC_GOTO_NOTE_REFERENCE, text, kGotoNoteTextLimit + 1);
  if (text[0] == '\0') {
    EndDialog(dialog, IDCANCEL);
    return;
  }
  AppState& app = App();
  VerseIndex verse = kNoVerse;
  if (!ParseReference(app.store.bible, text, &verse)) {
    MessageBoxServices(dialog).Tell("Error", kUnrecognizedReference, MessageIcon::Error);
    return;
  }
  EndDialog(dialog, IDOK);
  ShowNote(app.notes, ShellNotesPorts(), verse);
}

void GotoNote_OnCommand(HWND dialog, int id, HWND, UINT) {
  switch (id) {
    case IDOK: GotoNote_OnOk(dialog); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    case IDC_HELP_BUTTON: ShowHelpTopic(Windows().main, "ID_Notes_GotoVerse"); break;
  }
}

INT_PTR CALLBACK GotoNoteProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return HANDLE_WM_INITDIALOG(dialog, wParam, lParam, GotoNote_OnInitDialog);
    case WM_COMMAND:
      HANDLE_WM_COMMAND(dialog, wParam, lParam, GotoNote_OnCommand);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

LRESULT CALLBACK NotesWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
      return NotesWindow_OnNotify(hwnd, static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
    HANDLE_MSG(hwnd, WM_COMMAND, NotesWindow_OnCommand);
    HANDLE_MSG(hwnd, WM_PARENTNOTIFY, NotesWindow_OnParentNotify);
    HANDLE_MSG(hwnd, WM_SIZE, NotesWindow_OnSize);
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RunGotoNoteDialog(HWND owner) {
  DialogBoxParamA(Windows().instance, IDD_GOTO_NOTE, owner, GuardedDialogProc<GotoNoteProc>, 0);
}

}  // namespace kv

namespace kv {

WNDPROC g_notes_display_previous = nullptr;

void FollowCrossReferences() {
  AppState& app = App();
  HWND display = Windows().notes_display;
  EnsurePaneVisible(CMD_VIEW_VERSE_LIST);
  CHARRANGE selection = {};
  SendMessageA(display, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  const std::size_t length = std::char_traits<char>::length(app.notes.buffer.data());
  const std::string_view note(app.notes.buffer.data(), length);
  const std::size_t start = StoredNoteOffset(note, DisplayTextBefore(display, selection.cpMin));
  CrossReferenceList found;
  if (!CollectCrossReferences(app.store.bible, note.data(), note.size(), start, app.notes.current_verse, &found))
    return;

  SearchState& search = app.search;
  const std::size_t count = found.verses.size() < kMaxCrossReferences ? found.verses.size() : kMaxCrossReferences;
  for (std::size_t i = 0; i < count; ++i) {
    search.verse_list[i] = found.verses[i];
    FormatReferenceLine(app.store.bible, found.verses[i], search.reference_list[i]);
  }
  search.verse_list[count] = kNoVerse;
  search.result_count = static_cast<std::int32_t>(count);
  search.reference_count = static_cast<std::int32_t>(count);
  if (app.selection.owner == kVerseListOwner) app.selection.owner = kNoSelectionOwner;
  ShowNewVerseList(search.result_count);
  SendMessageA(Windows().status, SB_SETTEXTA, STATUS_PART_SEARCH, reinterpret_cast<LPARAM>(found.status.c_str()));
  for (int command : {CMD_PRINT_VERSE_LIST, CMD_CONTEXT, CMD_NOTE_FOR_VERSE_LIST, CMD_COPY_VERSE_REFERENCES,
                      CMD_COPY_VERSE_LIST})
    EnableCommand(command, true);
  // Save Verse List follows what the list holds.
  EnableCommand(CMD_SAVE_VERSE_LIST, count != 0);
  FillReferenceListBox(search);
}

LRESULT CALLBACK NotesDisplayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_RBUTTONDOWN:
      Display_OnRightButtonDown(hwnd, lParam);
      return 0;
    case WM_LBUTTONDBLCLK: {
      // The control selects the word first; the line is read from there.
      LRESULT result = PassKeepingLineBreaksWhole(g_notes_display_previous, hwnd, message, wParam, lParam);
      FollowCrossReferences();
      return result;
    }
  }
  return PassKeepingLineBreaksWhole(g_notes_display_previous, hwnd, message, wParam, lParam);
}

}  // namespace kv
