#include "shell/main_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/files.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/program_win.h"

namespace kv {
namespace {

INT_PTR CALLBACK SplashProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

// Runs the creation sequence; false makes CreateWindowExA fail, and the
// program entry then reports "Initialization failure".
bool MainWindow_OnCreate(HWND hwnd, LPCREATESTRUCT) {
  ShellWindows& windows = Windows();
  AppState& app = App();
  windows.main = hwnd;
  windows.menu = GetMenu(hwnd);
  InitCommonControls();

  windows.splash = CreateDialogParamA(windows.instance, RES_SPLASH_DIALOG, hwnd, SplashProc, 0);

  windows.rich_edit = LoadLibraryExA("RICHED32.DLL", nullptr, 0);
  if (!windows.rich_edit) return false;

  windows.accelerators = LoadAcceleratorsA(windows.instance, RES_ACCELERATORS);

  if (LoadBibleData(SystemFiles(), &app.store.bible) != LoadError::None) return false;

  app.shell.startup_complete = true;
  return true;
}

void MainWindow_OnDestroy(HWND) {
  AppState& app = App();
  ReleaseBibleData(SystemFiles(), &app.store.bible);
  app.shell.startup_complete = false;
  Windows().main = nullptr;
  PostQuitMessage(0);
}

void MainWindow_OnCommand(HWND hwnd, int id, HWND, UINT) {
  switch (id) {
    case CMD_EXIT:
      SendMessageA(hwnd, WM_CLOSE, 0, 0);
      break;
  }
}

}  // namespace

void FreeRichEditLibrary() {
  if (Windows().rich_edit) {
    FreeLibrary(Windows().rich_edit);
    Windows().rich_edit = nullptr;
  }
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return MainWindow_OnCreate(hwnd, reinterpret_cast<LPCREATESTRUCT>(lParam)) ? 0 : -1;
    HANDLE_MSG(hwnd, WM_DESTROY, MainWindow_OnDestroy);
    HANDLE_MSG(hwnd, WM_COMMAND, MainWindow_OnCommand);
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace kv
