#include "notes/cross_references.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/text_util.h"
#include "store/verse_address.h"

namespace kv {
namespace {

bool Letter(char c) { return IsAsciiLetter(static_cast<unsigned char>(c)); }
bool Digit(char c) { return IsAsciiDigit(static_cast<unsigned char>(c)); }
bool SameIgnoringCase(char a, char b) {
  return ToLowerAscii(static_cast<unsigned char>(a)) == ToLowerAscii(static_cast<unsigned char>(b));
}

// Leading decimal digits, saturating far above any chapter or verse.
int ReadDigits(const char* p, const char** end) {
  int value = 0;
  for (; Digit(*p); ++p)
    if (value < 1000000) value = value * 10 + (*p - '0');
  *end = p;
  return value;
}

// Matches the book at `p` (the start of a token). Returns the book, 0 for
// none, and moves `p` past the name and the blanks after it.
int ReadBook(const char*& p) {
  for (int book = 1; book <= kBookCount; ++book) {
    const char* abbreviation = BookAbbreviations[book];
    std::size_t n = std::strlen(abbreviation);
    std::size_t i = 0;
    while (i < n && SameIgnoringCase(p[i], abbreviation[i])) ++i;
    if (i < n) continue;
    ++p;
    while (Letter(*p)) ++p;
    while (*p == ' ') ++p;
    return book;
  }
  // Full names match by prefix; "1 Samuel" is written 1Samuel in a line.
  std::size_t letters = 0;
  while (Letter(p[1 + letters])) ++letters;
  for (int book = 1; book <= kBookCount; ++book) {
    std::string name = BookNames[book];
    if (name.size() > 1 && name[1] == ' ') name.erase(1, 1);
    std::size_t n = std::min(1 + letters, name.size());
    std::size_t i = 0;
    while (i < n && SameIgnoringCase(p[i], name[i])) ++i;
    if (i < n) continue;
    p += n;
    while (Letter(*p) || *p == ' ') ++p;
    return book;
  }
  return 0;
}

}  // namespace

bool CollectCrossReferences(const BibleData& data, const char* note, std::size_t length,
                            std::size_t selection_start, VerseIndex note_verse, CrossReferenceList* out) {
  out->verses.clear();
  out->status.clear();
  if (note_verse < 0 || note_verse > kLastVerse) return false;
  std::size_t hash = std::min(selection_start, length);
  // The "#" must stand on the clicked line, at or before the click.
  for (;;) {
    char c = hash < length ? note[hash] : '\0';
    if (c == '#') break;
    if (c == '\n' || hash == 0) return false;
    --hash;
  }
  std::size_t first = hash;
  while (first < length && note[first] != '\n' && !Letter(note[first]) && !Digit(note[first])) ++first;
  std::size_t last = first;
  while (last < length && note[last] != '\n' && note[last] != '\0') ++last;

  // A working copy cut into tokens in place; the NULs after it stop every
  // scan that runs past a token's end.
  std::string copy(note + first, last - first);
  copy.append(4, '\0');
  char* const base = &copy[0];
  auto note_char = [&](const char* at) {
    std::size_t offset = first + static_cast<std::size_t>(at - base);
    return offset < last ? note[offset] : '\0';
  };

  VerseRecord context = RecordOf(data, note_verse);
  int book = context.book;
  int chapter = context.chapter;
  std::vector<VerseIndex>& verses = out->verses;
  const char* p = base;
  while (*p && verses.size() < kMaxCrossReferences) {
    // The token: a digit that starts a book name, letters, blanks, then the
    // digits, colons and full stops of the numbers.
    char* end = base + (p - base);
    if (Digit(*end) && Letter(end[1])) ++end;
    while (Letter(*end)) ++end;
    while (*end == ' ') ++end;
    while (Digit(*end) || *end == ':' || *end == '.') ++end;
    bool last_token = *end == '\0';
    *end = '\0';

    if (Letter(p[0]) || (p[0] && Letter(p[1]))) {
      book = ReadBook(p);
      if (book == 0) break;
    }
    if (!Digit(*p)) break;
    int number = ReadDigits(p, &p);
    if (number == 0) break;
    int verse = number;
    const char* mark = std::strchr(p, ':');
    if (!mark) mark = std::strchr(p, '.');
    if (mark) {
      const char* ignored;
      verse = ReadDigits(mark + 1, &ignored);
      if (verse == 0) break;
      chapter = number;
    }
    VerseIndex at = FindVerse(data, book, chapter, verse);
    verses.push_back(at);
    if (last_token) break;

    p = end + 1;
    if (note_char(end) == '-') {
      // "16-18" adds the verses between; the token "18" then adds 18 itself.
      // Stepping on from the verse just found gives what the lookup would
      // give for each number, clamped at the chapter's last verse.
      const char* ignored;
      int to = ReadDigits(p, &ignored);
      for (int n = verse + 1; n < to && verses.size() < kMaxCrossReferences; ++n) {
        while (at < kLastVerse && RecordOf(data, at).verse < n && RecordOf(data, at + 1).chapter == chapter &&
               BookOf(data, at + 1) == book)
          ++at;
        verses.push_back(at);
      }
    }
  }

  char status[64];
  std::snprintf(status, sizeof status, "x-refs for %s %d:%d", BookAbbreviations[context.book], context.chapter,
                context.verse);
  out->status = status;
  return true;
}

}  // namespace kv
