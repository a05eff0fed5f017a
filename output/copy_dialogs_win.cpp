// The Copy Verse and Copy Range dialogs: a verse or a range typed by the
// user, put on the clipboard under the format options once the dialog has
// closed.
#include <windowsx.h>

#include "output/format_dialog_win.h"
#include "output/output_dialogs_win.h"
#include "output/range_dialog_win.h"
#include "output/range_output.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/guarded_procedure_win.h"
#include "shell/help_win.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "shell/wait_cursor_win.h"
#include "store/reference_dialogs_win.h"

namespace kv {

namespace {

struct CopyDialog {
  bool range;  // Copy Range; else Copy Verse
  int edit;
  const char* help_topic;
  VerseIndex first = kNoVerse;
  VerseIndex last = kNoVerse;
};

BOOL Copy_OnInitDialog(HWND dialog, HWND, LPARAM lParam) {
  const auto* copy = reinterpret_cast<const CopyDialog*>(lParam);
  SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  CenterDialog(dialog, Windows().main);
  const BibleData& data = App().store.bible;
  SetDlgItemTextA(dialog, copy->edit, (copy->range ? RangeStartText(data) : VerseStartText(data)).c_str());
  return TRUE;
}

void Copy_OnCommand(HWND dialog, int id, HWND, UINT) {
  auto* copy = reinterpret_cast<CopyDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (id) {
    case IDOK: {
      VerseIndex first = kNoVerse, last = kNoVerse;
      switch (ReadTypedRange(dialog, copy->edit, App().store.bible, &first, copy->range ? &last : nullptr)) {
        case TypedRange::Empty: EndDialog(dialog, FALSE); return;
        case TypedRange::Unrecognized: return;
        case TypedRange::Read: break;
      }
      copy->first = first;
      copy->last = copy->range ? last : first;
      EndDialog(dialog, TRUE);
      return;
    }
    case IDCANCEL:
      EndDialog(dialog, FALSE);
      return;
    case IDC_OUTPUT_FORMAT:
      EditFormatOptions(dialog, &App().output.Format);
      return;
    case IDC_HELP_BUTTON:
      ShowHelpTopic(Windows().main, copy->help_topic);
      return;
  }
}

INT_PTR CALLBACK CopyProc(HWND hwndDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(hwndDlg, WM_INITDIALOG, Copy_OnInitDialog);
    case WM_COMMAND:
      HANDLE_WM_COMMAND(hwndDlg, wParam, lParam, Copy_OnCommand);
      return TRUE;
  }
  return FALSE;
}

void RunCopyDialog(HWND owner, const char* template_name, CopyDialog copy) {
  if (DialogBoxParamA(Windows().instance, template_name, owner, GuardedDialogProc<CopyProc>,
                      reinterpret_cast<LPARAM>(&copy)) != TRUE)
    return;
  WithWaitCursor([&copy] {
    CopyRangeToClipboard(App().store.bible, App().output.Format, copy.first, copy.last, ShellClipboard(),
                         ShellMessages());
  });
}

}  // namespace

void RunCopyVerseDialog(HWND owner) {
  RunCopyDialog(owner, IDD_COPY_VERSE, CopyDialog{false, IDC_COPY_VERSE_REFERENCE, "ID_Edit_CopyVerse"});
}

void RunCopyRangeDialog(HWND owner) {
  RunCopyDialog(owner, IDD_COPY_RANGE, CopyDialog{true, IDC_OUTPUT_RANGE, "ID_Edit_CopyRange"});
}

}  // namespace kv
