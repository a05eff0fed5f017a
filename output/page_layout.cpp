#include "output/page_layout.h"

#include <cstdio>
#include <cstdlib>

#include "output/output_messages.h"
#include "output/verse_formatter.h"
#include "passage/verse_words.h"
#include "store/text_format.h"
#include "store/verse_address.h"

namespace kv {

const char* const kPrintErrorCaption = "Print Error";
const char* const kStartDocFailureText = "StartDoc failure";
const char* const kStartPageFailureText = "StartPage failure";
const char* const kNoteReadFailureText = "Error reading note file";
const char* const kRangeDocumentName = "Range of Verses";
const char* const kVerseListDocumentName = "Verse List";

namespace {

constexpr int kThousandths = 1000;
constexpr int kPointsPerInch = 72;
// A note's run of characters without a blank is printed in pieces of this
// many characters, so that one long run still wraps.
constexpr std::size_t kNotePieceSize = 100;
constexpr std::size_t kMaxPieces = 16;
constexpr std::size_t kPrintLabelSize = 48;

int MarginPixels(int margin, int ppi) {
  if (margin <= 0 || ppi <= 0) return 0;
  return static_cast<int>(static_cast<long long>(margin) * ppi / kThousandths);
}

std::size_t Clipped(int length, std::size_t size) {
  if (length < 0) return 0;
  return static_cast<std::size_t>(length) < size ? static_cast<std::size_t>(length) : size - 1;
}

enum FontSlot { kRegular, kBold, kItalic, kNotes, kFontSlots };

// One print job's pen: where the next item goes, the fonts it draws in, the
// italic state of the supplied words and the page it is on.
class PageWriter {
 public:
  PageWriter(const PrintLayoutOptions& options, TextCanvas& canvas, LayoutSink& sink, PrintDocument& document)
      : area_(options.area), italics_(options.italics), canvas_(canvas), sink_(sink), document_(document) {
    FontDescription regular = options.verse_font, bold = options.verse_font, italic = options.verse_font;
    bold.weight = kBoldWeight;
    italic.weight = kNormalWeight;
    italic.italic = 1;
    fonts_[kRegular] = canvas_.MakeFont(regular);
    fonts_[kBold] = canvas_.MakeFont(bold);
    fonts_[kItalic] = canvas_.MakeFont(italic);
    made_[kRegular] = made_[kBold] = made_[kItalic] = true;
    canvas_.UseFont(fonts_[kBold]);
    line_height_ = canvas_.LineHeight();
    notes_line_height_ = line_height_;
  }
  ~PageWriter() {
    for (int slot = 0; slot < kFontSlots; ++slot)
      if (made_[slot]) canvas_.FreeFont(fonts_[slot]);
  }
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;

  void UseNotesFont(const FontDescription& font) {
    fonts_[kNotes] = canvas_.MakeFont(font);
    made_[kNotes] = true;
    canvas_.UseFont(fonts_[kNotes]);
    notes_line_height_ = canvas_.LineHeight();
  }

  bool StartFirstPage() {
    if (!document_.StartPage()) return false;
    page_open_ = true;
    x_ = area_.left;
    y_ = area_.top;
    return true;
  }
  void EndLastPage() {
    if (page_open_) document_.EndPage();
    page_open_ = false;
  }

  // To the start of the next line of verse text, or of note text.
  void NewLine() {
    x_ = area_.left;
    y_ += line_height_;
  }
  void NewNotesLine() {
    x_ = area_.left;
    y_ += notes_line_height_;
  }

  // A bold label, wrapped like a word. False when a new page cannot be started.
  bool Label(VerseIndex item, const char* text, std::size_t size) {
    if (size == 0) return true;
    canvas_.UseFont(fonts_[kBold]);
    const int width = canvas_.Measure(text, size);
    int fit = width;
    if (text[size - 1] == ' ') fit -= BlankWidth(kBold);
    if (x_ + fit > area_.right) NewLine();
    if (!Room(line_height_)) return false;
    Place(PlacedKind::Label, {item, 0}, kBold, text, size, width, line_height_);
    return true;
  }

