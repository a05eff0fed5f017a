// kelvane_keeper: holds Wine's virtual desktop open between test processes.
//
// Wine shuts the desktop down when the last program using it ends, and the
// next test process then pays for starting it again. While this program runs
// (a message-only window and a message loop, nothing on screen) the desktop
// stays up. scripts/wine-env.sh starts it before ctest and stops it after.
//
//   kelvane_keeper.exe         keep the desktop; ends at once if a keeper
//                              already runs in this prefix
//   kelvane_keeper.exe /wait   wait (up to 10 s) until a keeper is up, the
//                              desktop with it; exit code 0 when it is
//   kelvane_keeper.exe /quit   tell the running keeper to end
//
// /wait and /quit talk to the keeper through named events, not windows: a
// second process touching the desktop while the keeper is bringing it up
// could race it, and the keeper would then hang in its first window call.
#include <windows.h>

#include <cstring>

namespace {

constexpr char kClassName[] = "KelvaneKeeper";
// Named objects live per wineserver, that is per prefix.
constexpr char kRunningMutex[] = "Local\\KelvaneKeeperRunning";
constexpr char kReadyEvent[] = "Local\\KelvaneKeeperReady";
constexpr char kQuitEvent[] = "Local\\KelvaneKeeperQuit";
constexpr DWORD kReadyTimeoutMs = 10000;

// The keeper has no window to show anything in; its output goes to the
// log wine-env.sh keeps for it.
void Report(const char* what) {
  char line[256];
  wsprintfA(line, "kelvane_keeper: %s (error %lu)\r\n", what, GetLastError());
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, lstrlenA(line), &written, nullptr);
}

// Manual-reset and initially clear; whichever side comes first creates it.
HANDLE NamedEvent(const char* name) { return CreateEventA(nullptr, TRUE, FALSE, name); }

LRESULT CALLBACK KeeperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool IsRequest(const char* commandLine, const char* word) {
  while (*commandLine == ' ' || *commandLine == '\t') ++commandLine;
  if (*commandLine != '/' && *commandLine != '-') return false;
  std::size_t length = std::strlen(word);
  if (std::strncmp(commandLine + 1, word, length) != 0) return false;
  char after = commandLine[1 + length];
  return after == '\0' || after == ' ' || after == '\t';
}

int TellKeeperToQuit() {
  HANDLE quit = OpenEventA(EVENT_MODIFY_STATE, FALSE, kQuitEvent);
  if (!quit) return 1;
  SetEvent(quit);
  CloseHandle(quit);
  return 0;
}

// The keeper is started in the background; whoever started it waits here
// before running tests, or the first test would start the desktop process
// itself, with the test runner's output pipe, and the runner would wait for
// that process to end.
int WaitForKeeper() {
  HANDLE ready = NamedEvent(kReadyEvent);
  if (!ready) return 1;
  DWORD result = WaitForSingleObject(ready, kReadyTimeoutMs);
  CloseHandle(ready);
  return result == WAIT_OBJECT_0 ? 0 : 1;
}

int Keep(HINSTANCE instance) {
  HANDLE running = CreateMutexA(nullptr, TRUE, kRunningMutex);
  if (!running) {
    Report("CreateMutex failed");
    return 1;
  }
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    Report("a keeper runs already");
    return 0;
  }
  HANDLE ready = NamedEvent(kReadyEvent);
  HANDLE quit = NamedEvent(kQuitEvent);
  if (!ready || !quit) {
    Report("CreateEvent failed");
    return 1;
  }

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = KeeperProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) {
    Report("RegisterClass failed");
    return 1;
  }
  // Starts the desktop process (explorer) if it is not running yet.
  GetDesktopWindow();
  if (!CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr)) {
    Report("CreateWindow failed");
    return 1;
  }
  SetEvent(ready);

  for (;;) {
    DWORD woke = MsgWaitForMultipleObjects(1, &quit, FALSE, INFINITE, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) break;
    MSG message;
    bool ended = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        ended = true;
        break;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (ended) break;
  }
  ResetEvent(ready);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  if (IsRequest(commandLine, "quit")) return TellKeeperToQuit();
  if (IsRequest(commandLine, "wait")) return WaitForKeeper();
  return Keep(instance);
}
