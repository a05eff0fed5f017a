#include "verselist/verse_list_window_win.h"

#include "shell/app_state.h"

namespace kv {

// Until the verse list paints and scrolls, its top row is the first entry.
LRESULT CALLBACK VerseListWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

VerseIndex ListCurrentVerse() { return App().search.verse_list[0]; }

}  // namespace kv

namespace kv {

WNDPROC g_verse_list_tab_previous = nullptr;

LRESULT CALLBACK VerseListTabProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(g_verse_list_tab_previous, hwnd, message, wParam, lParam);
}

}  // namespace kv
