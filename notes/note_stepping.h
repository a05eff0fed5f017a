// Next Note and Previous Note: stepping to the nearest other verse of the
// current set that has a note, around the end of the Bible.
#pragma once

#include "notes/note_files.h"

namespace kv {

// The next verse after `from` with a note, wrapping from Revelation 22:21 to
// Genesis 1:1; a note on `from` itself does not count. With no other note in
// the set the step is one verse on.
VerseIndex NextNoteVerse(const NoteSet& set, VerseIndex from);
// The mirror image: backwards, and one verse back when nothing else is found.
VerseIndex PreviousNoteVerse(const NoteSet& set, VerseIndex from);

// Shows the next (+1) or previous (-1) note of the current set.
bool StepNote(NotesState& state, const NotesPorts& ports, int direction);

}  // namespace kv
