// The passage's part of the state record, and the program's one selection,
// which the passage shares with the verse list and the notes panes.
#pragma once

#include <cstdint>

#include "store/bible_data.h"

namespace kv {

// Who holds the selection (SelectionOwner).
constexpr int kNoSelectionOwner = -1;
constexpr int kVerseListOwner = 3;
constexpr int kPassageOwner = 4;
constexpr int kNotesDisplayOwner = 8;
constexpr int kNoteEditorOwner = 10;

// A place in a pane's text. In the passage the item is a VerseIndex; word 0
// is the verse's label, words 1, 2, ... its words in layout order.
struct SelectionPoint {
  std::int32_t item = -1;
  std::int32_t word = -1;
};
inline bool operator==(SelectionPoint a, SelectionPoint b) { return a.item == b.item && a.word == b.word; }
inline bool operator!=(SelectionPoint a, SelectionPoint b) { return !(a == b); }
inline bool operator<(SelectionPoint a, SelectionPoint b) {
  return a.item != b.item ? a.item < b.item : a.word < b.word;
}
constexpr SelectionPoint kNoPoint{-1, -1};

struct SelectionState {
  int owner = kNoSelectionOwner;  // SelectionOwner
  SelectionPoint anchor;          // SelAnchor: where the button went down
  SelectionPoint end;             // SelEnd: the point under the mouse
  bool dragging = false;          // SelDragging
};

// The selection in reading order: first the smaller point.
struct OrderedSelection {
  SelectionPoint start;
  SelectionPoint end;
};
inline OrderedSelection Ordered(const SelectionState& selection) {
  if (selection.end < selection.anchor) return {selection.end, selection.anchor};
  return {selection.anchor, selection.end};
}

// True when the passage holds a selection with text in it. A click that hits
// no text leaves the passage the owner with both points at (-1, -1); that
// counts as no selection everywhere.
inline bool PassageHasSelection(const SelectionState& selection) {
  return selection.owner == kPassageOwner && selection.anchor.item >= 0 && selection.end.item >= 0;
}

// The passage's own fields. CurrentVerse itself is kept with the settings
// (MISC "ReadVerse"); the selection's owner with the shell, since every pane
// sets it. The two points and the drag flag are shared with the verse list.
struct PassageState {
  // Results of the last paint or measure pass.
  VerseIndex bottom_verse = 0;  // ReadBottomVerse
  int line_height = 0;          // ReadLineHeight
  SelectionPoint anchor;        // SelAnchor
  SelectionPoint end;           // SelEnd
  bool dragging = false;        // SelDragging
};

}  // namespace kv
