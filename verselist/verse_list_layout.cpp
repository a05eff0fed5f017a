#include "verselist/verse_list_layout.h"

#include <cstdio>
#include <cstring>

#include "passage/passage_layout.h"
#include "passage/verse_words.h"
#include "search/key_marker.h"
#include "store/verse_address.h"

namespace kv {

int FormatListLabel(const BibleData& bible, VerseIndex verse, bool has_note, char* out, std::size_t size) {
  VerseRecord record = RecordOf(bible, verse);
  return std::snprintf(out, size, "%s%s %d:%d ", has_note ? "*" : "", BookAbbreviations[record.book],
                       record.chapter, record.verse);
}

namespace {

constexpr int kMaxPieces = 6;

std::size_t Clipped(int length, std::size_t size) {
  if (length < 0) return 0;
  return static_cast<std::size_t>(length) < size ? static_cast<std::size_t>(length) : size - 1;
}

struct Piece {
  std::size_t begin = 0, end = 0;
  PieceFont font = PieceFont::Normal;
  bool key = false;
};

// One run of the layout over the entries from ListTop to the bottom edge.
class ListLayout {
 public:
  ListLayout(const VerseListView& view, TextCanvas& canvas, VerseListSink& sink)
      : view_(view), bible_(*view.bible), search_(*view.search), canvas_(canvas), sink_(sink) {}

  VerseListMetrics Run();

 private:
  bool HasNote(VerseIndex verse) const {
    return view_.notes && view_.notes->index.size() == static_cast<std::size_t>(kVerseCount) &&
           kv::HasNote(*view_.notes, verse);
  }
  TextCanvas::FontId FontOf(PieceFont font) const { return fonts_[static_cast<int>(font)]; }
  void Use(PieceFont font) { canvas_.UseFont(FontOf(font)); }
  int BlankWidth(PieceFont font) {
    int& width = blank_[static_cast<int>(font)];
    if (width < 0) {
      Use(font);
      width = canvas_.Measure(" ", 1);
    }
    return width;
  }

  // Returns true when the sink stopped the layout.
  bool LayOutEntry(int entry);
  int CutPieces(bool* italic, Piece (&pieces)[kMaxPieces]) const;

  const VerseListView& view_;
  const BibleData& bible_;
  SearchState& search_;
  TextCanvas& canvas_;
  VerseListSink& sink_;

  TextCanvas::FontId fonts_[4] = {};
  int blank_[4] = {-1, -1, -1, -1};
  int lh_ = 0;
  int x_ = 0, y_ = 0;
  std::int32_t bottom_ = -1;

