// The search subsystem's part of the process-wide state: the options, the
// query, the per-verse hit counters the engines fill, and the result list the
// verse list window shows. Callers own one SearchState and pass it in; every
// buffer is preallocated here so that no search allocates.
#pragma once

#include <cstdint>

#include "store/bible_data.h"

namespace kv {

constexpr int kSearchTextSize = 200;      // SearchTextPrefill, PhraseText, history entries
constexpr int kTypedQueryLimit = 198;     // what OK takes from the dialog's text box
constexpr int kSearchHistorySize = 10;
constexpr int kMaxQueryWordLetters = 31;  // the per-word work buffers hold 31 letters and a NUL
constexpr int kQueryWordBufferSize = kMaxQueryWordLetters + 1;
constexpr int kVerseListSize = kVerseCount + 1;  // every verse and the -1 end
constexpr int kHitCountSize = kVerseCount + 1;
// "Song of Solomon 8:14", "1 Thessalonians 5:28": the longest full
// references have 20 characters.
constexpr int kReferenceLineSize = 24;
constexpr int kStatusTextSize = 48;       // "31102 verses, 2147483647 occurrences"

// BooleanType values.
constexpr int kAllWords = 0;
constexpr int kAnyWord = 1;
constexpr int kOneWord = 2;

struct SearchOptions {
  int boolean_type = kAllWords;
  bool case_sensitive = false;
  bool sub_string = false;
  int proximity = 0;  // kept in the settings, used by no search
  VerseIndex start_verse = 0;
  VerseIndex end_verse = kLastVerse;
};

struct SearchState {
  SearchOptions options;
  // The search text: the dialogs' starting text and, after OK, the query.
  char search_text_prefill[kSearchTextSize] = {};
  // Entry 0 is the most recent query.
  char search_history[kSearchHistorySize][kSearchTextSize] = {};

  // Left by the last word or phrase search; the result list and the key
  // marker read them.
  std::int32_t hit_counts[kHitCountSize] = {};
  std::int32_t query_word_count = 0;
  char phrase_text[kSearchTextSize] = {};

  // The result list: verses in canonical order, ended by -1, with one full
  // reference per entry for the reference list.
  VerseIndex verse_list[kVerseListSize];
  char reference_list[kVerseCount][kReferenceLineSize] = {};
  std::int32_t reference_count = 0;  // lines in use; mirrors the verse list
  std::int32_t result_count = 0;
  std::int32_t occurrence_count = 0;
  bool phrase_mode = false;

  SearchState() {
    for (VerseIndex& v : verse_list) v = kNoVerse;
  }
};

// Whether a verse whose counter is `counter` qualifies under `boolean_type`
// for a query of `query_word_count` words.
inline bool Qualifies(int boolean_type, std::int32_t counter, std::int32_t query_word_count) {
  if (boolean_type == kAllWords) return counter == query_word_count;
  if (boolean_type == kAnyWord) return counter != 0;
  return counter == 1;
}

// The search range clamped to the verses that exist. The range comes from
// the settings file too, so the engines never trust it to be inside 0..31101.
struct VerseSpan {
  VerseIndex first;
  VerseIndex last;  // first > last: empty
};

inline VerseSpan SearchRange(const SearchOptions& options) {
  VerseIndex first = options.start_verse < 0 ? 0 : options.start_verse;
  VerseIndex last = options.end_verse > kLastVerse ? kLastVerse : options.end_verse;
  return VerseSpan{first, last};
}

}  // namespace kv
