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

// The four fonts of a pass, by the slot each piece names.
enum class PieceFont { Normal, Bold, Italic, BoldItalic };

struct Piece {
  std::size_t begin = 0, end = 0;
  PieceFont font = PieceFont::Normal;
  bool key = false;
};

int CutPieces(bool* italic, Piece (&pieces)[kMaxPieces], const char* word, std::size_t size, int italics);

// One run of the layout over the entries from ListTop to the bottom edge.
// The passes below name their sink's own (final) class, so its calls are
// bound at compile time.
template <class Sink>
class ListLayout {
 public:
  ListLayout(const VerseListView& view, TextCanvas& canvas, Sink& sink)
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
  PlacedItem Item(PlacedKind kind, SelectionPoint point, int width, PieceFont font, const char* text,
                  std::size_t size) const {
    return PlacedAt(kind, point, x_, y_, width, lh_, FontOf(font), text, size);
  }

  // Returns true when the sink stopped the layout.
  bool LayOutEntry(int entry);

  const VerseListView& view_;
  const BibleData& bible_;
  SearchState& search_;
  TextCanvas& canvas_;
  Sink& sink_;

  TextCanvas::FontId fonts_[4] = {};
  int blank_[4] = {-1, -1, -1, -1};
  int lh_ = 0;
  int x_ = 0, y_ = 0;
  std::int32_t bottom_ = -1;

  char text_[kMarkBufferSize];
  char word_[kListWordSize];
};

template <class Sink>
VerseListMetrics ListLayout<Sink>::Run() {
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

template <class Sink>
bool ListLayout<Sink>::LayOutEntry(int entry) {
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
  x_ = 1;
  const PlacedItem placed =
      Item(PlacedKind::Label, {entry, 0}, canvas_.Measure(label, label_size), PieceFont::Bold, label, label_size);
  if (!sink_.Place(placed)) return true;
  x_ += placed.width;

  bool italic = false;
  // The passage's words, with the brackets kept unless the supplied words
  // are shown in normal type: the pieces below draw them.
  VerseWords words(text_, view_.italics == kItalicsInNormalType ? kItalicsInNormalType : kItalicsInBrackets, false);
  for (std::int32_t k = 1; y_ < view_.height; ++k) {
    words.Next();
    const std::size_t word_size = words.size() < sizeof word_ ? words.size() : sizeof word_;
    std::memcpy(word_, words.word(), word_size);

    Piece pieces[kMaxPieces];
    bool italic_after = italic;
    const int n = CutPieces(&italic_after, pieces, word_, word_size, view_.italics);
    int widths[kMaxPieces];
    int width = 0;
    for (int j = 0; j < n; ++j) {
      Use(pieces[j].font);
      widths[j] = canvas_.Measure(word_ + pieces[j].begin, pieces[j].end - pieces[j].begin);
      width += widths[j];
    }
    // The fit test leaves out the trailing blank.
    int fit = width;
    if (n > 0 && word_[pieces[n - 1].end - 1] == ' ') fit -= BlankWidth(pieces[n - 1].font);

    const SelectionPoint point = {entry, k};
    if (x_ + fit >= view_.width) {
      if (!sink_.Overflow(Item(PlacedKind::Word, point, width, PieceFont::Normal, word_, word_size))) return true;
      x_ = lh_;
      y_ += lh_;
    }
    const bool ends_entry = words.ended_verse();
    if (n == 0) {
      // Nothing of the word is drawn; it still takes its place in the count.
      PlacedItem empty = Item(PlacedKind::Word, point, 0, PieceFont::Normal, word_, 0);
      empty.ends_item = ends_entry;
      if (!sink_.Place(empty)) return true;
    }
    for (int j = 0; j < n; ++j) {
      Use(pieces[j].font);
      PlacedItem piece = Item(n > 1 ? PlacedKind::WordPart : PlacedKind::Word, point, widths[j], pieces[j].font,
                              word_ + pieces[j].begin, pieces[j].end - pieces[j].begin);
      piece.key = pieces[j].key;
      piece.ends_item = ends_entry && j == n - 1;
      if (!sink_.Place(piece)) return true;
      x_ += widths[j];
    }
    italic = italic_after;
    if (ends_entry) {
      y_ += lh_;
      sink_.NewLine();
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

// --- The three passes -------------------------------------------------------

// Draws every piece: inverse from the selection's start point to its end
// point when the verse list owns it, the searched words in the key
// highlight colour elsewhere.
class ListPainter final : public LayoutSink {
 public:
  ListPainter(TextCanvas& canvas, const SelectionState& selection) : canvas_(canvas) {
    selected_ = selection.owner == kVerseListOwner && selection.anchor.item >= 0 && selection.end.item >= 0;
    OrderedSelection ordered = Ordered(selection);
    start_ = ordered.start;
    end_ = ordered.end;
  }
  bool Place(const PlacedItem& item) override {
    TextColors colors = TextColors::Normal;
    if (selected_ && !(item.point < start_) && !(end_ < item.point))
      colors = TextColors::Inverse;
    else if (item.key)
      colors = TextColors::Highlight;
    if (item.size > 0) canvas_.Draw(item.x, item.y, item.text, item.size, colors);
    return true;
  }

 private:
  TextCanvas& canvas_;
  bool selected_ = false;
  SelectionPoint start_, end_;
};

// Finds the label or word under a point; the first rule that matches ends
// the layout. A label owns its line from the left edge to its right end, a
// word from where the item before it on the line ended.
class ListHitTest final : public HitTestSink {
 public:
  ListHitTest(int x, int y) : HitTestSink(x, y) {}

  bool Place(const PlacedItem& item) override {
    const int left = item.kind == PlacedKind::Label ? 0 : prev_;
    const int right = item.x + item.width;
    if (OnLine(item) && left <= x_ && x_ <= right) return Hit(item.point);
    // Right of an entry's last line the point takes its last word.
    if (item.ends_item && OnLine(item)) return Hit(item.point);
    prev_ = right;
    last_ = item.point;
    return true;
  }
  // Right of a line's last item the point takes that item; else the next
  // line starts empty.
  bool Overflow(const PlacedItem& next) override {
    if (OnLine(next)) return Hit(last_);
    prev_ = 0;
    return true;
  }
};

template <class Sink>
VerseListMetrics Run(const VerseListView& view, TextCanvas& canvas, Sink& sink) {
  return ListLayout<Sink>(view, canvas, sink).Run();
}

}  // namespace

VerseListMetrics LayOutVerseList(const VerseListView& view, TextCanvas& canvas, LayoutSink& sink) {
  return Run(view, canvas, sink);
}

VerseListMetrics PaintVerseListLayout(const VerseListView& view, const SelectionState& selection,
                                      TextCanvas& canvas) {
  canvas.SetHighlightColor(view.highlight);
  ListPainter painter(canvas, selection);
  return Run(view, canvas, painter);
}

VerseListMetrics MeasureVerseListLayout(const VerseListView& view, TextCanvas& canvas) {
  PlaceNothing nothing;
  return Run(view, canvas, nothing);
}

bool HitTestVerseListLayout(const VerseListView& view, TextCanvas& canvas, int x, int y, SelectionPoint* point,
                            int* line_height) {
  ListHitTest hit_test(x, y);
  VerseListMetrics metrics = Run(view, canvas, hit_test);
  if (line_height) *line_height = metrics.line_height;
  return hit_test.Found(point);
}

}  // namespace kv