  // The words of a verse text, numbered from 1 after the label.
  bool VerseText(VerseIndex item, const char* text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    int number = 1;
    while (*p) {
      std::size_t size = 0;
      if (*p == kPilcrow) {
        word_[size++] = static_cast<char>(kPilcrow);
        word_[size++] = ' ';
        ++p;
      } else {
        while (*p && *p != kPilcrow && size < sizeof word_ - 1) {
          word_[size++] = static_cast<char>(*p);
          if (*p++ == ' ') break;
        }
        // The end of the text (or a pilcrow) ends a word as a blank would.
        if (word_[size - 1] != ' ') word_[size++] = ' ';
      }
      if (!Word(item, number++, word_, size)) return false;
    }
    return true;
  }

  // A note's text under its verse, in the notes font.
  bool NoteText(VerseIndex item, const std::string& note) {
    canvas_.UseFont(fonts_[kNotes]);
    const int blank = canvas_.Measure(" ", 1);
    std::size_t i = 0;
    int number = 1;
    while (i < note.size()) {
      const char c = note[i];
      if (c == '\n') {
        ++i;
        continue;
      }
      if (c == '\r') {
        NewNotesLine();
        ++i;
        continue;
      }
      if (c == ' ') {
        x_ += blank;
        ++i;
        continue;
      }
      std::size_t end = i;
      while (end < note.size() && end - i < kNotePieceSize && note[end] != ' ' && note[end] != '\r' &&
             note[end] != '\n')
        ++end;
      canvas_.UseFont(fonts_[kNotes]);
      const int width = canvas_.Measure(note.data() + i, end - i);
      if (x_ + width > area_.right) NewNotesLine();
      if (!Room(notes_line_height_)) return false;
      Place(PlacedKind::Word, {item, number++}, kNotes, note.data() + i, end - i, width, notes_line_height_);
      i = end;
    }
    return true;
  }

 private:
  struct Piece {
    std::size_t begin = 0, end = 0;
    FontSlot font = kRegular;
  };

  int BlankWidth(FontSlot slot) {
    int& width = blank_[slot];
    if (width < 0) {
      canvas_.UseFont(fonts_[slot]);
      width = canvas_.Measure(" ", 1);
    }
    return width;
  }

  // Before an item of height `height`: a new page when it would reach below
  // the bottom limit.
  bool Room(int height) {
    if (y_ + height <= area_.bottom) return true;
    document_.EndPage();
    page_open_ = false;
    if (!document_.StartPage()) return false;
    page_open_ = true;
    x_ = area_.left;
    y_ = area_.top;
    return true;
  }

  void Place(PlacedKind kind, SelectionPoint point, FontSlot font, const char* text, std::size_t size, int width,
             int height) {
    canvas_.UseFont(fonts_[font]);
    sink_.Place(PlacedAt(kind, point, x_, y_, width, height, fonts_[font], text, size));
    x_ += width;
  }

  // Cuts a verse word into pieces by font. In italic text a "[" turns the
  // italic state on and a "]" off, neither drawn, and the state carries on
  // from word to word; with brackets they are drawn upright; in normal text
  // they are dropped.
  std::size_t CutPieces(const char* word, std::size_t size, Piece (&pieces)[kMaxPieces]) {
    std::size_t count = 0;
    std::size_t out = 0;
    auto font_now = [this] { return italic_ ? kItalic : kRegular; };
    auto start_piece = [&] {
      if (count > 0 && pieces[count - 1].begin == pieces[count - 1].end) {
        pieces[count - 1].font = font_now();  // an empty piece takes the new state
        return;
      }
      if (count < kMaxPieces) pieces[count++] = Piece{out, out, font_now()};
    };
    start_piece();
    for (std::size_t i = 0; i < size; ++i) {
      const char c = word[i];
      if (c == '[' || c == ']') {
        if (italics_ == kItalicsInBrackets) {
          piece_text_[out++] = c;
          pieces[count - 1].end = out;
          continue;
        }
        if (italics_ == kItalicsInItalicType) {
          italic_ = c == '[';
          start_piece();
        }
        continue;
      }
      piece_text_[out++] = c;
      pieces[count - 1].end = out;
    }
    if (count > 1 && pieces[count - 1].end == pieces[count - 1].begin) --count;
    return count;
  }

