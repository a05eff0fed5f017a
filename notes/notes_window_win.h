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

// The note editor's procedure while it is subclassed: the arrow keys step
// over a whole line break; passes everything on to the previous one.
LRESULT CALLBACK NoteEditorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
extern WNDPROC g_note_editor_previous;

// Passes a message on to a rich-edit control's `previous` procedure. When it
// was Left or Right and the end of the selection it moved came to rest
// between the CR and the LF of a line break, the key is passed on once more,
// so that the selection moves over the whole line break; a caret moved past
// the end of the text goes back to the end. Some rich-edit controls step
// through a line break a character at a time, and Right at the end steps
// into the hidden break of the last line: a note typed there would hold a
// broken line, and such a paragraph brings down those controls' own word
// wrapping.
LRESULT PassKeepingLineBreaksWhole(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

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
