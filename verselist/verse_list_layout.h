// The verse list layout: the entries of the result list from ListTop down,
// each its bold reference label and its text with the searched words marked,
// word-wrapped with a hanging indent. The layout places labels and word
// pieces into a placed-item sink, the shape the passage and the printed page
// share: the paint pass draws what it is given, the measure pass only keeps
// the metrics, and the hit test looks for the item under a point. Nothing is
// cached: every pass lays out afresh.
#pragma once

#include <cstddef>
#include <cstdint>

#include "notes/note_files.h"
#include "passage/passage_state.h"
#include "passage/placed_text.h"
#include "platform/font_description.h"
#include "platform/text_canvas.h"
#include "search/search_state.h"
#include "store/bible_data.h"

namespace kv {

constexpr std::size_t kListLabelSize = 32;  // "*1 Thessalonians 5:28 " fits
// A word of the marked text: a verse's longest word with room for many
// nested marks; bytes beyond are dropped, never written past.
constexpr std::size_t kListWordSize = 400;

// Everything a pass reads.
struct VerseListView {
  const BibleData* bible = nullptr;
  // The list and the last search's words; marking a working copy adds to
  // occurrence_count, which each pass puts back as it was.
  SearchState* search = nullptr;
  std::int32_t top = 0;            // ListTop
  int italics = 0;                 // "Italics": 0 italic type, 1 brackets, 2 normal type
  FontDescription font;            // VerseListFont
  std::uint32_t highlight = 0;     // KeyHighlightColor
  const NoteSet* notes = nullptr;  // the current note set: its verses get "*"; none without
  int width = 0;                   // client right
  int height = 0;                  // client bottom
};

// What the paint and measure passes leave behind.
struct VerseListMetrics {
  std::int32_t bottom = -1;  // ListBottom
  int line_height = 0;       // ListLineHeight
};

// "*Ge 1:1 " with a note, "Ge 1:1 " without. Like snprintf.
int FormatListLabel(const BibleData& bible, VerseIndex verse, bool has_note, char* out, std::size_t size);

// Lays the list out into `sink`, which may end it early. Each entry is its
// label (word 0, at the line's start) and its words, numbered from 1; a word
// drawn in more than one font or colour comes as word parts, a searched word
// or part is marked `key`, and the entry's last piece `ends_item`. A word
// that does not fit is told to the sink's Overflow before it goes to the
// next line, at the hanging indent; after each entry the sink is told of the
// new line. The canvas has each piece's font selected as it is placed.
VerseListMetrics LayOutVerseList(const VerseListView& view, TextCanvas& canvas, LayoutSink& sink);

// Draws the list; the selection in inverse colours when the verse list owns
// it, the searched words in the key highlight colour elsewhere.
VerseListMetrics PaintVerseListLayout(const VerseListView& view, const SelectionState& selection,
                                      TextCanvas& canvas);

// The layout without drawing.
VerseListMetrics MeasureVerseListLayout(const VerseListView& view, TextCanvas& canvas);

// The label or word at (x, y). On a hit writes the point and returns true;
// on a miss leaves it alone. `line_height` (optional) receives the line
// height either way.
bool HitTestVerseListLayout(const VerseListView& view, TextCanvas& canvas, int x, int y, SelectionPoint* point,
                            int* line_height = nullptr);

}  // namespace kv
