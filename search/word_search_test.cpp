#include "search/word_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/text_util.h"
#include "store/verse_address.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::RealBible;

std::unique_ptr<SearchState> NewState(const char* query, int boolean_type = kAllWords, bool case_sensitive = false,
                                      bool sub_string = false) {
  auto state = std::make_unique<SearchState>();
  std::snprintf(state->search_text_prefill, kSearchTextSize, "%s", query);
  state->options.boolean_type = boolean_type;
  state->options.case_sensitive = case_sensitive;
  state->options.sub_string = sub_string;
  return state;
}

// The verses of the range that qualify after a search.
std::vector<VerseIndex> Qualifying(const SearchState& state) {
  std::vector<VerseIndex> verses;
  for (VerseIndex v = state.options.start_verse; v <= state.options.end_verse; ++v)
    if (Qualifies(state.options.boolean_type, state.hit_counts[v], state.query_word_count)) verses.push_back(v);
  return verses;
}

// The independent scan: does `word` stand in `text` as a whole word?
bool TextHasWord(const std::string& text, const std::string& word, bool fold) {
  auto same = [fold](char a, char b) {
    return fold ? ToLowerAscii(static_cast<unsigned char>(a)) == ToLowerAscii(static_cast<unsigned char>(b)) : a == b;
  };
  std::size_t n = word.size();
  for (std::size_t i = 0; i + n <= text.size(); ++i) {
    if (i > 0 && IsAsciiLetter(static_cast<unsigned char>(text[i - 1]))) continue;
    if (i + n < text.size() && IsAsciiLetter(static_cast<unsigned char>(text[i + n]))) continue;
    bool equal = true;
    for (std::size_t k = 0; k < n && equal; ++k) equal = same(text[i + k], word[k]);
    if (equal) return true;
  }
  return false;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(ToLowerAscii(static_cast<unsigned char>(c)));
  return s;
}

std::vector<std::string> LetterRuns(const std::string& text);

// A word stands in a text as a whole word exactly when it is one of the
// text's runs of letters, so one pass over the Bible answers every word.
std::vector<VerseIndex> ScanForWord(const std::string& word, bool fold) {
  using Index = std::map<std::string, std::vector<VerseIndex>>;
  static const Index* const folded_and_exact = [] {
    auto* index = new Index[2];
    for (VerseIndex v = 0; v <= kLastVerse; ++v) {
      for (const std::string& run : LetterRuns(VerseText(RealBible(), v))) {
        for (int fold_case = 0; fold_case < 2; ++fold_case) {
          std::vector<VerseIndex>& verses = index[fold_case][fold_case ? Lower(run) : run];
          if (verses.empty() || verses.back() != v) verses.push_back(v);
        }
      }
    }
    return index;
  }();
  const Index& index = folded_and_exact[fold ? 1 : 0];
  auto found = index.find(fold ? Lower(word) : word);
  return found == index.end() ? std::vector<VerseIndex>{} : found->second;
}

// Words of a verse as the query splitter sees them: runs of ASCII letters.
std::vector<std::string> LetterRuns(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text + " ") {
    if (IsAsciiLetter(static_cast<unsigned char>(c))) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
}

// Query words to try: random dictionary words and random words cut from
// random verses (in their own capitalisation), from a fixed seed.
std::vector<std::string> SampleWords(int count) {
  const BibleData& data = RealBible();
  std::mt19937 random(1611);
  std::vector<std::string> words = {"God", "LORD", "Lord", "the", "I", "O", "Jesus", "Amen"};
  for (int i = 0; i < count; ++i) {
    words.push_back(WordAt(data, static_cast<int>(random() % static_cast<unsigned>(WordCount(data)))));
    std::vector<std::string> runs = LetterRuns(VerseText(data, static_cast<VerseIndex>(random() % kVerseCount)));
    if (!runs.empty()) words.push_back(runs[random() % runs.size()]);
  }
  return words;
}

