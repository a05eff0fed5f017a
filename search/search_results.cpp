#include "search/search_results.h"

#include <cstdio>
#include <cstring>

#include "search/key_marker.h"
#include "search/phrase_search.h"
#include "search/word_search.h"
#include "store/verse_address.h"

namespace kv {
namespace {

const char kNoMatches[] = "No Matches";

// Writes a non-negative number; chapters and verses have at most 3 digits.
int PutNumber(char* out, int value) {
  char digits[12];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0 && n < 11);
  for (int i = 0; i < n; ++i) out[i] = digits[n - 1 - i];
  return n;
}

void CopyBounded(char* out, std::size_t size, const char* text) {
  if (size == 0) return;
  std::size_t n = std::strlen(text);
  if (n >= size) n = size - 1;
  std::memcpy(out, text, n);
  out[n] = '\0';
}

// The texts lie back to back, each ended by its NUL (checked when the data
// is loaded, with every text at most 599 bytes long), so a verse's length
// follows from where the next one starts.
std::size_t VerseLength(const BibleData& data, VerseIndex v) {
  const char* text = VerseText(data, v);
  if (v == kLastVerse) return std::strlen(text);
  return static_cast<std::size_t>(VerseText(data, v + 1) - text - 1);
}

}  // namespace

void PushSearchHistory(SearchState& state) {
  std::memmove(state.search_history[1], state.search_history[0],
               sizeof state.search_history[0] * (kSearchHistorySize - 1));
  std::memcpy(state.search_history[0], state.search_text_prefill, kSearchTextSize);
  state.search_history[0][kSearchTextSize - 1] = '\0';
}

bool AddListWord(char* text, const char* word) {
  std::size_t have = strnlen(text, kSearchTextSize - 1);
  std::size_t add = strnlen(word, kListWordLimit);
  if (add == 0) return false;
  std::size_t joined = have == 0 ? add : have + 1 + add;
  if (joined > static_cast<std::size_t>(kTypedQueryLimit)) return false;
  char* out = text + have;
  if (have != 0) *out++ = ' ';
  std::memcpy(out, word, add);
  out[add] = '\0';
  return true;
}

void TakeQuery(SearchState& state, SearchDialog dialog, const char* typed) {
  CopyBounded(state.search_text_prefill, kTypedQueryLimit + 1, typed);
  if (dialog != SearchDialog::Phrase) NormalizeQuery(state);
  PushSearchHistory(state);
}

void FormatReferenceLine(const BibleData& data, VerseIndex verse, char (&out)[kReferenceLineSize]) {
  // Written by hand rather than with snprintf: a search for "the" lists
  // 24,091 verses and the list must be built within a few milliseconds.
  VerseRecord r = RecordOf(data, verse);
  const char* name = BookNames[r.book];
  std::size_t n = std::strlen(name);
  std::memcpy(out, name, n);
  out[n++] = ' ';
  n += static_cast<std::size_t>(PutNumber(out + n, r.chapter));
  out[n++] = ':';
  n += static_cast<std::size_t>(PutNumber(out + n, r.verse));
  out[n] = '\0';
}

void BuildResults(const BibleData& data, SearchState& state, MarkedVerseSink sink, void* context) {
  state.occurrence_count = 0;
  if (!state.phrase_mode) state.result_count = 0;
  state.reference_count = 0;

  VerseSpan range = SearchRange(state.options);
  char work[kMarkBufferSize];
  int taken = 0;
  for (VerseIndex v = range.first; v <= range.last; ++v) {
    std::int32_t counter = state.hit_counts[v];
    bool take = state.phrase_mode ? counter != 0
                                  : Qualifies(state.options.boolean_type, counter, state.query_word_count);
    if (!take) continue;
    if (!state.phrase_mode) ++state.result_count;
    state.verse_list[taken] = v;
    FormatReferenceLine(data, v, state.reference_list[taken]);  // before the sink, which may read it
    if (sink) {
      std::size_t marked_length;
      MarkKeysInto(state, VerseText(data, v), VerseLength(data, v), work, sizeof work, &marked_length);
      sink(context, taken, work, marked_length);
    } else {
      CountKeys(state, VerseText(data, v), VerseLength(data, v), sizeof work);
    }
    ++taken;
  }
  state.verse_list[taken] = kNoVerse;
  state.reference_count = taken;
}

void FormatSearchStatus(std::int32_t results, std::int32_t occurrences, char* out, std::size_t size) {
  std::snprintf(out, size, results == 1 ? "%d verse, %d%s" : "%d verses, %d%s", static_cast<int>(results),
                static_cast<int>(occurrences), occurrences == 1 ? " occurance" : " occurrences");
}

SearchOutcome RunSearch(const BibleData& data, SearchState& state, SearchDialog dialog, MarkedVerseSink sink,
                        void* context) {
  SearchOutcome outcome;
  state.occurrence_count = 0;
  bool answered = dialog == SearchDialog::Phrase ? RunPhraseSearch(data, state) : RunWordSearch(data, state);
  if (answered && state.query_word_count != 0) {
    state.phrase_mode = dialog == SearchDialog::Phrase && state.query_word_count > 1;
    BuildResults(data, state, sink, context);
    outcome.found = true;
  } else {
    state.result_count = 0;
    state.occurrence_count = 0;
    state.verse_list[0] = kNoVerse;
    state.reference_count = 0;
    CopyBounded(outcome.status, sizeof outcome.status, kNoMatches);
  }
  if (dialog != SearchDialog::WordSearch || state.result_count != 0)
    FormatSearchStatus(state.result_count, state.occurrence_count, outcome.status, sizeof outcome.status);
  return outcome;
}

VerseIndex SelectedResultVerse(const BibleData& data, const SearchState& state, int tab_index, int selected) {
  if (selected < 0) return kNoVerse;
  if (tab_index == 1)
    return selected < state.reference_count ? ReadListReference(data, state.reference_list[selected]) : kNoVerse;
  // Other commands shorten or refill the verse list, so its -1 end is the
  // only bound to trust.
  for (int i = 0; i < selected && i < kVerseCount; ++i)
    if (state.verse_list[i] == kNoVerse) return kNoVerse;
  return selected < kVerseListSize ? state.verse_list[selected] : kNoVerse;
}

}  // namespace kv
