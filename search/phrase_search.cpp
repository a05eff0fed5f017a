#include "search/phrase_search.h"

#include <cstring>

#include "platform/text_util.h"
#include "search/query_words.h"
#include "search/word_search.h"

namespace kv {
namespace {

constexpr int kLettersCopySize = 1000;

// Byte classes for the copy, built once: which bytes are kept, and what
// each becomes when lower-cased.
struct LetterTables {
  unsigned char keep[256];
  unsigned char lower[256];
  constexpr LetterTables() : keep(), lower() {
    for (int c = 0; c < 256; ++c) {
      keep[c] = IsAsciiLetter(static_cast<unsigned char>(c)) || c == ' ';
      lower[c] = ToLowerAscii(static_cast<unsigned char>(c));
    }
  }
};
constexpr LetterTables kTables;

// Every byte is written and the position advances only for kept bytes, so
// the loop has no branch on the text: the phrase search runs it over
// thousands of verses.
template <bool kLower, bool kSources>
int CopyLetters(const char* text, char* out, int* sources, int size) {
  int n = 0;
  for (int i = 0; text[i] && n < size - 1; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    out[n] = static_cast<char>(kLower ? kTables.lower[c] : c);
    if (kSources) sources[n] = i;
    n += kTables.keep[c];
  }
  out[n] = '\0';
  return n;
}

}  // namespace

int LettersAndBlanks(const char* text, bool lower, char* out, int* sources, int size) {
  if (sources) return lower ? CopyLetters<true, true>(text, out, sources, size) : CopyLetters<false, true>(text, out, sources, size);
  return lower ? CopyLetters<true, false>(text, out, nullptr, size) : CopyLetters<false, false>(text, out, nullptr, size);
}

namespace {

// Whether every phrase word stands in the verse as a whole word with its
// letters in the case typed.
bool HoldsEveryWordInCase(const char* text, const SearchState& state) {
  QueryWords words(state.search_text_prefill, kSearchTextSize);
  QueryWord word;
  char typed[kQueryWordBufferSize];
  while (words.Next(&word))
    if (!CopyQueryWord(word, false, typed) || !HasWholeWord(text, typed, static_cast<std::size_t>(word.length)))
      return false;
  return true;
}

}  // namespace

bool RunPhraseSearch(const BibleData& data, SearchState& state) {
  std::memset(state.hit_counts, 0, sizeof state.hit_counts);
  state.query_word_count = 0;
  state.result_count = 0;
  bool lower = !state.options.case_sensitive;

  // The words joined by single blanks are never longer than the text they
  // came from, so the phrase always fits its buffer. The concordance
  // narrows the verses without regard to case; a case-sensitive search
  // checks the case of the words only in verses that hold the phrase, the
  // fewest there are to read.
  char* phrase = state.phrase_text;
  int n = 0;
  QueryWords words(state.search_text_prefill, kSearchTextSize);
  QueryWord word;
  char typed[kQueryWordBufferSize];
  while (words.Next(&word)) {
    ++state.query_word_count;
    if (CopyQueryWord(word, false, typed)) CountWordVerses(data, state, typed, false, false);
    if (n > 0) phrase[n++] = ' ';
    for (int i = 0; i < word.length; ++i) {
      unsigned char c = static_cast<unsigned char>(word.begin[i]);
      phrase[n++] = static_cast<char>(lower ? ToLowerAscii(c) : c);
    }
  }
  phrase[n] = '\0';

  VerseSpan range = SearchRange(state.options);
  std::int32_t* counts = state.hit_counts;
  for (VerseIndex v = 0; v < range.first && v < kVerseCount; ++v) counts[v] = 0;
  for (VerseIndex v = range.last + 1 < 0 ? 0 : range.last + 1; v <= kLastVerse; ++v) counts[v] = 0;

  char copy[kLettersCopySize];
  for (VerseIndex v = range.first; v <= range.last; ++v) {
    if (counts[v] != state.query_word_count) {
      counts[v] = 0;
      continue;
    }
    // A one-word phrase that the concordance places in the verse as a whole
    // word occurs in its letters-and-blanks copy by construction, and the
    // empty phrase of a text without words occurs everywhere, so neither
    // needs the copy.
    // The phrase is letters and single blanks, which the copy keeps in
    // place, so a phrase standing in the text as typed stands in the copy
    // too. With case, most verses that hold a phrase hold it so and skip
    // the copy; without, the text rarely has the lower case of the phrase
    // and the look would be wasted.
    const char* text = VerseText(data, v);
    bool found = state.query_word_count <= 1 || (!lower && std::strstr(text, phrase) != nullptr);
    if (!found) {
      LettersAndBlanks(text, lower, copy, nullptr, kLettersCopySize);
      found = std::strstr(copy, phrase) != nullptr;
    }
    if (found && !lower) found = HoldsEveryWordInCase(text, state);
    counts[v] = found ? 1 : 0;
    if (found) ++state.result_count;
  }
  return state.result_count != 0;
}

}  // namespace kv