TEST(NormalizeQuery, RewritesTheTextAsItsDistinctWords) {
  struct Case {
    const char* typed;
    bool case_sensitive;
    const char* expected;
    int words;
  } cases[] = {
      {"Lord, my GOD; lord!", false, "lord my god ", 3},
      {"Lord, my GOD; lord!", true, "Lord my GOD lord ", 4},
      {"lord Lord LORD", false, "lord ", 1},
      {"the, THE", true, "the THE ", 2},
      {"  faith\thope\xb6  charity ", false, "faith hope charity ", 3},
      {"123 !!", false, "123 !!", 0},
      {"", false, "", 0},
  };
  const BibleData& data = RealBible();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    auto state = NewState(c.typed, kAllWords, c.case_sensitive);
    NormalizeQuery(*state);
    EXPECT_STREQ(c.expected, state->search_text_prefill);
    RunWordSearch(data, *state);
    EXPECT_EQ(c.words, state->query_word_count);
  }
}

TEST(NormalizeQuery, AFullTextKeepsItsWordsWithinTheBuffer) {
  // 199 characters ending in a letter: the trailing blank has no room.
  std::string typed;
  for (int i = 0; typed.size() < kSearchTextSize - 1; ++i) {
    if (i > 0) typed += ' ';
    typed += {static_cast<char>('a' + i / 26), static_cast<char>('a' + i % 26), 'x'};
  }
  ASSERT_EQ(static_cast<std::size_t>(kSearchTextSize - 1), typed.size());
  auto state = NewState(typed.c_str());
  NormalizeQuery(*state);
  EXPECT_EQ(typed, state->search_text_prefill);

  // A text that fills its buffer without a NUL is read up to 199 bytes.
  std::memset(state->search_text_prefill, 'x', kSearchTextSize);
  NormalizeQuery(*state);
  EXPECT_EQ(std::string(kSearchTextSize - 1, 'x'), state->search_text_prefill);
}

TEST(WordSearch, FindsTheVersesHoldingEachWordIgnoringCase) {
  const BibleData& data = RealBible();
  for (const std::string& word : SampleWords(40)) {
    SCOPED_TRACE(word);
    auto state = NewState(word.c_str());
    NormalizeQuery(*state);
    bool answered = RunWordSearch(data, *state);
    std::vector<VerseIndex> expected = ScanForWord(word, true);
    EXPECT_EQ(!expected.empty(), answered);
    EXPECT_EQ(expected, Qualifying(*state));
    EXPECT_EQ(0, state->result_count);
  }
}

TEST(WordSearch, FindsTheVersesHoldingEachWordInItsExactCase) {
  const BibleData& data = RealBible();
  // "God" includes the verses whose first "God" is part of "Godhead".
  for (const std::string& word : SampleWords(25)) {
    SCOPED_TRACE(word);
    auto state = NewState(word.c_str(), kAllWords, true);
    NormalizeQuery(*state);
    RunWordSearch(data, *state);
    EXPECT_EQ(ScanForWord(word, false), Qualifying(*state));
  }
}

TEST(WordSearch, BooleanTypesCountDistinctWords) {
  const BibleData& data = RealBible();
  std::vector<VerseIndex> faith = ScanForWord("faith", true), hope = ScanForWord("hope", true);
  auto in = [](const std::vector<VerseIndex>& list, VerseIndex v) {
    return std::binary_search(list.begin(), list.end(), v);
  };
  std::vector<VerseIndex> both, either, one;
  for (VerseIndex v = 0; v <= kLastVerse; ++v) {
    int n = in(faith, v) + in(hope, v);
    if (n == 2) both.push_back(v);
    if (n >= 1) either.push_back(v);
    if (n == 1) one.push_back(v);
  }
  ASSERT_FALSE(both.empty());
  struct Case {
    int boolean_type;
    const std::vector<VerseIndex>& expected;
  } cases[] = {{kAllWords, both}, {kAnyWord, either}, {kOneWord, one}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.boolean_type);
    auto state = NewState("Faith hope faith", c.boolean_type);
    NormalizeQuery(*state);
    RunWordSearch(data, *state);
    EXPECT_EQ(2, state->query_word_count);
    EXPECT_EQ(c.expected, Qualifying(*state));
  }
}

