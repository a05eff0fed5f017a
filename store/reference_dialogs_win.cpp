#include "shell/guarded_procedure_win.h"
#include "store/reference_dialogs_win.h"

#include <windowsx.h>

#include <cstdio>

#include "platform/user_services_win.h"
#include "resources/resource_ids.h"
#include "shell/help_win.h"
#include "store/reference_parser.h"
#include "store/verse_address.h"

namespace kv {

namespace {

struct GotoVerseData {
  const BibleData* data;
  VerseIndex current;
  VerseIndex chosen = kNoVerse;
};

struct SetRangeData {
  const BibleData* data;
  SearchOptions* options;
};

void TellUnrecognized(HWND dialog) {
  MessageBoxServices(dialog).Tell("Error", kUnrecognizedReference, MessageIcon::Error);
}

// The dialog's text, at most 98 characters; false when it is empty.
bool ReadReferenceText(HWND dialog, int edit, char (&text)[kReferenceTextSize]) {
  text[0] = '\0';
  GetDlgItemTextA(dialog, edit, text, kReferenceTextSize);
  return text[0] != '\0';
}

BOOL GotoVerse_OnInitDialog(HWND dialog, HWND, LPARAM lParam) {
  auto* data = reinterpret_cast<GotoVerseData*>(lParam);
  SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  CenterDialog(dialog, GetWindow(dialog, GW_OWNER));
  char text[kReferenceTextSize];
  FormatShortReference(*data->data, data->current, text, sizeof text);
  SetDlgItemTextA(dialog, IDC_GOTO_REFERENCE, text);
  return TRUE;
}

void GotoVerse_OnCommand(HWND dialog, int id, HWND, UINT) {
  auto* data = reinterpret_cast<GotoVerseData*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (id) {
    case IDOK: {
      char text[kReferenceTextSize];
      if (!ReadReferenceText(dialog, IDC_GOTO_REFERENCE, text)) {
        EndDialog(dialog, FALSE);
        return;
      }
      VerseIndex verse = kNoVerse;
      if (!ParseReference(*data->data, text, &verse)) {
        TellUnrecognized(dialog);
        return;
      }
      data->chosen = verse;
      EndDialog(dialog, TRUE);
      return;
    }
    case IDCANCEL:
      EndDialog(dialog, FALSE);
      return;
    case IDC_HELP_BUTTON:
      ShowHelpTopic(GetWindow(dialog, GW_OWNER), "ID_Read_GoToVerse");
      return;
  }
}

INT_PTR CALLBACK GotoVerseProc(HWND hwndDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(hwndDlg, WM_INITDIALOG, GotoVerse_OnInitDialog);
    case WM_COMMAND:
      HANDLE_WM_COMMAND(hwndDlg, wParam, lParam, GotoVerse_OnCommand);
      return TRUE;
  }
  return FALSE;
}

BOOL SetRange_OnInitDialog(HWND dialog, HWND, LPARAM lParam) {
  auto* data = reinterpret_cast<SetRangeData*>(lParam);
  SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  CenterDialog(dialog, GetWindow(dialog, GW_OWNER));
  char text[kReferenceTextSize];
  VerseSpan range = SearchRange(*data->options);
  FormatRange(*data->data, range.first, range.last, text, sizeof text);
  SetDlgItemTextA(dialog, IDC_RANGE_TEXT, text);
  return TRUE;
}

void SetRange_OnCommand(HWND dialog, int id, HWND, UINT) {
  auto* data = reinterpret_cast<SetRangeData*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (id) {
    case IDOK: {
      char text[kReferenceTextSize];
      if (!ReadReferenceText(dialog, IDC_RANGE_TEXT, text)) {
        EndDialog(dialog, FALSE);
        return;
      }
      VerseIndex first = kNoVerse, last = kNoVerse;
      if (!ParseReference(*data->data, text, &first, &last)) {
        TellUnrecognized(dialog);
        return;
      }
      data->options->start_verse = first;
      data->options->end_verse = last;
      EndDialog(dialog, TRUE);
      return;
    }
    case IDCANCEL:
      EndDialog(dialog, FALSE);
      return;
    case IDC_RANGE_OLD_TESTAMENT:
      SetDlgItemTextA(dialog, IDC_RANGE_TEXT, "Ge - Mal");
      return;
    case IDC_RANGE_NEW_TESTAMENT:
      SetDlgItemTextA(dialog, IDC_RANGE_TEXT, "Mt - Re");
      return;
    case IDC_RANGE_ENTIRE:
      SetDlgItemTextA(dialog, IDC_RANGE_TEXT, "Ge - Re");
      return;
    case IDC_HELP_BUTTON:
      ShowHelpTopic(GetWindow(dialog, GW_OWNER), "ID_Search_SetRange");
      return;
  }
}

INT_PTR CALLBACK SetRangeProc(HWND hwndDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(hwndDlg, WM_INITDIALOG, SetRange_OnInitDialog);
    case WM_COMMAND:
      HANDLE_WM_COMMAND(hwndDlg, wParam, lParam, SetRange_OnCommand);
      return TRUE;
  }
  return FALSE;
}

int Clamp(int value, int size, int screen) {
  if (value < 0) return 0;
  if (value + size > screen) return screen - size;
  return value;
}

}  // namespace

void CenterDialog(HWND dialog, HWND owner) {
  RECT box, over;
  GetWindowRect(dialog, &box);
  GetWindowRect(owner, &over);
  const int width = box.right - box.left, height = box.bottom - box.top;
  const int owner_width = over.right - over.left;
  // A little above the middle: the owner's height counts as 90 percent.
  const int owner_height = static_cast<int>((over.bottom - over.top) * 0.9);
  HDC dc = GetDC(dialog);
  const int screen_width = GetDeviceCaps(dc, HORZRES), screen_height = GetDeviceCaps(dc, VERTRES);
  ReleaseDC(dialog, dc);
  const int x = Clamp(over.left + (owner_width - width) / 2, width, screen_width);
  const int y = Clamp(over.top + (owner_height - height) / 2, height, screen_height);
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

bool RunGotoVerseDialog(HWND owner, const BibleData& data, VerseIndex current, VerseIndex* chosen) {
  GotoVerseData state{&data, current};
  INT_PTR result = DialogBoxParamA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)),
                                   IDD_GOTO_VERSE, owner, GuardedDialogProc<GotoVerseProc>,
                                   reinterpret_cast<LPARAM>(&state));
  if (result != TRUE) return false;
  *chosen = state.chosen;
  return true;
}

bool RunSetRangeDialog(HWND owner, const BibleData& data, SearchOptions* options) {
  SetRangeData state{&data, options};
  return DialogBoxParamA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)),
                         IDD_SET_RANGE, owner, GuardedDialogProc<SetRangeProc>,
                         reinterpret_cast<LPARAM>(&state)) == TRUE;
}

}  // namespace kv
