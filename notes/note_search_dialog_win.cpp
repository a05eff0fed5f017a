#include "notes/note_search_dialog_win.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "notes/note_files.h"
#include "notes/note_search.h"
#include "platform/user_services_win.h"
#include "resources/resource_ids.h"
#include "search/search_range_win.h"
#include "shell/app_state.h"
#include "shell/guarded_procedure_win.h"
#include "shell/help_win.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "store/reference_dialogs_win.h"

namespace kv {
namespace {

// How many times the bar moves in one search, at most (and once more at the end).
constexpr long kProgressSteps = 50;

struct SearchNotesData {
  // Where the next Find Next begins; lives while the dialog is open.
  NoteSearchPosition position;
};

// The shown note's verse and the end of the display's selection (its caret).
NoteSearchPosition ShownCaret() {
  DWORD start = 0, end = 0;
  SendMessageA(Windows().notes_display, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return NoteSearchPosition{App().notes.current_verse, end};
}

// The modeless "Searching..." box with its bar over the search range. Its
// procedure has nothing to handle: nothing in it takes input.
INT_PTR CALLBACK SearchProgressProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class ProgressBox {
 public:
  ProgressBox(HWND main, VerseIndex first, VerseIndex last) {
    box_ = CreateDialogParamA(Windows().instance, IDD_SEARCH_PROGRESS, main,
                              GuardedDialogProc<SearchProgressProc>, 0);
    if (!box_) return;
    bar_ = GetDlgItem(box_, IDC_SEARCH_PROGRESS_BAR);
    SendMessageA(bar_, PBM_SETRANGE32, first, last);
    SendMessageA(bar_, PBM_SETPOS, first, 0);
    shown_ = first;
    last_ = last;
    const long span = static_cast<long>(last) - first;
    step_ = std::max(1L, span / kProgressSteps);
    CenterDialog(box_, main);
    ShowWindow(box_, SW_SHOWNA);
    UpdateWindow(box_);
    Windows().modeless = box_;
  }
  ~ProgressBox() {
    if (!box_) return;
    if (Windows().modeless == box_) Windows().modeless = nullptr;
    DestroyWindow(box_);
  }
  ProgressBox(const ProgressBox&) = delete;
  ProgressBox& operator=(const ProgressBox&) = delete;

  // The bar repaints itself at every new position, which costs more than
  // reading the notes, so it moves in kProgressSteps steps (finer than its
  // blocks) and always to the range's last verse.
  void Show(VerseIndex verse) {
    if (!bar_ || (verse - shown_ < step_ && verse != last_)) return;
    shown_ = verse;
    SendMessageA(bar_, PBM_SETPOS, verse, 0);
  }

 private:
  HWND box_ = nullptr;
  HWND bar_ = nullptr;
  VerseIndex shown_ = 0;
  VerseIndex last_ = 0;
  long step_ = 1;
};

// Find First (`from_start`) or Find Next. False when the text is empty and
// the dialog is to close.
bool Find(HWND dialog, SearchNotesData* data, bool from_start) {
  AppState& app = App();
  char* text = app.shell.note_search_prefill;
  GetDlgItemTextA(dialog, IDC_NOTE_SEARCH_TEXT, text, static_cast<int>(kMaxNoteSearchChars) + 1);
  SearchOptions& shared = app.search.options;
  shared.case_sensitive = IsDlgButtonChecked(dialog, IDC_NOTE_SEARCH_CASE_SENSITIVE) == BST_CHECKED;
  shared.sub_string = IsDlgButtonChecked(dialog, IDC_NOTE_SEARCH_SUBSTRING) == BST_CHECKED;
  if (text[0] == '\0') return false;

  const VerseSpan range = SearchRange(shared);
  NoteSearchOptions options;
  options.case_sensitive = shared.case_sensitive;
  options.substring = shared.sub_string;
  options.start = range.first;
  options.end = range.last;
  if (from_start) data->position = NoteSearchPosition{range.first, 0};

  NotesPorts shell = ShellNotesPorts();
  MessageBoxServices boxes(dialog);
  NotesPorts ports{shell.files, boxes, shell.view, shell.bible};
  {
    ProgressBox progress(Windows().main, range.first, range.last);
    FindNextNoteText(app.notes, ports, text, options, &data->position,
                     [&progress](VerseIndex verse) { progress.Show(verse); });
  }
  // The progress box took the activation when it came; it goes back here.
  if (GetActiveWindow() != dialog) SetActiveWindow(dialog);
  // Whatever was found, the next Find Next goes on from the shown note's caret.
  data->position = ShownCaret();
  return true;
}

BOOL SearchNotes_OnInitDialog(HWND dialog, HWND, LPARAM lParam) {
  auto* data = reinterpret_cast<SearchNotesData*>(lParam);
  SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  const std::string title = "Search Note Set " + DisplayNameOf(App().notes.current().data_file);
  SetWindowTextA(dialog, title.c_str());
  CenterDialog(dialog, GetWindow(dialog, GW_OWNER));
  SendDlgItemMessageA(dialog, IDC_NOTE_SEARCH_TEXT, EM_LIMITTEXT, kMaxNoteSearchChars, 0);
  SetDlgItemTextA(dialog, IDC_NOTE_SEARCH_TEXT, App().shell.note_search_prefill);
  CheckDlgButton(dialog, IDC_NOTE_SEARCH_CASE_SENSITIVE, BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_NOTE_SEARCH_SUBSTRING, BST_UNCHECKED);
  data->position = ShownCaret();
  return TRUE;
}

void SearchNotes_OnCommand(HWND dialog, int id, HWND, UINT) {
  auto* data = reinterpret_cast<SearchNotesData*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (id) {
    case IDC_NOTE_SEARCH_FIND_FIRST:
    case IDC_NOTE_SEARCH_FIND_NEXT:
      if (!Find(dialog, data, id == IDC_NOTE_SEARCH_FIND_FIRST)) EndDialog(dialog, IDCANCEL);
      return;
    case IDC_NOTE_SEARCH_RANGE:
      SetSearchRange(dialog);
      return;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return;
    case IDC_HELP_BUTTON:
      ShowHelpTopic(GetWindow(dialog, GW_OWNER), "ID_Search_Notes");
      return;
  }
}

INT_PTR CALLBACK SearchNotesProc(HWND hwndDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(hwndDlg, WM_INITDIALOG, SearchNotes_OnInitDialog);
    case WM_COMMAND:
      HANDLE_WM_COMMAND(hwndDlg, wParam, lParam, SearchNotes_OnCommand);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

void RunSearchNotesDialog(HWND owner) {
  SearchNotesData data;
  DialogBoxParamA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)), IDD_SEARCH_NOTES, owner,
                  GuardedDialogProc<SearchNotesProc>, reinterpret_cast<LPARAM>(&data));
}

}  // namespace kv
