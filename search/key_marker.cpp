#include "search/key_marker.h"

#include <cstdint>
#include <cstring>

#include "platform/text_util.h"
#include "search/phrase_search.h"
#include "search/query_words.h"

namespace kv {
namespace {

constexpr int kLettersCopySize = 1000;
constexpr int kMaxPhraseMarks = 2 * kLettersCopySize;

bool IsLetterAt(const char* text, std::size_t i) { return IsAsciiLetter(static_cast<unsigned char>(text[i])); }

void InsertAt(char* text, std::size_t* length, std::size_t at, char mark) {
  std::memmove(text + at + 1, text + at, *length - at + 1);
  text[at] = mark;
  ++*length;
}

// Lower-cases `n` bytes eight at a time: this runs over every listed
// verse, 24,091 of them for "the". A byte is an upper-case letter when its
// low seven bits lie in 'A'..'Z' and its top bit is clear; adding 0x20 to
// just those bytes cannot carry into a neighbour.
void LowerCase(const char* text, std::size_t n, char* out) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kHigh = 0x80 * kOnes;
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t x;
    std::memcpy(&x, text + i, 8);
    std::uint64_t low7 = x & ~kHigh;
    std::uint64_t at_least_a = low7 + (0x80 - 'A') * kOnes;  // top bit set where low7 >= 'A'
    std::uint64_t above_z = low7 + (0x80 - 'Z' - 1) * kOnes;  // top bit set where low7 > 'Z'
    std::uint64_t upper = at_least_a & ~above_z & ~x & kHigh;
    x += upper >> 2;  // 0x80 >> 2 == 0x20
    std::memcpy(out + i, &x, 8);
  }
  for (; i < n; ++i) out[i] = static_cast<char>(ToLowerAscii(static_cast<unsigned char>(text[i])));
}

// Bytes of `x` equal to the byte in every lane of `lanes`: the top bit of
// each such byte is set, every other bit is clear (no false positives, so
// the bits can be walked without checking).
inline std::uint64_t EqualBytes(std::uint64_t x, std::uint64_t lanes) {
  constexpr std::uint64_t kLow7 = 0x7f7f7f7f7f7f7f7full;
  std::uint64_t v = x ^ lanes;
  return ~(((v & kLow7) + kLow7) | v | kLow7);
}

// The matches of one word in `hay` (NUL-terminated, `length` bytes): the
// positions of its occurrences, or with `whole` of those that stand as a
// whole word. An occurrence inside a longer word is skipped whole.
//
// This runs over every listed verse, 24,091 of them for "the", so
// candidates are found eight positions at a time by their first two bytes.
int FindMatches(const char* hay, std::size_t length, const char* word, std::size_t n, bool whole, int* at,
                int max) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  int count = 0;
  std::size_t i = 0;  // no match starts before i
  auto consider = [&](std::size_t pos) {
    if (pos < i) return;  // inside the previous occurrence
    for (std::size_t k = 1; k < n; ++k)
      if (hay[pos + k] != word[k]) return;
    i = pos + n;
    if (whole && ((pos > 0 && IsLetterAt(hay, pos - 1)) || IsLetterAt(hay, pos + n))) return;
    if (count < max) at[count++] = static_cast<int>(pos);
  };
  std::uint64_t first = static_cast<unsigned char>(word[0]) * kOnes;
  std::uint64_t second = static_cast<unsigned char>(n > 1 ? word[1] : 0) * kOnes;
  std::size_t block = 0;
  // Whole blocks whose eight positions and the byte after them lie inside
  // the text and its NUL.
  for (; block + 9 <= length + 1 && count < max; block += 8) {
    std::uint64_t x, y;
    std::memcpy(&x, hay + block, 8);
    std::memcpy(&y, hay + block + 1, 8);
    std::uint64_t hits = EqualBytes(x, first);
    if (n > 1) hits &= EqualBytes(y, second);
    while (hits) {
      int lane = __builtin_ctzll(hits) / 8;  // little-endian: lowest bit is the first byte
      hits &= hits - 1;
      consider(block + static_cast<std::size_t>(lane));
    }
  }
  for (std::size_t pos = block; pos + n <= length && count < max; ++pos)
    if (hay[pos] == word[0]) consider(pos);
  return count;
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

int MarkWords(const SearchState& state, char* text, std::size_t length, std::size_t size) {
  bool fold = !state.options.case_sensitive;
  bool whole = !state.options.sub_string;
  // The shadow has kMarkBufferSize bytes, so a folded search marks no more
  // than fits there even in a larger buffer.
  std::size_t limit = fold && size > static_cast<std::size_t>(kMarkBufferSize) ? kMarkBufferSize : size;
  if (length + 1 > limit) return 0;
  // Without regard to case the words are looked for in a lower-cased
  // shadow of the text, which gets the same marks as the text itself.
  char shadow[kMarkBufferSize];
  if (fold) LowerCase(text, length + 1, shadow);
  const char* hay = fold ? shadow : text;
  int at[kMarkBufferSize / 2];
  int marked = 0;
  QueryWords words(state.search_text_prefill, kSearchTextSize);
  QueryWord query;
  char word[kQueryWordBufferSize];
  bool more = words.Next(&query);
  while (more) {
    bool usable = CopyQueryWord(query, fold, word);
    more = words.Next(&query);
    if (!usable) continue;
    std::size_t n = std::strlen(word);
    int room = static_cast<int>((limit - 1 - length) / 2);  // matches whose marks still fit
    int count = FindMatches(hay, length, word, n, whole, at, room < kMarkBufferSize / 2 ? room : kMarkBufferSize / 2);
    if (count == 0) continue;
    InsertMarks(text, length, at, count, n);
    if (fold && more) InsertMarks(shadow, length, at, count, n);
    length += 2 * static_cast<std::size_t>(count);
    marked += count;
  }
  return marked;
}

int MarkPhrase(const SearchState& state, char* text, std::size_t length, std::size_t size) {
  char copy[kLettersCopySize];
  int sources[kLettersCopySize];
  LettersAndBlanks(text, !state.options.case_sensitive, copy, sources, kLettersCopySize);
  std::size_t phrase_length = std::strlen(state.phrase_text);
  if (phrase_length == 0) return 0;

  // Positions in `text` before which a mark goes, in ascending order.
  int at[kMaxPhraseMarks];
  char mark[kMaxPhraseMarks];
  int count = 0;
  int occurrences = 0;
  for (const char* found = std::strstr(copy, state.phrase_text); found;
       found = std::strstr(found + phrase_length, state.phrase_text)) {
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
  // From the end backwards, so the positions still to use stay valid; a
  // mark at the same position as a later one goes in front of it.
  for (int m = count - 1; m >= 0; --m) InsertAt(text, &length, static_cast<std::size_t>(at[m]), mark[m]);
  return occurrences;
}

}  // namespace

int MarkKeys(SearchState& state, char* text, std::size_t length, std::size_t size) {
  if (length + 1 > size) return 0;
  int marked = state.phrase_mode ? MarkPhrase(state, text, length, size) : MarkWords(state, text, length, size);
  state.occurrence_count += marked;
  return marked;
}

int MarkKeys(SearchState& state, char* text, std::size_t size) {
  if (size == 0) return 0;
  return MarkKeys(state, text, std::strlen(text), size);
}

}  // namespace kv
