#include "search/key_marker.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "search/search_results.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::RealBible;

struct MarkCase {
  const char* query;  // search text, or the phrase in phrase mode
  bool case_sensitive;
  bool sub_string;
  const char* text;
  const char* marked;
  int count;
};

std::unique_ptr<SearchState> MarkerState(const MarkCase& c, bool phrase_mode) {
  auto state = std::make_unique<SearchState>();
  std::snprintf(state->search_text_prefill, kSearchTextSize, "%s", c.query);
  std::snprintf(state->phrase_text, kSearchTextSize, "%s", c.query);
  state->options.case_sensitive = c.case_sensitive;
  state->options.sub_string = c.sub_string;
  state->phrase_mode = phrase_mode;
  return state;
}

void ExpectMarks(const MarkCase& c, bool phrase_mode) {
  SCOPED_TRACE(std::string(c.query) + " / " + c.text);
  auto state = MarkerState(c, phrase_mode);
  state->occurrence_count = 5;
  char buffer[kMarkBufferSize];
  std::snprintf(buffer, sizeof buffer, "%s", c.text);
  EXPECT_EQ(c.count, MarkKeys(*state, buffer, sizeof buffer));
  EXPECT_STREQ(c.marked, buffer);
  EXPECT_EQ(5 + c.count, state->occurrence_count);
}

TEST(MarkKeys, WordMode) {
  const MarkCase cases[] = {
      {"god ", false, false, "the God of gods", "the {God} of gods", 1},
      {"god ", false, true, "the God of gods", "the {God} of {god}s", 2},
      {"God ", true, false, "God and god", "{God} and god", 1},
      {"God ", true, true, "Godhead and God", "{God}head and {God}", 2},
      {"and ", false, false, "\xb6" "And Moses", "\xb6{And} Moses", 1},  // after the paragraph mark
      {"love ve ", false, true, "beloved", "be{lo{ve}}d", 2},           // a later word inside an earlier mark
      {"lord my ", false, false, "O LORD my God, my Lord", "O {LORD} {my} God, {my} {Lord}", 4},
      {"sons ", false, false, "[sons] of God", "[{sons}] of God", 1},
      {"aa ", false, false, "aaa aa", "aaa {aa}", 1},  // a longer word is skipped whole
      {"the ", false, false, "There is none", "There is none", 0},
      {"123 ", false, false, "the 123", "the 123", 0},
  };
  for (const MarkCase& c : cases) ExpectMarks(c, false);
}

TEST(MarkKeys, PhraseMode) {
  const MarkCase cases[] = {
      {"said i", false, false, "and said I unto", "and {said} {I} unto", 1},
      {"sons of god", false, false, "[sons] of God", "[{sons}] {of} {God}", 1},
      {"lord and", false, false, "Lord, and", "{Lord}, {and}", 1},
      {"The LORD", true, false, "the LORD and The LORD", "the LORD and {The} {LORD}", 1},
      {"in the", false, false, "within the house", "with{in} {the} house", 1},  // runs cut by the phrase's start
      {"a b", false, false, "a ba b", "{a} {b}{a} {b}", 2},
      {"holy holy", false, false, "Holy, holy, holy", "{Holy}, {holy}, holy", 1},
      {"lord and", false, false, "Lord  and", "Lord  and", 0},  // two blanks do not match one
  };
  for (const MarkCase& c : cases) ExpectMarks(c, true);
}

TEST(MarkKeys, NeverWritesPastTheBuffer) {
  MarkCase c = {"a ", false, false, "a a a a", "", 0};
  auto state = MarkerState(c, false);
  char small[10];
  std::snprintf(small, sizeof small, "%s", c.text);
  EXPECT_EQ(1, MarkKeys(*state, small, sizeof small));  // 7 + 2 characters fit, 9 + 2 do not
  EXPECT_STREQ("{a} a a a", small);

  state->phrase_mode = true;
  std::snprintf(state->phrase_text, kSearchTextSize, "a a");
  char larger[12];
  std::snprintf(larger, sizeof larger, "a a a a");
  EXPECT_EQ(1, MarkKeys(*state, larger, sizeof larger));  // an occurrence takes 4 marks: 7 + 4 fit, 11 + 4 do not
  EXPECT_STREQ("{a} {a} a a", larger);
}

