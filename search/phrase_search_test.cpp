#include "search/phrase_search.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/text_util.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::RealBible;

std::unique_ptr<SearchState> NewState(const std::string& phrase, bool case_sensitive = false) {
  auto state = std::make_unique<SearchState>();
  std::snprintf(state->search_text_prefill, kSearchTextSize, "%s", phrase.c_str());
  state->options.case_sensitive = case_sensitive;
  return state;
}

std::vector<VerseIndex> Found(const SearchState& state) {
  std::vector<VerseIndex> verses;
  for (VerseIndex v = 0; v <= kLastVerse; ++v)
    if (state.hit_counts[v] != 0) verses.push_back(v);
  return verses;
}

bool Letter(char c) { return IsAsciiLetter(static_cast<unsigned char>(c)); }
char Fold(char c, bool fold) { return fold ? static_cast<char>(ToLowerAscii(static_cast<unsigned char>(c))) : c; }

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text + " ") {
    if (Letter(c)) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
}

bool HasWholeWord(const std::string& text, const std::string& word, bool fold) {
  for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
    if ((i > 0 && Letter(text[i - 1])) || (i + word.size() < text.size() && Letter(text[i + word.size()]))) continue;
    bool equal = true;
    for (std::size_t k = 0; k < word.size() && equal; ++k) equal = Fold(text[i + k], fold) == Fold(word[k], fold);
    if (equal) return true;
  }
  return false;
}

// The independent scan: every word of the phrase stands in the verse, and
// the phrase occurs in the verse reduced to letters and blanks.
std::vector<VerseIndex> ScanForPhrase(const std::string& phrase, bool fold) {
  std::vector<std::string> words = Words(phrase);
  std::string joined;
  for (const std::string& w : words) joined += (joined.empty() ? "" : " ") + w;
  for (char& c : joined) c = Fold(c, fold);
  std::vector<VerseIndex> verses;
  for (VerseIndex v = 0; v <= kLastVerse; ++v) {
    std::string text = VerseText(RealBible(), v);
    bool all = true;
    for (const std::string& w : words) all = all && HasWholeWord(text, w, fold);
    if (!all) continue;
    std::string reduced;
    for (char c : text)
      if (Letter(c) || c == ' ') reduced += Fold(c, fold);
    if (reduced.find(joined) != std::string::npos) verses.push_back(v);
  }
  return verses;
}

TEST(PhraseSearch, FindsWhatAnIndependentScanFinds) {
  const BibleData& data = RealBible();
  struct Case {
    const char* phrase;
    bool case_sensitive;
  } cases[] = {
      {"and God said", false}, {"The LORD", true}, {"the LORD", true}, {"holy holy holy", false},
      {"Lord and", false},     {"in the", false},  {"sons of God", false}, {"verily, verily", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.phrase);
    auto state = NewState(c.phrase, c.case_sensitive);
    bool answered = RunPhraseSearch(data, *state);
    std::vector<VerseIndex> expected = ScanForPhrase(c.phrase, !c.case_sensitive);
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(answered);
    EXPECT_EQ(expected, Found(*state));
    EXPECT_EQ(static_cast<int>(expected.size()), state->result_count);
    EXPECT_EQ(static_cast<int>(Words(c.phrase).size()), state->query_word_count);
  }
}

TEST(PhraseSearch, CaseDecidesBetweenTheAndthe) {
  const BibleData& data = RealBible();
  auto upper = NewState("The LORD", true);
  auto lower = NewState("the LORD", true);
  RunPhraseSearch(data, *upper);
  RunPhraseSearch(data, *lower);
  EXPECT_STREQ("The LORD", upper->phrase_text);
  bool differ = false;
  for (VerseIndex v = 0; v <= kLastVerse && !differ; ++v) differ = upper->hit_counts[v] != lower->hit_counts[v];
  EXPECT_TRUE(differ);
  auto folded = NewState("The   LORD!", false);
  RunPhraseSearch(data, *folded);
  EXPECT_STREQ("the lord", folded->phrase_text);
}

