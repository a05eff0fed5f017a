// Managing the note sets: creating, renaming, deleting and switching sets.
// The dialogs that ask for names live with the notes window; these are the
// operations they run.
#pragma once

#include <string>

#include "notes/note_files.h"

namespace kv {

// True for a name that makes two plain file names in the working folder:
// 1 to 98 characters, no path separators, none of : * ? " < > |, no control
// characters, no trailing dot or blank, and not a device name (CON, LPT1...).
bool IsValidNoteSetName(const std::string& name);

// Creates an empty set named `name` at the end of the table; the current set
// stays. Refuses a full table and a name that is not a plain file name.
bool CreateNoteSet(NotesState& state, const NotesPorts& ports, const std::string& name);

// Gives the current set's two files the name `name` and relabels the tabs.
// When the second file cannot be moved, the first gets its old name back, so
// the table always names files that exist.
bool RenameCurrentNoteSet(NotesState& state, const NotesPorts& ports, const std::string& name);

// Asks, then deletes the current set's files and drops it from the table; set
// 0 becomes current and shows the note of the same verse. Refuses to delete
// the only set.
bool DeleteCurrentNoteSet(NotesState& state, const NotesPorts& ports);

// Makes `set` current, shows the note of CurrentNoteVerse from it and selects
// its tab. The caller repaints the note markers of the other windows.
void SelectNoteSet(NotesState& state, const NotesPorts& ports, int set);
// Next (+1) or previous (-1) set, wrapping around the table.
void StepNoteSet(NotesState& state, const NotesPorts& ports, int direction);

}  // namespace kv
