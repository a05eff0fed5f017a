// The verse list window's part of the state record: its font and the colour
// of the searched words, which the settings file keeps, and where the list is
// shown from and what the last paint or measure pass found.
#pragma once

#include <cstdint>

#include "platform/font_description.h"

namespace kv {

// What the settings file keeps for the verse list (OPTIONS).
struct VerseListSettings {
  FontDescription VerseListFont;
  std::uint32_t KeyHighlightColor = 0;  // 0x00BBGGRR
};

struct VerseListState : VerseListSettings {
  std::int32_t top = 0;          // ListTop: the position drawn first
  std::int32_t bottom = -1;      // ListBottom: the last entry whose label was laid out
  std::int32_t line_height = 0;  // ListLineHeight: line height, hanging indent, caret height
};

}  // namespace kv
