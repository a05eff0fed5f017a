#include "store/verse_address.h"

#include <gtest/gtest.h>

#include <cstring>

#include "testing/test_support.h"

namespace kv {
namespace {

using testing::RealBible;

// Verse numbers of a few places, computed from the chapter sizes of the KJV.
constexpr VerseIndex kGenesis1_31 = 30;
constexpr VerseIndex kGenesis50_26 = 1532;
constexpr VerseIndex kExodus1_1 = 1533;

struct FindCase {
  int book, chapter, verse;
  VerseIndex expected;
};

TEST(FindVerse, ClampsChapterAndVerse) {
  const BibleData& data = RealBible();
  const FindCase cases[] = {
      {1, 1, 1, 0},
      {66, 22, 21, kLastVerse},
      {66, 500, 500, kLastVerse},
      {1, 0, 0, 0},
      {1, 1, 500, kGenesis1_31},
      {1, 1, 0, 0},
      {1, 500, 7, kGenesis50_26},  // a chapter beyond the last: the book's last verse
      {1, 51, 1, kGenesis50_26},
      {1, 50, 26, kGenesis50_26},
      {2, 1, 1, kExodus1_1},
      {2, 0, 0, kExodus1_1},
      {0, 1, 1, kNoVerse},
      {67, 1, 1, kNoVerse},
      {-3, 1, 1, kNoVerse},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.book << " " << c.chapter << ":" << c.verse);
    EXPECT_EQ(c.expected, FindVerse(data, c.book, c.chapter, c.verse));
  }
}

TEST(FindVerse, FindsEveryVerseByItsOwnNumbers) {
  const BibleData& data = RealBible();
  for (VerseIndex v = 0; v <= kLastVerse; v += 97) {
    VerseRecord r = RecordOf(data, v);
    ASSERT_EQ(v, FindVerse(data, r.book, r.chapter, r.verse));
  }
  // Single-chapter books clamp to their only chapter.
  VerseIndex jude_last = FindVerse(data, 65, 1, 500);
  EXPECT_EQ(jude_last, FindVerse(data, 65, 3, 1));
  EXPECT_EQ(25, RecordOf(data, jude_last).verse);
}

TEST(ReferenceTexts, FullShortAndRange) {
  const BibleData& data = RealBible();
  EXPECT_EQ("Genesis 1:1", FullReference(data, 0));
  EXPECT_EQ("Ge 1:1", ShortReference(data, 0));
  EXPECT_EQ("Revelation 22:21", FullReference(data, kLastVerse));
  EXPECT_EQ("Ge 1:1 - Re 22:21", RangeText(data, 0, kLastVerse));
  VerseIndex john = FindVerse(data, 62, 3, 16);
  EXPECT_EQ("1 John 3:16", FullReference(data, john));
  EXPECT_EQ("1Jo 3:16", ShortReference(data, john));
  EXPECT_EQ("Song of Solomon 2:1", FullReference(data, FindVerse(data, 22, 2, 1)));
}

TEST(ReferenceTexts, FormattingIsBoundedByTheBuffer) {
  const BibleData& data = RealBible();
  char small[8];
  EXPECT_EQ(static_cast<int>(std::strlen("Revelation 22:21")), FormatFullReference(data, kLastVerse, small, sizeof small));
  EXPECT_STREQ("Revelat", small);
}

TEST(ReadListReference, ReadsTheLinesTheListHolds) {
  const BibleData& data = RealBible();
  EXPECT_EQ(0, ReadListReference(data, "Genesis 1:1"));
  EXPECT_EQ(kLastVerse, ReadListReference(data, "Revelation 22:21"));
  // Jude is not taken for Judges: they differ in the fourth letter.
  EXPECT_EQ(FindVerse(data, 65, 1, 3), ReadListReference(data, "Jude 1:3"));
  EXPECT_EQ(65, RecordOf(data, ReadListReference(data, "Jude 1:3")).book);
  // A line that starts with a digit never matches John.
  EXPECT_EQ(FindVerse(data, 62, 3, 16), ReadListReference(data, "1 John 3:16"));
  EXPECT_EQ(FindVerse(data, 43, 3, 16), ReadListReference(data, "John 3:16"));
  EXPECT_EQ(FindVerse(data, 22, 8, 14), ReadListReference(data, "Song of Solomon 8:14"));
  EXPECT_EQ(kNoVerse, ReadListReference(data, "genesis 1:1"));  // case matters
  EXPECT_EQ(kNoVerse, ReadListReference(data, ""));
}

TEST(ReadListReference, EveryFullReferenceReadsBack) {
  const BibleData& data = RealBible();
  for (VerseIndex v = 0; v <= kLastVerse; v += 13)
    ASSERT_EQ(v, ReadListReference(data, FullReference(data, v).c_str()));
}

TEST(ReadNumber, SkipsBlanksTakesASignAndSaturates) {
  const char* end = nullptr;
  EXPECT_EQ(12, ReadNumber(" \t12:3", &end));
  EXPECT_EQ(':', *end);
  EXPECT_EQ(-4, ReadNumber("-4"));
  EXPECT_EQ(4, ReadNumber("+4"));
  EXPECT_EQ(0, ReadNumber("x1"));
  EXPECT_EQ(0x7fffffff, ReadNumber("99999999999999999999"));
}

}  // namespace
}  // namespace kv
