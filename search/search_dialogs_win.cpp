#include "search/search_dialogs_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstring>

#include "passage/passage_window_win.h"
#include "resources/resource_ids.h"
#include "search/search_range_win.h"
#include "shell/app_state.h"
#include "shell/command_state_win.h"
#include "shell/command_table.h"
#include "shell/guarded_procedure_win.h"
#include "shell/help_win.h"
#include "shell/pane_focus_win.h"
#include "shell/program_win.h"
#include "shell/view_commands_win.h"
#include "store/reference_dialogs_win.h"
#include "store/verse_address.h"
#include "verselist/verse_list_window_win.h"

namespace kv {

const char kNoResultsCaption[] = "Search Results";
const char kNoResultsText[] = "No verses matching search criteria.";

namespace {

struct DialogKind {
  SearchDialog dialog;
  const char* template_name;
  const char* help_topic;
};

const DialogKind kWordSearch = {SearchDialog::WordSearch, IDD_WORD_SEARCH, "ID_Search_Word"};
const DialogKind kWordListSearch = {SearchDialog::WordList, IDD_WORD_LIST_SEARCH, "ID_Search_WordList"};
const DialogKind kPhraseSearch = {SearchDialog::Phrase, IDD_PHRASE_SEARCH, "ID_Search_Phrase"};

SearchState& search() { return App().search; }
bool WordDialog(const DialogKind& kind) { return kind.dialog != SearchDialog::Phrase; }

const DialogKind& KindOf(HWND dialog) {
  return *reinterpret_cast<const DialogKind*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void FillWordList(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_SEARCH_WORD_LIST);
  const BibleData& bible = App().store.bible;
  const int count = WordCount(bible);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, CB_INITSTORAGE, count, count * 10);
  for (int i = 0; i < count; ++i) SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(bible.words[i]));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

BOOL SearchDialog_OnInitDialog(HWND dialog, HWND, LPARAM lParam) {
  SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  const DialogKind& kind = *reinterpret_cast<const DialogKind*>(lParam);
  CenterDialog(dialog, Windows().main);
  const SearchState& state = search();
  HWND text = GetDlgItem(dialog, IDC_SEARCH_TEXT);
  char prefill[kSearchTextSize];
  std::memcpy(prefill, state.search_text_prefill, kSearchTextSize);
  prefill[kSearchTextSize - 1] = '\0';
  SetWindowTextA(text, prefill);
  for (const auto& entry : state.search_history) {
    char line[kSearchTextSize];
    std::memcpy(line, entry, kSearchTextSize);
    line[kSearchTextSize - 1] = '\0';
    if (line[0] != '\0') SendMessageA(text, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
  }
  if (kind.dialog == SearchDialog::WordList) FillWordList(dialog);
  CheckDlgButton(dialog, IDC_SEARCH_CASE_SENSITIVE, state.options.case_sensitive ? BST_CHECKED : BST_UNCHECKED);
  if (WordDialog(kind)) {
    CheckDlgButton(dialog, IDC_SEARCH_SUBSTRING, state.options.sub_string ? BST_CHECKED : BST_UNCHECKED);
    const int boolean_type = state.options.boolean_type;
    const int radio = boolean_type == kAnyWord   ? IDC_SEARCH_AT_LEAST_ONE
                      : boolean_type == kOneWord ? IDC_SEARCH_ONLY_ONE
                                                 : IDC_SEARCH_ALL;
    CheckRadioButton(dialog, IDC_SEARCH_ALL, IDC_SEARCH_ONLY_ONE, radio);
  }
  return TRUE;
}

// "<< Add" and a double click in the word list: the word joins the text.
void AddSelectedWord(HWND dialog) {
  char word[kListWordLimit + 1] = {};
  char text[kSearchTextSize] = {};
  GetDlgItemTextA(dialog, IDC_SEARCH_WORD_LIST, word, sizeof word);
  GetDlgItemTextA(dialog, IDC_SEARCH_TEXT, text, kTypedQueryLimit + 1);
  if (AddListWord(text, word))
    SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, text);
  else if (word[0] != '\0')
    MessageBeep(MB_OK);
}

// OK up to the dialog's closing: the pane shown, the query and the options
// taken over, the query remembered.
void TakeOver(HWND dialog, const DialogKind& kind) {
  EnsurePaneVisible(CMD_VIEW_VERSE_LIST);
  char typed[kSearchTextSize] = {};
  GetDlgItemTextA(dialog, IDC_SEARCH_TEXT, typed, kTypedQueryLimit + 1);
  SearchOptions& options = search().options;
  options.case_sensitive = Checked(dialog, IDC_SEARCH_CASE_SENSITIVE);
  if (WordDialog(kind)) {
    options.sub_string = Checked(dialog, IDC_SEARCH_SUBSTRING);
    options.boolean_type = Checked(dialog, IDC_SEARCH_ALL)            ? kAllWords
                           : Checked(dialog, IDC_SEARCH_AT_LEAST_ONE) ? kAnyWord
                                                                      : kOneWord;
  }
  TakeQuery(search(), kind.dialog, typed);
}

void SearchDialog_OnCommand(HWND dialog, int id, HWND, UINT code) {
  const DialogKind& kind = KindOf(dialog);
  switch (id) {
    case IDOK:
      TakeOver(dialog, kind);
      EndDialog(dialog, TRUE);
      return;
    case IDCANCEL:
      EndDialog(dialog, FALSE);
      return;
    case IDC_SEARCH_RANGE:
      SetSearchRange(dialog);
      return;
    case IDC_HELP_BUTTON:
      ShowHelpTopic(Windows().main, kind.help_topic);
      return;
    case IDC_SEARCH_ADD_WORD:
      if (kind.dialog == SearchDialog::WordList) AddSelectedWord(dialog);
      return;
    case IDC_SEARCH_WORD_LIST:
      if (kind.dialog == SearchDialog::WordList && code == CBN_DBLCLK) AddSelectedWord(dialog);
      return;
  }
}

INT_PTR CALLBACK SearchDialogProc(HWND hwndDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(hwndDlg, WM_INITDIALOG, SearchDialog_OnInitDialog);
    case WM_COMMAND:
      HANDLE_WM_COMMAND(hwndDlg, wParam, lParam, SearchDialog_OnCommand);
      return TRUE;
  }
  return FALSE;
}

