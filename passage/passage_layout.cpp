#include "passage/passage_layout.h"

#include <cstdio>

#include "store/verse_address.h"

namespace kv {

bool BeginsParagraph(const BibleData& bible, VerseIndex verse) {
  return static_cast<unsigned char>(VerseText(bible, verse)[0]) == kPilcrow;
}

int FormatPassageLabel(const BibleData& bible, VerseIndex verse, bool top, bool paragraph_format,
                       bool has_note, char* out, std::size_t size) {
  // Paragraph Format off: every verse starts a line of its own after one
  // blank. On: a verse opening a paragraph is indented by four blanks, the
  // others run on in the line.
  const char* lead = !paragraph_format ? " " : BeginsParagraph(bible, verse) ? "    " : "";
  const char* star = has_note ? "*" : "";
  VerseRecord record = RecordOf(bible, verse);
  if (top) {
    return std::snprintf(out, size, "%s%s%s %d:%d ", lead, star, BookAbbreviations[record.book], record.chapter,
                         record.verse);
  }
  return std::snprintf(out, size, "%s%s%d ", lead, star, record.verse);
}

int FormatChapterHeading(const BibleData& bible, VerseIndex verse, char* out, std::size_t size) {
  VerseRecord record = RecordOf(bible, verse);
  return std::snprintf(out, size, "%s chapter %d", BookNames[record.book], record.chapter);
}

namespace {

int Clipped(int length, std::size_t size) {
  return length < 0 ? 0 : length < static_cast<int>(size) ? length : static_cast<int>(size) - 1;
}

// One run of the layout: where every label, heading and word goes, told to
// the sink as it is placed. The passes below name their sink's own (final)
// class, so its calls are bound at compile time.
template <class Sink>
class PassageLayout {
 public:
  PassageLayout(const PassageView& view, bool italic_type, TextCanvas& canvas, Sink& sink)
      : view_(view),
        bible_(*view.bible),
        canvas_(canvas),
        sink_(sink),
        italic_type_(italic_type),
        words_(VerseText(*view.bible, view.top), view.italics, italic_type) {}

  PassageMetrics Run();

 private:
  bool HasNote(VerseIndex verse) const {
    return view_.notes && view_.notes->index.size() == static_cast<std::size_t>(kVerseCount) &&
           kv::HasNote(*view_.notes, verse);
  }
  void NewLine() {
    x_ = 1;
    y_ += lh_;
  }
  PlacedItem Item(PlacedKind kind, SelectionPoint point, int width, TextCanvas::FontId font, const char* text,
                  std::size_t size) const {
    return PlacedAt(kind, point, x_, y_, width, lh_, font, text, size);
  }
  void UseFont(TextCanvas::FontId font) {
    canvas_.UseFont(font);
    font_ = font;
  }

  bool PlaceTopLabel();
  bool PlacePendingWord(int width);
  bool StartVerse(bool* stop);  // false beyond the last verse
  void BuildWord();

  const PassageView& view_;
  const BibleData& bible_;
  TextCanvas& canvas_;
  Sink& sink_;
  const bool italic_type_;

  TextCanvas::FontId normal_font_ = 0, bold_font_ = 0, italic_font_ = 0;
  TextCanvas::FontId font_ = 0;  // the font selected on the canvas
  int lh_ = 0;
  int x_ = 0, y_ = 0;
  VerseIndex bottom_verse_ = 0;

