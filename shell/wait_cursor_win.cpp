#include "shell/wait_cursor_win.h"

#include <windows.h>

#include "shell/program_win.h"

namespace kv {

void WithWaitCursor(const std::function<void()>& operation) {
  SetCapture(Windows().main);
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  operation();
  SetCursor(previous);
  ReleaseCapture();
}

}  // namespace kv
