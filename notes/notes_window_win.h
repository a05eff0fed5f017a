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

// After the display's own double click has selected a word: when the word
// stands on a cross-reference line, the verse list and the reference list
// get the verses the line names.
void FollowCrossReferences();

// Before the main window closes: when the note editor holds text that
// differs from the note it opened with, asks whether to save it (Yes saves,
// No drops the change). False when the program must stay open: the answer
// was Cancel, or the save did not go through and the editor keeps its text.
bool ConfirmNoteEditorClose(HWND owner);

}  // namespace kv
