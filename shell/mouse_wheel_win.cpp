#include "shell/mouse_wheel_win.h"

namespace kv {
namespace {

void Repeat(HWND window, int count, WPARAM back, WPARAM forward) {
  const WPARAM code = count < 0 ? back : forward;
  for (int n = count < 0 ? -count : count; n > 0; --n) SendMessageA(window, WM_VSCROLL, code, 0);
}

}  // namespace

void ScrollForWheel(HWND window, WheelState* state, int delta) {
  UINT lines = 3;  // the system's default, should it not answer
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const WheelSteps steps = TakeWheelSteps(state, delta, lines);
  Repeat(window, steps.lines, SB_LINEUP, SB_LINEDOWN);
  Repeat(window, steps.pages, SB_PAGEUP, SB_PAGEDOWN);
}

}  // namespace kv
