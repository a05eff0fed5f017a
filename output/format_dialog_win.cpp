#include "output/format_dialog_win.h"

#include <windowsx.h>

#include "output/output_dialogs_win.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/guarded_procedure_win.h"
#include "shell/help_win.h"
#include "shell/program_win.h"
#include "store/reference_dialogs_win.h"

namespace kv {

namespace {

// The radio of a label style: Full, Partial, and None for any other value.
int StyleRadio(int full_radio, std::uint8_t style) {
  if (style == kLabelFull) return full_radio;
  if (style == kLabelPartial) return full_radio + 1;
  return full_radio + 2;
}

std::uint8_t CheckedStyle(HWND dialog, int full_radio) {
  if (IsDlgButtonChecked(dialog, full_radio) == BST_CHECKED) return kLabelFull;
  if (IsDlgButtonChecked(dialog, full_radio + 1) == BST_CHECKED) return kLabelPartial;
  return kLabelNone;
}

std::int32_t Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

BOOL Format_OnInitDialog(HWND dialog, HWND, LPARAM lParam) {
  const auto* options = reinterpret_cast<const FormatOptions*>(lParam);
  SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  CenterDialog(dialog, Windows().main);
  CheckRadioButton(dialog, IDC_FORMAT_FIRST_FULL, IDC_FORMAT_FIRST_NONE,
                   StyleRadio(IDC_FORMAT_FIRST_FULL, options->FirstVerseStyle));
  CheckRadioButton(dialog, IDC_FORMAT_LATER_FULL, IDC_FORMAT_LATER_NONE,
                   StyleRadio(IDC_FORMAT_LATER_FULL, options->SubsequentVerseStyle));
  CheckRadioButton(dialog, IDC_FORMAT_BEFORE_VERSE, IDC_FORMAT_AFTER_VERSE,
                   options->Location == kLabelBefore ? IDC_FORMAT_BEFORE_VERSE : IDC_FORMAT_AFTER_VERSE);
  CheckDlgButton(dialog, IDC_FORMAT_LINE_BREAKS, options->LineBreaks ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_FORMAT_PARAGRAPH_MARKS, options->ParagraphMarks ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void Format_OnCommand(HWND dialog, int id, HWND, UINT) {
  auto* options = reinterpret_cast<FormatOptions*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (id) {
    case IDOK:
      options->FirstVerseStyle = CheckedStyle(dialog, IDC_FORMAT_FIRST_FULL);
      options->SubsequentVerseStyle = CheckedStyle(dialog, IDC_FORMAT_LATER_FULL);
      options->Location = IsDlgButtonChecked(dialog, IDC_FORMAT_BEFORE_VERSE) == BST_CHECKED ? kLabelBefore
                                                                                            : kLabelAfter;
      options->LineBreaks = Checked(dialog, IDC_FORMAT_LINE_BREAKS);
      options->ParagraphMarks = Checked(dialog, IDC_FORMAT_PARAGRAPH_MARKS);
      EndDialog(dialog, TRUE);
      return;
    case IDCANCEL:
      EndDialog(dialog, FALSE);
      return;
    case IDC_HELP_BUTTON:
      ShowHelpTopic(Windows().main, "ID_Edit_Format");
      return;
  }
}

INT_PTR CALLBACK FormatProc(HWND hwndDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(hwndDlg, WM_INITDIALOG, Format_OnInitDialog);
    case WM_COMMAND:
      HANDLE_WM_COMMAND(hwndDlg, wParam, lParam, Format_OnCommand);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool EditFormatOptions(HWND owner, FormatOptions* options) {
  return DialogBoxParamA(Windows().instance, IDD_FORMAT, owner, GuardedDialogProc<FormatProc>,
                         reinterpret_cast<LPARAM>(options)) == TRUE;
}

void RunFormatDialog(HWND owner) { EditFormatOptions(owner, &App().output.Format); }

}  // namespace kv
