// The one parser of typed references and ranges ("Ge 1:1", "genesis 1",
// "Ps 23 - 24", "Mt - Re"), used by every dialog that asks for a verse or a
// range. Its failure is shown to the user as "Unrecognized Refrence".
#pragma once

#include "store/bible_data.h"

namespace kv {

extern const char* const kUnrecognizedReference;  // "Unrecognized Refrence"

// Reads `text` (writable and NUL-terminated: trailing punctuation and the
// blanks after the digits 1, 2 and 3 are removed in place) as one verse
// into `*first`, or, when `last` is given, as a range with *first <= *last.
// Missing chapters and verses mean the first (or, at the end of a range,
// the last) of their book or chapter. On failure nothing is written to
// `first` or `last`.
bool ParseReference(const BibleData& data, char* text, VerseIndex* first, VerseIndex* last = nullptr);

}  // namespace kv