TEST(WordSearch, BothCasesOfOneWordAreTwoWordsWhenCaseMatters) {
  const BibleData& data = RealBible();
  auto state = NewState("the, THE", kAllWords, true);
  NormalizeQuery(*state);
  RunWordSearch(data, *state);
  std::vector<VerseIndex> expected;
  for (VerseIndex v = 0; v <= kLastVerse; ++v)
    if (TextHasWord(VerseText(data, v), "the", false) && TextHasWord(VerseText(data, v), "THE", false))
      expected.push_back(v);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(expected, Qualifying(*state));
}

TEST(WordSearch, WordsMissingFromTheDictionary) {
  const BibleData& data = RealBible();
  std::vector<VerseIndex> faith = ScanForWord("faith", true);
  const std::string long_word(40, 'a');
  struct Case {
    std::string query;
    int boolean_type;
    bool answers;
    int words;
  } cases[] = {
      {"faith qqqzzz", kAllWords, false, 2},
      {"faith qqqzzz", kAnyWord, true, 2},
      {"faith " + long_word, kAllWords, false, 2},  // a word beyond 31 letters matches nothing
      {"faith " + long_word, kAnyWord, true, 2},
      {"123 !!", kAnyWord, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    for (bool sub_string : {false, true}) {
      for (bool case_sensitive : {false, true}) {
        auto state = NewState(c.query.c_str(), c.boolean_type, case_sensitive, sub_string);
        NormalizeQuery(*state);
        EXPECT_EQ(c.answers, RunWordSearch(data, *state));
        EXPECT_EQ(c.words, state->query_word_count);
        if (c.answers && !sub_string && !case_sensitive) {
          EXPECT_EQ(faith, Qualifying(*state));
        }
      }
    }
  }
}

TEST(WordSearch, SubstringsCountOncePerQueryWord) {
  const BibleData& data = RealBible();
  for (bool case_sensitive : {false, true}) {
    SCOPED_TRACE(case_sensitive);
    auto state = NewState("love hate", kAnyWord, case_sensitive, true);
    NormalizeQuery(*state);
    ASSERT_TRUE(RunWordSearch(data, *state));
    int with_both = 0;
    for (VerseIndex v = 0; v <= kLastVerse; ++v) {
      std::string text = VerseText(data, v);
      if (!case_sensitive) text = Lower(text);
      int expected = (text.find("love") != std::string::npos) + (text.find("hate") != std::string::npos);
      ASSERT_EQ(expected, state->hit_counts[v]) << "verse " << v;
      with_both += expected == 2;
    }
    EXPECT_GT(with_both, 0);
  }
}

TEST(WordSearch, CountsOnlyInsideTheRangeWhereTextIsRead) {
  const BibleData& data = RealBible();
  for (bool case_sensitive : {false, true}) {
    auto state = NewState("God", kAllWords, case_sensitive);
    state->options.start_verse = state->options.end_verse = 0;
    NormalizeQuery(*state);
    EXPECT_TRUE(RunWordSearch(data, *state));
    EXPECT_EQ(std::vector<VerseIndex>{0}, Qualifying(*state));
  }
  auto state = NewState("Jesus");
  state->options.start_verse = state->options.end_verse = 0;
  EXPECT_FALSE(RunWordSearch(data, *state));
}

TEST(WordSearch, ARangeOutsideTheBibleIsClamped) {
  const BibleData& data = RealBible();
  auto state = NewState("amen");
  state->options.start_verse = -50;
  state->options.end_verse = 99999;
  EXPECT_TRUE(RunWordSearch(data, *state));
  state->options.start_verse = 40000;
  EXPECT_FALSE(RunWordSearch(data, *state));
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// The first case-exact "the" of "And they made the plate" is part of "they";
// the verse is found all the same, because every case-exact occurrence is
// examined, not only the first.
TEST(WordSearch, ACaseSensitiveWordIsFoundAfterAnOccurrenceInsideALongerWord) {
  const BibleData& data = RealBible();
  const VerseIndex plate = FindVerse(data, 2, 39, 30);
  ASSERT_EQ(0, std::strncmp(VerseText(data, plate), "\xB6" "And they made the plate", 24)) << VerseText(data, plate);
  auto state = NewState("the", kAllWords, true);
  NormalizeQuery(*state);
  ASSERT_TRUE(RunWordSearch(data, *state));
  EXPECT_EQ(1, state->hit_counts[plate]);
}

}  // namespace
}  // namespace kv