  // The stream: the verse v the word reader is in and the number of the
  // last label placed.
  VerseWords words_;
  VerseIndex v_ = 0;
  int label_number_ = 0;
  int k_ = 0;  // words of the verse placed so far
  bool pending_ = false;
};

template <class Sink>
PassageMetrics PassageLayout<Sink>::Run() {
  FontDescription bold = view_.font;
  bold.weight = kBoldWeight;
  normal_font_ = canvas_.MakeFont(view_.font);
  bold_font_ = canvas_.MakeFont(bold);
  if (italic_type_) {
    FontDescription italic = view_.font;
    italic.weight = kNormalWeight;
    italic.italic = 1;
    italic_font_ = canvas_.MakeFont(italic);
  }

  const VerseIndex top = view_.top;
  bottom_verse_ = top;
  UseFont(bold_font_);
  lh_ = canvas_.LineHeight();

  if (PlaceTopLabel()) {
    UseFont(normal_font_);
    label_number_ = RecordOf(bible_, top).verse;
    k_ = 0;
    v_ = top;
    if (view_.paragraph_format && words_.peek() == kPilcrow) words_.Skip();

    while (y_ < view_.height) {
      if (label_number_ == RecordOf(bible_, v_).verse) bottom_verse_ = v_;

      int width = pending_ ? canvas_.Measure(words_.word(), words_.size()) : 0;
      if (x_ + width >= view_.width) {
        PlacedItem next = Item(PlacedKind::Word, {}, width, font_, words_.word(), pending_ ? words_.size() : 0);
        next.ends_item = pending_ && words_.ended_verse();
        if (!sink_.Overflow(next)) break;
        NewLine();
      }
      if (pending_ && !PlacePendingWord(width)) break;
      if (label_number_ != RecordOf(bible_, v_).verse) {
        bool stop = false;
        if (!StartVerse(&stop) || stop) break;
      }
      BuildWord();
    }
  }

  canvas_.FreeFont(normal_font_);
  canvas_.FreeFont(bold_font_);
  if (italic_type_) canvas_.FreeFont(italic_font_);

  if (bottom_verse_ == top) bottom_verse_ = top + 1 > kLastVerse ? kLastVerse : top + 1;
  return {bottom_verse_, lh_};
}

template <class Sink>
bool PassageLayout<Sink>::PlaceTopLabel() {
  const VerseIndex top = view_.top;
  char label[kLabelTextSize];
  int size = Clipped(FormatPassageLabel(bible_, top, true, view_.paragraph_format, HasNote(top), label, sizeof label),
                     sizeof label);
  int width = canvas_.Measure(label, static_cast<std::size_t>(size));
  x_ = 1;
  y_ = 0;
  PlacedItem item = Item(PlacedKind::Label, {top, 0}, width, bold_font_, label, static_cast<std::size_t>(size));
  item.resumes_selection = true;
  x_ = width + 1;
  return sink_.Place(item);
}

template <class Sink>
bool PassageLayout<Sink>::PlacePendingWord(int width) {
  ++k_;
  const bool ended = words_.ended_verse();
  const VerseIndex u = ended ? v_ - 1 : v_;
  const char* word = words_.word();
  const std::size_t size = words_.size();
  pending_ = false;
  if (italic_type_ && words_.italic() && word[size - 1] != ' ') {
    // A supplied word with the punctuation after it: the word in italic
    // type, the punctuation upright. The blank that follows comes as a word
    // of its own and counts with this one.
    const std::size_t head = size - 1;
    UseFont(italic_font_);
    int head_width = canvas_.Measure(word, head);
    PlacedItem part = Item(PlacedKind::WordPart, {u, k_}, head_width, italic_font_, word, head);
    if (!sink_.Place(part)) return false;
    UseFont(normal_font_);
    part.x = x_ + head_width;
    part.width = canvas_.Measure(word + head, 1);
    part.font = normal_font_;
    part.text = word + head;
    part.size = 1;
    if (!sink_.Place(part)) return false;
    x_ += head_width + part.width;
    --k_;
    return true;
  }
  PlacedItem item = Item(PlacedKind::Word, {u, k_}, width, font_, word, size);
  item.ends_item = ended;
  x_ += width;
  return sink_.Place(item);
}

template <class Sink>
bool PassageLayout<Sink>::StartVerse(bool* stop) {
  k_ = 0;
  if (v_ > kLastVerse) return false;
  UseFont(bold_font_);
  label_number_ = RecordOf(bible_, v_).verse;
  if (OpensChapter(bible_, v_)) {
    char heading[kHeadingTextSize];
    int size = Clipped(FormatChapterHeading(bible_, v_, heading, sizeof heading), sizeof heading);
    PlacedItem item = Item(PlacedKind::Heading, {v_, 0}, 0, bold_font_, heading, static_cast<std::size_t>(size));
    item.x = 1;
    item.y = y_ + 2 * lh_;
    if (!sink_.Place(item)) {
      *stop = true;
      return true;
    }
    y_ += 3 * lh_;
    x_ = 1;
  }
  if (StartsLine(bible_, v_, view_.paragraph_format)) {
    NewLine();
    sink_.NewLine();
  }
  char label[kLabelTextSize];
  int size = Clipped(
      FormatPassageLabel(bible_, v_, false, view_.paragraph_format, HasNote(v_), label, sizeof label), sizeof label);
  int width = canvas_.Measure(label, static_cast<std::size_t>(size));
  PlacedItem item = Item(PlacedKind::Label, {v_, 0}, width, bold_font_, label, static_cast<std::size_t>(size));
  if (x_ + width >= view_.width) {
    if (!sink_.Overflow(item)) {
      *stop = true;
      return true;
    }
    NewLine();
    item.x = x_;
    item.y = y_;
  }
  x_ += width;
  if (!sink_.Place(item)) {
    *stop = true;
    return true;
  }
  UseFont(normal_font_);
  words_.UprightFont();
  // With Paragraph Format on the pilcrow is shown by the line break and the
  // indent, so it is not drawn.
  if (view_.paragraph_format && BeginsParagraph(bible_, v_)) words_.Skip();
  return true;
}

template <class Sink>
void PassageLayout<Sink>::BuildWord() {
  words_.Next();
  pending_ = true;
  if (words_.ended_verse()) ++v_;
  const TextCanvas::FontId font = words_.italic_font() ? italic_font_ : normal_font_;
  if (font != font_) UseFont(font);
}

// Finds the label or word under a point; the first rule that matches ends
// the layout. A label or word owns the line from where the item before it
// ended to its own right end.
class PassageHitTest final : public HitTestSink {
 public:
  PassageHitTest(int x, int y, bool paragraph_format) : HitTestSink(x, y), paragraph_format_(paragraph_format) {}

