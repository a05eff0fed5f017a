// The note editor frame (class NOTEEDIT): its caption and buttons, the
// editing cycle with the commands it greys and enables, the rich-edit
// editor's selection and focus, the frame's place in the clipboard viewer
// chain, and the question asked before an edited note would be lost.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include <cstdio>
#include <string>

#include "notes/note_files.h"
#include "notes/notes_window_win.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/command_state_win.h"
#include "shell/help_win.h"
#include "shell/main_window_win.h"
#include "shell/notes_view_win.h"
#include "shell/paint_scope_win.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "store/verse_address.h"

namespace kv {
namespace {

constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 21;
constexpr int kCaptionX = 2;
constexpr int kCaptionY = 3;

const char* const kTooLongCaption = "Save Error";
const char* const kTooLongText =
    "This note is too long to be saved: a note can hold at most 65533 characters.\n"
    "Nothing was saved; the note is still open for editing.";
const char* const kUnsavedCaption = "Edit Note";
const char* const kUnsavedText = "The note for %s has been changed.\n\nDo you want to save it before closing?";

// Greyed while the editor is open, so that the note and the set cannot
// change under it; enabled again when it closes.
constexpr int kEditingGreyed[] = {
    CMD_CREATE_NOTE_SET, CMD_DELETE_NOTE_SET, CMD_RENAME_NOTE_SET, CMD_FONT_NOTES,
    CMD_PREVIOUS_NOTE,   CMD_NEXT_NOTE,       CMD_PREVIOUS_NOTE_SET, CMD_NEXT_NOTE_SET,
    CMD_GOTO_NOTE,       CMD_NOTE_FOR_PASSAGE, CMD_NOTE_FOR_VERSE_LIST, CMD_EDIT_NOTE,
    CMD_SEARCH_NOTES,
};

// The frame's successor in the clipboard viewer chain.
HWND g_next_viewer = nullptr;
// The text the editor was opened with: a close asks only when it changed.
std::string g_opened_text;

HWND Editor() { return Windows().note_editor; }

void SetButton(int command, bool enabled) { EnableCommand(command, enabled); }

bool EditorCanPaste() {
  return GetFocus() == Editor() && SendMessageA(Editor(), EM_CANPASTE, 0, 0) != 0;
}

std::string EditorText() {
  const LRESULT length = SendMessageA(Editor(), WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  const int copied = GetWindowTextA(Editor(), text.data(), static_cast<int>(text.size()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void Frame_LayOut(HWND hwnd, int width, int height);

void OpenEditor() {
  AppState& app = App();
  for (int command : kEditingGreyed) EnableCommand(command, false);
  // The editor gets its size before its text: a long note laid out at no
  // width at all costs the control a line per character.
  Relayout();
  RECT client;
  GetClientRect(Windows().note_editor_frame, &client);
  Frame_LayOut(Windows().note_editor_frame, client.right, client.bottom);
  // "No note." is what the display shows for no note; it is never edited.
  g_opened_text = HasNote(app.notes, app.notes.current_verse) ? app.notes.buffer.data() : "";
  SetWindowTextA(Editor(), g_opened_text.c_str());
  SendMessageA(Editor(), EM_SETSEL, 0, 0);
  SetFocus(Editor());
}

void CloseEditor() {
  AppState& app = App();
  for (int command : kEditingGreyed)
    if (command != CMD_NOTE_FOR_VERSE_LIST) EnableCommand(command, true);
  EnableCommand(CMD_NOTE_FOR_VERSE_LIST, app.search.result_count != 0);
  SetWindowTextA(Editor(), "");
  g_opened_text.clear();
  app.shell.note_editor_open = false;
  ShowWindow(Windows().note_editor_frame, SW_HIDE);
  Relayout();
  // The display shows the stored note again, whatever became of the edit.
  ShowNote(app.notes, ShellNotesPorts(), app.notes.current_verse);
  if (IsWindowVisible(Windows().notes_display)) SetFocus(Windows().notes_display);
}

// Saves the editor's text as the note. A text longer than a note can hold is
// refused whole, before anything is written.
SaveResult SaveEditedNote() {
  AppState& app = App();
  const LRESULT length = SendMessageA(Editor(), WM_GETTEXTLENGTH, 0, 0);
  if (length > static_cast<LRESULT>(kMaxNoteChars)) {
    ShellMessages().Tell(kTooLongCaption, kTooLongText, MessageIcon::Error);
    return SaveResult::NotSaved;
  }
  return SaveNote(app.notes, ShellNotesPorts(), EditorText());
}

bool SaveWentThrough(SaveResult result) { return result == SaveResult::Saved || result == SaveResult::Unfinished; }

// Closes after a save as the Save button does: a save that went through or
// could not be written ends the editing, a refused or cancelled one keeps it.
void SaveAndClose() {
  const SaveResult result = SaveEditedNote();
  if (result == SaveResult::Cancelled || result == SaveResult::NotSaved) return;
  CloseEditor();
}

void Editor_OnSelectionChange(const SELCHANGE& change) {
  int& owner = App().selection.owner;
  if (change.chrg.cpMin == change.chrg.cpMax) {
    if (owner != kNoteEditorOwner) return;
    owner = kNoSelectionOwner;
    SetButton(CMD_CUT, false);
    SetButton(CMD_COPY, false);
  } else {
    const int former = owner;
    owner = kNoteEditorOwner;
    SetButton(CMD_CUT, true);
    SetButton(CMD_COPY, true);
    if (former == kPassageOwner) InvalidateRect(Windows().passage, nullptr, TRUE);
    if (former == kVerseListOwner) InvalidateRect(Windows().verse_list, nullptr, TRUE);
  }
}

void Editor_OnSetFocus() {
  SetButton(CMD_PASTE, EditorCanPaste());
  int& owner = App().selection.owner;
  if (owner == kNoteEditorOwner) return;
  const int former = owner;
  owner = kNoSelectionOwner;
  SetButton(CMD_CUT, false);
  SetButton(CMD_COPY, false);
  if (former == kPassageOwner) InvalidateRect(Windows().passage, nullptr, TRUE);
  if (former == kVerseListOwner) InvalidateRect(Windows().verse_list, nullptr, TRUE);
}

void Editor_OnKillFocus() {
  SetButton(CMD_PASTE, false);
  int& owner = App().selection.owner;
  if (owner != kNoteEditorOwner) return;
  owner = kNoSelectionOwner;
  SetButton(CMD_CUT, false);
  SetButton(CMD_COPY, false);
}

BOOL Frame_OnCreate(HWND hwnd, LPCREATESTRUCT) {
  g_next_viewer = SetClipboardViewer(hwnd);
  return TRUE;
}

void Frame_OnDestroy(HWND hwnd) {
  ChangeClipboardChain(hwnd, g_next_viewer);
  g_next_viewer = nullptr;
  g_opened_text.clear();
}

void Frame_OnDrawClipboard(HWND) {
  if (g_next_viewer) SendMessageA(g_next_viewer, WM_DRAWCLIPBOARD, 0, 0);
  SetButton(CMD_PASTE, EditorCanPaste());
}

void Frame_OnChangeClipboardChain(HWND, HWND removed, HWND next) {
  if (removed == g_next_viewer) g_next_viewer = next;
  else if (g_next_viewer) SendMessageA(g_next_viewer, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed),
                                       reinterpret_cast<LPARAM>(next));
}

// The buttons and the editor are made by the main window; as each arrives
// it gets what a whole note and a readable button need.
void Frame_OnParentNotify(HWND, UINT event, HWND child, int) {
  if (event != WM_CREATE) return;
  if (GetDlgCtrlID(child) == ID_NOTE_EDITOR)
    SendMessageA(child, EM_EXLIMITTEXT, 0, static_cast<LPARAM>(kMaxNoteChars));
  else
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void Frame_LayOut(HWND hwnd, int width, int height) {
  const int ids[] = {ID_NOTE_SAVE, ID_NOTE_CANCEL, ID_NOTE_HELP};
  for (int i = 0; i < 3; ++i)
    MoveWindow(GetDlgItem(hwnd, ids[i]), width - kButtonWidth * (3 - i), 0, kButtonWidth, kButtonHeight, TRUE);
  MoveWindow(Editor(), 0, kButtonHeight, width, height > kButtonHeight ? height - kButtonHeight : 0, TRUE);
}

void Frame_OnPaint(HWND hwnd) {
  PaintScope paint(hwnd);
  HDC dc = paint.dc();
  RECT client;
  GetClientRect(hwnd, &client);
  Frame_LayOut(hwnd, client.right, client.bottom);
  const AppState& app = App();
  const VerseIndex verse = app.notes.current_verse;
  if (app.store.bible.loaded && verse >= 0 && verse <= kLastVerse) {
    const std::string set = DisplayNameOf(app.notes.current().data_file);
    char reference[64];
    FormatFullReference(app.store.bible, verse, reference, sizeof reference);
    char caption[256];
    std::snprintf(caption, sizeof caption, "Editing note \"%s\" for %s", set.c_str(), reference);
    HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TextOutA(dc, kCaptionX, kCaptionY, caption, static_cast<int>(std::char_traits<char>::length(caption)));
    SelectObject(dc, font);
  }
}

void Frame_OnCommand(HWND, int id, HWND, UINT code) {
  switch (id) {
    case CMD_EDIT_NOTE: OpenEditor(); break;
    // A click that reaches a button after the editor closed (the second half
    // of a double click) would save the emptied editor over the note.
    case ID_NOTE_SAVE:
      if (code == BN_CLICKED && App().shell.note_editor_open) SaveAndClose();
      break;
    case ID_NOTE_CANCEL:
      if (code == BN_CLICKED && App().shell.note_editor_open) CloseEditor();
      break;
    case ID_NOTE_HELP:
      if (code == BN_CLICKED) ShowHelpTopic(Windows().main, "ID_Notes_Edit");
      break;
    case ID_NOTE_EDITOR:
      if (code == EN_SETFOCUS) Editor_OnSetFocus();
      else if (code == EN_KILLFOCUS) Editor_OnKillFocus();
      break;
  }
}

// True when `position` falls between a CR and the LF after it.
bool InsideLineBreak(HWND control, LONG position) {
  if (position <= 0) return false;
  char pair[3] = {};
  TEXTRANGEA range = {{position - 1, position + 1}, pair};
  return SendMessageA(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)) == 2 && pair[0] == '\r' &&
         pair[1] == '\n';
}

LRESULT Frame_OnNotify(HWND hwnd, int id, NMHDR* header) {
  if (id == ID_NOTE_EDITOR && header->code == EN_SELCHANGE)
    Editor_OnSelectionChange(*reinterpret_cast<SELCHANGE*>(header));
  return DefWindowProcA(hwnd, WM_NOTIFY, id, reinterpret_cast<LPARAM>(header));
}

}  // namespace

LRESULT CALLBACK NoteEditorFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(hwnd, WM_CREATE, Frame_OnCreate);
    HANDLE_MSG(hwnd, WM_DESTROY, Frame_OnDestroy);
    HANDLE_MSG(hwnd, WM_DRAWCLIPBOARD, Frame_OnDrawClipboard);
    HANDLE_MSG(hwnd, WM_CHANGECBCHAIN, Frame_OnChangeClipboardChain);
    HANDLE_MSG(hwnd, WM_PARENTNOTIFY, Frame_OnParentNotify);
    HANDLE_MSG(hwnd, WM_PAINT, Frame_OnPaint);
    HANDLE_MSG(hwnd, WM_COMMAND, Frame_OnCommand);
    case WM_NOTIFY:
      return Frame_OnNotify(hwnd, static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT PassKeepingLineBreaksWhole(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcA(previous, hwnd, message, wParam, lParam);
  const bool arrow = message == WM_KEYDOWN && (wParam == VK_LEFT || wParam == VK_RIGHT);
  const bool moves = message == WM_KEYDOWN || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
                     message == WM_LBUTTONDBLCLK || (message == WM_MOUSEMOVE && (wParam & MK_LBUTTON));
  if (!moves) return result;
  CHARRANGE selection = {};
  SendMessageA(hwnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  // Past the end is the last line's line break, which the text does not
  // show: the selection ends at the end.
  const LONG length = static_cast<LONG>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
  if (selection.cpMax > length) {
    CHARRANGE inside = {selection.cpMin < length ? selection.cpMin : length, length};
    SendMessageA(hwnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&inside));
  } else if (arrow && (InsideLineBreak(hwnd, selection.cpMin) || InsideLineBreak(hwnd, selection.cpMax))) {
    // Only the end the key moved can be inside: the other was outside before.
    CallWindowProcA(previous, hwnd, message, wParam, lParam);
  }
  return result;
}

WNDPROC g_note_editor_previous = nullptr;

LRESULT CALLBACK NoteEditorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return PassKeepingLineBreaksWhole(g_note_editor_previous, hwnd, message, wParam, lParam);
}

bool ConfirmNoteEditorClose(HWND owner) {
  AppState& app = App();
  if (!app.shell.note_editor_open) return true;
  if (EditorText() == g_opened_text) return true;
  char text[256];
  std::snprintf(text, sizeof text, kUnsavedText, FullReference(app.store.bible, app.notes.current_verse).c_str());
  switch (MessageBoxA(owner, text, kUnsavedCaption, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: {
      const SaveResult result = SaveEditedNote();
      if (!SaveWentThrough(result)) return false;
      CloseEditor();
      return true;
    }
    case IDNO:
      CloseEditor();
      return true;
    default:
      return false;
  }
}

}  // namespace kv
