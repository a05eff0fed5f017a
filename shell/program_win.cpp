#include "shell/program_win.h"

#include "notes/notes_window_win.h"
#include "passage/passage_window_win.h"
#include "resources/resource_ids.h"
#include "shell/guarded_procedure_win.h"
#include "shell/main_window_win.h"
#include "shell/pane_focus_win.h"
#include "verselist/verse_list_window_win.h"

namespace kv {

const char kInitFailureCaption[] = "Initialization failure";
const char kInitFailureText[] =
    "Initialization of Kelvane95 incomplete.\n\n"
    "One of the following errors occurred:\n"
    "1. You are out of drive space. This is the most likely error. You need to free up some space on "
    "your hard drive.\n"
    "2. A required file is missing from your Kelvane95 folder. You need to reinstall Kelvane95.\n"
    "3. \"RICHED32.DLL\" is missing from your \\WINDOWS\\SYSTEM folder. You need to reinstall Windows "
    "or obtain this file.";

ShellWindows& Windows() {
  static ShellWindows windows;
  return windows;
}

namespace {

// Each procedure goes to Windows inside the program's exception boundary.
struct ClassInfo {
  const char* name;
  WNDPROC procedure;
  int background;
  const char* icon;
  const char* menu;
};

const ClassInfo kClasses[] = {
    {CLASS_MAIN, GuardedWindowProc<MainWindowProc>, COLOR_BTNFACE, RES_BIG_ICON, RES_MENU},
    {CLASS_PASSAGE, GuardedWindowProc<PassageWindowProc>, COLOR_WINDOW, nullptr, nullptr},
    {CLASS_VERSE_LIST, GuardedWindowProc<VerseListWindowProc>, COLOR_WINDOW, nullptr, nullptr},
    {CLASS_NOTES, GuardedWindowProc<NotesWindowProc>, COLOR_WINDOW, nullptr, nullptr},
    {CLASS_NOTE_EDITOR, GuardedWindowProc<NoteEditorFrameProc>, COLOR_BTNFACE, nullptr, nullptr},
};

bool RegisterProgramClasses(HINSTANCE instance) {
  for (const ClassInfo& info : kClasses) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = info.procedure;
    wc.hInstance = instance;
    wc.hIcon = info.icon ? LoadIconA(instance, info.icon) : nullptr;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(info.background + 1));
    wc.lpszMenuName = info.menu;
    wc.lpszClassName = info.name;
    if (!RegisterClassExA(&wc)) return false;
  }
  return true;
}

bool IsAltKey(WPARAM key) { return key == VK_MENU || key == VK_LMENU || key == VK_RMENU; }

// A fresh press of a key, not its auto-repeat (bit 30: the key was down).
bool IsFirstPress(LPARAM key_data) { return (key_data & (1L << 30)) == 0; }

int RunMessageLoop() {
  MSG msg;
  // An accelerator with Alt (Alt+E, Alt+W, ...) takes its key-down, so the
  // window never sees that anything came between the Alt key's press and
  // its release; the release would then open the menu bar as a lone Alt
  // press does, and leave it half entered. That one release is not passed on.
  bool alt_release_taken = false;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    const bool key_down = msg.message == WM_SYSKEYDOWN || msg.message == WM_KEYDOWN;
    const bool key_up = msg.message == WM_SYSKEYUP || msg.message == WM_KEYUP;
    if (key_down && IsAltKey(msg.wParam) && IsFirstPress(msg.lParam)) alt_release_taken = false;
    if (key_up && IsAltKey(msg.wParam) && alt_release_taken) {
      alt_release_taken = false;
      continue;
    }
    HWND modeless = Windows().modeless;
    if (modeless && IsDialogMessageA(modeless, &msg)) continue;
    HACCEL accelerators = Windows().accelerators;
    if (accelerators && TranslateAcceleratorA(Windows().main, accelerators, &msg)) {
      if (key_down && GetKeyState(VK_MENU) < 0) alt_release_taken = true;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

void UnregisterProgramClasses(HINSTANCE instance) {
  for (const ClassInfo& info : kClasses) UnregisterClassA(info.name, instance);
}

int RunProgram(HINSTANCE instance, int show) {
  if (!RegisterProgramClasses(instance)) return 0;
  ShellWindows& windows = Windows();
  windows.instance = instance;
  windows.main = CreateWindowExA(0, CLASS_MAIN, "Kelvane95", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                 instance, nullptr);
  if (windows.main) {
    ShowWindow(windows.main, show);
    UpdateWindow(windows.main);
  }
  if (windows.splash) {
    DestroyWindow(windows.splash);
    windows.splash = nullptr;
  }
  if (!windows.main) {
    MessageBoxA(nullptr, kInitFailureText, kInitFailureCaption, MB_ICONERROR);
    FreeRichEditLibrary();
    return 0;
  }
  FocusFirstShownPane();
  int code = RunMessageLoop();
  FreeRichEditLibrary();
  return code;
}

}  // namespace kv