  bool Place(const PlacedItem& item) override {
    const int right = item.x + item.width;
    switch (item.kind) {
      case PlacedKind::Heading:
        prev_ = 0;
        return true;
      case PlacedKind::Label:
        if (first_) {
          first_ = false;
          if (0 <= y_ && y_ < item.y + item.height && 0 <= x_ && x_ <= right) return Hit(item.point);
        } else if ((y_ < item.y + item.height && prev_ <= x_ && x_ <= right) || y_ < item.y) {
          // The heading above a verse and the gap before it belong to its label.
          return Hit(item.point);
        }
        break;
      case PlacedKind::Word:
      case PlacedKind::WordPart:
        // Right of a verse's last line the point takes the verse's last word,
        // where every verse starts a line of its own.
        if ((OnLine(item) && prev_ <= x_ && x_ <= right) ||
            (item.ends_item && !paragraph_format_ && OnLineInclusive(item)))
          return Hit(item.point);
        break;
    }
    prev_ = right;
    last_ = item.point;
    return true;
  }

  bool Overflow(const PlacedItem& next) override {
    if (next.kind == PlacedKind::Label) {
      if (OnLine(next) && x_ >= prev_) return Hit(next.point);
    } else if ((OnLine(next) && x_ >= prev_) || (next.ends_item && OnLineInclusive(next))) {
      // A point right of the line's last item, or below the last line of a
      // verse, takes that item.
      return Hit(last_);
    }
    // The next item opens a line: a point on it must find it, so the line
    // starts empty.
    prev_ = 0;
    return true;
  }

 private:
  bool OnLineInclusive(const PlacedItem& item) const { return item.y <= y_ && y_ <= item.y + item.height; }

  const bool paragraph_format_;
  bool first_ = true;
};

template <class Sink>
PassageMetrics Run(const PassageView& view, bool italic_type, TextCanvas& canvas, Sink& sink) {
  return PassageLayout<Sink>(view, italic_type, canvas, sink).Run();
}

}  // namespace

PassageMetrics LayOutPassage(const PassageView& view, bool italic_type, TextCanvas& canvas, LayoutSink& sink) {
  return Run(view, italic_type, canvas, sink);
}

PassageMetrics PaintPassageLayout(const PassageView& view, const SelectionState& selection, TextCanvas& canvas) {
  const OrderedSelection ordered = Ordered(selection);
  SelectionPainter painter(canvas, selection.owner == kPassageOwner ? &ordered : nullptr);
  return Run(view, true, canvas, painter);
}

PassageMetrics MeasurePassageLayout(const PassageView& view, TextCanvas& canvas) {
  PlaceNothing nothing;
  return Run(view, false, canvas, nothing);
}

bool HitTestPassageLayout(const PassageView& view, TextCanvas& canvas, int x, int y, SelectionPoint* point,
                          int* line_height) {
  PassageHitTest hit_test(x, y, view.paragraph_format);
  PassageMetrics metrics = Run(view, false, canvas, hit_test);
  if (line_height) *line_height = metrics.line_height;
  return hit_test.Found(point);
}

}  // namespace kv
