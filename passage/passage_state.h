// The passage's part of the state record: the top verse and how the text is
// shown, which the settings file keeps, and what the last pass left behind.
#pragma once

#include <cstdint>

#include "passage/selection.h"
#include "platform/font_description.h"
#include "store/bible_data.h"

namespace kv {

// True when the passage holds a selection with text in it. A click that hits
// no text leaves the passage the owner with both points at (-1, -1); that
// counts as no selection everywhere.
inline bool PassageHasSelection(const SelectionState& selection) {
  return selection.owner == kPassageOwner && selection.anchor.item >= 0 && selection.end.item >= 0;
}

// What the settings file keeps for the passage (MISC "ReadVerse" and OPTIONS).
struct PassageSettings {
  VerseIndex CurrentVerse = 0;  // the top verse, kept in 0..31101 by every setter
  std::uint8_t ParagraphFormat = 0;
  std::uint8_t Italics = 0;  // 0 italic text, 1 brackets, 2 normal text
  FontDescription ReadWindowFont;
};

struct PassageState : PassageSettings {
  // Results of the last paint or measure pass.
  VerseIndex bottom_verse = 0;  // ReadBottomVerse
  int line_height = 0;          // ReadLineHeight
};

}  // namespace kv
