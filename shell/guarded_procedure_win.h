// The one exception boundary of the program's windows. Every window, dialog
// and subclass procedure is handed to Windows wrapped in GuardedWindowProc
// or GuardedDialogProc: an exception its handlers let out (the library's
// std::bad_alloc is the one the core can throw) ends at the wrapper, is
// reported once, in one way, and never unwinds through the system's frames.
#pragma once

#include <windows.h>

#include <new>

namespace kv {

// The report of an exception that reached a procedure of `window`: the
// "Out of memory" box with the error icon, owned by the window's top-level
// window (the main window, or the dialog the window belongs to).
void ReportProcedureFailure(HWND window) noexcept;

// Runs `call`, the handling of one message of `window`; an exception it
// lets out is reported and `failed` answered instead.
template <typename Result, typename Call>
Result CallGuarded(HWND window, Result failed, Call&& call) noexcept {
  try {
    return call();
  } catch (const std::bad_alloc&) {
    ReportProcedureFailure(window);
    return failed;
  }
}

// `Procedure` with the boundary around it. A message that failed answers 0,
// and WM_CREATE answers -1, so a window whose creation failed is not made.
template <WNDPROC Procedure>
LRESULT CALLBACK GuardedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  const LRESULT failed = message == WM_CREATE ? -1 : 0;
  return CallGuarded(hwnd, failed, [&] { return Procedure(hwnd, message, wParam, lParam); });
}

// `Procedure` of a dialog with the boundary around it; a message that failed
// counts as not handled.
template <DLGPROC Procedure>
INT_PTR CALLBACK GuardedDialogProc(HWND hwndDlg, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return CallGuarded<INT_PTR>(hwndDlg, FALSE, [&] { return Procedure(hwndDlg, message, wParam, lParam); });
}

}  // namespace kv
