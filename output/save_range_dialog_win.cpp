// The Save Range dialog: a range typed by the user, the note set whose notes
// go with it, then the file chooser; the save runs before the dialog closes,
// so its messages are the dialog's.
#include <windowsx.h>

#include "notes/note_files.h"
#include "output/format_dialog_win.h"
#include "output/output_dialogs_win.h"
#include "output/range_dialog_win.h"
#include "output/save_range.h"
#include "output/text_file_chooser_win.h"
#include "platform/user_services_win.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/guarded_procedure_win.h"
#include "shell/help_win.h"
#include "shell/notes_view_win.h"
#include "shell/program_win.h"
#include "shell/wait_cursor_win.h"
#include "store/reference_dialogs_win.h"

namespace kv {

namespace {

BOOL SaveRange_OnInitDialog(HWND dialog, HWND, LPARAM) {
  CenterDialog(dialog, Windows().main);
  SetDlgItemTextA(dialog, IDC_OUTPUT_RANGE, RangeStartText(App().store.bible).c_str());
  FillNoteSetChoice(dialog, IDC_OUTPUT_NOTE_SET, IDC_OUTPUT_INCLUDE_NOTES, App().notes);
  return TRUE;
}

void SaveRange_OnOk(HWND dialog) {
  const int note_set = ChosenNoteSet(dialog, IDC_OUTPUT_NOTE_SET, IDC_OUTPUT_INCLUDE_NOTES);
  VerseIndex first = kNoVerse, last = kNoVerse;
  std::string typed;
  switch (ReadTypedRange(dialog, IDC_OUTPUT_RANGE, App().store.bible, &first, &last, &typed)) {
    case TypedRange::Empty: EndDialog(dialog, FALSE); return;
    case TypedRange::Unrecognized: return;
    case TypedRange::Read: break;
  }
  std::string file_name;
  if (!ChooseTextFile(dialog, typed.c_str(), &file_name)) {
    EndDialog(dialog, FALSE);
    return;
  }
  WithWaitCursor([&] {
    MessageBoxServices messages(dialog);
    NotesWindowView view;
    AppState& app = App();
    SaveRangeWithNotes(app.store.bible, app.output.Format, first, last, file_name, note_set, app.notes,
                       NotesPorts{SystemFiles(), messages, view, app.store.bible});
  });
  EndDialog(dialog, TRUE);
}

void SaveRange_OnCommand(HWND dialog, int id, HWND, UINT) {
  switch (id) {
    case IDOK:
      SaveRange_OnOk(dialog);
      return;
    case IDCANCEL:
      EndDialog(dialog, FALSE);
      return;
    case IDC_OUTPUT_FORMAT:
      EditFormatOptions(dialog, &App().output.Format);
      return;
    case IDC_HELP_BUTTON:
      ShowHelpTopic(Windows().main, "ID_File_SaveRange");
      return;
  }
}

INT_PTR CALLBACK SaveRangeProc(HWND hwndDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(hwndDlg, WM_INITDIALOG, SaveRange_OnInitDialog);
    case WM_COMMAND:
      HANDLE_WM_COMMAND(hwndDlg, wParam, lParam, SaveRange_OnCommand);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

void RunSaveRangeDialog(HWND owner) {
  DialogBoxParamA(Windows().instance, IDD_SAVE_RANGE, owner, GuardedDialogProc<SaveRangeProc>, 0);
}

}  // namespace kv
