#include "shell/command_dispatch_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstring>
#include <string>

#include "notes/note_search_dialog_win.h"
#include "notes/note_set_dialogs_win.h"
#include "notes/note_sets.h"
#include "notes/note_stepping.h"
#include "notes/notes_window_win.h"
#include "output/list_output.h"
#include "output/output_dialogs_win.h"
#include "output/save_range.h"
#include "passage/passage_window_win.h"
#include "resources/resource_ids.h"
#include "search/search_dialogs_win.h"
#include "shell/app_state.h"
#include "shell/command_table.h"
#include "shell/display_options_win.h"
#include "shell/help_win.h"
#include "shell/main_window_win.h"
#include "shell/navigation.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "store/reference_dialogs_win.h"
#include "store/verse_address.h"
#include "verselist/verse_list_window_win.h"

namespace kv {
namespace {

AppState& app() { return App(); }
HWND Main() { return Windows().main; }

bool HasToolbarButton(int command) {
  return Windows().toolbar && SendMessageA(Windows().toolbar, TB_COMMANDTOINDEX, command, 0) >= 0;
}

void SetButtonState(int command, unsigned char state) {
  if (HasToolbarButton(command)) SendMessageA(Windows().toolbar, TB_SETSTATE, command, MAKELONG(state, 0));
}

// The About box: the icon, "Kelvane95 v3.1" and OK.
INT_PTR CALLBACK AboutProc(HWND hwndDlg, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CenterDialog(hwndDlg, Main());
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(hwndDlg, LOWORD(wParam));
        return TRUE;
      }
      break;
  }
  return FALSE;
}

void ShowAbout() { DialogBoxParamA(Windows().instance, IDD_ABOUT, Main(), AboutProc, 0); }

void GotoVerse() {
  VerseIndex verse = kNoVerse;
  if (RunGotoVerseDialog(Main(), app().store.bible, app().passage.CurrentVerse, &verse)) SetCurrentVerse(verse);
  EnsurePaneVisible(CMD_VIEW_PASSAGE);
  SetFocus(Windows().passage);
}

void MovePassage(VerseIndex (*step)(const BibleData&, VerseIndex)) {
  EnsurePaneVisible(CMD_VIEW_PASSAGE);
  SetCurrentVerse(step(app().store.bible, app().passage.CurrentVerse));
}

void ShowTodaysProverb() {
  EnsurePaneVisible(CMD_VIEW_PASSAGE);
  Calendar& calendar = app().shell.calendar ? *app().shell.calendar : SystemCalendar();
  SetCurrentVerse(TodaysProverb(app().store.bible, calendar));
}

void SetBookmarkCommand(int n) {
  SetBookmark(&app().shell.Bookmarks, n, PassageCurrentVerse());
  WriteBookmarkItem(n);
}

void ShowNoteOf(VerseIndex verse) { ShowNote(app().notes, ShellNotesPorts(), verse); }

void StepNoteCommand(int direction) {
  EnsurePaneVisible(CMD_VIEW_NOTES);
  StepNote(app().notes, ShellNotesPorts(), direction);
}

void StepNoteSetCommand(int direction) {
  EnsurePaneVisible(CMD_VIEW_NOTES);
  StepNoteSet(app().notes, ShellNotesPorts(), direction);
  InvalidateRect(Windows().verse_list, nullptr, TRUE);
  InvalidateRect(Windows().passage, nullptr, TRUE);
}

void ShowContext() {
  ShowSelectedResult();
  EnsurePaneVisible(CMD_VIEW_PASSAGE);
}

void EditCurrentNote() {
  EnsurePaneVisible(CMD_VIEW_NOTES);
  app().shell.note_editor_open = true;
  SendMessageA(Windows().note_editor_frame, WM_COMMAND, CMD_EDIT_NOTE, 0);
  Relayout();
}

void BindNotes() {
  NotesSettings& s = app().notes;
  if (s.BindNotes == 0) {
    s.BindNotes = 1;
    CheckCommand(CMD_BIND_NOTES, true);
    SendMessageA(Main(), WM_COMMAND, CMD_NOTE_FOR_PASSAGE, 0);
  } else {
    s.BindNotes = 0;
    CheckCommand(CMD_BIND_NOTES, false);
  }
}

