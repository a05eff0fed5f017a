// Searching the notes of the current set for a piece of text, verse by verse
// within the search range: Find First starts at the range's first verse,
// Find Next just after the last match shown.
#pragma once

#include <cstddef>
#include <functional>

#include "notes/note_files.h"

namespace kv {

// The note search text: 150 bytes, of which the dialog takes 148 characters.
constexpr std::size_t kNoteSearchTextSize = 150;
constexpr std::size_t kMaxNoteSearchChars = 148;

// Where the next search begins: a verse and a byte offset into its note.
struct NoteSearchPosition {
  VerseIndex verse = 0;
  std::size_t offset = 0;
};

// The search range and the two flags shared with the word search.
struct NoteSearchOptions {
  bool case_sensitive = false;
  bool substring = false;
  VerseIndex start = 0;
  VerseIndex end = kLastVerse;
};

enum class NoteSearchResult { Found, NotFound, ReadError, EmptyText };

// Called once per verse searched, for the progress bar.
using NoteSearchProgress = std::function<void(VerseIndex)>;

// Find Next: searches from `position` to the end of the range. `text` is the
// remembered search text; without case_sensitive it is lower-cased in place,
// and so stays. On a match the note is shown with the match selected and
// `position` moves to the end of the match; otherwise "Text not found" is
// told and the shown note stays. The note buffer is not used while searching,
// so the display and the buffer always agree.
NoteSearchResult FindNextNoteText(NotesState& state, const NotesPorts& ports, char* text,
                                  const NoteSearchOptions& options, NoteSearchPosition* position,
                                  const NoteSearchProgress& progress = nullptr);

// Find First: the same from the range's first verse.
NoteSearchResult FindFirstNoteText(NotesState& state, const NotesPorts& ports, char* text,
                                   const NoteSearchOptions& options, NoteSearchPosition* position,
                                   const NoteSearchProgress& progress = nullptr);

}  // namespace kv
