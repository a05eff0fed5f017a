#include "passage/passage_layout.h"

#include <cstdio>

#include "passage/passage_words.h"
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

enum class Pass { Paint, Measure, HitTest };

int Clipped(int length, std::size_t size) {
  return length < 0 ? 0 : length < static_cast<int>(size) ? length : static_cast<int>(size) - 1;
}

// One run of the layout. The three passes share every rule of line breaking,
// labels, headings and word counting; they differ in what they do with each
// placed item, and the paint pass alone switches to the italic font.
class PassageLayout {
 public:
  PassageLayout(Pass pass, const PassageView& view, TextCanvas& canvas)
      : pass_(pass), view_(view), bible_(*view.bible), canvas_(canvas) {}

  void SetSelection(const SelectionState& selection) {
    selected_ = selection.owner == kPassageOwner;
    OrderedSelection ordered = Ordered(selection);
    start_ = ordered.start;
    end_ = ordered.end;
  }
  void SetPoint(int x, int y) {
    hit_x_ = x;
    hit_y_ = y;
  }

  void Run();

  PassageMetrics metrics() const { return {bottom_verse_, line_height_}; }
  bool hit() const { return hit_; }
  SelectionPoint hit_point() const { return hit_point_; }

 private:
  bool painting() const { return pass_ == Pass::Paint; }
  bool hit_testing() const { return pass_ == Pass::HitTest; }
  bool HasNote(VerseIndex verse) const {
    return view_.notes && view_.notes->index.size() == static_cast<std::size_t>(kVerseCount) &&
           kv::HasNote(*view_.notes, verse);
  }
  bool OnLine() const { return y_ <= hit_y_ && hit_y_ < y_ + lh_; }
  bool OnLineInclusive() const { return y_ <= hit_y_ && hit_y_ <= y_ + lh_; }
  void Hit(SelectionPoint point) {
    hit_ = true;
    hit_point_ = point;
  }
  void NewLine() {
    x_ = 1;
    y_ += lh_;
  }
  void SetColors(bool inverse) { inverse_ = inverse; }
  TextColors colors() const { return inverse_ ? TextColors::Inverse : TextColors::Normal; }

  void PlaceTopLabel();
  void PlacePendingWord(int width);
  bool StartVerse();  // false beyond the last verse
  void BuildWord();
  void Append(unsigned char c) {
    if (word_size_ < kWordBufferSize) word_[word_size_++] = static_cast<char>(c);
  }

  const Pass pass_;
  const PassageView& view_;
  const BibleData& bible_;
  TextCanvas& canvas_;

  TextCanvas::FontId normal_font_ = 0, bold_font_ = 0, italic_font_ = 0;
  int lh_ = 0;
  int x_ = 0, y_ = 0;
  VerseIndex bottom_verse_ = 0;
  int line_height_ = 0;

  // The stream: the verse v the text position p is in, the number of the
  // last label drawn, and the chapter and book of the last heading.
  VerseIndex v_ = 0;
  const unsigned char* p_ = nullptr;
  int label_number_ = 0;
  int chapter_ = 0, book_ = 0;
  int k_ = 0;  // words of the verse placed so far
  bool italic_ = false;

  char word_[kWordBufferSize];
  std::size_t word_size_ = 0;
  bool word_ended_verse_ = false;

  // Paint: the selection, ordered.
  bool selected_ = false;
  SelectionPoint start_, end_;
  bool inverse_ = false;

  // Hit test: the point, where the last placed item ended, and that item.
  int hit_x_ = 0, hit_y_ = 0;
  int prev_ = 0;
  SelectionPoint last_item_;
  bool hit_ = false;
  SelectionPoint hit_point_;
};

