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

// The note editor's procedure while it is subclassed: passes everything on
// to the previous one, keeping the selection out of line breaks.
LRESULT CALLBACK NoteEditorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
extern WNDPROC g_note_editor_previous;

// Passes a message on to a rich-edit control's `previous` procedure, and
// keeps the selection the message moved out of line breaks: when Left or
// Right left an end of it between the CR and the LF of a line break, the key
// is passed on once more, so that it moves over the whole line break; when a
// key or the mouse left it past the end of the text, it ends at the end.
// Some rich-edit controls step through a line break a character at a time,
// step into the hidden break of the last line with Right at the end, and
// select words past the end on a double click below the text. A note typed
// there holds a broken line, and such a paragraph, or such a selection
// copied, brings down those controls.
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
