// "SearchNotes": Find First / Find Next through the notes of the current
// set, with the "SEARCHPROGRESS" bar shown while a search runs.
#pragma once

#include <windows.h>

namespace kv {

// Runs the dialog over `owner` (the main window). It starts with the note
// search text and from the shown note's caret; each Find shows the next
// match selected in the notes display, and the dialog stays open until
// Cancel or a Find with an empty text.
void RunSearchNotesDialog(HWND owner);

}  // namespace kv
