#include "shell/navigation.h"

#include <cstdio>

#include "store/verse_address.h"

namespace kv {

namespace {

int ChapterOf(const BibleData& data, VerseIndex verse) { return RecordOf(data, verse).chapter; }
int VerseOf(const BibleData& data, VerseIndex verse) { return RecordOf(data, verse).verse; }

bool SameChapter(const BibleData& data, VerseIndex a, VerseIndex b) {
  return BookOf(data, a) == BookOf(data, b) && ChapterOf(data, a) == ChapterOf(data, b);
}

}  // namespace

VerseIndex ClampVerse(VerseIndex verse) {
  return verse < 0 ? 0 : verse > kLastVerse ? kLastVerse : verse;
}

VerseIndex NextBook(const BibleData& data, VerseIndex verse) {
  VerseIndex v = ClampVerse(verse);
  int book = BookOf(data, v);
  while (v < kLastVerse && BookOf(data, v) == book) ++v;
  return v;
}

VerseIndex PreviousBook(const BibleData& data, VerseIndex verse) {
  VerseIndex v = ClampVerse(verse);
  int book = BookOf(data, v);
  while (v > 0 && BookOf(data, v) == book) --v;
  // v is the last verse of the book before, or Genesis 1:1, which ends the walk.
  while (v > 0 && !(ChapterOf(data, v) == 1 && VerseOf(data, v) == 1)) --v;
  return v;
}

VerseIndex NextChapter(const BibleData& data, VerseIndex verse) {
  VerseIndex start = ClampVerse(verse);
  VerseIndex v = start;
  while (v < kLastVerse && SameChapter(data, v, start)) ++v;
  return v;
}

VerseIndex PreviousChapter(const BibleData& data, VerseIndex verse) {
  VerseIndex start = ClampVerse(verse);
  VerseIndex v = start;
  while (v > 0 && SameChapter(data, v, start)) --v;
  while (v > 0 && VerseOf(data, v) != 1) --v;
  return v;
}

VerseIndex GoToBook(const BibleData& data, int book) {
  if (book < 1 || book > kBookCount) return kNoVerse;
  return FindVerse(data, book, 1, 1);
}

VerseIndex TodaysProverb(const BibleData& data, Calendar& calendar) {
  int day = calendar.DayOfMonth();
  if (day < 1) day = 1;
  if (day > 31) day = 31;
  return FindVerse(data, kProverbsBook, day, 1);
}

VerseIndex BookmarkVerse(const BookmarkSlots& bookmarks, int n) {
  if (n < 1 || n > kBookmarkCount) return 0;
  VerseIndex v = bookmarks[static_cast<std::size_t>(n - 1)];
  // The settings file is not to be trusted: a verse outside the Bible is
  // Genesis 1:1, where every untouched bookmark points.
  return v >= 0 && v <= kLastVerse ? v : 0;
}

bool SetBookmark(BookmarkSlots* bookmarks, int n, VerseIndex verse) {
  if (n < 1 || n > kBookmarkCount) return false;
  (*bookmarks)[static_cast<std::size_t>(n - 1)] = ClampVerse(verse);
  return true;
}

std::string BookmarkMenuText(const BibleData& data, const BookmarkSlots& bookmarks, int n) {
  // Room left for the key's name after the reference.
  char reference[kBookmarkTextSize - 16];
  FormatFullReference(data, BookmarkVerse(bookmarks, n), reference, sizeof reference);
  char text[kBookmarkTextSize];
  std::snprintf(text, sizeof text, "%s\tCtrl+%d", reference, n % kBookmarkCount);
  return text;
}

}  // namespace kv
