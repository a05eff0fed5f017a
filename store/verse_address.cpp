#include "store/verse_address.h"

#include <cstdio>
#include <cstring>

#include "platform/text_util.h"

namespace kv {

const char* const BookNames[kBookCount + 1] = {
    "",
    "Genesis", "Exodus", "Leviticus", "Numbers", "Deuteronomy", "Joshua", "Judges", "Ruth",
    "1 Samuel", "2 Samuel", "1 Kings", "2 Kings", "1 Chronicles", "2 Chronicles", "Ezra",
    "Nehemiah", "Esther", "Job", "Psalms", "Proverbs", "Ecclesiastes", "Song of Solomon",
    "Isaiah", "Jeremiah", "Lamentations", "Ezekiel", "Daniel", "Hosea", "Joel", "Amos",
    "Obadiah", "Jonah", "Micah", "Nahum", "Habakkuk", "Zephaniah", "Haggai", "Zechariah",
    "Malachi", "Matthew", "Mark", "Luke", "John", "Acts", "Romans", "1 Corinthians",
    "2 Corinthians", "Galatians", "Ephesians", "Philippians", "Colossians", "1 Thessalonians",
    "2 Thessalonians", "1 Timothy", "2 Timothy", "Titus", "Philemon", "Hebrews", "James",
    "1 Peter", "2 Peter", "1 John", "2 John", "3 John", "Jude", "Revelation",
};

const char* const BookAbbreviations[kBookCount + 1] = {
    "",
    "Ge", "Ex", "Le", "Nu", "De", "Jos", "Jg", "Ru", "1Sa", "2Sa", "1Ki", "2Ki", "1Ch", "2Ch",
    "Ezr", "Ne", "Es", "Job", "Ps", "Pr", "Ec", "So", "Isa", "Jer", "La", "Eze", "Da", "Ho",
    "Joe", "Am", "Ob", "Jon", "Mic", "Na", "Hab", "Zep", "Hag", "Zec", "Mal", "Mt", "Mr", "Lu",
    "Joh", "Ac", "Ro", "1Co", "2Co", "Ga", "Eph", "Php", "Col", "1Th", "2Th", "1Ti", "2Ti",
    "Tit", "Phm", "Heb", "Jas", "1Pe", "2Pe", "1Jo", "2Jo", "3Jo", "Jude", "Re",
};

VerseIndex FindVerse(const BibleData& data, int book, int chapter, int verse) {
  VerseIndex i = 0;
  while (i <= kLastVerse && BookOf(data, i) != book) ++i;
  if (i > kLastVerse) return kNoVerse;
  // Record 31102 is all zeros, so "record i+1 still belongs to book B" is
  // false there without a bounds test; the i < 31101 tests keep us inside.
  while (i < kLastVerse && RecordOf(data, i).chapter < chapter && BookOf(data, i + 1) == book) ++i;
  while (i < kLastVerse && RecordOf(data, i).verse < verse && RecordOf(data, i + 1).chapter == chapter &&
         BookOf(data, i + 1) == book)
    ++i;
  return i;
}

namespace {

int FormatReference(const BibleData& data, const char* const* names, VerseIndex verse, char* out,
                    std::size_t size) {
  VerseRecord r = RecordOf(data, verse);
  return std::snprintf(out, size, "%s %d:%d", names[r.book], r.chapter, r.verse);
}

std::string ToString(int (*format)(const BibleData&, VerseIndex, char*, std::size_t),
                     const BibleData& data, VerseIndex verse) {
  char buffer[64];
  format(data, verse, buffer, sizeof buffer);
  return buffer;
}

}  // namespace

int FormatFullReference(const BibleData& data, VerseIndex verse, char* out, std::size_t size) {
  return FormatReference(data, BookNames, verse, out, size);
}

int FormatShortReference(const BibleData& data, VerseIndex verse, char* out, std::size_t size) {
  return FormatReference(data, BookAbbreviations, verse, out, size);
}

int FormatRange(const BibleData& data, VerseIndex first, VerseIndex last, char* out, std::size_t size) {
  VerseRecord a = RecordOf(data, first), b = RecordOf(data, last);
  return std::snprintf(out, size, "%s %d:%d - %s %d:%d", BookAbbreviations[a.book], a.chapter, a.verse,
                       BookAbbreviations[b.book], b.chapter, b.verse);
}

std::string FullReference(const BibleData& data, VerseIndex verse) {
  return ToString(FormatFullReference, data, verse);
}

std::string ShortReference(const BibleData& data, VerseIndex verse) {
  return ToString(FormatShortReference, data, verse);
}

std::string RangeText(const BibleData& data, VerseIndex first, VerseIndex last) {
  char buffer[96];
  FormatRange(data, first, last, buffer, sizeof buffer);
  return buffer;
}

int ReadNumber(const char* text, const char** end) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (IsAsciiSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  long long value = 0;
  for (; IsAsciiDigit(*p); ++p)
    if (value <= 0x7fffffff) value = value * 10 + (*p - '0');  // saturate instead of overflowing
  if (value > 0x7fffffff) value = 0x7fffffff;
  if (end) *end = reinterpret_cast<const char*>(p);
  return static_cast<int>(negative ? -value : value);
}

VerseIndex ReadListReference(const BibleData& data, const char* line) {
  for (int book = 1; book <= kBookCount; ++book) {
    std::size_t n = std::strlen(BookNames[book]);
    if (std::strncmp(line, BookNames[book], n) != 0) continue;
    int chapter = ReadNumber(line + n);
    const char* colon = std::strchr(line, ':');
    int verse = colon ? ReadNumber(colon + 1) : 0;
    return FindVerse(data, book, chapter, verse);
  }
  return kNoVerse;
}

}  // namespace kv
