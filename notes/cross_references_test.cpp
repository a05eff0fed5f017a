#include "notes/cross_references.h"

#include <gtest/gtest.h>

#include <cstring>

#include "store/verse_address.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::RealBible;

constexpr int kGenesis = 1, kJudges = 7, kPsalms = 19, kMatthew = 40, kMark = 41, kJohn = 43, kRomans = 45,
              kFirstCorinthians = 46, kColossians = 51, kJude = 65;

struct Ref {
  int book, chapter, verse;
};

std::vector<VerseIndex> Verses(std::initializer_list<Ref> refs) {
  std::vector<VerseIndex> verses;
  for (const Ref& r : refs) verses.push_back(FindVerse(RealBible(), r.book, r.chapter, r.verse));
  return verses;
}

// Reads `note` clicked at `click`, as the note of Genesis 1:3.
CrossReferenceList Follow(const std::string& note, std::size_t click = 0, bool* is_line = nullptr) {
  CrossReferenceList list;
  VerseIndex genesis_1_3 = FindVerse(RealBible(), kGenesis, 1, 3);
  bool found = CollectCrossReferences(RealBible(), note.c_str(), note.size(), click, genesis_1_3, &list);
  if (is_line) *is_line = found;
  return list;
}

TEST(CrossReferences, WorkedExamples) {
  const struct {
    const char* line;
    std::vector<VerseIndex> verses;
  } rows[] = {
      {"#Ro 3:23 6:23", Verses({{kRomans, 3, 23}, {kRomans, 6, 23}})},
      {"#Joh 3:16-18", Verses({{kJohn, 3, 16}, {kJohn, 3, 17}, {kJohn, 3, 18}})},
      {"#Ps 23:1,4", Verses({{kPsalms, 23, 1}, {kPsalms, 23, 4}})},
      {"#5", Verses({{kGenesis, 1, 5}})},
      {"#Jude 3", Verses({{kJude, 1, 3}})},
      {"#Matthew 5:3 Mark 1:1", Verses({{kMatthew, 5, 3}, {kMark, 1, 1}})},
      {"#Ge 1:1-2:3", Verses({{kGenesis, 1, 1}, {kGenesis, 2, 3}})},
      {"#Ro 3:23; Eph 2:8", Verses({{kRomans, 3, 23}})},
      {"#Xyz 1:1", {}},
      {"#Jud 5:1", Verses({{kJudges, 5, 1}})},  // Jud is no abbreviation: Judges
      {"#1Co 13:4", Verses({{kFirstCorinthians, 13, 4}})},
      {"#1 Co 13:4", Verses({{kGenesis, 1, 1}, {kColossians, 13, 4}})},
      {"#Ro 3:23\r\n#Joh 3:16", Verses({{kRomans, 3, 23}})},  // one line only
      {"#Ge 1:0 2:1", {}},                                     // a zero ends the reading
      {"#Ps 23:99999999999", Verses({{kPsalms, 23, 6}})},      // clamped, never overflows
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    bool is_line = false;
    CrossReferenceList list = Follow(row.line, 1, &is_line);
    EXPECT_TRUE(is_line);
    EXPECT_EQ(row.verses, list.verses);
    EXPECT_EQ("x-refs for Ge 1:3", list.status);
  }
}

TEST(CrossReferences, TheHashMustStandOnTheClickedLine) {
  const std::string note = "#Ro 3:23\r\nplain text\r\nsee also #Joh 3:16 here";
  const struct {
    const char* where;
    std::size_t click;
    bool is_line;
    std::vector<VerseIndex> verses;
  } rows[] = {
      {"on the first line, the hash at the very start", 4, true, Verses({{kRomans, 3, 23}})},
      {"on the hash itself", 0, true, Verses({{kRomans, 3, 23}})},
      {"on a line without a hash", note.find("plain") + 3, false, {}},
      {"after the hash of the third line", note.find("Joh") + 1, true, Verses({{kJohn, 3, 16}})},
      {"before the hash of the third line", note.find("also"), false, {}},
      {"past the end of the text", note.size() + 10, true, Verses({{kJohn, 3, 16}})},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.where);
    bool is_line = !row.is_line;
    CrossReferenceList list = Follow(note, row.click, &is_line);
    EXPECT_EQ(row.is_line, is_line);
    EXPECT_EQ(row.verses, list.verses);
  }
}

TEST(CrossReferences, ALineWithoutReferencesStillGivesTheStatus) {
  bool is_line = false;
  CrossReferenceList list = Follow("# nothing here", 0, &is_line);
  EXPECT_TRUE(is_line);
  EXPECT_TRUE(list.verses.empty());
  EXPECT_EQ("x-refs for Ge 1:3", list.status);
}

TEST(CrossReferences, StopsCollectingWhenTheVerseListIsFull) {
  // Each range adds up to the chapter's last verse again and again.
  std::string line = "#Ps 23:1-99999";
  CrossReferenceList list = Follow(line, 0);
  ASSERT_EQ(kMaxCrossReferences, list.verses.size());
  EXPECT_EQ(FindVerse(RealBible(), kPsalms, 23, 6), list.verses.back());
}

}  // namespace
}  // namespace kv
