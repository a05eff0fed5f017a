#include "notes/note_search.h"

#include <gtest/gtest.h>

#include <cstring>

#include "notes/notes_test_support.h"

namespace kv {
namespace {

using testing::NotesFixture;
using testing::WriteSet;

struct SearchFixture : NotesFixture {
  SearchFixture() {
    WriteSet(dir, "Set", {{10, "Grace be with you"},
                          {20, "he spoke gracefully of grace, and grace again"},
                          {30, "GRACE in capitals"},
                          {40, "2grace3 and grace_x"}});
    Discover();
  }
  NoteSearchResult Find(const char* what, NoteSearchOptions options, bool first = true) {
    std::strncpy(text, what, sizeof text - 1);
    return first ? FindFirstNoteText(state, Ports(), text, options, &position)
                 : FindNextNoteText(state, Ports(), text, options, &position);
  }
  NoteSearchResult Next(NoteSearchOptions options) { return FindNextNoteText(state, Ports(), text, options, &position); }
  char text[kNoteSearchTextSize] = {};
  NoteSearchPosition position;
};

TEST(NoteSearch, WholeWordsSubstringsAndCase) {
  const struct {
    const char* name;
    const char* text;
    bool case_sensitive, substring;
    VerseIndex verse;
    std::size_t offset;
  } rows[] = {
      {"whole word, any case: Grace at the start", "grace", false, false, 10, 0},
      {"case sensitive skips Grace", "grace", true, false, 20, 23},
      {"substring finds gracefully first", "grace", true, true, 20, 9},
      {"upper-case text, any case", "GRACE", false, false, 10, 0},
      {"case sensitive upper case", "GRACE", true, false, 30, 0},
      {"digits and letters are word characters", "grace3", false, true, 40, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SearchFixture f;
    NoteSearchOptions options{row.case_sensitive, row.substring, 0, kLastVerse};
    ASSERT_EQ(NoteSearchResult::Found, f.Find(row.text, options));
    EXPECT_EQ(row.verse, f.state.current_verse);
    std::size_t length = std::strlen(row.text);
    EXPECT_EQ(std::make_pair(row.offset, row.offset + length), f.view.selection);
    // The note is shown as stored, not lower-cased.
    EXPECT_NE(std::string::npos, f.view.text.find(row.verse == 30 ? "GRACE" : "race"));
  }
}

TEST(NoteSearch, FindNextWalksTheMatchesInOrderAndNeverWraps) {
  SearchFixture f;
  NoteSearchOptions options{false, false, 0, kLastVerse};
  const std::pair<VerseIndex, std::size_t> expected[] = {{10, 0}, {20, 23}, {20, 34}, {30, 0}, {40, 12}};
  ASSERT_EQ(NoteSearchResult::Found, f.Find("grace", options));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    if (i > 0) {
      ASSERT_EQ(NoteSearchResult::Found, f.Next(options));
    }
    EXPECT_EQ(expected[i].first, f.state.current_verse);
    EXPECT_EQ(expected[i].second, f.view.selection.first);
  }
  std::string shown = f.view.text;
  EXPECT_EQ(NoteSearchResult::NotFound, f.Next(options));
  ASSERT_EQ(1u, f.user.messages.size());
  EXPECT_EQ("Text not found", f.user.messages[0].text);
  EXPECT_EQ("Search Notes", f.user.messages[0].caption);
  EXPECT_EQ(MessageIcon::Information, f.user.messages[0].icon);
  EXPECT_EQ(40, f.state.current_verse);
  EXPECT_EQ(shown, f.view.text);
  EXPECT_STREQ(shown.c_str(), f.state.buffer.data());  // the buffer still matches the display
}

TEST(NoteSearch, KeepsToTheSearchRange) {
  SearchFixture f;
  NoteSearchOptions options{false, false, 15, 25};
  ASSERT_EQ(NoteSearchResult::Found, f.Find("grace", options));
  EXPECT_EQ(20, f.state.current_verse);
  // A caret before the range starts at the range; one after it finds nothing.
  f.position = NoteSearchPosition{3, 0};
  ASSERT_EQ(NoteSearchResult::Found, f.Next(options));
  EXPECT_EQ(20, f.state.current_verse);
  f.position = NoteSearchPosition{26, 0};
  std::vector<VerseIndex> searched;
  EXPECT_EQ(NoteSearchResult::NotFound,
            FindNextNoteText(f.state, f.Ports(), f.text, options, &f.position, [&](VerseIndex v) { searched.push_back(v); }));
  EXPECT_TRUE(searched.empty());
}

TEST(NoteSearch, ReportsProgressOncePerVerse) {
  SearchFixture f;
  std::vector<VerseIndex> searched;
  std::strcpy(f.text, "absent");
  NoteSearchOptions options{false, false, 5, 44};
  EXPECT_EQ(NoteSearchResult::NotFound,
            FindFirstNoteText(f.state, f.Ports(), f.text, options, &f.position, [&](VerseIndex v) { searched.push_back(v); }));
  ASSERT_EQ(40u, searched.size());
  for (std::size_t i = 0; i < searched.size(); ++i) ASSERT_EQ(static_cast<VerseIndex>(5 + i), searched[i]);
}

TEST(NoteSearch, RemembersTheTextLowerCasedUnlessCaseSensitive) {
  SearchFixture f;
  EXPECT_EQ(NoteSearchResult::Found, f.Find("GrAcE", NoteSearchOptions{false, false, 0, kLastVerse}));
  EXPECT_STREQ("grace", f.text);
  EXPECT_EQ(NoteSearchResult::NotFound, f.Find("GrAcE", NoteSearchOptions{true, true, 0, kLastVerse}));
  EXPECT_STREQ("GrAcE", f.text);
}

TEST(NoteSearch, AnEmptyTextSearchesNothing) {
  SearchFixture f;
  EXPECT_EQ(NoteSearchResult::EmptyText, f.Find("", NoteSearchOptions{}));
  EXPECT_TRUE(f.user.messages.empty());
}

}  // namespace
}  // namespace kv
