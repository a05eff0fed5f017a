// The verse list's part of the state record: its font and the colour of the
// searched words, which the settings file keeps.
#pragma once

#include <cstdint>

#include "platform/font_description.h"

namespace kv {

// What the settings file keeps for the verse list (OPTIONS).
struct VerseListSettings {
  FontDescription VerseListFont;
  std::uint32_t KeyHighlightColor = 0;  // 0x00BBGGRR
};

struct VerseListState : VerseListSettings {};

}  // namespace kv
