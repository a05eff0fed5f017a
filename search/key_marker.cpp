#include "search/key_marker.h"

#include <cstdint>
#include <cstring>

#include "platform/text_util.h"
#include "search/candidate_finder.h"
#include "search/phrase_search.h"
#include "search/query_words.h"

namespace kv {
namespace {

constexpr int kLettersCopySize = 1000;
constexpr int kMaxPhraseMarks = 2 * kLettersCopySize;
constexpr std::size_t kBlock = kFinderBlock;

bool IsLetterAt(const char* text, std::size_t i) { return IsAsciiLetter(static_cast<unsigned char>(text[i])); }

// The matches of one word in `hay` (NUL-terminated, `length` bytes): the
// positions of its occurrences, or with `whole` of those that stand as a
// whole word. An occurrence inside a longer word is skipped whole. With
// `fold` the word is in lower case and matches in either case.
//
// This runs over every listed verse, 24,091 of them for "the", so the
// candidates are found 16 positions at a time by the word's first and
// last letters, and only they are compared in full.
int FindMatches(const char* hay, std::size_t length, const char* word, std::size_t n, bool fold, bool whole,
                int* at, int max) {
  if (n == 0 || n > length) return 0;
  const unsigned char case_bit = fold ? 0x20 : 0;
  const CandidateFinder finder(case_bit, static_cast<unsigned char>(word[0]), static_cast<unsigned char>(word[n - 1]),
                               n - 1);
  const std::size_t starts = length - n + 1;  // positions where a match fits
  const unsigned char* text = reinterpret_cast<const unsigned char*>(hay);
  unsigned char rest[kBlock + kQueryWordBufferSize] = {};
  int count = 0;
  std::size_t next = 0;  // no match starts before next
  for (std::size_t base = 0; base < starts && count < max; base += kBlock) {
    const unsigned char* block = text + base;
    if (base + kBlock + n - 1 > length + 1) {
      // The last block would read past the NUL: it reads a zero-padded copy.
      std::memcpy(rest, block, length - base);
      block = rest;
    }
    unsigned bits = finder.Bits(block);
    if (starts - base < kBlock) bits &= (1u << (starts - base)) - 1;  // no match runs past the text
    for (; bits && count < max; bits &= bits - 1) {
      std::size_t pos = base + static_cast<std::size_t>(__builtin_ctz(bits));
      if (pos < next) continue;  // inside the previous occurrence
      std::size_t k = 1;
      while (k + 1 < n && (text[pos + k] | case_bit) == static_cast<unsigned char>(word[k])) ++k;
      if (k + 1 < n) continue;
      next = pos + n;
      if (whole && ((pos > 0 && IsLetterAt(hay, pos - 1)) || IsLetterAt(hay, pos + n))) continue;
      at[count++] = static_cast<int>(pos);
    }
  }
  return count;
}

// The matches of a one-letter substring: every byte that is the letter, at
// most `max` of them. With "e" that is every tenth byte of the Bible, too
// many to take one by one.
int CountLetter(const char* text, std::size_t length, unsigned char letter, bool fold, int max) {
  const unsigned char case_bit = fold ? 0x20 : 0;
  const CandidateFinder finder(case_bit, letter, letter, 0);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
  std::size_t count = 0, i = 0;
  for (; i + kBlock <= length; i += kBlock) count += static_cast<std::size_t>(__builtin_popcount(finder.Bits(bytes + i)));
  for (; i < length; ++i) count += (bytes[i] | case_bit) == letter;
  return count < static_cast<std::size_t>(max) ? static_cast<int>(count) : max;
}

// Encloses the `count` matches of an `n`-letter word in braces, moving the
// text from its end backwards so that each byte moves once.
void InsertMarks(char* text, std::size_t length, const int* at, int count, std::size_t n) {
  std::size_t end = length + 1;  // the NUL moves too
  for (int k = count - 1; k >= 0; --k) {
    std::size_t match = static_cast<std::size_t>(at[k]);
    std::size_t shift = 2 * static_cast<std::size_t>(k);
    std::memmove(text + match + n + shift + 2, text + match + n, end - (match + n));
    text[match + n + shift + 1] = '}';
    std::memmove(text + match + shift + 1, text + match, n);
    text[match + shift] = '{';
    end = match;
  }
}

// Copies the `n` bytes at `from` to `out` and returns the end of the copy.
// The stretches between marks are mostly short (a one-letter substring
// marks every tenth byte), and a fixed 16-byte copy is one load and one
// store where memcpy would pick its way by size: it is taken where both
// sides have 16 bytes of room.
char* CopyRun(char* out, const char* from, std::size_t n, const char* from_end, const char* out_end) {
  constexpr std::size_t kShort = 16;
  if (n <= kShort && static_cast<std::size_t>(from_end - from) >= kShort &&
      static_cast<std::size_t>(out_end - out) >= kShort) {
    std::memcpy(out, from, kShort);
  } else {
    std::memcpy(out, from, n);
  }
  return out + n;
}

// The same from `text` into another buffer of `size` bytes, front to back.
void CopyWithMarks(const char* text, std::size_t length, const int* at, int count, std::size_t n, char* out,
                   std::size_t size) {
  const char* text_end = text + length + 1;  // the NUL is the last byte to read
  const char* out_end = out + size;
  std::size_t from = 0;
  for (int k = 0; k < count; ++k) {
    std::size_t match = static_cast<std::size_t>(at[k]);
    out = CopyRun(out, text + from, match - from, text_end, out_end);
    *out++ = '{';
    out = CopyRun(out, text + match, n, text_end, out_end);
    *out++ = '}';
    from = match + n;
  }
  std::memcpy(out, text + from, length + 1 - from);
}

// Puts `count` marks into `text` (`length` bytes and its NUL), the result
// going to `out`, which may be `text` itself: mark m goes before byte
// at[m] (ascending), a mark before a later one at the same byte.
// Backwards, so that in place each byte moves once and before it is
// overwritten.
void PlaceMarks(const char* text, std::size_t length, const int* at, const char* mark, int count, char* out) {
  std::size_t end = length + 1;
  for (int m = count - 1; m >= 0; --m) {
    std::size_t pos = static_cast<std::size_t>(at[m]);
    std::memmove(out + pos + static_cast<std::size_t>(m) + 1, text + pos, end - pos);
    out[pos + static_cast<std::size_t>(m)] = mark[m];
    end = pos;
  }
  if (out != text) std::memcpy(out, text, end);
}

// How many more matches a text of `length` bytes can take the marks of in
// a buffer of `size` bytes, at most as many as the position array holds.
int MatchesThatFit(std::size_t size, std::size_t length) {
  std::size_t room = (size - 1 - length) / 2;
  return room < kMarkBufferSize / 2 ? static_cast<int>(room) : kMarkBufferSize / 2;
}

// Word mode: each query word in turn, the later ones in the text the
// earlier ones marked already. The first word's matches are copied from
// `text` into `out` together with its marks; the rest go in place.
int MarkWords(const SearchState& state, const char* text, std::size_t length, char* out, std::size_t size,
              std::size_t* marked_length) {
  bool fold = !state.options.case_sensitive;
  bool whole = !state.options.sub_string;
  int at[kMarkBufferSize / 2];
  int marked = 0;
  const char* source = text;
  QueryWords words(state.search_text_prefill, kSearchTextSize);
  QueryWord query;
  char word[kQueryWordBufferSize];
  while (words.Next(&query)) {
    if (!CopyQueryWord(query, fold, word)) continue;
    std::size_t n = static_cast<std::size_t>(query.length);
    int max = MatchesThatFit(size, length);
    int count = FindMatches(source, length, word, n, fold, whole, at, max);
    if (count == 0) continue;
    if (source == out) {
      InsertMarks(out, length, at, count, n);
    } else {
      CopyWithMarks(source, length, at, count, n, out, size);
      source = out;
    }
    length += 2 * static_cast<std::size_t>(count);
    marked += count;
  }
  if (source != out) std::memcpy(out, source, length + 1);
  *marked_length = length;
  return marked;
}

int MarkPhrase(const SearchState& state, const char* text, std::size_t length, char* out, std::size_t size,
               std::size_t* marked_length) {
  char copy[kLettersCopySize];
  int sources[kLettersCopySize];
  LettersAndBlanks(text, !state.options.case_sensitive, copy, sources, kLettersCopySize);
  std::size_t phrase_length = std::strlen(state.phrase_text);

  // Positions in `text` before which a mark goes, in ascending order.
  int at[kMaxPhraseMarks];
  char mark[kMaxPhraseMarks];
  int count = 0;
  int occurrences = 0;
  const char* found = phrase_length == 0 ? nullptr : std::strstr(copy, state.phrase_text);
  for (; found; found = std::strstr(found + phrase_length, state.phrase_text)) {
    int begin = static_cast<int>(found - copy);
    int end = begin + static_cast<int>(phrase_length);
    int marks_before = count;
    for (int k = begin; k < end; ++k) {
      if (copy[k] == ' ') continue;
      int run_end = k;
      while (run_end + 1 < end && copy[run_end + 1] != ' ') ++run_end;
      at[count] = sources[k];
      mark[count++] = '{';
      at[count] = sources[run_end] + 1;
      mark[count++] = '}';
      k = run_end;
    }
    if (length + static_cast<std::size_t>(count) >= size) {
      count = marks_before;  // this occurrence's marks would not fit
      break;
    }
    ++occurrences;
  }
  PlaceMarks(text, length, at, mark, count, out);
  *marked_length = length + static_cast<std::size_t>(count);
  return occurrences;
}

}  // namespace

int MarkKeysInto(SearchState& state, const char* text, std::size_t length, char* out, std::size_t size,
                 std::size_t* marked_length) {
  if (length + 1 > size) {
    if (size > 0) out[0] = '\0';
    *marked_length = 0;
    return 0;
  }
  int marked = state.phrase_mode ? MarkPhrase(state, text, length, out, size, marked_length)
                                 : MarkWords(state, text, length, out, size, marked_length);
  state.occurrence_count += marked;
  return marked;
}

int CountKeys(SearchState& state, const char* text, std::size_t length, std::size_t size) {
  if (length + 1 > size) return 0;
  bool fold = !state.options.case_sensitive;
  bool whole = !state.options.sub_string;
  int words_seen = 0;  // up to two: whether there is more than one is all that matters
  if (!whole) {
    QueryWords words(state.search_text_prefill, kSearchTextSize);
    QueryWord query;
    while (words_seen < 2 && words.Next(&query)) ++words_seen;
  }
  if (!state.phrase_mode && (whole || words_seen <= 1)) {
    int at[kMarkBufferSize / 2];
    int counted = 0;
    std::size_t marked_length = length;  // as the marks of the words before would have made it
    QueryWords words(state.search_text_prefill, kSearchTextSize);
    QueryWord query;
    char word[kQueryWordBufferSize];
    while (words.Next(&query)) {
      if (!CopyQueryWord(query, fold, word)) continue;
      int max = MatchesThatFit(size, marked_length);
      int count = !whole && query.length == 1
                      ? CountLetter(text, length, static_cast<unsigned char>(word[0]), fold, max)
                      : FindMatches(text, length, word, static_cast<std::size_t>(query.length), fold, whole, at, max);
      marked_length += 2 * static_cast<std::size_t>(count);
      counted += count;
    }
    state.occurrence_count += counted;
    return counted;
  }
  char work[kMarkBufferSize];
  std::size_t marked_length;
  return MarkKeysInto(state, text, length, work, size < sizeof work ? size : sizeof work, &marked_length);
}

int MarkKeys(SearchState& state, char* text, std::size_t length, std::size_t size) {
  if (length + 1 > size) return 0;
  std::size_t marked_length;
  return MarkKeysInto(state, text, length, text, size, &marked_length);
}

int MarkKeys(SearchState& state, char* text, std::size_t size) {
  if (size == 0) return 0;
  return MarkKeys(state, text, std::strlen(text), size);
}

}  // namespace kv
