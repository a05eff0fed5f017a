// The program's one selection: which pane holds it and its two points. The
// passage, the verse list and the notes panes share this one record, so
// taking the selection in one pane drops it in the others.
#pragma once

#include <cstdint>

namespace kv {

// Who holds the selection (SelectionOwner).
constexpr int kNoSelectionOwner = -1;
constexpr int kVerseListOwner = 3;
constexpr int kPassageOwner = 4;
constexpr int kNotesDisplayOwner = 8;
constexpr int kNoteEditorOwner = 10;

// A place in a pane's text. In the passage the item is a VerseIndex, in the
// verse list a position in the list; word 0 is the item's label, words 1,
// 2, ... its words in layout order.
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

}  // namespace kv
