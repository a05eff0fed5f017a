// How verses are shaped when they leave the program for the clipboard, a
// text file or the printer. Kept in the state record, edited by the
// Copy/Save Format dialog and stored in the FORMAT section of the settings.
#pragma once

#include <cstdint>

namespace kv {

// Values of FirstVerseStyle and SubsequentVerseStyle. Any value other than
// Full or Partial labels like None, as the dialog shows it.
constexpr std::uint8_t kLabelFull = 0;
constexpr std::uint8_t kLabelPartial = 1;
constexpr std::uint8_t kLabelNone = 2;

// Values of Location.
constexpr std::uint8_t kLabelBefore = 0;
constexpr std::uint8_t kLabelAfter = 1;

struct FormatOptions {
  std::uint8_t FirstVerseStyle = kLabelFull;
  std::uint8_t SubsequentVerseStyle = kLabelPartial;
  std::uint8_t Location = kLabelBefore;
  std::int32_t LineBreaks = 1;      // non-zero: every verse line ends with CR LF
  std::int32_t ParagraphMarks = 1;  // non-zero: a paragraph start shows as the pilcrow
};

// The output's part of the state record: the format of copies, saves and
// prints, kept in the settings file's FORMAT section.
struct OutputSettings {
  FormatOptions Format;
};

}  // namespace kv