// After a dialog of the notes: the notes pane shown, the display focused.
void AfterNotesDialog() {
  EnsurePaneVisible(CMD_VIEW_NOTES);
  SetFocus(Windows().notes_display);
}

void CopyVerseListCommand() {
  if (app().search.result_count == 0) return;
  WithWaitCursor([] {
    CopyVerseList(app().store.bible, app().search.verse_list, ShellClipboard(), ShellMessages());
  });
}

void SaveVerseListCommand() {
  if (app().search.result_count == 0) return;
  std::string file_name;
  if (!ChooseVerseListFile(Main(), &file_name)) return;
  WithWaitCursor([&] {
    SaveVerseListToFile(app().store.bible, app().search.verse_list, SystemFiles(), file_name, ShellMessages());
  });
}

void CopyReferenceListCommand() {
  WithWaitCursor([] {
    CopyReferenceList(app().store.bible, app().search.verse_list, ShellClipboard(), ShellMessages());
  });
}

void PageSetup() {
  PAGESETUPDLGA& setup = Windows().page_setup;
  setup.hwndOwner = Main();
  // Margins in thousandths of an inch whatever the locale's unit, as
  // printing reads them.
  setup.Flags = PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES;
  PageSetupDlgA(&setup);
}

void Cut() {
  if (app().selection.owner != kNoteEditorOwner) return;
  SendMessageA(Windows().note_editor, WM_CUT, 0, 0);
  SetButtonState(CMD_PASTE, kButtonEnabled);
}

void Copy() {
  switch (app().selection.owner) {
    case kVerseListOwner:
      SendMessageA(Windows().verse_list, WM_COMMAND, CMD_COPY, 0);
      break;
    case kPassageOwner:
      SendMessageA(Windows().passage, WM_COMMAND, CMD_COPY, 0);
      break;
    case kNotesDisplayOwner:
      SendMessageA(Windows().notes_display, WM_COPY, 0, 0);
      break;
    case kNoteEditorOwner:
      SendMessageA(Windows().note_editor, WM_COPY, 0, 0);
      SetButtonState(CMD_PASTE, kButtonEnabled);
      break;
  }
}

void ToggleView(int command, std::int32_t* flag) {
  *flag = *flag ? 0 : 1;
  CheckViewCommand(command, *flag != 0);
  Relayout();
}

void ToggleToolbar() {
  std::int32_t& flag = app().shell.ToolBar;
  flag = flag ? 0 : 1;
  CheckCommand(CMD_VIEW_TOOLBAR, flag != 0);
  ShowWindow(Windows().toolbar, SW_SHOW);
  Relayout();
}

void FocusVerseList() {
  EnsurePaneVisible(CMD_VIEW_VERSE_LIST);
  SetFocus(app().shell.verse_list_tab_index == 0 ? Windows().verse_list : Windows().reference_list);
}

void FocusPassage() {
  SetFocus(Windows().passage);
  EnsurePaneVisible(CMD_VIEW_PASSAGE);
}

// Shift+F10: the focused window's context menu at its top left corner.
void OpenContextMenu() {
  if (HWND focus = GetFocus()) SendMessageA(focus, WM_RBUTTONDOWN, 0, MAKELPARAM(1, 1));
}

