#include "search/key_marker.h"

#include <cstring>

#include "platform/text_util.h"
#include "search/phrase_search.h"
#include "search/query_words.h"

namespace kv {
namespace {

constexpr int kLettersCopySize = 1000;
constexpr int kMaxPhraseMarks = 2 * kLettersCopySize;

bool IsLetterAt(const char* text, std::size_t i) { return IsAsciiLetter(static_cast<unsigned char>(text[i])); }

// Whether `word` (all letters) occurs at text[i]. When folding, `word` is
// lower case and a text byte matches it when the byte OR 0x20 equals it:
// for a lower-case letter that holds exactly for the letter and its upper
// case.
bool WordStartsAt(const char* text, std::size_t i, const char* word, std::size_t length, bool fold) {
  for (std::size_t k = 0; k < length; ++k) {
    unsigned char c = static_cast<unsigned char>(text[i + k]);
    if (fold) c |= 0x20;
    if (c != static_cast<unsigned char>(word[k])) return false;
  }
  return true;
}

void InsertAt(char* text, std::size_t* length, std::size_t at, char mark) {
  std::memmove(text + at + 1, text + at, *length - at + 1);
  text[at] = mark;
  ++*length;
}

int MarkWords(const SearchState& state, char* text, std::size_t size) {
  bool fold = !state.options.case_sensitive;
  bool whole = !state.options.sub_string;
  std::size_t length = std::strlen(text);
  int marked = 0;
  QueryWords words(state.search_text_prefill, kSearchTextSize);
  QueryWord query;
  char word[kQueryWordBufferSize];
  while (words.Next(&query)) {
    if (!CopyQueryWord(query, fold, word)) continue;
    std::size_t n = static_cast<std::size_t>(query.length);
    unsigned char first = static_cast<unsigned char>(word[0]);
    std::size_t i = 0;
    while (i + n <= length) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      if ((fold ? (c | 0x20) : c) != first || !WordStartsAt(text, i, word, n, fold)) {
        ++i;
        continue;
      }
      if (whole && ((i > 0 && IsLetterAt(text, i - 1)) || IsLetterAt(text, i + n))) {
        i += n;  // part of a longer word: resume after it
        continue;
      }
      if (length + 2 >= size) return marked;  // no room for the marks
      InsertAt(text, &length, i, '{');
      InsertAt(text, &length, i + n + 1, '}');
      ++marked;
      i += n + 1;  // at the '}'
    }
  }
  return marked;
}

int MarkPhrase(const SearchState& state, char* text, std::size_t size) {
  char copy[kLettersCopySize];
  int sources[kLettersCopySize];
  LettersAndBlanks(text, !state.options.case_sensitive, copy, sources, kLettersCopySize);
  std::size_t phrase_length = std::strlen(state.phrase_text);
  std::size_t length = std::strlen(text);
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

int MarkKeys(SearchState& state, char* text, std::size_t size) {
  if (size == 0) return 0;
  int marked = state.phrase_mode ? MarkPhrase(state, text, size) : MarkWords(state, text, size);
  state.occurrence_count += marked;
  return marked;
}

}  // namespace kv
