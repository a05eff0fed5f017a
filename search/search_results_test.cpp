#include "search/search_results.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "search/key_marker.h"
#include "store/verse_address.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::RealBible;

std::unique_ptr<SearchState> Searched(SearchDialog dialog, const char* typed, int boolean_type = kAllWords,
                                      bool case_sensitive = false, SearchOutcome* outcome = nullptr) {
  auto state = std::make_unique<SearchState>();
  state->options.boolean_type = boolean_type;
  state->options.case_sensitive = case_sensitive;
  TakeQuery(*state, dialog, typed);
  SearchOutcome result = RunSearch(RealBible(), *state, dialog);
  if (outcome) *outcome = result;
  return state;
}

int ListLength(const SearchState& state) {
  int n = 0;
  while (state.verse_list[n] != kNoVerse) ++n;
  return n;
}

TEST(SearchStatus, CountsVersesAndOccurrencesInWords) {
  struct Case {
    int results, occurrences;
    const char* text;
  } cases[] = {
      {1, 1, "1 verse, 1 occurance"},
      {1, 3, "1 verse, 3 occurrences"},
      {2, 5, "2 verses, 5 occurrences"},
      {2, 1, "2 verses, 1 occurance"},
      {0, 0, "0 verses, 0 occurrences"},
  };
  for (const Case& c : cases) {
    char text[kStatusTextSize];
    FormatSearchStatus(c.results, c.occurrences, text, sizeof text);
    EXPECT_STREQ(c.text, text);
  }
}

TEST(BuildResults, ListsTheVersesInOrderWithTheirReferences) {
  const BibleData& data = RealBible();
  SearchOutcome outcome;
  auto state = Searched(SearchDialog::WordSearch, "Faith, HOPE", kAnyWord, false, &outcome);
  ASSERT_TRUE(outcome.found);
  int n = ListLength(*state);
  EXPECT_EQ(n, state->result_count);
  EXPECT_EQ(n, state->reference_count);
  int occurrences = 0;
  for (int i = 0; i < n; ++i) {
    if (i > 0) {
      ASSERT_LT(state->verse_list[i - 1], state->verse_list[i]);
    }
    EXPECT_EQ(FullReference(data, state->verse_list[i]), state->reference_list[i]);
    char buffer[kMarkBufferSize];
    std::snprintf(buffer, sizeof buffer, "%s", VerseText(data, state->verse_list[i]));
    occurrences += MarkKeys(*state, buffer, sizeof buffer);
  }
  state->occurrence_count -= occurrences;  // take back what the test's own marking added
  EXPECT_EQ(occurrences, state->occurrence_count);
  char expected[kStatusTextSize];
  FormatSearchStatus(n, occurrences, expected, sizeof expected);
  EXPECT_STREQ(expected, outcome.status);
  EXPECT_FALSE(state->phrase_mode);
  EXPECT_STREQ("faith hope ", state->search_text_prefill);
}

TEST(BuildResults, EveryVerseOfTheBibleFitsTheList) {
  const BibleData& data = RealBible();
  auto state = std::make_unique<SearchState>();
  for (VerseIndex v = 0; v <= kLastVerse; ++v) state->hit_counts[v] = 1;
  state->query_word_count = 1;
  BuildResults(data, *state);
  EXPECT_EQ(kVerseCount, state->result_count);
  EXPECT_EQ(kLastVerse, state->verse_list[kLastVerse]);
  EXPECT_EQ(kNoVerse, state->verse_list[kVerseCount]);
  EXPECT_STREQ("Revelation 22:21", state->reference_list[kLastVerse]);
  for (VerseIndex v = 0; v <= kLastVerse; v += 101) EXPECT_EQ(FullReference(data, v), state->reference_list[v]);
}

TEST(RunSearch, PhraseModeFollowsThePhraseLength) {
  SearchOutcome outcome;
  auto phrase = Searched(SearchDialog::Phrase, "Holy, holy, holy", kAllWords, false, &outcome);
  ASSERT_TRUE(outcome.found);
  EXPECT_TRUE(phrase->phrase_mode);
  EXPECT_STREQ("Holy, holy, holy", phrase->search_text_prefill);  // phrases are not normalized
  EXPECT_EQ(ListLength(*phrase), phrase->result_count);
  // One occurrence per phrase, however many words it marks.
  EXPECT_EQ(phrase->result_count, phrase->occurrence_count);

  auto one_word = Searched(SearchDialog::Phrase, "Emmanuel", kOneWord, false, &outcome);
  ASSERT_TRUE(outcome.found);
  EXPECT_FALSE(one_word->phrase_mode);
  auto word = Searched(SearchDialog::WordSearch, "emmanuel");
  EXPECT_EQ(word->result_count, one_word->result_count);
  EXPECT_EQ(0, std::memcmp(word->verse_list, one_word->verse_list, sizeof word->verse_list));
}