  char text_[kMarkBufferSize];
  char word_[kListWordSize];
  std::size_t word_size_ = 0;
};

VerseListMetrics ListLayout::Run() {
  FontDescription normal = view_.font, bold = view_.font, italic = view_.font, bold_italic = view_.font;
  bold.weight = kBoldWeight;
  italic.weight = kNormalWeight;
  italic.italic = 1;
  bold_italic.weight = kBoldWeight;
  bold_italic.italic = 1;
  fonts_[static_cast<int>(PieceFont::Normal)] = canvas_.MakeFont(normal);
  fonts_[static_cast<int>(PieceFont::Bold)] = canvas_.MakeFont(bold);
  fonts_[static_cast<int>(PieceFont::Italic)] = canvas_.MakeFont(italic);
  fonts_[static_cast<int>(PieceFont::BoldItalic)] = canvas_.MakeFont(bold_italic);

  const std::int32_t count = search_.result_count;
  bottom_ = view_.top;
  Use(PieceFont::Bold);
  lh_ = canvas_.LineHeight();
  sink_.Start(lh_);

  const std::int32_t occurrences = search_.occurrence_count;
  if (view_.height > 0 && view_.top >= 0) {
    y_ = 0;
    // The count bounds the walk as well as the end mark: the entries past
    // a shortened list's end are left from earlier lists.
    for (std::int32_t i = view_.top;
         i < count && i < kVerseCount && search_.verse_list[i] != kNoVerse && y_ < view_.height; ++i) {
      if (LayOutEntry(i)) break;
    }
  }
  search_.occurrence_count = occurrences;

  for (TextCanvas::FontId font : fonts_) canvas_.FreeFont(font);

  if (bottom_ == view_.top) ++bottom_;
  if (bottom_ >= count) bottom_ = count - 1;
  return VerseListMetrics{bottom_, lh_};
}

bool ListLayout::LayOutEntry(int entry) {
  bottom_ = entry;
  const VerseIndex verse = search_.verse_list[entry];
  const char* stored = VerseText(bible_, verse);
  std::size_t length = std::strlen(stored);
  if (length >= sizeof text_) length = sizeof text_ - 1;
  std::memcpy(text_, stored, length);
  text_[length] = '\0';
  MarkKeys(search_, text_, length, sizeof text_);

  char label[kListLabelSize];
  const std::size_t label_size = Clipped(FormatListLabel(bible_, verse, HasNote(verse), label, sizeof label),
                                         sizeof label);
  Use(PieceFont::Bold);
  const int label_width = canvas_.Measure(label, label_size);
  PlacedPiece placed;
  placed.x = 1;
  placed.y = y_;
  placed.text = label;
  placed.size = label_size;
  placed.font = PieceFont::Bold;
  placed.item = {entry, 0};
  sink_.Piece(placed);
  x_ = label_width + 1;
  if (sink_.Item({entry, 0}, 0, x_, y_)) return true;
  SelectionPoint last = {entry, 0};

  bool italic = false;
  // The passage's words, with the brackets kept unless the supplied words
  // are shown in normal type: the pieces below draw them.
  VerseWords words(text_, view_.italics == kItalicsInNormalType ? kItalicsInNormalType : kItalicsInBrackets, false);
  for (std::int32_t k = 1; y_ < view_.height; ++k) {
    words.Next();
    word_size_ = words.size() < sizeof word_ ? words.size() : sizeof word_;
    std::memcpy(word_, words.word(), word_size_);

    Piece pieces[kMaxPieces];
    bool italic_after = italic;
    const int n = CutPieces(&italic_after, pieces);
    int widths[kMaxPieces];
    int fit = 0;
    for (int j = 0; j < n; ++j) {
      Use(pieces[j].font);
      widths[j] = canvas_.Measure(word_ + pieces[j].begin, pieces[j].end - pieces[j].begin);
      fit += widths[j];
    }
    // The fit test leaves out the trailing blank.
    if (n > 0 && word_[pieces[n - 1].end - 1] == ' ') fit -= BlankWidth(pieces[n - 1].font);

    int left = x_;
    if (x_ + fit >= view_.width) {
      if (sink_.LineEnd(last, y_)) return true;
      x_ = lh_;
      y_ += lh_;
      left = 0;
    }
    const SelectionPoint item = {entry, k};
    for (int j = 0; j < n; ++j) {
      Use(pieces[j].font);
      placed.x = x_;
      placed.y = y_;
      placed.text = word_ + pieces[j].begin;
      placed.size = pieces[j].end - pieces[j].begin;
      placed.font = pieces[j].font;
      placed.key = pieces[j].key;
      placed.item = item;
      sink_.Piece(placed);
      x_ += widths[j];
    }
    italic = italic_after;
    if (sink_.Item(item, left, x_, y_)) return true;
    last = item;
    if (words.ended_verse()) {
      if (sink_.LineEnd(last, y_)) return true;
      y_ += lh_;
      return false;
    }
  }
  return false;
}

// A word as up to six pieces: an opening bracket, the text before the
// first mark, the marked text up to the last mark (nested marks and all, as
// one piece), the rest of a supplied word before its closing bracket, and
// the rest. `*italic` is the italic state, carried from word to word.
int CutPieces(bool* italic, Piece (&pieces)[kMaxPieces], const char* word, std::size_t size, int italics) {
  int n = 0;
  std::size_t pos = 0;
  auto add = [&](std::size_t end, PieceFont font, bool key) {
    if (end > pos) pieces[n++] = Piece{pos, end, font, key};
    pos = end;
  };
  auto find = [&](char c) {
    for (std::size_t i = pos; i < size; ++i)
      if (word[i] == c) return i;
    return size;
  };
  auto upright_or_italic = [&] { return *italic ? PieceFont::Italic : PieceFont::Normal; };

  if (size > 0 && word[0] == '[') {
    if (italics == kItalicsInItalicType) {
      *italic = true;
      pos = 1;
    } else if (italics == kItalicsInBrackets) {
      add(1, PieceFont::Normal, false);
    }
  }
  const std::size_t open = find('{');
  if (open < size) {
    add(open, upright_or_italic(), false);
    pos = open + 1;
    std::size_t close = size;
    for (std::size_t i = size; i > pos; --i)
      if (word[i - 1] == '}') {
        close = i - 1;
        break;
      }
    if (close < size) {
      add(close, *italic ? PieceFont::BoldItalic : PieceFont::Bold, true);
      pos = close + 1;
    }
  }
  if (italics == kItalicsInItalicType) {
    const std::size_t bracket = find(']');
    if (bracket < size) {
      *italic = false;
      add(bracket, PieceFont::Italic, false);
      pos = bracket + 1;
    }
  }
  add(size, upright_or_italic(), false);
  return n;
}

int ListLayout::CutPieces(bool* italic, Piece (&pieces)[kMaxPieces]) const {
  return kv::CutPieces(italic, pieces, word_, word_size_, view_.italics);
}

// --- The three passes -------------------------------------------------------

class PaintSink final : public VerseListSink {
 public:
  PaintSink(TextCanvas& canvas, const SelectionState& selection) : canvas_(canvas) {
    selected_ = selection.owner == kVerseListOwner && selection.anchor.item >= 0 && selection.end.item >= 0;
    OrderedSelection ordered = Ordered(selection);
    start_ = ordered.start;
    end_ = ordered.end;
  }
  void Piece(const PlacedPiece& piece) override {
    TextColors colors = TextColors::Normal;
    if (selected_ && !(piece.item < start_) && !(end_ < piece.item))
      colors = TextColors::Inverse;
    else if (piece.key)
      colors = TextColors::Highlight;
    canvas_.Draw(piece.x, piece.y, piece.text, piece.size, colors);
  }

