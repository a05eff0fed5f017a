// The toolbar's tooltip texts: a fixed text per button, and three tips that
// name the verse their button would act on.
#pragma once

#include <cstddef>

#include "store/bible_data.h"

namespace kv {

// The longest computed tip, "Read Context of Song 8:14 (F12)" and its like,
// fits with room to spare.
constexpr std::size_t kTipTextSize = 52;

// What the computed tips name.
struct TipContext {
  const BibleData* bible = nullptr;
  int result_count = 0;          // ResultCount: entries in the verse list
  VerseIndex list_verse = 0;     // the verse of ListCurrentEntry
  VerseIndex passage_verse = 0;  // PassageCurrentVerse
};

// The tooltip of the button for `command`: a fixed text, or a computed one
// formatted into `buffer` (kTipTextSize bytes), whose address is returned.
// Null for a command without a tip.
const char* ToolbarTip(int command, const TipContext& context, char* buffer);

}  // namespace kv
