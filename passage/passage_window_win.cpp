#include "passage/passage_window_win.h"

#include "shell/app_state.h"
#include "shell/navigation.h"

namespace kv {

// Until the passage paints itself it is a plain window that keeps the
// current verse, so that the commands that move it already work.
LRESULT CALLBACK PassageWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void SetCurrentVerse(VerseIndex verse) { App().settings.CurrentVerse = ClampVerse(verse); }

VerseIndex PassageCurrentVerse() { return App().settings.CurrentVerse; }

}  // namespace kv
