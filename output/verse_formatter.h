// One verse as one piece of text: its label (full, partial or none) and its
// line under the FormatOptions. The copy, save and print outputs of a range
// are built from these lines.
#pragma once

#include <cstddef>

#include "output/format_options.h"
#include "store/bible_data.h"
#include "store/text_format.h"

namespace kv {

// A verse line is built in a buffer of this size; verse texts (at most 599
// bytes) and labels stay far below it.
constexpr std::size_t kVerseLineSize = 1000;
constexpr std::size_t kVerseLabelSize = 64;

// The formatter's walk over a range: the options of the output and the book
// and chapter a partial label remembers.
struct RangeFormat {
  FormatOptions options;
  bool first = true;  // the next verse is the range's first
  int book = 0;
  int chapter = 0;
};

RangeFormat StartRangeFormat(const FormatOptions& options);

// The label of `verse` as the next verse of the range (" Eph 6:17", " 6:17",
// " 17" or ""), updating the remembered book and chapter. Returns the length.
int FormatVerseLabel(const BibleData& data, RangeFormat* format, VerseIndex verse, char* out,
                     std::size_t size);

// The line of `verse` with the given label: the label before or after the
// text, the paragraph mark for a leading pilcrow, the line break. Returns the
// length of the text in `out` (cut to fit `size` with its NUL).
int FormatVerseLine(const BibleData& data, const FormatOptions& options, VerseIndex verse,
                    const char* label, char* out, std::size_t size);

// Label and line of the next verse of the range in one step.
int FormatNextRangeLine(const BibleData& data, RangeFormat* format, VerseIndex verse, char* out,
                        std::size_t size);

}  // namespace kv
