// Naming verses: the book tables, the lookup from book/chapter/verse to a
// VerseIndex, and the reference texts the program shows.
#pragma once

#include <cstddef>
#include <string>

#include "store/bible_data.h"

namespace kv {

// Indexed by book number 1..66; entry 0 is "".
extern const char* const BookNames[kBookCount + 1];
extern const char* const BookAbbreviations[kBookCount + 1];

// Passed as chapter or verse: the last one.
constexpr int kLastNumber = 500;

// The verse of (book, chapter, verse), clamped: chapter or verse 0 means the
// first, one beyond the last means the last (a chapter beyond the book's last
// gives the book's last verse). -1 only for a book that no verse carries.
VerseIndex FindVerse(const BibleData& data, int book, int chapter, int verse);

// "Genesis 1:1", "Ge 1:1" and "Ge 1:1 - Re 22:21". Like snprintf: the text is
// cut to fit `size` bytes with its NUL, and the full length is returned.
int FormatFullReference(const BibleData& data, VerseIndex verse, char* out, std::size_t size);
int FormatShortReference(const BibleData& data, VerseIndex verse, char* out, std::size_t size);
int FormatRange(const BibleData& data, VerseIndex first, VerseIndex last, char* out, std::size_t size);
std::string FullReference(const BibleData& data, VerseIndex verse);
std::string ShortReference(const BibleData& data, VerseIndex verse);
std::string RangeText(const BibleData& data, VerseIndex first, VerseIndex last);

// Reads a line of the reference list ("1 John 3:16") back into a verse; -1
// when no full book name starts the line.
VerseIndex ReadListReference(const BibleData& data, const char* line);

// Reads a number as the reference texts are read: white space, an optional
// sign, decimal digits; no digits read as 0. `*end` (optional) receives the
// position after the digits.
int ReadNumber(const char* text, const char** end = nullptr);

}  // namespace kv
