// The phrase search: verses that hold a sequence of words in order. The
// concordance narrows the verses first (each phrase word must stand in the
// verse as a whole word); only those are read, as letters and blanks, so
// punctuation and markup between the words do not matter.
#pragma once

#include <cstddef>

#include "search/search_state.h"
#include "store/bible_data.h"

namespace kv {

// Reduces a verse text to its ASCII letters and blanks (lower-cased when
// `lower`), at most `size` - 1 characters and a NUL. `sources` (optional,
// `size` entries) receives each kept character's position in `text`.
// Returns the number of characters kept.
int LettersAndBlanks(const char* text, bool lower, char* out, int* sources, int size);

// Leaves 1 in hit_counts for every verse of the search range that holds
// the phrase and 0 for every other verse; sets result_count to their
// number, query_word_count to the number of phrase words and phrase_text
// to the words joined by single blanks. True when a verse was found.
bool RunPhraseSearch(const BibleData& data, SearchState& state);

}  // namespace kv
