#include "passage/passage_window_win.h"

#include "shell/app_state.h"
#include "shell/navigation.h"

namespace kv {

namespace {
VerseIndex g_current_verse = 0;
HWND g_window = nullptr;
}  // namespace

void SetCurrentVerse(VerseIndex verse) {
  g_current_verse = ClampVerse(verse);
  if (g_window) InvalidateRect(g_window, nullptr, TRUE);
}

VerseIndex PassageCurrentVerse() { return g_current_verse; }

LRESULT CALLBACK PassageWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) g_window = hwnd;
  if (message == WM_DESTROY && g_window == hwnd) g_window = nullptr;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace kv
