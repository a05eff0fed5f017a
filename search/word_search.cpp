#include "search/word_search.h"

#include <cstring>

#include "platform/text_util.h"
#include "search/query_words.h"

namespace kv {
namespace {

constexpr int kVerseCopySize = kMaxVerseBytes + 1;

bool InRange(VerseIndex v, VerseSpan range) { return v >= range.first && v <= range.last; }

// Whether `word` stands in `text` as a whole word (no letter right before or
// after it). Every occurrence is looked at, so a verse whose first "God" is
// part of "Godhead" is still found by a later "God".
bool HasWholeWord(const char* text, const char* word, std::size_t length) {
  for (const char* at = std::strstr(text, word); at; at = std::strstr(at + length, word)) {
    bool starts = at == text || !IsAsciiLetter(static_cast<unsigned char>(at[-1]));
    if (starts && !IsAsciiLetter(static_cast<unsigned char>(at[length]))) return true;
  }
  return false;
}

void LowerCopy(const char* text, char (&out)[kVerseCopySize]) {
  int i = 0;
  for (; i < kVerseCopySize - 1 && text[i]; ++i)
    out[i] = static_cast<char>(ToLowerAscii(static_cast<unsigned char>(text[i])));
  out[i] = '\0';
}

// A verse that several dictionary words of a substring search counted more
// than once gets the number of distinct query words in its text instead.
std::int32_t CountQueryWordsIn(const BibleData& data, const SearchState& state, VerseIndex v) {
  char lowered[kVerseCopySize];
  const char* text = VerseText(data, v);
  if (!state.options.case_sensitive) {
    LowerCopy(text, lowered);
    text = lowered;
  }
  std::int32_t count = 0;
  QueryWords words(state.search_text_prefill, kSearchTextSize);
  QueryWord word;
  char key[kQueryWordBufferSize];
  while (words.Next(&word))
    if (CopyQueryWord(word, !state.options.case_sensitive, key) && std::strstr(text, key)) ++count;
  return count;
}

}  // namespace

void NormalizeQuery(SearchState& state) {
  char work[kSearchTextSize];
  std::memcpy(work, state.search_text_prefill, sizeof work);
  work[kSearchTextSize - 1] = '\0';
  if (!state.options.case_sensitive)
    for (char& c : work) c = static_cast<char>(ToLowerAscii(static_cast<unsigned char>(c)));

  QueryWord kept[kSearchTextSize / 2];
  int kept_count = 0;
  QueryWords words(work, sizeof work);
  QueryWord word;
  while (words.Next(&word)) {
    bool repeated = false;
    for (int k = 0; k < kept_count && !repeated; ++k)
      repeated = kept[k].length == word.length && std::memcmp(kept[k].begin, word.begin, static_cast<std::size_t>(word.length)) == 0;
    if (!repeated) kept[kept_count++] = word;
  }
  if (kept_count == 0) return;

  // The words and their single blanks are never longer than the text they
  // came from, except for the trailing blank after a text that ends in a
  // letter; a 199-character text keeps its last word and loses that blank.
  char* out = state.search_text_prefill;
  int n = 0;
  for (int k = 0; k < kept_count; ++k) {
    std::memcpy(out + n, kept[k].begin, static_cast<std::size_t>(kept[k].length));
    n += kept[k].length;
    if (n < kSearchTextSize - 1) out[n++] = ' ';
  }
  out[n] = '\0';
}

int FindDictionaryWord(const BibleData& data, const char* key) {
  int low = 0, high = WordCount(data) - 1;
  while (low <= high) {
    int mid = low + (high - low) / 2;
    int order = std::strcmp(WordAt(data, mid), key);  // strcmp compares unsigned bytes
    if (order == 0) return mid;
    if (order < 0) low = mid + 1;
    else high = mid - 1;
  }
  return -1;
}

void CountWordVerses(const BibleData& data, SearchState& state, const char* word, bool case_sensitive,
                     bool sub_string) {
  std::size_t length = std::strlen(word);
  if (length == 0 || length > static_cast<std::size_t>(kMaxQueryWordLetters)) return;
  char key[kQueryWordBufferSize];
  for (std::size_t i = 0; i <= length; ++i) key[i] = static_cast<char>(ToLowerAscii(static_cast<unsigned char>(word[i])));
  std::int32_t* counts = state.hit_counts;
  VerseSpan range = SearchRange(state.options);

  if (!sub_string) {
    int w = FindDictionaryWord(data, key);
    if (w < 0) return;
    WordRun run = WordVersesOf(data, w);
    if (!case_sensitive) {
      for (const std::uint16_t* v = run.begin; v != run.end; ++v) ++counts[*v];
      return;
    }
    for (const std::uint16_t* v = run.begin; v != run.end; ++v)
      if (InRange(*v, range) && HasWholeWord(VerseText(data, *v), word, length)) ++counts[*v];
    return;
  }

  for (int w = 0; w < WordCount(data); ++w) {
    if (!std::strstr(WordAt(data, w), key)) continue;
    WordRun run = WordVersesOf(data, w);
    if (!case_sensitive) {
      for (const std::uint16_t* v = run.begin; v != run.end; ++v) ++counts[*v];
      continue;
    }
    for (const std::uint16_t* v = run.begin; v != run.end; ++v)
      if (InRange(*v, range) && std::strstr(VerseText(data, *v), word)) ++counts[*v];
  }
}

bool RunWordSearch(const BibleData& data, SearchState& state) {
  std::memset(state.hit_counts, 0, sizeof state.hit_counts);
  state.query_word_count = 0;
  state.result_count = 0;

  QueryWords words(state.search_text_prefill, kSearchTextSize);
  QueryWord word;
  char typed[kQueryWordBufferSize];
  while (words.Next(&word)) {
    ++state.query_word_count;
    if (CopyQueryWord(word, false, typed))
      CountWordVerses(data, state, typed, state.options.case_sensitive, state.options.sub_string);
  }

  VerseSpan range = SearchRange(state.options);
  if (state.options.sub_string)
    for (VerseIndex v = range.first; v <= range.last; ++v)
      if (state.hit_counts[v] > 1) state.hit_counts[v] = CountQueryWordsIn(data, state, v);

  for (VerseIndex v = range.first; v <= range.last; ++v)
    if (Qualifies(state.options.boolean_type, state.hit_counts[v], state.query_word_count)) return true;
  return false;
}

}  // namespace kv