void RunDialog(HWND owner, const DialogKind& kind) {
  if (!App().store.bible.loaded) return;
  INT_PTR confirmed = DialogBoxParamA(Windows().instance, kind.template_name, owner,
                                      GuardedDialogProc<SearchDialogProc>, reinterpret_cast<LPARAM>(&kind));
  if (confirmed == TRUE) RunSearchAndShow(kind.dialog);
}

void SetStatus(int part, const char* text) {
  SendMessageA(Windows().status, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

// The reference list box holds the lines the search made, in list order.
void FillReferenceList() {
  HWND list = Windows().reference_list;
  const SearchState& state = search();
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  SendMessageA(list, LB_INITSTORAGE, state.reference_count, state.reference_count * kReferenceLineSize);
  for (int i = 0; i < state.reference_count; ++i)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(state.reference_list[i]));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void EnableResultCommands(bool enabled) {
  for (int command : kVerseListCommands) EnableCommand(command, enabled);
}

}  // namespace

void RunWordSearchDialog(HWND owner) { RunDialog(owner, kWordSearch); }
void RunWordListSearchDialog(HWND owner) { RunDialog(owner, kWordListSearch); }
void RunPhraseSearchDialog(HWND owner) { RunDialog(owner, kPhraseSearch); }

bool RunSearchAndShow(SearchDialog dialog) {
  AppState& app = App();
  SearchOutcome outcome;
  SetCapture(Windows().main);
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  outcome = RunSearch(app.store.bible, app.search, dialog);
  if (outcome.found) {
    DropSelection();
    FillReferenceList();
    ShowNewVerseList(app.search.result_count);
    SetFocus(app.shell.verse_list_tab_index == 1 ? Windows().reference_list : Windows().verse_list);
    EnableResultCommands(true);
    SetStatus(STATUS_PART_LIST_TOP, "");
    SetCursor(previous);
    ReleaseCapture();
  } else {
    SetCursor(previous);
    ReleaseCapture();
    // The reference list mirrors the verse list, so it empties with it.
    FillReferenceList();
    ShowNewVerseList(0);
    SetStatus(STATUS_PART_SEARCH, "No Matches");
    SetStatus(STATUS_PART_LIST_TOP, "");
    EnableResultCommands(false);
    MessageBoxA(Windows().main, kNoResultsText, kNoResultsCaption, MB_OK | MB_ICONINFORMATION);
  }
  SetStatus(STATUS_PART_SEARCH, outcome.status);
  return outcome.found;
}

void ShowSelectedResult() {
  AppState& app = App();
  if (app.search.result_count == 0) return;
  VerseIndex verse = kNoVerse;
  if (app.shell.verse_list_tab_index == 1) {
    LRESULT caret = SendMessageA(Windows().reference_list, LB_GETCARETINDEX, 0, 0);
    if (caret >= 0) verse = SelectedResultVerse(app.store.bible, app.search, 1, static_cast<int>(caret));
  } else {
    verse = SelectedResultVerse(app.store.bible, app.search, 0, ListCurrentEntry());
  }
  if (verse != kNoVerse) SetCurrentVerse(verse);
}

}  // namespace kv