  bool Word(VerseIndex item, int number, const char* word, std::size_t size) {
    Piece pieces[kMaxPieces];
    const std::size_t count = CutPieces(word, size, pieces);
    int widths[kMaxPieces];
    int width = 0;
    for (std::size_t j = 0; j < count; ++j) {
      canvas_.UseFont(fonts_[pieces[j].font]);
      widths[j] = canvas_.Measure(piece_text_ + pieces[j].begin, pieces[j].end - pieces[j].begin);
      width += widths[j];
    }
    int fit = width;
    const Piece& end = pieces[count - 1];
    if (end.end > end.begin && piece_text_[end.end - 1] == ' ') fit -= BlankWidth(end.font);
    if (x_ + fit > area_.right) NewLine();
    if (!Room(line_height_)) return false;
    for (std::size_t j = 0; j < count; ++j) {
      if (pieces[j].end == pieces[j].begin) continue;
      Place(count > 1 ? PlacedKind::WordPart : PlacedKind::Word, {item, number}, pieces[j].font,
            piece_text_ + pieces[j].begin, pieces[j].end - pieces[j].begin, widths[j], line_height_);
    }
    return true;
  }

  PageArea area_;
  int italics_;
  TextCanvas& canvas_;
  LayoutSink& sink_;
  PrintDocument& document_;
  TextCanvas::FontId fonts_[kFontSlots] = {};
  bool made_[kFontSlots] = {};
  int blank_[kFontSlots] = {-1, -1, -1, -1};
  int line_height_ = 0;
  int notes_line_height_ = 0;
  int x_ = 0, y_ = 0;
  bool page_open_ = false;
  // Each job starts upright, whatever a job or window before it left.
  bool italic_ = false;
  char word_[kVerseLineSize];
  char piece_text_[kVerseLineSize];
};

// The label of a verse of the range: in full where the book changes, else
// by the style of the first or a later verse.
std::size_t RangeLabel(const BibleData& bible, VerseIndex verse, bool first, const FormatOptions& format,
                       int* book, char (&out)[kPrintLabelSize]) {
  const VerseRecord record = RecordOf(bible, verse);
  std::uint8_t style = first ? format.FirstVerseStyle : format.SubsequentVerseStyle;
  if (record.book != *book) {
    style = kLabelFull;
    *book = record.book;
  }
  int length = 0;
  if (style == kLabelFull)
    length = std::snprintf(out, sizeof out, " %s %d:%d ", BookAbbreviations[record.book], record.chapter,
                           record.verse);
  else if (style == kLabelPartial)
    length = std::snprintf(out, sizeof out, " %d:%d ", record.chapter, record.verse);
  return Clipped(length, sizeof out);
}

}  // namespace

PageArea PageAreaOf(const PrinterPage& page, const PrintMargins& margins) {
  PageArea area;
  area.left = MarginPixels(margins.left, page.ppi_x);
  area.top = MarginPixels(margins.top, page.ppi_y);
  area.right = page.width - MarginPixels(margins.right, page.ppi_x);
  area.bottom = page.height - MarginPixels(margins.bottom, page.ppi_y);
  return area;
}

FontDescription PrinterFontOf(const FontDescription& screen, int screen_ppi_y, int printer_ppi_y) {
  FontDescription font = screen;
  if (screen_ppi_y <= 0) return font;
  const long long points = static_cast<long long>(std::llabs(screen.height)) * kPointsPerInch / screen_ppi_y;
  font.height = -static_cast<std::int32_t>(points * printer_ppi_y / kPointsPerInch);
  return font;
}

const char* PrintFailureText(PrintOutcome outcome) {
  switch (outcome) {
    case PrintOutcome::PageFailed: return kStartPageFailureText;
    case PrintOutcome::NotesFailed: return kCannotOpenNotesText;
    case PrintOutcome::NoteReadFailed: return kNoteReadFailureText;
    case PrintOutcome::Printed:
    case PrintOutcome::Cancelled: break;
  }
  return nullptr;
}

PrintOutcome LayOutRangePages(const BibleData& bible, VerseIndex first, VerseIndex last,
                              const PrintRangeOptions& options, TextCanvas& canvas, LayoutSink& sink,
                              PrintDocument& document) {
  // Not a range of verses: there is nothing to print.
  if (first < 0 || last >= kVerseCount || first > last) return PrintOutcome::Printed;
  if (options.notes && !options.notes->Open()) return PrintOutcome::NotesFailed;
  PrintOutcome outcome = PrintOutcome::Printed;
  {
    PageWriter pen(options, canvas, sink, document);
    if (options.notes) pen.UseNotesFont(options.notes_font);
    if (!pen.StartFirstPage()) {
      outcome = PrintOutcome::PageFailed;
    } else {
      int book = RecordOf(bible, first).book;
      std::string note;
      char label[kPrintLabelSize];
      for (VerseIndex verse = first; verse <= last; ++verse) {
        if (!document.KeepPrinting()) {
          outcome = PrintOutcome::Cancelled;
          break;
        }
        bool has_note = false;
        if (options.notes) {
          const NoteSource::Read read = options.notes->ReadNote(verse, &note);
          if (read == NoteSource::Read::Failed) {
            outcome = PrintOutcome::NoteReadFailed;
            break;
          }
          has_note = read == NoteSource::Read::Note;
        }
        const char* text = VerseText(bible, verse);
        if (static_cast<unsigned char>(text[0]) == kPilcrow && options.format.ParagraphMarks == 0) ++text;
        const std::size_t size = RangeLabel(bible, verse, verse == first, options.format, &book, label);
        if (!pen.Label(verse, label, size) || !pen.VerseText(verse, text)) {
          outcome = PrintOutcome::PageFailed;
          break;
        }
        if (options.format.LineBreaks != 0 || has_note) pen.NewLine();
        if (has_note) {
          pen.NewLine();
          if (!pen.NoteText(verse, note)) {
            outcome = PrintOutcome::PageFailed;
            break;
          }
          pen.NewNotesLine();
        }
      }
      pen.EndLastPage();
    }
  }
  if (options.notes) options.notes->Close();
  return outcome;
}

PrintOutcome LayOutVerseListPages(const BibleData& bible, const VerseIndex* list, std::int32_t count,
                                  const PrintLayoutOptions& options, TextCanvas& canvas, LayoutSink& sink,
                                  PrintDocument& document) {
  PageWriter pen(options, canvas, sink, document);
  if (!pen.StartFirstPage()) return PrintOutcome::PageFailed;
  PrintOutcome outcome = PrintOutcome::Printed;
  char label[kPrintLabelSize];
  for (std::int32_t i = 0; i < count && i < kVerseCount && list[i] >= 0 && list[i] < kVerseCount; ++i) {
    if (!document.KeepPrinting()) {
      outcome = PrintOutcome::Cancelled;
      break;
    }
    const VerseRecord record = RecordOf(bible, list[i]);
    const std::size_t size =
        Clipped(std::snprintf(label, sizeof label, "%s %d:%d ", BookAbbreviations[record.book], record.chapter,
                              record.verse),
                sizeof label);
    if (!pen.Label(list[i], label, size) || !pen.VerseText(list[i], VerseText(bible, list[i]))) {
      outcome = PrintOutcome::PageFailed;
      break;
    }
    pen.NewLine();
  }
  pen.EndLastPage();
  return outcome;
}

}  // namespace kv
