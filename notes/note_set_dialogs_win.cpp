#include "notes/note_set_dialogs_win.h"

#include <windowsx.h>

#include <string>

#include "notes/note_files.h"
#include "notes/note_sets.h"
#include "platform/user_services_win.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/guarded_procedure_win.h"
#include "shell/help_win.h"
#include "shell/shell_ports_win.h"
#include "store/reference_dialogs_win.h"

namespace kv {
namespace {

// The name field: 98 characters and the NUL.
constexpr int kNameFieldSize = static_cast<int>(kMaxNoteSetNameChars) + 1;

enum class NameDialog { Create, Rename };

struct NameDialogData {
  NameDialog kind;
  bool done = false;
};

std::string ReadName(HWND dialog) {
  char text[kNameFieldSize] = {};
  GetDlgItemTextA(dialog, IDC_NOTE_SET_NAME, text, sizeof text);
  return text;
}

// The note operations with their boxes owned by `dialog`.
bool RunOperation(HWND dialog, NameDialog kind, const std::string& name) {
  NotesPorts shell = ShellNotesPorts();
  MessageBoxServices boxes(dialog);
  NotesPorts ports{shell.files, boxes, shell.view, shell.bible};
  return kind == NameDialog::Create ? CreateNoteSet(App().notes, ports, name)
                                    : RenameCurrentNoteSet(App().notes, ports, name);
}

BOOL NameDialog_OnInitDialog(HWND dialog, HWND, LPARAM lParam) {
  auto* data = reinterpret_cast<NameDialogData*>(lParam);
  SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  SendDlgItemMessageA(dialog, IDC_NOTE_SET_NAME, EM_LIMITTEXT, kMaxNoteSetNameChars, 0);
  if (data->kind == NameDialog::Rename) {
    const std::string name = DisplayNameOf(App().notes.current().data_file);
    const std::string title = "Change name of note set " + name;
    SetWindowTextA(dialog, title.c_str());
    SetDlgItemTextA(dialog, IDC_NOTE_SET_NAME, name.c_str());
  }
  CenterDialog(dialog, GetWindow(dialog, GW_OWNER));
  return TRUE;
}

void NameDialog_OnCommand(HWND dialog, int id, HWND, UINT) {
  auto* data = reinterpret_cast<NameDialogData*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (id) {
    case IDOK:
      if (RunOperation(dialog, data->kind, ReadName(dialog))) {
        data->done = true;
        EndDialog(dialog, IDOK);
        return;
      }
      // Refused: the typed name stays, selected, for the user to mend.
      SetFocus(GetDlgItem(dialog, IDC_NOTE_SET_NAME));
      SendDlgItemMessageA(dialog, IDC_NOTE_SET_NAME, EM_SETSEL, 0, -1);
      return;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return;
    case IDC_HELP_BUTTON:
      // One topic tells of creating, renaming and deleting sets.
      ShowHelpTopic(GetWindow(dialog, GW_OWNER), "ID_Notes_Create");
      return;
  }
}

INT_PTR CALLBACK NameDialogProc(HWND hwndDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(hwndDlg, WM_INITDIALOG, NameDialog_OnInitDialog);
    case WM_COMMAND:
      HANDLE_WM_COMMAND(hwndDlg, wParam, lParam, NameDialog_OnCommand);
      return TRUE;
  }
  return FALSE;
}

bool RunNameDialog(HWND owner, NameDialog kind, const char* resource) {
  NameDialogData data{kind};
  DialogBoxParamA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)), resource, owner,
                  GuardedDialogProc<NameDialogProc>, reinterpret_cast<LPARAM>(&data));
  return data.done;
}

}  // namespace

bool RunCreateNoteSetDialog(HWND owner) { return RunNameDialog(owner, NameDialog::Create, IDD_CREATE_NOTE_SET); }

bool RunRenameNoteSetDialog(HWND owner) { return RunNameDialog(owner, NameDialog::Rename, IDD_RENAME_NOTE_SET); }

}  // namespace kv
