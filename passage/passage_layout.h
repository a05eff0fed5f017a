// The passage layout: the Bible as one stream of labels, chapter headings and
// words from the top verse down to the window's bottom edge, placed into a
// sink. One layout runs three ways: the paint pass draws what is placed, the
// measure pass only finds the verse it reaches at the bottom, and the hit
// test finds the label or word under a point. Nothing is cached: every pass
// lays out afresh.
#pragma once

#include <cstddef>

#include "notes/note_files.h"
#include "passage/passage_state.h"
#include "passage/placed_text.h"
#include "passage/verse_words.h"
#include "platform/font_description.h"
#include "platform/text_canvas.h"
#include "store/bible_data.h"
#include "store/text_format.h"

namespace kv {

constexpr std::size_t kLabelTextSize = 48;
constexpr std::size_t kHeadingTextSize = 64;

// Everything a pass reads: the text, the options and the window's size.
struct PassageView {
  const BibleData* bible = nullptr;
  VerseIndex top = 0;             // CurrentVerse
  bool paragraph_format = false;  // "Paragraph Format"
  int italics = kItalicsInItalicType;
  FontDescription font;           // ReadWindowFont
  const NoteSet* notes = nullptr; // the current note set: its verses get "*"; none without
  int width = 0;                  // client right
  int height = 0;                 // client bottom
};

// What the paint and measure passes leave behind.
struct PassageMetrics {
  VerseIndex bottom_verse = 0;  // ReadBottomVerse
  int line_height = 0;          // ReadLineHeight
};

// True when the verse's text begins with the pilcrow (a new paragraph).
bool BeginsParagraph(const BibleData& bible, VerseIndex verse);

// True when a verse after the first starts a line of its own: every verse
// without Paragraph Format, a verse opening a paragraph with it.
inline bool StartsLine(const BibleData& bible, VerseIndex verse, bool paragraph_format) {
  return !paragraph_format || BeginsParagraph(bible, verse);
}

// True when a chapter heading stands before a verse after the first: its
// chapter or its book is not that of the verse before it.
inline bool OpensChapter(const BibleData& bible, VerseIndex verse) {
  const VerseRecord record = RecordOf(bible, verse);
  const VerseRecord before = RecordOf(bible, verse - 1);
  return record.chapter != before.chapter || record.book != before.book;
}

// The label of a verse: the top verse's carries the abbreviated reference,
// later ones the verse number; a note adds "*", Paragraph Format decides the
// leading blanks. Like snprintf: cut to `size`, the full length returned.
int FormatPassageLabel(const BibleData& bible, VerseIndex verse, bool top, bool paragraph_format,
                       bool has_note, char* out, std::size_t size);

// "Exodus chapter 1".
int FormatChapterHeading(const BibleData& bible, VerseIndex verse, char* out, std::size_t size);

// Lays the passage out into `sink`, which may end it early. With
// `italic_type` (drawing passes) supplied words are measured and placed in
// the italic font under Italics 0; otherwise every word is in the normal
// font. Every font made is deleted before it returns.
PassageMetrics LayOutPassage(const PassageView& view, bool italic_type, TextCanvas& canvas, LayoutSink& sink);

// Draws the passage; the selection is drawn in inverse colours when the
// passage owns it.
PassageMetrics PaintPassageLayout(const PassageView& view, const SelectionState& selection,
                                  TextCanvas& canvas);

// The same layout without drawing, in the normal font only.
PassageMetrics MeasurePassageLayout(const PassageView& view, TextCanvas& canvas);

// The label or word at (x, y) of the window. On a hit writes the point and
// returns true; on a miss leaves it alone. `line_height` (optional) receives
// the line height either way.
bool HitTestPassageLayout(const PassageView& view, TextCanvas& canvas, int x, int y, SelectionPoint* point,
                          int* line_height = nullptr);

}  // namespace kv
