#include "store/reference_parser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "store/verse_address.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::RealBible;

constexpr int kLast = kLastNumber;

// A verse named by book, chapter and verse; kLast for the last one.
struct Place {
  int book, chapter, verse;
};

VerseIndex At(Place p) { return FindVerse(RealBible(), p.book, p.chapter, p.verse); }

std::string Describe(VerseIndex v) { return v == kNoVerse ? "none" : ShortReference(RealBible(), v); }

bool Parse(const std::string& typed, VerseIndex* first, VerseIndex* last = nullptr) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, "%s", typed.c_str());
  return ParseReference(RealBible(), buffer, first, last);
}

TEST(ParseReference, SingleReferences) {
  struct Case {
    const char* typed;
    Place expected;
  } cases[] = {
      {"genesis 1:1", {1, 1, 1}},
      {"Gen 1:1", {1, 1, 1}},
      {"Ge 1.1", {1, 1, 1}},
      {"Ge 1:1", {1, 1, 1}},
      {"GE 1:1", {1, 1, 1}},
      {"Genesis", {1, 1, 1}},
      {"1 John 3:16", {62, 3, 16}},
      {"1   John 3:16", {62, 3, 16}},
      {"1Jo 3:16", {62, 3, 16}},
      {"Phil 4:13", {50, 4, 13}},
      {"Philemon 1:5", {57, 1, 5}},
      {"Judg 1:1", {7, 1, 1}},
      {"Rev 22:21", {66, 22, 21}},
      {"Jude 3", {65, 1, kLast}},  // one chapter only: clamped to its last verse
      {"Ps 23.", {19, 23, 1}},
      {"Ps 31 5", {19, kLast, kLast}},  // "1 " collapses: Psalm 315 is clamped
      {"Matthew 5:3", {40, 5, 3}},
      {"Mark 16:15", {41, 16, 15}},
      {"James 1:5", {59, 1, 5}},
      {"2 Sam 7:12", {10, 7, 12}},
      {"Ge 1:500", {1, 1, kLast}},
      {"Ge 51", {1, kLast, kLast}},
      {"Ge 1 - Ex 2:3", {1, 1, 3}},  // the first ':' anywhere gives the verse
      // Leading white space, and "Song of Solomon" in full.
      {" Ex 2:3", {2, 2, 3}},
      {"\t\r\n\v\f Ex 2:3", {2, 2, 3}},
      {"Song of Solomon 2:1", {22, 2, 1}},
      {"song of solomon 2:1", {22, 2, 1}},
      {"Song 2:1", {22, 2, 1}},
      {"So 2:1", {22, 2, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    VerseIndex first = kNoVerse;
    ASSERT_TRUE(Parse(c.typed, &first));
    EXPECT_EQ(Describe(At(c.expected)), Describe(first));
  }
}

TEST(ParseReference, Ranges) {
  struct Case {
    const char* typed;
    Place first, last;
  } cases[] = {
      {"Ge", {1, 1, 1}, {1, kLast, kLast}},
      {"Ge 1", {1, 1, 1}, {1, 1, kLast}},
      {"Ge 1:1", {1, 1, 1}, {1, 1, 1}},
      {"Ge 1:1 -", {1, 1, 1}, {1, 1, 1}},
      {"Re - Ge", {1, kLast, kLast}, {66, 1, 1}},  // reversed, then exchanged
      {"Ge 1:1-5", {1, 1, 1}, {1, 5, kLast}},     // a number after '-' is a chapter
      {"Ge 1:1-1:5", {1, 1, 1}, {1, 1, 5}},
      {"Ge - Re", {1, 1, 1}, {66, kLast, kLast}},
      {"Ge - Mal", {1, 1, 1}, {39, kLast, kLast}},
      {"Mt - Re", {40, 1, 1}, {66, kLast, kLast}},
      {"Ps 23", {19, 23, 1}, {19, 23, kLast}},
      {"Ps 23 - 24", {19, 23, 1}, {19, 24, kLast}},
      {"Ps 23:4 - Proverbs 3:5", {19, 23, 4}, {20, 3, 5}},
      {"1 Sam 3 - 2 Sam 1", {9, 3, 1}, {10, 1, kLast}},
      {"Ge 1 - Ex 2:3", {1, 1, 3}, {1, 1, 3}},
      {" Ex 2:3 - 4:5", {2, 2, 3}, {2, 4, 5}},
      {"Song of Solomon 2:1 - Song of Solomon 3:2", {22, 2, 1}, {22, 3, 2}},
      {"Ge 1 - song of solomon", {1, 1, 1}, {22, kLast, kLast}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    VerseIndex first = kNoVerse, last = kNoVerse;
    ASSERT_TRUE(Parse(c.typed, &first, &last));
    EXPECT_EQ(Describe(At(c.first)), Describe(first));
    EXPECT_EQ(Describe(At(c.last)), Describe(last));
  }
}

TEST(ParseReference, FailuresLeaveTheResultsAlone) {
  const char* single[] = {"Jn 3:16", "1 Jn 3:16", "?", "3:16", "", "   ", "Ge 0:1", "Ge 1:0", "Ge 1:x", "Xyz 1:1"};
  const char* ranges[] = {"Ge - Jn", "Ge 1 - 1 Jn 2", "Ge 1 - Ex 0", "Ge 1 - Ex 2:0", "Ge 0", "- Ge", "Ge 1:1 - Ex ? 3"};
  for (const char* typed : single) {
    SCOPED_TRACE(typed);
    VerseIndex first = 1234;
    EXPECT_FALSE(Parse(typed, &first));
    EXPECT_EQ(1234, first);
  }
  for (const char* typed : ranges) {
    SCOPED_TRACE(typed);
    VerseIndex first = 1234, last = 5678;
    EXPECT_FALSE(Parse(typed, &first, &last));
    EXPECT_EQ(1234, first);
    EXPECT_EQ(5678, last);
  }
}

TEST(ParseReference, TrimsAndCollapsesInPlace) {
  char text[] = "1 John 3:16 ?!";
  VerseIndex first;
  ASSERT_TRUE(ParseReference(RealBible(), text, &first));
  EXPECT_STREQ("1John 3:16", text);
}

TEST(ParseReference, ReadsBackTheProgramsOwnReferences) {
  const BibleData& data = RealBible();
  for (VerseIndex v = 0; v <= kLastVerse; v += 37) {
    for (const std::string& reference : {FullReference(data, v), ShortReference(data, v)}) {
      SCOPED_TRACE(reference);
      VerseIndex first = kNoVerse, last = kNoVerse;
      ASSERT_TRUE(Parse(reference, &first));
      EXPECT_EQ(v, first);
      ASSERT_TRUE(Parse(reference, &first, &last));
      EXPECT_EQ(v, first);
      EXPECT_EQ(v, last);
    }
  }
  VerseIndex first = kNoVerse, last = kNoVerse;
  ASSERT_TRUE(Parse(RangeText(data, 1000, 20000), &first, &last));
  EXPECT_EQ(1000, first);
  EXPECT_EQ(20000, last);
}

}  // namespace
}  // namespace kv
