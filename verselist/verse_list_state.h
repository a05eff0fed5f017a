// The verse list window's part of the state record: where the list is shown
// from, and what the last paint or measure pass found.
#pragma once

#include <cstdint>

namespace kv {

struct VerseListState {
  std::int32_t top = 0;          // ListTop: the position drawn first
  std::int32_t bottom = -1;      // ListBottom: the last entry whose label was laid out
  std::int32_t line_height = 0;  // ListLineHeight: line height, hanging indent, caret height
};

}  // namespace kv