void PassageLayout::Run() {
  FontDescription bold = view_.font;
  bold.weight = kBoldWeight;
  normal_font_ = canvas_.MakeFont(view_.font);
  bold_font_ = canvas_.MakeFont(bold);
  if (painting()) {
    FontDescription italic = view_.font;
    italic.weight = kNormalWeight;
    italic.italic = 1;
    italic_font_ = canvas_.MakeFont(italic);
  }

  const VerseIndex top = view_.top;
  bottom_verse_ = top;
  canvas_.UseFont(bold_font_);
  lh_ = line_height_ = canvas_.LineHeight();

  PlaceTopLabel();
  if (!hit_) {
    canvas_.UseFont(normal_font_);
    VerseRecord record = RecordOf(bible_, top);
    label_number_ = record.verse;
    chapter_ = record.chapter;
    book_ = record.book;
    k_ = 0;
    v_ = top;
    p_ = reinterpret_cast<const unsigned char*>(VerseText(bible_, top));
    if (view_.paragraph_format && *p_ == kPilcrow) ++p_;
    word_size_ = 0;
    italic_ = false;

    while (y_ < view_.height && !hit_) {
      if (label_number_ == RecordOf(bible_, v_).verse) bottom_verse_ = v_;

      int width = word_size_ ? canvas_.Measure(word_, word_size_) : 0;
      if (x_ + width >= view_.width) {
        if (hit_testing()) {
          // A point right of the line's last item, or below the last line of
          // a verse, takes that item.
          if ((OnLine() && hit_x_ >= prev_) || (word_ended_verse_ && OnLineInclusive())) {
            Hit(last_item_);
            break;
          }
          prev_ = 0;
        }
        NewLine();
      }
      if (word_size_) {
        PlacePendingWord(width);
        if (hit_) break;
      }
      if (label_number_ != RecordOf(bible_, v_).verse && !StartVerse()) break;
      if (hit_) break;
      BuildWord();
    }
  }

  canvas_.FreeFont(normal_font_);
  canvas_.FreeFont(bold_font_);
  if (painting()) canvas_.FreeFont(italic_font_);

  if (bottom_verse_ == top) bottom_verse_ = top + 1 > kLastVerse ? kLastVerse : top + 1;
}

void PassageLayout::PlaceTopLabel() {
  const VerseIndex top = view_.top;
  char label[kLabelTextSize];
  int size = Clipped(FormatPassageLabel(bible_, top, true, view_.paragraph_format, HasNote(top), label, sizeof label),
                     sizeof label);
  int width = canvas_.Measure(label, static_cast<std::size_t>(size));
  if (painting()) {
    if (selected_ && (start_ == SelectionPoint{top, 0} || (start_.item < top && top <= end_.item))) SetColors(true);
    canvas_.Draw(1, 0, label, static_cast<std::size_t>(size), colors());
    if (selected_ && end_ == SelectionPoint{top, 0}) SetColors(false);
  }
  x_ = width + 1;
  y_ = 0;
  last_item_ = {top, 0};
  if (hit_testing()) {
    if (0 <= hit_y_ && hit_y_ < lh_ && 0 <= hit_x_ && hit_x_ <= x_) Hit({top, 0});
    prev_ = x_;
  }
}

void PassageLayout::PlacePendingWord(int width) {
  ++k_;
  const VerseIndex u = word_ended_verse_ ? v_ - 1 : v_;
  if (painting()) {
    if (selected_ && start_ == SelectionPoint{u, k_}) SetColors(true);
    if (italic_ && word_[word_size_ - 1] != ' ') {
      // A supplied word with the punctuation after it: the word in italic
      // type, the punctuation upright. The blank that follows comes as a
      // word of its own and counts with this one.
      std::size_t head = word_size_ - 1;
      canvas_.UseFont(italic_font_);
      canvas_.Draw(x_, y_, word_, head, colors());
      int head_width = canvas_.Measure(word_, head);
      canvas_.UseFont(normal_font_);
      canvas_.Draw(x_ + head_width, y_, word_ + head, 1, colors());
      width = head_width + canvas_.Measure(word_ + head, 1);
      --k_;
    } else {
      canvas_.Draw(x_, y_, word_, word_size_, colors());
    }
    x_ += width;
    if (selected_ && end_ == SelectionPoint{u, k_}) SetColors(false);
  } else {
    x_ += width;
  }
  last_item_ = {u, k_};
  if (hit_testing()) {
    // Right of a verse's last line the point takes the verse's last word,
    // where every verse starts a line of its own.
    if ((OnLine() && prev_ <= hit_x_ && hit_x_ <= x_) ||
        (word_ended_verse_ && !view_.paragraph_format && OnLineInclusive())) {
      Hit(last_item_);
      return;
    }
    prev_ = x_;
  }
  word_size_ = 0;
}

