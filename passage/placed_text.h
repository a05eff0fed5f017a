// Placed text: what a layout hands on for each label, heading and word it
// puts on the page, and what the passes make of it. A layout decides where
// everything goes and tells a sink; the sink draws it (SelectionPainter),
// ignores it (a measure pass) or looks for a point in it (a hit test). The
// passage, the verse list and the printed page share this shape.
#pragma once

#include <cstddef>

#include "passage/selection.h"
#include "platform/text_canvas.h"

namespace kv {

enum class PlacedKind : unsigned char {
  Label,     // word 0 of its item: a verse's or an entry's label
  Word,      // a word with its trailing blank
  WordPart,  // one of the pieces of a word drawn in more than one font
  Heading,   // a chapter heading; its point is that of the label after it
};

struct PlacedItem {
  PlacedKind kind = PlacedKind::Word;
  SelectionPoint point;         // the item and word it stands for
  int x = 0;                    // top-left corner
  int y = 0;
  int width = 0;                // how far the layout moves right past it
  int height = 0;               // the height of its line
  TextCanvas::FontId font = 0;  // the font it is measured in, selected on the canvas while it is placed
  const char* text = nullptr;
  std::size_t size = 0;
  bool ends_item = false;       // the last word (or the last part of it) of its verse or entry
  bool key = false;             // a searched word of the verse list, drawn in the key highlight colour
  bool resumes_selection = false;  // a label inverted by a selection that began above it and reaches it
};

// An item placed at (x, y), `width` wide on a line `height` high, measured
// in `font`.
inline PlacedItem PlacedAt(PlacedKind kind, SelectionPoint point, int x, int y, int width, int height,
                           TextCanvas::FontId font, const char* text, std::size_t size) {
  PlacedItem item;
  item.kind = kind;
  item.point = point;
  item.x = x;
  item.y = y;
  item.width = width;
  item.height = height;
  item.font = font;
  item.text = text;
  item.size = size;
  return item;
}

// The receiver of a layout. Every call may end the layout by returning false.
class LayoutSink {
 public:
  virtual ~LayoutSink() = default;
  // `item` is placed where it says.
  virtual bool Place(const PlacedItem& item) {
    (void)item;
    return true;
  }
  // `next`, measured at the end of the line it says, does not fit there: it
  // goes to the start of the next line.
  virtual bool Overflow(const PlacedItem& next) {
    (void)next;
    return true;
  }
  // The layout moves to a new line on its own (a paragraph, a heading).
  virtual void NewLine() {}
};

// The base of a hit test, which looks for the label or word under the point
// (x, y): each line's items own it from where the item before them ended
// (`prev_`, 0 at a line's start). The first hit ends the layout.
class HitTestSink : public LayoutSink {
 public:
  HitTestSink(int x, int y) : x_(x), y_(y) {}

  void NewLine() override { prev_ = 0; }

  // On a hit writes the point found and returns true; on a miss leaves
  // `point` alone.
  bool Found(SelectionPoint* point) const {
    if (!hit_) return false;
    *point = point_;
    return true;
  }

 protected:
  bool OnLine(const PlacedItem& item) const { return item.y <= y_ && y_ < item.y + item.height; }
  // Ends the layout with `point` found.
  bool Hit(SelectionPoint point) {
    hit_ = true;
    point_ = point;
    return false;
  }

  const int x_, y_;
  int prev_ = 0;
  SelectionPoint last_;  // the item placed last

 private:
  bool hit_ = false;
  SelectionPoint point_;
};

// The measure pass: every item is placed nowhere.
class PlaceNothing final : public LayoutSink {};

// Draws every item as it is placed, in the canvas's selected font. Items from
// the selection's start point to its end point are drawn in inverse colours;
// a label marked `resumes_selection` is inverted too when the selection began
// above its item and reaches it. Without a selection everything is normal.
class SelectionPainter final : public LayoutSink {
 public:
  SelectionPainter(TextCanvas& canvas, const OrderedSelection* selection)
      : canvas_(canvas), selected_(selection != nullptr) {
    if (selection) selection_ = *selection;
  }

  bool Place(const PlacedItem& item) override {
    if (selected_ && (item.point == selection_.start ||
                      (item.resumes_selection && selection_.start.item < item.point.item &&
                       item.point.item <= selection_.end.item)))
      inverse_ = true;
    canvas_.Draw(item.x, item.y, item.text, item.size, inverse_ ? TextColors::Inverse : TextColors::Normal);
    // The colours change back after the end point's label or whole word; a
    // heading comes before its label, a word part before the rest of its word.
    if (selected_ && item.point == selection_.end &&
        (item.kind == PlacedKind::Label || item.kind == PlacedKind::Word))
      inverse_ = false;
    return true;
  }

 private:
  TextCanvas& canvas_;
  bool selected_;
  OrderedSelection selection_;
  bool inverse_ = false;
};

}  // namespace kv