// 188 to 190: the notes display's selection (as far as `limit` characters)
// becomes the search text, then the search runs.
void SearchWithNoteSelection(char* prefill, std::size_t limit, int search_command) {
  DWORD start = 0, end = 0;
  SendMessageA(Windows().notes_display, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  const std::vector<char>& buffer = app().notes.buffer;
  std::size_t length = end > start ? end - start : 0;
  if (length > limit) length = limit;
  // The selection never reaches past the note shown, but the buffer's end is
  // the hard limit all the same.
  if (start >= buffer.size()) length = 0;
  else if (length > buffer.size() - start) length = buffer.size() - start;
  if (length) std::memcpy(prefill, buffer.data() + start, length);
  prefill[length] = '\0';
  SendMessageA(Main(), WM_COMMAND, search_command, 0);
}

void DispatchSingle(int command) {
  AppState& a = app();
  switch (command) {
    // File
    case CMD_SAVE_RANGE: RunSaveRangeDialog(Main()); break;
    case CMD_SAVE_VERSE_LIST: SaveVerseListCommand(); break;
    case CMD_PAGE_SETUP: PageSetup(); break;
    case CMD_PRINT_RANGE: RunPrintRangeDialog(Main()); break;
    case CMD_PRINT_VERSE_LIST: PrintVerseList(Main()); break;
    case CMD_EXIT: SendMessageA(Main(), WM_CLOSE, 0, 0); break;
    // Edit
    case CMD_CUT: Cut(); break;
    case CMD_COPY: Copy(); break;
    case CMD_PASTE: SendMessageA(Windows().note_editor, WM_PASTE, 0, 0); break;
    case CMD_COPY_VERSE: RunCopyVerseDialog(Main()); break;
    case CMD_COPY_RANGE: RunCopyRangeDialog(Main()); break;
    case CMD_COPY_VERSE_LIST: CopyVerseListCommand(); break;
    case CMD_COPY_VERSE_REFERENCES: CopyReferenceListCommand(); break;
    case CMD_FORMAT: RunFormatDialog(Main()); break;
    // Search
    case CMD_WORD_SEARCH: RunWordSearchDialog(Main()); break;
    case CMD_PHRASE_SEARCH: RunPhraseSearchDialog(Main()); break;
    case CMD_WORD_LIST_SEARCH: RunWordListSearchDialog(Main()); break;
    case CMD_SET_RANGE: SetSearchRange(Main()); break;
    case CMD_SEARCH_NOTES: RunSearchNotesDialog(Main()); break;
    // Read
    case CMD_CONTEXT: ShowContext(); break;
    case CMD_VERSE_FOR_NOTE:
      SetCurrentVerse(a.notes.current_verse);
      EnsurePaneVisible(CMD_VIEW_PASSAGE);
      break;
    case CMD_GOTO_VERSE: GotoVerse(); break;
    case CMD_PREVIOUS_CHAPTER: MovePassage(PreviousChapter); break;
    case CMD_NEXT_CHAPTER: MovePassage(NextChapter); break;
    case CMD_PREVIOUS_BOOK: MovePassage(PreviousBook); break;
    case CMD_NEXT_BOOK: MovePassage(NextBook); break;
    case CMD_TODAYS_PROVERB: ShowTodaysProverb(); break;
    // Notes
    case CMD_GOTO_NOTE:
      RunGotoNoteDialog(Main());
      AfterNotesDialog();
      break;
    case CMD_PREVIOUS_NOTE: StepNoteCommand(-1); break;
    case CMD_NEXT_NOTE: StepNoteCommand(+1); break;
    case CMD_PREVIOUS_NOTE_SET: StepNoteSetCommand(-1); break;
    case CMD_NEXT_NOTE_SET: StepNoteSetCommand(+1); break;
    case CMD_NOTE_FOR_VERSE_LIST:
      EnsurePaneVisible(CMD_VIEW_NOTES);
      if (a.search.result_count != 0) ShowNoteOf(ListCurrentVerse());
      break;
    case CMD_NOTE_FOR_PASSAGE:
      EnsurePaneVisible(CMD_VIEW_NOTES);
      ShowNoteOf(PassageCurrentVerse());
      break;
    case CMD_EDIT_NOTE: EditCurrentNote(); break;
    case CMD_BIND_NOTES: BindNotes(); break;
    case CMD_CREATE_NOTE_SET:
      RunCreateNoteSetDialog(Main());
      AfterNotesDialog();
      break;
    case CMD_RENAME_NOTE_SET:
      RunRenameNoteSetDialog(Main());
      AfterNotesDialog();
      break;
    case CMD_DELETE_NOTE_SET:
      if (DeleteCurrentNoteSet(a.notes, ShellNotesPorts())) {
        InvalidateRect(Windows().verse_list, nullptr, TRUE);
        InvalidateRect(Windows().passage, nullptr, TRUE);
      }
      break;
    // Options
    case CMD_PARAGRAPH_FORMAT: ToggleParagraphFormat(); break;
    case CMD_ITALICS_ITALIC:
    case CMD_ITALICS_BRACKETS:
    case CMD_ITALICS_NORMAL: SetItalicsMode(command - CMD_ITALICS_ITALIC); break;
    case CMD_FONT_VERSE_LIST: ChooseVerseListFont(); break;
    case CMD_FONT_PASSAGE: ChoosePassageFont(); break;
    case CMD_FONT_NOTES: ChooseNotesFont(); break;
    case CMD_KEY_HIGHLIGHT_COLOR: ChooseKeyHighlightColor(); break;
    // View
    case CMD_VIEW_VERSE_LIST: ToggleView(command, &a.shell.VerseListWindow); break;
    case CMD_VIEW_PASSAGE: ToggleView(command, &a.shell.ReadWindow); break;
    case CMD_VIEW_NOTES: ToggleView(command, &a.shell.NotesWindow); break;
    case CMD_VIEW_TOOLBAR: ToggleToolbar(); break;
    // Help
    case CMD_HELP_TOPICS: CallHelp(Main(), HELP_CONTENTS); break;
    case CMD_HELP_RANGE: ShowHelpTopic(Main(), "ID_SpecifyRange"); break;
    case CMD_HELP_PREFACE: ShowHelpTopic(Main(), "ID_Preface"); break;
    case CMD_ABOUT: ShowAbout(); break;
    // Keys and context menus without a menu item
    case CMD_FOCUS_VERSE_LIST: FocusVerseList(); break;
    case CMD_FOCUS_PASSAGE: FocusPassage(); break;
    case CMD_CONTEXT_MENU: OpenContextMenu(); break;
    case CMD_WORD_SEARCH_SELECTED:
      SearchWithNoteSelection(a.search.search_text_prefill, kSearchTextSize - 1, CMD_WORD_SEARCH);
      break;
    case CMD_PHRASE_SEARCH_SELECTED:
      SearchWithNoteSelection(a.search.search_text_prefill, kSearchTextSize - 1, CMD_PHRASE_SEARCH);
      break;
    case CMD_SEARCH_NOTES_SELECTED:
      SearchWithNoteSelection(a.shell.note_search_prefill, kNoteSearchTextSize - 1, CMD_SEARCH_NOTES);
      break;
    // 187 is the verse list window's own; the rest of the range is unused.
  }
}

}  // namespace

