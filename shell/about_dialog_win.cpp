#include "shell/about_dialog_win.h"

#include "resources/resource_ids.h"
#include "shell/guarded_procedure_win.h"
#include "shell/program_win.h"
#include "store/reference_dialogs_win.h"

namespace kv {
namespace {

INT_PTR CALLBACK AboutProc(HWND hwndDlg, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CenterDialog(hwndDlg, Windows().main);
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

}  // namespace

void RunAboutDialog(HWND owner) {
  DialogBoxParamA(Windows().instance, IDD_ABOUT, owner, GuardedDialogProc<AboutProc>, 0);
}

}  // namespace kv
