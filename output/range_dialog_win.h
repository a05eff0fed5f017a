// What the Copy Verse, Copy Range, Save Range and Print Range dialogs share:
// the starting text of their reference box, the reading of what the user
// typed, and the note-set list with its "Include notes" box.
#pragma once

#include <windows.h>

#include <string>

#include "notes/note_files.h"
#include "store/bible_data.h"

namespace kv {

// The dialogs' text boxes hold at most 98 characters.
constexpr int kRangeTextSize = 99;

// The passage's verse as "Eph 6:17", or as "Eph 6:17 -" to start a range.
std::string VerseStartText(const BibleData& data);
std::string RangeStartText(const BibleData& data);

enum class TypedRange { Empty, Unrecognized, Read };

// Reads box `edit` of `dialog` as one verse (`last` null) or as a range. An
// unrecognized text is told in a box owned by the dialog. `typed`, when
// given, receives the text as the user typed it.
TypedRange ReadTypedRange(HWND dialog, int edit, const BibleData& data, VerseIndex* first,
                          VerseIndex* last, std::string* typed = nullptr);

// Fills list `list_id` of `dialog` with the note sets in table order, the
// current one selected, and clears check box `include_id`.
void FillNoteSetChoice(HWND dialog, int list_id, int include_id, const NotesState& notes);
// The set whose notes go with the verses: the list's when the box is checked,
// otherwise kNoNoteSet.
int ChosenNoteSet(HWND dialog, int list_id, int include_id);

}  // namespace kv
