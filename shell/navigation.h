// The big steps of the passage: next and previous chapter and book, Go to
// Book, Today's Proverb and the ten bookmarks. Each step answers the verse
// the passage should show; the caller hands it to SetCurrentVerse.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "platform/calendar.h"
#include "store/bible_data.h"

namespace kv {

constexpr int kBookmarkCount = 10;
constexpr int kProverbsBook = 20;
constexpr std::size_t kBookmarkTextSize = 64;

using BookmarkSlots = std::array<VerseIndex, kBookmarkCount>;

// The verse SetCurrentVerse would show: held to 0..31101.
VerseIndex ClampVerse(VerseIndex verse);

// The first verse of the book after the one holding `verse`; in Revelation,
// Revelation 22:21.
VerseIndex NextBook(const BibleData& data, VerseIndex verse);
// Chapter 1, verse 1 of the book before; in Genesis, Genesis 1:1.
VerseIndex PreviousBook(const BibleData& data, VerseIndex verse);
// The first verse of the following chapter (chapter 1 of the next book after
// a book's last chapter); in Revelation 22, Revelation 22:21.
VerseIndex NextChapter(const BibleData& data, VerseIndex verse);
// Verse 1 of the chapter before the one holding `verse`, even when `verse`
// is not its chapter's first; in Genesis 1, Genesis 1:1.
VerseIndex PreviousChapter(const BibleData& data, VerseIndex verse);
// Chapter 1, verse 1 of book 1..66.
VerseIndex GoToBook(const BibleData& data, int book);
// The chapter of Proverbs numbered by today's day of the month, verse 1.
VerseIndex TodaysProverb(const BibleData& data, Calendar& calendar);

// Bookmark n (1..10), held to the Bible's verses.
VerseIndex BookmarkVerse(const BookmarkSlots& bookmarks, int n);
// Sets bookmark n (1..10) to `verse`; false for another n.
bool SetBookmark(BookmarkSlots* bookmarks, int n, VerseIndex verse);
// The Bookmarks menu text of bookmark n: "Genesis 1:1\tCtrl+1", Ctrl+0 for
// the tenth.
std::string BookmarkMenuText(const BibleData& data, const BookmarkSlots& bookmarks, int n);

}  // namespace kv
