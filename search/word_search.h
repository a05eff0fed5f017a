// The word search engine: finds the verses that hold all, at least one or
// exactly one of the query words, through the concordance. Case-insensitive
// whole-word searches never read verse text; the case and substring options
// read only the verses that the concordance already names.
#pragma once

#include "search/search_state.h"
#include "store/bible_data.h"

namespace kv {

// Rewrites the search text as its distinct words, lower-cased unless the
// search is case-sensitive, each followed by one blank ("lord my god ").
// A text without words is left as it is.
void NormalizeQuery(SearchState& state);

// The position of a lower-case word in the dictionary, or -1.
int FindDictionaryWord(const BibleData& data, const char* key);

// Adds the verses of one query word (NUL-terminated, as typed) to the hit
// counters. A word longer than 31 letters counts nothing.
void CountWordVerses(const BibleData& data, SearchState& state, const char* word, bool case_sensitive,
                     bool sub_string);

// Counts every verse's distinct query words into hit_counts and answers
// whether a verse of the search range qualifies under the BooleanType.
// Sets query_word_count, and result_count to 0 (the result list counts).
bool RunWordSearch(const BibleData& data, SearchState& state);

}  // namespace kv
