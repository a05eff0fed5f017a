// Key highlighting: marks the matches of the last search in a working copy
// of a verse's text with '{' before and '}' after each, which the stored text
// never holds. The verse list paints the marked runs in the key colour, and
// the marking counts the occurrences the status bar shows.
#pragma once

#include <cstddef>

#include "search/search_state.h"

namespace kv {

// The caller's buffers for marking hold this much (a 599-byte verse has room
// for well over a thousand marks).
constexpr int kMarkBufferSize = 4000;

// Marks `text` (NUL-terminated, `size` bytes of room) in place after the
// last search: each query word as a whole word or substring (word mode), or
// every letter run of each occurrence of the phrase (phrase mode). Adds the
// number of matches to occurrence_count and returns it. A match whose marks
// would not fit the buffer is left unmarked and uncounted.
int MarkKeys(SearchState& state, char* text, std::size_t size);
// The same for a text whose length the caller knows already.
int MarkKeys(SearchState& state, char* text, std::size_t length, std::size_t size);
// The same, leaving `text` (`length` bytes and its NUL) as it is and writing
// the marked text to `out` (`size` bytes of room, not overlapping `text`);
// `*marked_length` receives its length. Building the result list this way
// moves each byte of a verse once.
int MarkKeysInto(SearchState& state, const char* text, std::size_t length, char* out, std::size_t size,
                 std::size_t* marked_length);

// The number MarkKeysInto would add to occurrence_count for `text`, added
// the same way, for callers that want the count and not the marked text
// (a result list whose verses are marked only when shown). Marks are not
// letters, so where every query word is matched as a whole word, or there
// is only one word, the count does not depend on the marks the earlier
// words put in, and the text is only read; otherwise it is marked in a
// working copy.
int CountKeys(SearchState& state, const char* text, std::size_t length, std::size_t size);

}  // namespace kv
