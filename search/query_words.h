// Splitting a search text into query words: maximal runs of the ASCII
// letters; every other byte separates words. Shared by the engines and the
// key marker so that they always agree on what the words are.
#pragma once

#include <cstddef>

#include "platform/text_util.h"
#include "search/search_state.h"

namespace kv {

struct QueryWord {
  const char* begin = nullptr;
  int length = 0;
};

// Walks the words of a NUL-terminated text of at most `size` bytes (the
// fixed buffers of the state are never trusted to hold their NUL).
class QueryWords {
 public:
  QueryWords(const char* text, std::size_t size) : p_(text), end_(text) {
    while (static_cast<std::size_t>(end_ - text) < size && *end_) ++end_;
  }

  bool Next(QueryWord* word) {
    while (p_ < end_ && !IsAsciiLetter(static_cast<unsigned char>(*p_))) ++p_;
    if (p_ == end_) return false;
    word->begin = p_;
    while (p_ < end_ && IsAsciiLetter(static_cast<unsigned char>(*p_))) ++p_;
    word->length = static_cast<int>(p_ - word->begin);
    return true;
  }

 private:
  const char* p_;
  const char* end_;
};

// Copies a word into a per-word buffer, lower-cased when `lower` is set.
// False (and nothing copied) for a word longer than the buffer's 31
// letters: no dictionary word is that long, so such a word matches nothing.
inline bool CopyQueryWord(const QueryWord& word, bool lower, char (&out)[kQueryWordBufferSize]) {
  if (word.length > kMaxQueryWordLetters) return false;
  for (int i = 0; i < word.length; ++i) {
    unsigned char c = static_cast<unsigned char>(word.begin[i]);
    out[i] = static_cast<char>(lower ? ToLowerAscii(c) : c);
  }
  out[word.length] = '\0';
  return true;
}

}  // namespace kv