 private:
  TextCanvas& canvas_;
  bool selected_ = false;
  SelectionPoint start_, end_;
};

class HitSink final : public VerseListSink {
 public:
  HitSink(int x, int y) : x_(x), y_(y) {}
  bool Item(SelectionPoint item, int left, int right, int y) override {
    return OnLine(y) && left <= x_ && x_ <= right && Hit(item);
  }
  // Right of a line's last item the point takes that item.
  bool LineEnd(SelectionPoint last, int y) override { return OnLine(y) && Hit(last); }
  void Start(int line_height) override { lh_ = line_height; }

  bool hit = false;
  SelectionPoint point;

 private:
  bool OnLine(int y) const { return y <= y_ && y_ < y + lh_; }
  bool Hit(SelectionPoint item) {
    hit = true;
    point = item;
    return true;
  }
  int x_, y_;
  int lh_ = 0;
};

}  // namespace

VerseListMetrics LayOutVerseList(const VerseListView& view, TextCanvas& canvas, VerseListSink& sink) {
  ListLayout layout(view, canvas, sink);
  return layout.Run();
}

VerseListMetrics PaintVerseListLayout(const VerseListView& view, const SelectionState& selection,
                                      TextCanvas& canvas) {
  canvas.SetHighlightColor(view.highlight);
  PaintSink sink(canvas, selection);
  return LayOutVerseList(view, canvas, sink);
}

VerseListMetrics MeasureVerseListLayout(const VerseListView& view, TextCanvas& canvas) {
  VerseListSink sink;
  return LayOutVerseList(view, canvas, sink);
}

bool HitTestVerseListLayout(const VerseListView& view, TextCanvas& canvas, int x, int y, SelectionPoint* point,
                            int* line_height) {
  HitSink sink(x, y);
  VerseListMetrics metrics = LayOutVerseList(view, canvas, sink);
  if (line_height) *line_height = metrics.line_height;
  if (!sink.hit) return false;
  *point = sink.point;
  return true;
}

}  // namespace kv
