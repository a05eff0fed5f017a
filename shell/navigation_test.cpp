#include "shell/navigation.h"

#include <gtest/gtest.h>

#include <string>

#include "store/verse_address.h"
#include "testing/fixed_calendar.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::FixedCalendar;
using testing::RealBible;

VerseIndex V(int book, int chapter, int verse) { return FindVerse(RealBible(), book, chapter, verse); }

TEST(Navigation, ChapterAndBookSteps) {
  using Step = VerseIndex (*)(const BibleData&, VerseIndex);
  struct Row {
    const char* name;
    Step step;
    VerseIndex from, expected;
  } rows[] = {
      {"next chapter into the next book", NextChapter, V(39, 4, 6), V(40, 1, 1)},
      {"next chapter from mid-chapter", NextChapter, V(1, 1, 5), V(1, 2, 1)},
      {"next chapter in Revelation 22", NextChapter, V(66, 22, 3), kLastVerse},
      {"next chapter at the last verse", NextChapter, kLastVerse, kLastVerse},
      {"previous chapter into the previous book", PreviousChapter, V(40, 1, 1), V(39, 4, 1)},
      {"previous chapter from mid-chapter", PreviousChapter, V(2, 2, 5), V(2, 1, 1)},
      {"previous chapter in Genesis 1", PreviousChapter, V(1, 1, 20), 0},
      {"previous chapter at Genesis 1:1", PreviousChapter, 0, 0},
      {"next book", NextBook, V(1, 30, 2), V(2, 1, 1)},
      {"next book in Revelation", NextBook, V(66, 1, 1), kLastVerse},
      {"previous book", PreviousBook, V(2, 5, 3), 0},
      {"previous book from Revelation", PreviousBook, V(66, 3, 3), V(65, 1, 1)},
      {"previous book in Genesis", PreviousBook, V(1, 20, 1), 0},
      {"a verse beyond the Bible steps from the last", NextChapter, kVerseCount + 40, kLastVerse},
      {"a negative verse steps from the first", PreviousBook, -3, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.step(RealBible(), row.from), row.expected);
  }
}

TEST(Navigation, GoToBookAndTodaysProverb) {
  EXPECT_EQ(GoToBook(RealBible(), 19), V(19, 1, 1));
  EXPECT_EQ(FullReference(RealBible(), GoToBook(RealBible(), 19)), "Psalms 1:1");
  EXPECT_EQ(GoToBook(RealBible(), 67), kNoVerse);
  struct Row {
    int day;
    const char* expected;
  } rows[] = {{1, "Proverbs 1:1"}, {15, "Proverbs 15:1"}, {31, "Proverbs 31:1"}, {0, "Proverbs 1:1"},
              {40, "Proverbs 31:1"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.day);
    FixedCalendar calendar(row.day);
    EXPECT_EQ(FullReference(RealBible(), TodaysProverb(RealBible(), calendar)), row.expected);
  }
}

TEST(Navigation, Bookmarks) {
  BookmarkSlots bookmarks{};
  for (int n = 1; n <= 9; ++n)
    EXPECT_EQ(BookmarkMenuText(RealBible(), bookmarks, n), "Genesis 1:1\tCtrl+" + std::to_string(n));
  EXPECT_EQ(BookmarkMenuText(RealBible(), bookmarks, 10), "Genesis 1:1\tCtrl+0");

  EXPECT_TRUE(SetBookmark(&bookmarks, 10, V(43, 3, 16)));
  EXPECT_EQ(BookmarkVerse(bookmarks, 10), V(43, 3, 16));
  EXPECT_EQ(BookmarkMenuText(RealBible(), bookmarks, 10), "John 3:16\tCtrl+0");
  EXPECT_EQ(BookmarkVerse(bookmarks, 1), 0);
  EXPECT_FALSE(SetBookmark(&bookmarks, 11, 5));
  EXPECT_FALSE(SetBookmark(&bookmarks, 0, 5));

  // Values from a damaged settings file name Genesis 1:1.
  bookmarks[2] = kVerseCount;
  bookmarks[3] = -7;
  EXPECT_EQ(BookmarkVerse(bookmarks, 3), 0);
  EXPECT_EQ(BookmarkMenuText(RealBible(), bookmarks, 4), "Genesis 1:1\tCtrl+4");
}

}  // namespace
}  // namespace kv