TEST(RunSearch, FailuresEmptyTheListAndSayNoMatchesOrZero) {
  struct Case {
    SearchDialog dialog;
    const char* typed;
    const char* status;
  } cases[] = {
      {SearchDialog::WordSearch, "qqqzzz", "No Matches"},
      {SearchDialog::WordList, "qqqzzz", "0 verses, 0 occurrences"},
      {SearchDialog::Phrase, "God qqqzzz", "0 verses, 0 occurrences"},
      // No words: the engines answer true for every verse, but nothing is found.
      {SearchDialog::WordSearch, "123 !!", "No Matches"},
      {SearchDialog::Phrase, "123 !!", "0 verses, 0 occurrences"},
      {SearchDialog::WordList, "", "0 verses, 0 occurrences"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    auto state = std::make_unique<SearchState>();
    TakeQuery(*state, SearchDialog::WordSearch, "god");
    ASSERT_TRUE(RunSearch(RealBible(), *state, SearchDialog::WordSearch).found);
    TakeQuery(*state, c.dialog, c.typed);
    SearchOutcome outcome = RunSearch(RealBible(), *state, c.dialog);
    EXPECT_FALSE(outcome.found);
    EXPECT_STREQ(c.status, outcome.status);
    EXPECT_EQ(kNoVerse, state->verse_list[0]);
    EXPECT_EQ(0, state->result_count);
    EXPECT_EQ(0, state->occurrence_count);
    EXPECT_EQ(0, state->reference_count);
  }
}

TEST(TakeQuery, KeepsNormalizedWordsAndRawPhrasesInTheHistory) {
  auto state = std::make_unique<SearchState>();
  TakeQuery(*state, SearchDialog::WordSearch, "Lord, my GOD; lord!");
  EXPECT_STREQ("lord my god ", state->search_history[0]);
  state->options.case_sensitive = true;  // ticked in the same dialog: applies at once
  TakeQuery(*state, SearchDialog::WordList, "Lord, my GOD; lord!");
  EXPECT_STREQ("Lord my GOD lord ", state->search_history[0]);
  TakeQuery(*state, SearchDialog::Phrase, "the  Lord,");
  EXPECT_STREQ("the  Lord,", state->search_history[0]);
  EXPECT_STREQ("Lord my GOD lord ", state->search_history[1]);
  EXPECT_STREQ("lord my god ", state->search_history[2]);

  std::string typed(250, 'x');
  TakeQuery(*state, SearchDialog::Phrase, typed.c_str());
  EXPECT_EQ(std::string(kTypedQueryLimit, 'x'), state->search_text_prefill);
}

TEST(TakeQuery, HistoryKeepsTheLastTenIncludingRepeats) {
  auto state = std::make_unique<SearchState>();
  for (int i = 0; i < 11; ++i) TakeQuery(*state, SearchDialog::Phrase, ("query " + std::to_string(i)).c_str());
  for (int k = 0; k < kSearchHistorySize; ++k)
    EXPECT_EQ("query " + std::to_string(10 - k), state->search_history[k]);
  TakeQuery(*state, SearchDialog::Phrase, "again");
  TakeQuery(*state, SearchDialog::Phrase, "again");
  EXPECT_STREQ("again", state->search_history[0]);
  EXPECT_STREQ("again", state->search_history[1]);
  TakeQuery(*state, SearchDialog::Phrase, " ");
  EXPECT_STREQ(" ", state->search_history[0]);
}

TEST(SelectedResult, ReadsTheReferenceLineOrTheListEntry) {
  const BibleData& data = RealBible();
  auto state = Searched(SearchDialog::Phrase, "Jesus wept");
  ASSERT_EQ(1, state->result_count);
  VerseIndex john = FindVerse(data, 43, 11, 35);
  EXPECT_EQ(john, SelectedResultVerse(data, *state, 0, 0));
  EXPECT_EQ(john, SelectedResultVerse(data, *state, 1, 0));
  for (int tab : {0, 1}) {
    EXPECT_EQ(kNoVerse, SelectedResultVerse(data, *state, tab, -1));
    EXPECT_EQ(kNoVerse, SelectedResultVerse(data, *state, tab, 1));
    EXPECT_EQ(kNoVerse, SelectedResultVerse(data, *state, tab, 99999));
  }

  auto many = Searched(SearchDialog::WordSearch, "Jude");
  for (int i = 0; i < many->result_count; ++i) {
    EXPECT_EQ(many->verse_list[i], SelectedResultVerse(data, *many, 1, i));  // "Jude 1:1" is not "Judges"
  }
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST(AddListWord, JoinsTheWordAfterABlankOrStartsTheText) {
  char text[kSearchTextSize] = "";
  EXPECT_TRUE(AddListWord(text, "faith"));
  EXPECT_STREQ("faith", text);
  EXPECT_TRUE(AddListWord(text, "hope"));
  EXPECT_STREQ("faith hope", text);
  EXPECT_FALSE(AddListWord(text, ""));
  EXPECT_STREQ("faith hope", text);
}

// The text may hold at most the 198 characters OK reads: an addition that
// would pass them is refused whole, never cut inside the word.
TEST(AddListWord, RefusesAWordThatWouldNotFitWhole) {
  char text[kSearchTextSize];
  std::string base(kTypedQueryLimit - 6, 'a');
  std::snprintf(text, sizeof text, "%s", base.c_str());
  EXPECT_TRUE(AddListWord(text, "grace"));  // 192 + 1 + 5 = 198
  EXPECT_EQ(std::string(text), base + " grace");
  EXPECT_FALSE(AddListWord(text, "a"));
  EXPECT_EQ(std::string(text), base + " grace");

  std::snprintf(text, sizeof text, "%s", base.c_str());
  EXPECT_FALSE(AddListWord(text, "graces"));  // 199
  EXPECT_EQ(std::string(text), base);

  // A word of 48 letters, the most the word list box gives, into an empty text.
  std::string long_word(kListWordLimit, 'w');
  text[0] = '\0';
  EXPECT_TRUE(AddListWord(text, (long_word + "xyz").c_str()));
  EXPECT_EQ(std::string(text), long_word);
}

}  // namespace
}  // namespace kv
