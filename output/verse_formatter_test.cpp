#include "output/verse_formatter.h"

#include <gtest/gtest.h>

#include <string>

#include "store/verse_address.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::RealBible;

VerseIndex V(int book, int chapter, int verse) { return FindVerse(RealBible(), book, chapter, verse); }
std::string Text(VerseIndex v) { return VerseText(RealBible(), v); }

FormatOptions Options(std::uint8_t first, std::uint8_t next, std::uint8_t location, int breaks = 1,
                      int marks = 1) {
  FormatOptions o;
  o.FirstVerseStyle = first;
  o.SubsequentVerseStyle = next;
  o.Location = location;
  o.LineBreaks = breaks;
  o.ParagraphMarks = marks;
  return o;
}

std::string Lines(const FormatOptions& options, VerseIndex first, VerseIndex last) {
  RangeFormat format = StartRangeFormat(options);
  std::string out;
  char line[kVerseLineSize];
  for (VerseIndex v = first; v <= last; ++v) out.append(line, FormatNextRangeLine(RealBible(), &format, v, line, sizeof line));
  return out;
}

// The first verse that starts a paragraph, and one that does not.
VerseIndex FirstParagraphVerse() {
  for (VerseIndex v = 0; v <= kLastVerse; ++v)
    if (static_cast<unsigned char>(Text(v)[0]) == kPilcrow) return v;
  return kNoVerse;
}

TEST(VerseFormatter, EphesiansInTheThreeForms) {
  VerseIndex v17 = V(49, 6, 17);
  const std::string t17 = Text(v17), t18 = Text(v17 + 1);
  ASSERT_EQ(t17.rfind("And take the helmet", 0), 0u);
  ASSERT_EQ(t18.rfind("Praying always", 0), 0u);
  struct Row {
    const char* name;
    FormatOptions options;
    std::string expected;
  } rows[] = {
      {"full/partial before", Options(kLabelFull, kLabelPartial, kLabelBefore),
       " Eph 6:17 " + t17 + "\r\n" + " 18 " + t18 + "\r\n"},
      {"none/none after", Options(kLabelNone, kLabelNone, kLabelAfter), " " + t17 + "\r\n" + " " + t18 + "\r\n"},
      {"partial/partial after, no breaks", Options(kLabelPartial, kLabelPartial, kLabelAfter, 0),
       " " + t17 + " 6:17" + " " + t18 + " 18"},
      {"full/full before", Options(kLabelFull, kLabelFull, kLabelBefore),
       " Eph 6:17 " + t17 + "\r\n" + " Eph 6:18 " + t18 + "\r\n"},
      {"a style value beyond None labels as None", Options(7, 9, kLabelBefore),
       " " + t17 + "\r\n" + " " + t18 + "\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Lines(row.options, v17, v17 + 1), row.expected);
  }
}

TEST(VerseFormatter, PartialLabelsAcrossChaptersAndBooks) {
  FormatOptions options = Options(kLabelFull, kLabelPartial, kLabelBefore);
  VerseIndex g131 = V(1, 1, 31);
  EXPECT_EQ(Lines(options, g131, g131 + 2), " Ge 1:31 " + Text(g131) + "\r\n" + " 2:1 " + Text(g131 + 1) +
                                                "\r\n" + " 2 " + Text(g131 + 2) + "\r\n");
  VerseIndex g5026 = V(1, 50, 26);
  EXPECT_EQ(Lines(options, g5026, g5026 + 2), " Ge 50:26 " + Text(g5026) + "\r\n" + " Ex 1:1 " +
                                                  Text(g5026 + 1) + "\r\n" + " 2 " + Text(g5026 + 2) + "\r\n");
  // The remembered place starts at the first verse even when it has no label.
  FormatOptions unlabelled_first = Options(kLabelNone, kLabelPartial, kLabelBefore);
  EXPECT_EQ(Lines(unlabelled_first, g131, g131 + 1), " " + Text(g131) + "\r\n" + " 2:1 " + Text(g131 + 1) + "\r\n");
}

TEST(VerseFormatter, OneVerseWithoutLabelIsSpaceTextBreak) {
  VerseIndex eph17 = V(49, 6, 17);
  ASSERT_NE(static_cast<unsigned char>(Text(eph17)[0]), kPilcrow);
  EXPECT_EQ(Lines(Options(kLabelNone, kLabelPartial, kLabelBefore), eph17, eph17), " " + Text(eph17) + "\r\n");
}

TEST(VerseFormatter, ParagraphMarks) {
  VerseIndex v = FirstParagraphVerse();
  ASSERT_NE(v, kNoVerse);
  const std::string body = Text(v).substr(1);
  std::string ref = " " + ShortReference(RealBible(), v);
  struct Row {
    const char* name;
    FormatOptions options;
    std::string expected;
  } rows[] = {
      {"marks on, before", Options(kLabelFull, kLabelPartial, kLabelBefore), ref + " \xB6 " + body + "\r\n"},
      {"marks off, before", Options(kLabelFull, kLabelPartial, kLabelBefore, 1, 0), ref + " " + body + "\r\n"},
      {"marks on, after", Options(kLabelFull, kLabelPartial, kLabelAfter), " \xB6 " + body + ref + "\r\n"},
      {"marks off, after, no breaks", Options(kLabelFull, kLabelPartial, kLabelAfter, 0, 0), " " + body + ref},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Lines(row.options, v, v), row.expected);
  }
}

TEST(VerseFormatter, LineIsCutToItsBuffer) {
  RangeFormat format = StartRangeFormat(Options(kLabelFull, kLabelPartial, kLabelBefore));
  char small[13];
  int length = FormatNextRangeLine(RealBible(), &format, V(49, 6, 17), small, sizeof small);
  EXPECT_EQ(length, 12);
  EXPECT_EQ(std::string(small), " Eph 6:17 An");
}

}  // namespace
}  // namespace kv
