#include "store/reference_parser.h"

#include <cstring>
#include <utility>

#include "platform/text_util.h"
#include "store/verse_address.h"

namespace kv {

const char* const kUnrecognizedReference = "Unrecognized Refrence";

namespace {

constexpr int kBookNameSize = 24;  // "1 Thessalonians" and its NUL, with room
constexpr int kSongOfSolomon = 22;

bool IsLetter(char c) { return IsAsciiLetter(static_cast<unsigned char>(c)); }
bool IsDigit(char c) { return IsAsciiDigit(static_cast<unsigned char>(c)); }
bool IsLetterOrDigit(char c) { return IsLetter(c) || IsDigit(c); }

// Whether the text at `p` equals `name` over its first `n` characters,
// ignoring the case of letters. The text's NUL never equals a name's
// character, so a short text stops the comparison inside its buffer.
bool MatchesIgnoringCase(const char* p, const char* name, std::size_t n) {
  for (std::size_t k = 0; k < n; ++k)
    if (ToLowerAscii(static_cast<unsigned char>(p[k])) != ToLowerAscii(static_cast<unsigned char>(name[k])))
      return false;
  return true;
}

// Removes every blank that follows `digit`, so "1 John" reads "1John" like
// the abbreviation "1Jo".
void RemoveBlanksAfter(char* text, char digit) {
  char* out = text;
  for (const char* in = text; *in; ++in) {
    if (*in == ' ' && out > text && out[-1] == digit) continue;
    *out++ = *in;
  }
  *out = '\0';
}

// Reads a book name at *p and moves *p past what matched; 0 when none does.
int ReadBook(const char** p) {
  const char* at = *p;
  // "Song of Solomon" in full: its abbreviation "So" would match first and
  // leave "of Solomon" behind as junk.
  const char* song = BookNames[kSongOfSolomon];
  std::size_t song_length = std::strlen(song);
  if (MatchesIgnoringCase(at, song, song_length) && !IsLetter(at[song_length])) {
    *p = at + song_length;
    return kSongOfSolomon;
  }
  for (int book = 1; book <= kBookCount; ++book) {
    std::size_t n = std::strlen(BookAbbreviations[book]);
    if (MatchesIgnoringCase(at, BookAbbreviations[book], n)) {
      *p = at + n;
      return book;
    }
  }
  // Prefixes of the full names. Text that starts with no letter ("3:16",
  // "1Jn") names no book, rather than meaning Genesis.
  std::size_t letters = 0;
  while (IsLetter(at[letters])) ++letters;
  if (letters == 0) return 0;
  for (int book = 1; book <= kBookCount; ++book) {
    char name[kBookNameSize];
    std::size_t length = 0;
    for (const char* c = BookNames[book]; *c && length < sizeof name - 1; ++c)
      if (!(c == BookNames[book] + 1 && *c == ' ')) name[length++] = *c;  // "1 Samuel" is typed "1Samuel"
    name[length] = '\0';
    std::size_t n = letters < length ? letters : length;
    if (MatchesIgnoringCase(at, name, n)) {
      *p = at + n;
      return book;
    }
  }
  return 0;
}

// The first ':' in the rest of the text, or else the first '.'.
const char* FindVerseSeparator(const char* p) {
  const char* separator = std::strchr(p, ':');
  return separator ? separator : std::strchr(p, '.');
}

}  // namespace

bool ParseReference(const BibleData& data, char* text, VerseIndex* first, VerseIndex* last) {
  for (std::size_t i = std::strlen(text); i-- > 1;) {
    if (IsLetterOrDigit(text[i])) break;
    text[i] = '\0';
  }
  RemoveBlanksAfter(text, '1');
  RemoveBlanksAfter(text, '2');
  RemoveBlanksAfter(text, '3');

  const char* p = text;
  while (IsAsciiSpace(static_cast<unsigned char>(*p))) ++p;  // " Ex 2:3" is Exodus
  int book = ReadBook(&p);
  if (book == 0) return false;
  while (IsLetter(*p)) ++p;  // the rest of a typed name: "Genesis" matched "Ge"
  while (*p && !IsLetterOrDigit(*p) && *p != '-') ++p;

  int chapter = 0, verse = 0;
  bool verse_given = false;  // "Ge 1:-2" gives a verse too
  if (IsDigit(*p)) {
    chapter = ReadNumber(p, &p);
    if (chapter == 0) return false;
    // The separator is looked for in the whole rest of the text, so in
    // "Ge 1 - Ex 2:3" the 3 is the verse of the first reference.
    if (const char* separator = FindVerseSeparator(p)) {
      verse = ReadNumber(separator + 1);
      if (verse == 0) return false;
      verse_given = true;
      p = separator + 1;
    }
  }
  VerseIndex from = FindVerse(data, book, chapter, verse);
  if (!last) {
    *first = from;
    return true;
  }

  while (IsDigit(*p)) ++p;
  while (*p && !IsLetterOrDigit(*p)) ++p;
  if (!*p) {
    // Nothing follows: the verse, the chapter or the book given.
    VerseIndex to = verse_given     ? from
                    : chapter != 0  ? FindVerse(data, book, chapter, kLastNumber)
                                   : FindVerse(data, book, kLastNumber, kLastNumber);
    *first = from;
    *last = to;
    return true;
  }

  int book2 = book, chapter2 = kLastNumber, verse2 = kLastNumber;
  bool names_book = false;
  for (const char* c = p; *c && !names_book; ++c) names_book = IsLetter(*c);
  if (names_book) {
    book2 = ReadBook(&p);
    if (book2 == 0) return false;
  }
  while (IsLetter(*p)) ++p;
  if (*p) {
    chapter2 = ReadNumber(p);
    if (chapter2 == 0) return false;
    while (*p && !IsDigit(*p)) ++p;
    while (IsDigit(*p)) ++p;
    if (const char* separator = FindVerseSeparator(p)) {
      verse2 = ReadNumber(separator + 1);
      if (verse2 == 0) return false;
    }
  }
  VerseIndex to = FindVerse(data, book2, chapter2, verse2);
  if (to < from) std::swap(from, to);
  *first = from;
  *last = to;
  return true;
}

}  // namespace kv
