// What the copy and save commands share: the format options on the command
// line, a range typed after them, and the program's messages on stderr.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>

#include "output/format_options.h"
#include "output/output_messages.h"
#include "platform/text_util.h"
#include "store/verse_address.h"
#include "tools/kelvane/cli.h"

namespace kv::cli {

inline bool ReadLabelStyle(const std::string& word, std::uint8_t* style) {
  if (word == "full") *style = kLabelFull;
  else if (word == "partial") *style = kLabelPartial;
  else if (word == "none") *style = kLabelNone;
  else return false;
  return true;
}

// Takes --first, --next, --after, --no-breaks and --no-marks; the rest keep
// the settings file's defaults. False after a usage error was reported.
inline bool TakeFormatOptions(Args& args, FormatOptions* options) {
  std::string style;
  if (TakeOption(args, "--first", &style) && !ReadLabelStyle(style, &options->FirstVerseStyle)) {
    UsageError("--first takes full, partial or none");
    return false;
  }
  if (TakeOption(args, "--next", &style) && !ReadLabelStyle(style, &options->SubsequentVerseStyle)) {
    UsageError("--next takes full, partial or none");
    return false;
  }
  if (TakeFlag(args, "--after")) options->Location = kLabelAfter;
  if (TakeFlag(args, "--no-breaks")) options->LineBreaks = 0;
  if (TakeFlag(args, "--no-marks")) options->ParagraphMarks = 0;
  return true;
}

constexpr const char* kFormatHelp =
    "  --first full|partial|none  label of the first verse (default full)\n"
    "  --next full|partial|none   label of every later verse (default partial)\n"
    "  --after                    label after the verse text\n"
    "  --no-breaks                no CR LF after each verse\n"
    "  --no-marks                 no pilcrow at paragraph starts\n";

namespace range_arg {

// The book named at the start of `text` (full name or abbreviation, any
// case, the longest that fits); 0 when none.
inline int ReadBook(const char*& text) {
  int best = 0;
  std::size_t best_length = 0;
  for (int book = 1; book <= kBookCount; ++book) {
    for (const char* name : {BookNames[book], BookAbbreviations[book]}) {
      std::size_t n = std::strlen(name);
      if (n <= best_length) continue;
      bool same = true;
      for (std::size_t i = 0; i < n && same; ++i)
        same = ToLowerAscii(static_cast<unsigned char>(text[i])) == ToLowerAscii(static_cast<unsigned char>(name[i]));
      if (same && !IsAsciiLetter(static_cast<unsigned char>(text[n]))) {
        best = book;
        best_length = n;
      }
    }
  }
  text += best_length;
  return best;
}

inline void SkipBlanks(const char*& text) {
  while (*text == ' ' || *text == '\t') ++text;
}

}  // namespace range_arg

// Reads "Eph 6:17-18", "Ge 50:26 - Ex 1:2", "Ps 23" or "Joh 3:16" into a
// first and a last verse. This is the command line's own small reading of
// ranges, for the copy and save commands.
inline bool ReadRangeArgument(const BibleData& data, const std::string& typed, VerseIndex* first,
                              VerseIndex* last) {
  using namespace range_arg;
  const char* p = typed.c_str();
  SkipBlanks(p);
  int book = ReadBook(p);
  if (book == 0) return false;
  SkipBlanks(p);
  int chapter = 0, verse = 0;
  bool whole_chapter = false;
  if (IsAsciiDigit(static_cast<unsigned char>(*p))) {
    chapter = ReadNumber(p, &p);
    if (*p == ':') verse = ReadNumber(p + 1, &p);
    else whole_chapter = true;
  }
  *first = FindVerse(data, book, chapter, verse);
  SkipBlanks(p);
  if (*p == '\0') {
    *last = chapter == 0 ? FindVerse(data, book, kLastNumber, kLastNumber)
            : whole_chapter ? FindVerse(data, book, chapter, kLastNumber)
                            : *first;
    return *first != kNoVerse && *last != kNoVerse;
  }
  if (*p != '-') return false;
  ++p;
  SkipBlanks(p);
  int last_book = ReadBook(p);
  bool named_book = last_book != 0;
  if (!named_book) last_book = book;
  SkipBlanks(p);
  int last_chapter = kLastNumber, last_verse = kLastNumber;
  if (IsAsciiDigit(static_cast<unsigned char>(*p))) {
    int n = ReadNumber(p, &p);
    if (*p == ':') {
      last_chapter = n;
      last_verse = ReadNumber(p + 1, &p);
    } else if (named_book || whole_chapter) {
      last_chapter = n;  // "Ps 23-25", "Ge 50 - Ex 2"
    } else {
      last_chapter = RecordOf(data, *first).chapter;  // "Eph 6:17-18"
      last_verse = n;
    }
  }
  SkipBlanks(p);
  if (*p != '\0') return false;
  *last = FindVerse(data, last_book, last_chapter, last_verse);
  return *first != kNoVerse && *last != kNoVerse && *first <= *last;
}

}  // namespace kv::cli