// Counting without marking gives the count marking gives, also where the
// marks of earlier words would crowd a small buffer, where a word repeats,
// and where marks change what a later substring matches (then it marks).
TEST(CountKeys, CountsWhatMarkingCounts) {
  const MarkCase cases[] = {
      {"god ", false, false, "the God of gods", "", 0},
      {"god ", false, true, "the God of gods", "", 0},
      {"God ", true, true, "Godhead and God", "", 0},
      {"love ve ", false, true, "beloved", "", 0},
      {"e ee ", false, true, "free thee", "", 0},
      {"the the ", false, false, "the cat and the hat", "", 0},
      {"a a a ", false, false, "a a a a a", "", 0},
      {"lord my ", false, false, "O LORD my God, my Lord", "", 0},
      {"sons of god", false, false, "[sons] of God", "", 0},
  };
  for (bool phrase_mode : {false, true}) {
    for (const MarkCase& c : cases) {
      for (std::size_t size : {std::size_t{kMarkBufferSize}, std::strlen(c.text) + 3, std::strlen(c.text) + 8}) {
        SCOPED_TRACE(std::string(c.query) + " / " + c.text + " / " + std::to_string(size) +
                     (phrase_mode ? " phrase" : ""));
        auto marking = MarkerState(c, phrase_mode);
        char buffer[kMarkBufferSize];
        std::snprintf(buffer, sizeof buffer, "%s", c.text);
        const int marked = MarkKeys(*marking, buffer, size);

        auto counting = MarkerState(c, phrase_mode);
        counting->occurrence_count = 3;
        EXPECT_EQ(marked, CountKeys(*counting, c.text, std::strlen(c.text), size));
        EXPECT_EQ(3 + marked, counting->occurrence_count);
      }
    }
  }
}

std::string WithoutMarks(const char* marked) {
  std::string plain;
  for (const char* p = marked; *p; ++p)
    if (*p != '{' && *p != '}') plain += *p;
  return plain;
}

// On real results: the marks are balanced, one '{' per counted match in
// word mode, and taking them out gives the stored text back.
TEST(MarkKeys, MarksOfRealResultsAreBalancedAndCounted) {
  const BibleData& data = RealBible();
  struct Search {
    const char* query;
    SearchDialog dialog;
    bool case_sensitive, sub_string;
  } searches[] = {
      {"lord god", SearchDialog::WordSearch, false, false},
      {"LORD", SearchDialog::WordSearch, true, false},
      {"love ve", SearchDialog::WordSearch, false, true},
      {"the LORD thy God", SearchDialog::Phrase, false, false},
  };
  for (const Search& s : searches) {
    SCOPED_TRACE(s.query);
    auto state = std::make_unique<SearchState>();
    state->options.boolean_type = kAnyWord;
    state->options.case_sensitive = s.case_sensitive;
    state->options.sub_string = s.sub_string;
    TakeQuery(*state, s.dialog, s.query);
    ASSERT_TRUE(RunSearch(data, *state, s.dialog).found);
    const int built = state->occurrence_count;
    int total = 0;
    for (int i = 0; state->verse_list[i] != kNoVerse; ++i) {
      char buffer[kMarkBufferSize];
      std::snprintf(buffer, sizeof buffer, "%s", VerseText(data, state->verse_list[i]));
      int count = MarkKeys(*state, buffer, sizeof buffer);
      ASSERT_GT(count, 0) << "verse " << state->verse_list[i];
      int open = 0, depth = 0;
      for (const char* p = buffer; *p; ++p) {
        if (*p == '{') ++open, ++depth;
        if (*p == '}') {
          ASSERT_GE(--depth, 0);
        }
      }
      EXPECT_EQ(0, depth);
      if (!state->phrase_mode) {
        EXPECT_EQ(count, open);
      }
      EXPECT_EQ(VerseText(data, state->verse_list[i]), WithoutMarks(buffer));
      total += count;
    }
    EXPECT_EQ(built, total);  // the list was built with the same marks
  }
}

}  // namespace
}  // namespace kv