bool PassageLayout::StartVerse() {
  k_ = 0;
  if (v_ > kLastVerse) return false;
  if (painting() && selected_ && start_ == SelectionPoint{v_, 0}) SetColors(true);
  canvas_.UseFont(bold_font_);
  VerseRecord record = RecordOf(bible_, v_);
  label_number_ = record.verse;
  if (record.chapter != chapter_ || record.book != book_) {
    if (painting()) {
      char heading[kHeadingTextSize];
      int size = Clipped(FormatChapterHeading(bible_, v_, heading, sizeof heading), sizeof heading);
      canvas_.Draw(1, y_ + 2 * lh_, heading, static_cast<std::size_t>(size), colors());
    }
    y_ += 3 * lh_;
    x_ = 1;
    prev_ = 0;
    chapter_ = record.chapter;
    book_ = record.book;
  }
  const bool paragraph = BeginsParagraph(bible_, v_);
  if (!view_.paragraph_format || paragraph) {
    NewLine();
    prev_ = 0;
  }
  char label[kLabelTextSize];
  int size = Clipped(
      FormatPassageLabel(bible_, v_, false, view_.paragraph_format, HasNote(v_), label, sizeof label), sizeof label);
  int width = canvas_.Measure(label, static_cast<std::size_t>(size));
  if (x_ + width >= view_.width) {
    if (hit_testing()) {
      if (OnLine() && hit_x_ >= prev_) {
        Hit({v_, 0});
        return true;
      }
      // The label now opens a line: a point on it must find it, so the line
      // starts empty as after every other break.
      prev_ = 0;
    }
    NewLine();
  }
  if (painting()) canvas_.Draw(x_, y_, label, static_cast<std::size_t>(size), colors());
  x_ += width;
  last_item_ = {v_, 0};
  if (hit_testing()) {
    if ((hit_y_ < y_ + lh_ && prev_ <= hit_x_ && hit_x_ <= x_) || hit_y_ < y_) {
      Hit({v_, 0});
      return true;
    }
    prev_ = x_;
  }
  canvas_.UseFont(normal_font_);
  if (painting() && selected_ && end_ == SelectionPoint{v_, 0}) SetColors(false);
  // With Paragraph Format on the pilcrow is shown by the line break and the
  // indent, so it is not drawn.
  if (view_.paragraph_format && paragraph) ++p_;
  return true;
}

// Builds the next word from the text position, with its trailing blank.
// Every word of a verse ends at a blank, a pilcrow or the verse's end, so the
// count matches the blank-separated words that copying counts.
void PassageLayout::BuildWord() {
  word_size_ = 0;
  word_ended_verse_ = false;
  const bool italic_type = painting() && view_.italics == kItalicsInItalicType;
  if (!italic_type) {
    // Without the italic font the brackets are plain bytes, kept or dropped,
    // and the words are those the verse list cuts.
    if (CutWord(&p_, view_.italics == kItalicsInBrackets, word_, kWordBufferSize, &word_size_) == WordEnd::Verse) {
      ++v_;
      word_ended_verse_ = true;
    }
    return;
  }
  // In italic type a bracket switches the font as the word is built.
  for (;;) {
    const unsigned char c = *p_;
    if (c == kPilcrow) {
      Append(kPilcrow);
      Append(' ');
      ++p_;
      return;
    }
    if (c == 0) {
      Append(' ');
      ++p_;
      ++v_;
      word_ended_verse_ = true;
      return;
    }
    if (c == ' ') {
      Append(' ');
      ++p_;
      return;
    }
    if (c == '[') {
      ++p_;
      italic_ = true;
      canvas_.UseFont(italic_font_);
      continue;
    }
    if (c == ']') {
      if (word_size_ == 0) {
        // The rest of a supplied word whose punctuation was drawn with it:
        // back to upright type, past the bracket and the punctuation. The
        // verse's end is never skipped.
        italic_ = false;
        canvas_.UseFont(normal_font_);
        ++p_;
        if (*p_ != 0) ++p_;
        continue;
      }
      if (p_[1] == 0) {
        // A supplied word that ends the verse's text: the word stays in
        // italic type and the verse ends as any other, so the next verse
        // starts upright.
        italic_ = false;
        ++p_;
        continue;
      }
      // The punctuation after a supplied word joins it and is drawn upright;
      // the position stays on the bracket for the next word.
      Append(p_[1]);
      return;
    }
    Append(c);
    ++p_;
  }
}

}  // namespace

PassageMetrics PaintPassageLayout(const PassageView& view, const SelectionState& selection, TextCanvas& canvas) {
  PassageLayout layout(Pass::Paint, view, canvas);
  layout.SetSelection(selection);
  layout.Run();
  return layout.metrics();
}

PassageMetrics MeasurePassageLayout(const PassageView& view, TextCanvas& canvas) {
  PassageLayout layout(Pass::Measure, view, canvas);
  layout.Run();
  return layout.metrics();
}

bool HitTestPassageLayout(const PassageView& view, TextCanvas& canvas, int x, int y, SelectionPoint* point,
                          int* line_height) {
  PassageLayout layout(Pass::HitTest, view, canvas);
  layout.SetPoint(x, y);
  layout.Run();
  if (line_height) *line_height = layout.metrics().line_height;
  if (!layout.hit()) return false;
  *point = layout.hit_point();
  return true;
}

}  // namespace kv
