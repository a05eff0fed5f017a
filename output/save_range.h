// The saves of the File menu once the user has chosen what to save and where:
// Save Range with the notes of a set, and Save Verse List.
#pragma once

#include <string>

#include "notes/note_files.h"
#include "output/format_options.h"
#include "store/bible_data.h"

namespace kv {

// No notes go with the verses.
constexpr int kNoNoteSet = -1;

// True for the name of a note set's file ("Study.nmd", "Study.nmi" and their
// ".temp" companions), whatever the folder and the case of the letters. A
// save never writes over one: it would destroy the notes it names. Trailing
// dots and blanks, which the system drops from a name, are ignored.
bool NamesNoteSetFile(const std::string& file_name);

// Writes verses first..last to `file_name` under `options`, each followed by
// its note from set `note_set` of the table (kNoNoteSet: none), whichever set
// is current. The current set stays current, and its note of CurrentNoteVerse
// is shown again afterwards. A save that fails after making its file removes
// that file again, so that nothing is left that looks like a finished save; a
// file that could not be made, or names a note set's file, is left alone.
// False when the save failed (the user has been told why through ports.user).
bool SaveRangeWithNotes(const BibleData& data, const FormatOptions& options, VerseIndex first,
                        VerseIndex last, const std::string& file_name, int note_set,
                        NotesState& notes, const NotesPorts& ports);

// The verse list's lines to `file_name`, as SaveVerseList writes them, with
// the same care: never over a note set's file, no partial file left behind.
bool SaveVerseListToFile(const BibleData& data, const VerseIndex* list, Files& files,
                         const std::string& file_name, UserServices& messages);

}  // namespace kv
