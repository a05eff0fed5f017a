// The notes window (class NOTEWND) with its rich-edit display, the note
// editor frame (class NOTEEDIT), and the notes dialogs.
#pragma once

#include <windows.h>

namespace kv {

LRESULT CALLBACK NotesWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK NoteEditorFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

void RunGotoNoteDialog(HWND owner);

}  // namespace kv

namespace kv {

// The notes display's procedure while it is subclassed (its context menu and
// cross-reference lines); passes everything else on to the previous one.
LRESULT CALLBACK NotesDisplayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
extern WNDPROC g_notes_display_previous;

}  // namespace kv