void EnableCommand(int command, bool enabled) {
  EnableMenuItem(Windows().menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  SetButtonState(command, enabled ? kButtonEnabled : kButtonIndeterminate);
}

void CheckCommand(int command, bool checked) {
  CheckMenuItem(Windows().menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void CheckViewCommand(int command, bool checked) {
  CheckCommand(command, checked);
  SetButtonState(command, checked ? kButtonChecked : kButtonEnabled);
}

void EnsurePaneVisible(int view_command) {
  if (!(GetMenuState(Windows().menu, view_command, MF_BYCOMMAND) & MF_CHECKED))
    SendMessageA(Main(), WM_COMMAND, view_command, 0);
}

void WithWaitCursor(const std::function<void()>& operation) {
  SetCapture(Main());
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  operation();
  SetCursor(previous);
  ReleaseCapture();
}

void WriteBookmarkItem(int n) {
  const std::string text = BookmarkMenuText(app().store.bible, app().shell.Bookmarks, n);
  const UINT command = static_cast<UINT>(CMD_GOTO_BOOKMARK_FIRST + n - 1);
  ModifyMenuA(Windows().menu, command, MF_BYCOMMAND | MF_STRING, command, text.c_str());
}

void SetSearchRange(HWND owner) {
  if (RunSetRangeDialog(owner, app().store.bible, &app().search.options)) ShowSearchRange();
}

void DispatchCommand(int command, HWND, UINT) {
  if (command >= CMD_GOTO_BOOK_FIRST && command <= CMD_GOTO_BOOK_LAST) {
    SetCurrentVerse(GoToBook(app().store.bible, command - CMD_GOTO_BOOK_FIRST + 1));
  } else if (command >= CMD_GOTO_BOOKMARK_FIRST && command <= CMD_GOTO_BOOKMARK_LAST) {
    SetCurrentVerse(BookmarkVerse(app().shell.Bookmarks, command - CMD_GOTO_BOOKMARK_FIRST + 1));
  } else if (command >= CMD_SET_BOOKMARK_FIRST && command <= CMD_SET_BOOKMARK_LAST) {
    SetBookmarkCommand(command - CMD_SET_BOOKMARK_FIRST + 1);
  } else if (command >= CMD_SINGLE_FIRST && command <= CMD_SINGLE_LAST) {
    DispatchSingle(command);
  }
}

}  // namespace kv
