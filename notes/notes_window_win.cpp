#include "notes/notes_window_win.h"

namespace kv {

// The notes window and its dialogs come with the note editor; until then the
// windows are plain ones of their classes and the dialogs open nothing.
LRESULT CALLBACK NotesWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
LRESULT CALLBACK NoteEditorFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RunGotoNoteDialog(HWND) {}

}  // namespace kv

namespace kv {

WNDPROC g_notes_display_previous = nullptr;

LRESULT CALLBACK NotesDisplayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(g_notes_display_previous, hwnd, message, wParam, lParam);
}

}  // namespace kv