TEST(PhraseSearch, PhrasesCutFromVersesAreFoundInTheirVerse) {
  const BibleData& data = RealBible();
  std::mt19937 random(1769);
  int tried = 0;
  while (tried < 60) {
    VerseIndex v = static_cast<VerseIndex>(random() % kVerseCount);
    std::string text = VerseText(data, v);
    // Words separated by exactly one blank in the text.
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = 0; i < text.size();) {
      if (!Letter(text[i])) {
        ++i;
        continue;
      }
      std::size_t j = i;
      while (j < text.size() && Letter(text[j])) ++j;
      runs.push_back({i, j});
      i = j;
    }
    if (runs.size() < 3) continue;
    std::size_t start = random() % (runs.size() - 1);
    std::size_t end = start + 1 + random() % 3;
    if (end >= runs.size()) end = runs.size() - 1;
    bool single_blanks = true;
    for (std::size_t k = start; k < end; ++k) single_blanks = single_blanks && runs[k + 1].first == runs[k].second + 1 && text[runs[k].second] == ' ';
    if (!single_blanks) continue;
    std::string phrase = text.substr(runs[start].first, runs[end].second - runs[start].first);
    ++tried;
    for (bool case_sensitive : {false, true}) {
      SCOPED_TRACE(phrase + (case_sensitive ? " (case)" : ""));
      auto state = NewState(phrase, case_sensitive);
      EXPECT_TRUE(RunPhraseSearch(data, *state));
      EXPECT_EQ(1, state->hit_counts[v]);
    }
  }
}

TEST(PhraseSearch, OneWordFindsTheWholeWord) {
  const BibleData& data = RealBible();
  for (bool case_sensitive : {false, true}) {
    auto state = NewState("Lamb", case_sensitive);
    RunPhraseSearch(data, *state);
    std::vector<VerseIndex> expected;
    for (VerseIndex v = 0; v <= kLastVerse; ++v)
      if (HasWholeWord(VerseText(data, v), "Lamb", !case_sensitive)) expected.push_back(v);
    EXPECT_EQ(expected, Found(*state));
  }
}

TEST(PhraseSearch, TheRangeBoundsWhatIsFound) {
  const BibleData& data = RealBible();
  auto whole = NewState("holy holy holy");
  ASSERT_TRUE(RunPhraseSearch(data, *whole));
  std::vector<VerseIndex> found = Found(*whole);
  ASSERT_FALSE(found.empty());

  auto before = NewState("holy holy holy");
  before->options.end_verse = found.front() - 1;
  EXPECT_FALSE(RunPhraseSearch(data, *before));
  EXPECT_TRUE(Found(*before).empty());  // counters outside the range are 0

  auto only = NewState("holy holy holy");
  only->options.start_verse = only->options.end_verse = found.back();
  EXPECT_TRUE(RunPhraseSearch(data, *only));
  EXPECT_EQ(std::vector<VerseIndex>{found.back()}, Found(*only));
}

TEST(PhraseSearch, MissingAndAbsentWords) {
  const BibleData& data = RealBible();
  auto missing = NewState("the qqqzzz");
  EXPECT_FALSE(RunPhraseSearch(data, *missing));
  EXPECT_EQ(0, missing->result_count);

  auto too_long = NewState("the " + std::string(40, 'a'));
  EXPECT_FALSE(RunPhraseSearch(data, *too_long));
  EXPECT_EQ(2, too_long->query_word_count);

  // No words at all: the empty phrase is everywhere, and the caller treats
  // the query as finding nothing.
  auto none = NewState("123 !!");
  RunPhraseSearch(data, *none);
  EXPECT_EQ(0, none->query_word_count);
  EXPECT_STREQ("", none->phrase_text);
}

TEST(LettersAndBlanks, KeepsLettersAndBlanksWithTheirPositions) {
  char out[16];
  int sources[16];
  int n = LettersAndBlanks("\xb6 [Lord], and", true, out, sources, 16);
  EXPECT_STREQ(" lord and", out);
  ASSERT_EQ(9, n);
  EXPECT_EQ(1, sources[0]);
  EXPECT_EQ(3, sources[1]);
  EXPECT_EQ(10, sources[6]);
  EXPECT_EQ(5, LettersAndBlanks("abcdefgh", false, out, sources, 6));  // bounded by the buffer
  EXPECT_STREQ("abcde", out);
}

}  // namespace
}  // namespace kv
