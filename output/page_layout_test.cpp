#include "output/page_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "passage/verse_words.h"
#include "store/text_format.h"
#include "store/verse_address.h"
#include "testing/fixed_canvas.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::DrawnRun;
using testing::FixedCanvas;
using testing::FontStyle;
using testing::RealBible;

constexpr int kLine = FixedCanvas::kLineHeight;

VerseIndex V(int book, int chapter, int verse) { return FindVerse(RealBible(), book, chapter, verse); }

// The document side: counts pages, remembers which runs each page holds,
// and can refuse a page or stop the job after some verses.
class RecordingDocument final : public PrintDocument {
 public:
  explicit RecordingDocument(FixedCanvas& canvas) : canvas_(canvas) {}

  bool StartPage() override {
    ++starts;
    if (starts == fail_page) return false;
    EXPECT_FALSE(open) << "a page started inside another";
    open = true;
    page_first_run.push_back(canvas_.runs.size());
    return true;
  }
  void EndPage() override {
    EXPECT_TRUE(open) << "a page ended that was not started";
    open = false;
    ++ends;
  }
  bool KeepPrinting() override { return asked++ < verses_before_cancel; }

  // The page (0-based) that run `i` is on.
  int PageOf(std::size_t i) const {
    int page = -1;
    for (std::size_t p = 0; p < page_first_run.size(); ++p)
      if (page_first_run[p] <= i) page = static_cast<int>(p);
    return page;
  }

  int starts = 0, ends = 0, asked = 0;
  int fail_page = -1;
  int verses_before_cancel = 1 << 30;
  bool open = false;
  std::vector<std::size_t> page_first_run;

 private:
  FixedCanvas& canvas_;
};

// Notes of a set in memory.
class MemoryNotes final : public NoteSource {
 public:
  bool Open() override {
    opened = can_open;
    return can_open;
  }
  Read ReadNote(VerseIndex verse, std::string* text) override {
    if (verse == fail_at) return Read::Failed;
    auto it = notes.find(verse);
    if (it == notes.end()) return Read::NoNote;
    *text = it->second;
    return Read::Note;
  }
  void Close() override { closed = true; }

  std::map<VerseIndex, std::string> notes;
  bool can_open = true;
  bool opened = false, closed = false;
  VerseIndex fail_at = kNoVerse;
};

PrintRangeOptions WideRange() {
  PrintRangeOptions options;
  options.area = PageArea{100, 50, 2400, 3000};
  options.verse_font.height = -50;
  options.notes_font.height = -40;
  options.italics = kItalicsInItalicType;
  return options;
}

struct Job {
  FixedCanvas canvas;
  RecordingDocument document{canvas};
  SelectionPainter painter{canvas, nullptr};

  PrintOutcome Range(VerseIndex first, VerseIndex last, const PrintRangeOptions& options) {
    return LayOutRangePages(RealBible(), first, last, options, canvas, painter, document);
  }
  PrintOutcome List(const std::vector<VerseIndex>& list, const PrintLayoutOptions& options) {
    return LayOutVerseListPages(RealBible(), list.data(), static_cast<std::int32_t>(list.size()), options, canvas,
                                painter, document);
  }
  std::vector<std::string> Labels() const {
    std::vector<std::string> labels;
    for (const DrawnRun& run : canvas.runs)
      if (run.style == FontStyle::Bold) labels.push_back(run.text);
    return labels;
  }
  std::string Text() const {
    std::string text;
    for (const DrawnRun& run : canvas.runs) text += run.text;
    return text;
  }
  const DrawnRun* Find(const std::string& text, std::size_t from = 0) const {
    for (std::size_t i = from; i < canvas.runs.size(); ++i)
      if (canvas.runs[i].text == text) return &canvas.runs[i];
    return nullptr;
  }
  std::size_t IndexOf(const std::string& text) const {
    for (std::size_t i = 0; i < canvas.runs.size(); ++i)
      if (canvas.runs[i].text == text) return i;
    return canvas.runs.size();
  }
};

TEST(PageGeometry, EachMarginPrintsAsSetInThousandthsOfAnInch) {
  const PrinterPage page{2550, 3300, 300, 300};
  PageArea half = PageAreaOf(page, PrintMargins{500, 500, 500, 500});
  EXPECT_EQ(150, half.left);
  EXPECT_EQ(150, half.top);
  EXPECT_EQ(2400, half.right);
  EXPECT_EQ(3150, half.bottom);
  PageArea inch = PageAreaOf(page, PrintMargins{1000, 1000, 1000, 1000});
  EXPECT_EQ(300, inch.left);
  EXPECT_EQ(300, inch.top);
  EXPECT_EQ(2250, inch.right);
  EXPECT_EQ(3000, inch.bottom);
  // 1999 thousandths at 300 pixels an inch: 599.7 pixels, truncated.
  PageArea almost_two = PageAreaOf(page, PrintMargins{1999, 1999, 1999, 1999});
  EXPECT_EQ(599, almost_two.left);
  EXPECT_EQ(599, almost_two.top);
  EXPECT_EQ(2550 - 599, almost_two.right);
  EXPECT_EQ(3300 - 599, almost_two.bottom);
  // Each direction by its own resolution.
  PageArea mixed = PageAreaOf(PrinterPage{1200, 2400, 150, 300}, PrintMargins{500, 250, 1999, 0});
  EXPECT_EQ(75, mixed.left);
  EXPECT_EQ(75, mixed.top);
  EXPECT_EQ(1200 - 299, mixed.right);
  EXPECT_EQ(2400, mixed.bottom);
}

class MarginOnPaper : public ::testing::TestWithParam<int> {};

// The first label starts at the left and top margin, and no word of a
// range reaches past the right margin or below the bottom one.
TEST_P(MarginOnPaper, TextStaysInsideTheMargins) {
  const int margin = GetParam();
  PrintRangeOptions options = WideRange();
  options.area = PageAreaOf(PrinterPage{1275, 1650, 150, 150}, PrintMargins{margin, margin, margin, margin});
  const int pixels = margin * 150 / 1000;
  Job job;
  ASSERT_EQ(PrintOutcome::Printed, job.Range(V(1, 1, 1), V(1, 5, 32), options));
  ASSERT_FALSE(job.canvas.runs.empty());
  EXPECT_EQ(pixels, job.canvas.runs[0].x);
  EXPECT_EQ(pixels, job.canvas.runs[0].y);
  EXPECT_GT(job.document.starts, 1);
  for (const DrawnRun& run : job.canvas.runs) {
    std::string visible = run.text;
    while (!visible.empty() && visible.back() == ' ') visible.pop_back();
    EXPECT_GE(run.x, pixels) << run.text;
    EXPECT_LE(run.x + FixedCanvas::Width(run.style, visible), 1275 - pixels) << run.text;
    EXPECT_LE(run.y + kLine, 1650 - pixels) << run.text;
  }
}

INSTANTIATE_TEST_SUITE_P(HalfOneAndAlmostTwoInches, MarginOnPaper, ::testing::Values(500, 1000, 1999));

TEST(PrinterFonts, ScreenSizeInPointsAtThePrintersResolution) {
  FontDescription screen;
  screen.height = -16;
  screen.weight = kNormalWeight;
  std::snprintf(screen.face_name, sizeof screen.face_name, "Times New Roman");
  FontDescription printer = PrinterFontOf(screen, 96, 300);
  EXPECT_EQ(-50, printer.height);  // 12 points
  EXPECT_STREQ("Times New Roman", printer.face_name);
  // Truncated at each division: 13 x 72 / 96 = 9, 9 x 300 / 72 = 37.
  screen.height = -13;
  EXPECT_EQ(-37, PrinterFontOf(screen, 96, 300).height);
  // A cell height counts by its size too, and the result is a character height.
  screen.height = 20;
  EXPECT_EQ(-62, PrinterFontOf(screen, 96, 300).height);  // 15 points
}

TEST(PrintRangeLabels, BookChangeIsLabelledInFullWhateverTheStyles) {
  PrintRangeOptions options = WideRange();
  options.format.FirstVerseStyle = kLabelPartial;
  options.format.SubsequentVerseStyle = kLabelNone;
  Job job;
  ASSERT_EQ(PrintOutcome::Printed, job.Range(V(1, 50, 25), V(2, 1, 2), options));
  EXPECT_EQ((std::vector<std::string>{" 50:25 ", " Ex 1:1 "}), job.Labels())
      << "Genesis 50:26 has no label; Exodus 1:1 is in full; Exodus 1:2 has none";

  options.format.FirstVerseStyle = kLabelNone;
  options.format.SubsequentVerseStyle = kLabelPartial;
  Job partial;
  ASSERT_EQ(PrintOutcome::Printed, partial.Range(V(1, 50, 26), V(2, 1, 2), options));
  EXPECT_EQ((std::vector<std::string>{" Ex 1:1 ", " 1:2 "}), partial.Labels());

  options.format.FirstVerseStyle = kLabelFull;
  options.format.SubsequentVerseStyle = kLabelFull;
  Job full;
  ASSERT_EQ(PrintOutcome::Printed, full.Range(V(1, 1, 1), V(1, 1, 2), options));
  EXPECT_EQ((std::vector<std::string>{" Ge 1:1 ", " Ge 1:2 "}), full.Labels());
}

// Genesis 1:4: "And God saw the light, that [it was] good: ..."
TEST(PrintItalics, ItalicTextAcrossWordBoundaries) {
  PrintRangeOptions options = WideRange();
  options.italics = kItalicsInItalicType;
  Job job;
  ASSERT_EQ(PrintOutcome::Printed, job.Range(V(1, 1, 4), V(1, 1, 4), options));
  const std::size_t that = job.IndexOf("that ");
  ASSERT_LT(that + 4, job.canvas.runs.size());
  const auto& runs = job.canvas.runs;
  EXPECT_EQ(FontStyle::Normal, runs[that].style);
  EXPECT_EQ("it ", runs[that + 1].text);
  EXPECT_EQ(FontStyle::Italic, runs[that + 1].style);
  EXPECT_EQ("was", runs[that + 2].text);
  EXPECT_EQ(FontStyle::Italic, runs[that + 2].style);
  EXPECT_EQ(" ", runs[that + 3].text);
  EXPECT_EQ(FontStyle::Normal, runs[that + 3].style);
  EXPECT_EQ("good: ", runs[that + 4].text);
  EXPECT_EQ(FontStyle::Normal, runs[that + 4].style);
  // Each piece follows the one before by its own font's width.
  EXPECT_EQ(runs[that].x + 5 * FixedCanvas::kNormalWidth, runs[that + 1].x);
  EXPECT_EQ(runs[that + 1].x + 3 * FixedCanvas::kItalicWidth, runs[that + 2].x);
  EXPECT_EQ(runs[that + 2].x + 3 * FixedCanvas::kItalicWidth, runs[that + 3].x);
  EXPECT_EQ(std::string::npos, job.Text().find_first_of("[]"));
}

TEST(PrintItalics, BracketsAreDrawnUpright) {
  PrintRangeOptions options = WideRange();
  options.italics = kItalicsInBrackets;
  Job job;
  ASSERT_EQ(PrintOutcome::Printed, job.Range(V(1, 1, 4), V(1, 1, 4), options));
  const DrawnRun* open = job.Find("[it ");
  const DrawnRun* close = job.Find("was] ");
  ASSERT_NE(nullptr, open);
  ASSERT_NE(nullptr, close);
  EXPECT_EQ(FontStyle::Normal, open->style);
  EXPECT_EQ(FontStyle::Normal, close->style);
  EXPECT_EQ(open->x + 4 * FixedCanvas::kNormalWidth, close->x);
  for (const DrawnRun& run : job.canvas.runs) EXPECT_NE(FontStyle::Italic, run.style) << run.text;
}

TEST(PrintItalics, NormalTextDropsTheBrackets) {
  PrintRangeOptions options = WideRange();
  options.italics = kItalicsInNormalType;
  Job job;
  ASSERT_EQ(PrintOutcome::Printed, job.Range(V(1, 1, 1), V(1, 1, 10), options));
  EXPECT_EQ(std::string::npos, job.Text().find_first_of("[]"));
  EXPECT_NE(std::string::npos, job.Text().find("that it was good"));
  for (const DrawnRun& run : job.canvas.runs) EXPECT_NE(FontStyle::Italic, run.style) << run.text;
}

TEST(PrintRangeLines, LineBreaksOffGiveOneRunningParagraph) {
  PrintRangeOptions options = WideRange();
  options.format.LineBreaks = 0;
  options.area.right = 1000;
  Job job;
  ASSERT_EQ(PrintOutcome::Printed, job.Range(V(1, 1, 1), V(1, 1, 8), options));
  const auto& runs = job.canvas.runs;
  const std::size_t second = job.IndexOf(" 1:2 ");
  ASSERT_LT(second, runs.size());
  // The second label runs on after the first verse's last word.
  const DrawnRun& before = runs[second - 1];
  EXPECT_EQ("earth. ", before.text);
  EXPECT_EQ(before.y, runs[second].y);
  EXPECT_EQ(before.x + FixedCanvas::Width(before.style, before.text), runs[second].x);
  // Lines go down one line height at a time, none left part empty: every
  // line starts at the margin, and every line but the last is full enough
  // that its next run would not have fitted.
  int lines = 1;
  for (std::size_t i = 1; i < runs.size(); ++i) {
    if (runs[i].y == runs[i - 1].y) continue;
    ++lines;
    EXPECT_EQ(runs[i - 1].y + kLine, runs[i].y) << runs[i].text;
    EXPECT_EQ(100, runs[i].x) << runs[i].text;
    std::string visible = runs[i].text;
    while (!visible.empty() && visible.back() == ' ') visible.pop_back();
    const DrawnRun& last = runs[i - 1];
    EXPECT_GT(last.x + FixedCanvas::Width(last.style, last.text) + FixedCanvas::Width(runs[i].style, visible), 1000)
        << runs[i].text;
  }
  EXPECT_GT(lines, 4);

  options.format.LineBreaks = 1;
  Job broken;
  ASSERT_EQ(PrintOutcome::Printed, broken.Range(V(1, 1, 1), V(1, 1, 2), options));
  const DrawnRun* label = broken.Find(" 1:2 ");
  ASSERT_NE(nullptr, label);
  EXPECT_EQ(100, label->x);
  EXPECT_EQ(50 + kLine, label->y);
}

TEST(PrintRangeLines, PilcrowByTheParagraphMarksOption) {
  PrintRangeOptions options = WideRange();
  Job marks;
  ASSERT_EQ(PrintOutcome::Printed, marks.Range(V(1, 1, 6), V(1, 1, 6), options));
  ASSERT_GE(marks.canvas.runs.size(), 2u);
  EXPECT_EQ("\xB6 ", marks.canvas.runs[1].text);
  options.format.ParagraphMarks = 0;
  Job plain;
  ASSERT_EQ(PrintOutcome::Printed, plain.Range(V(1, 1, 6), V(1, 1, 6), options));
  EXPECT_EQ("And ", plain.canvas.runs[1].text);
  EXPECT_EQ(std::string::npos, plain.Text().find('\xB6'));
}

TEST(PrintRangeNotes, NotesUnderTheirVersesWithTheirOwnLines) {
  PrintRangeOptions options = WideRange();
  options.format.LineBreaks = 0;
  MemoryNotes notes;
  const std::string long_run(150, 'x');
  notes.notes[V(1, 1, 1)] = "First line\r\nSecond";
  notes.notes[V(1, 1, 3)] = "Run " + long_run + " end";
  options.notes = &notes;
  Job job;
  ASSERT_EQ(PrintOutcome::Printed, job.Range(V(1, 1, 1), V(1, 1, 4), options));
  EXPECT_TRUE(notes.opened);
  EXPECT_TRUE(notes.closed);

  // Genesis 1:1 on the first line; its note one blank line below.
  const DrawnRun* first = job.Find("First");
  const DrawnRun* line = job.Find("line");
  const DrawnRun* second = job.Find("Second");
  ASSERT_TRUE(first && line && second);
  EXPECT_EQ(100, first->x);
  EXPECT_EQ(50 + 2 * kLine, first->y);
  EXPECT_EQ(first->y, line->y);
  EXPECT_EQ(100 + 6 * FixedCanvas::kNormalWidth, line->x);  // "First" and a blank
  EXPECT_EQ(100, second->x);
  EXPECT_EQ(first->y + kLine, second->y);  // the carriage return; the line feed draws nothing
  EXPECT_EQ(std::string::npos, job.Text().find_first_of("\r\n"));
  // The next verse starts on the line below the note, at the margin.
  const DrawnRun* label2 = job.Find(" 1:2 ");
  ASSERT_NE(nullptr, label2);
  EXPECT_EQ(100, label2->x);
  EXPECT_EQ(second->y + kLine, label2->y);
  // Without a note and without line breaks, 1:3 follows 1:2 on its line.
  const DrawnRun* label3 = job.Find(" 1:3 ");
  ASSERT_NE(nullptr, label3);
  EXPECT_EQ(label2->y, label3->y);

  // The 150 characters without a blank: 100, then the other 50 right after.
  const std::size_t cut = job.IndexOf(std::string(100, 'x'));
  ASSERT_LT(cut + 2, job.canvas.runs.size());
  const DrawnRun& piece = job.canvas.runs[cut];
  const DrawnRun& rest = job.canvas.runs[cut + 1];
  EXPECT_EQ(std::string(50, 'x'), rest.text);
  EXPECT_EQ(piece.y, rest.y);
  EXPECT_EQ(piece.x + 100 * FixedCanvas::kNormalWidth, rest.x);
  EXPECT_EQ("end", job.canvas.runs[cut + 2].text);
  const DrawnRun* label4 = job.Find(" 1:4 ");
  ASSERT_NE(nullptr, label4);
  EXPECT_EQ(piece.y + kLine, label4->y);
}

TEST(PrintRangeNotes, ALongRunWrapsPieceByPiece) {
  PrintRangeOptions options = WideRange();
  options.area.right = 100 + 120 * FixedCanvas::kNormalWidth;
  MemoryNotes notes;
  notes.notes[V(1, 1, 1)] = std::string(150, 'y');
  options.notes = &notes;
  Job job;
  ASSERT_EQ(PrintOutcome::Printed, job.Range(V(1, 1, 1), V(1, 1, 1), options));
  const std::size_t cut = job.IndexOf(std::string(100, 'y'));
  ASSERT_LT(cut + 1, job.canvas.runs.size());
  const DrawnRun& rest = job.canvas.runs[cut + 1];
  EXPECT_EQ(std::string(50, 'y'), rest.text);
  EXPECT_EQ(100, rest.x);
  EXPECT_EQ(job.canvas.runs[cut].y + kLine, rest.y);
}

TEST(PrintRangeNotes, NotesThatCannotBeOpenedStopTheJobBeforeAnyPage) {
  PrintRangeOptions options = WideRange();
  MemoryNotes notes;
  notes.can_open = false;
  options.notes = &notes;
  Job job;
  EXPECT_EQ(PrintOutcome::NotesFailed, job.Range(V(1, 1, 1), V(1, 1, 3), options));
  EXPECT_EQ(0, job.document.starts);
  EXPECT_TRUE(job.canvas.runs.empty());
  EXPECT_STREQ("Could not open notes file", PrintFailureText(PrintOutcome::NotesFailed));
}

TEST(PrintRangeNotes, ANoteThatCannotBeReadStopsTheJobAndSaysSo) {
  PrintRangeOptions options = WideRange();
  MemoryNotes notes;
  notes.fail_at = V(1, 1, 3);
  options.notes = &notes;
  Job job;
  EXPECT_EQ(PrintOutcome::NoteReadFailed, job.Range(V(1, 1, 1), V(1, 1, 5), options));
  EXPECT_EQ(job.document.starts, job.document.ends);
  EXPECT_EQ(nullptr, job.Find(" 1:3 "));
  EXPECT_TRUE(notes.closed);
  EXPECT_EQ(0u, job.canvas.live_fonts());
  EXPECT_STREQ("Error reading note file", PrintFailureText(PrintOutcome::NoteReadFailed));
}

// Entries of one line each, on pages whose bottom limit is a whole number
// of lines below the top: the last line that ends exactly at the limit
// stays on its page.
TEST(PrintPages, APageBreaksOnlyBelowTheBottomLimit) {
  const std::vector<VerseIndex> list = {V(1, 1, 1), V(1, 1, 3), V(1, 1, 5), V(1, 1, 1), V(1, 1, 3)};
  PrintLayoutOptions options;
  options.area = PageArea{10, 20, 5000, 20 + 3 * kLine};
  Job exact;
  ASSERT_EQ(PrintOutcome::Printed, exact.List(list, options));
  EXPECT_EQ(2, exact.document.starts);
  EXPECT_EQ(2, exact.document.ends);
  const auto labels_on = [](const Job& job, int page) {
    int count = 0;
    for (std::size_t i = 0; i < job.canvas.runs.size(); ++i)
      if (job.canvas.runs[i].style == FontStyle::Bold && job.document.PageOf(i) == page) ++count;
    return count;
  };
  EXPECT_EQ(3, labels_on(exact, 0));
  EXPECT_EQ(2, labels_on(exact, 1));
  // The fourth entry starts the second page at the top margin.
  const std::size_t fourth = exact.document.page_first_run[1];
  EXPECT_EQ("Ge 1:1 ", exact.canvas.runs[fourth].text);
  EXPECT_EQ(10, exact.canvas.runs[fourth].x);
  EXPECT_EQ(20, exact.canvas.runs[fourth].y);
  EXPECT_EQ(20 + 2 * kLine, exact.canvas.runs[fourth - 1].y);

  // One pixel less and the third line goes over too.
  options.area.bottom -= 1;
  Job less;
  ASSERT_EQ(PrintOutcome::Printed, less.List(list, options));
  EXPECT_EQ(3, less.document.starts);
  EXPECT_EQ(2, labels_on(less, 0));
  EXPECT_EQ(2, labels_on(less, 1));
  EXPECT_EQ(1, labels_on(less, 2));
}

TEST(PrintPages, AFailedPageStopsTheJob) {
  PrintRangeOptions options = WideRange();
  options.area.bottom = 50 + 10 * kLine;
  Job job;
  job.document.fail_page = 2;
  EXPECT_EQ(PrintOutcome::PageFailed, job.Range(V(1, 1, 1), V(1, 3, 24), options));
  EXPECT_EQ(2, job.document.starts);
  EXPECT_EQ(1, job.document.ends);
  for (const DrawnRun& run : job.canvas.runs) EXPECT_LE(run.y + kLine, 50 + 10 * kLine) << run.text;
  EXPECT_EQ(0u, job.canvas.live_fonts());
  EXPECT_STREQ("StartPage failure", PrintFailureText(PrintOutcome::PageFailed));

  Job none;
  none.document.fail_page = 1;
  EXPECT_EQ(PrintOutcome::PageFailed, none.Range(V(1, 1, 1), V(1, 1, 2), options));
  EXPECT_EQ(0, none.document.ends);
  EXPECT_TRUE(none.canvas.runs.empty());
}

TEST(PrintPages, CancellingStopsBeforeTheNextVerseAndEndsThePage) {
  PrintRangeOptions options = WideRange();
  Job job;
  job.document.verses_before_cancel = 2;
  EXPECT_EQ(PrintOutcome::Cancelled, job.Range(V(1, 1, 1), V(1, 1, 31), options));
  EXPECT_EQ((std::vector<std::string>{" Ge 1:1 ", " 1:2 "}), job.Labels());
  EXPECT_EQ(1, job.document.starts);
  EXPECT_EQ(1, job.document.ends);
  EXPECT_EQ(0u, job.canvas.live_fonts());
  EXPECT_EQ(nullptr, PrintFailureText(PrintOutcome::Cancelled));

  Job list;
  list.document.verses_before_cancel = 1;
  EXPECT_EQ(PrintOutcome::Cancelled, list.List({V(1, 1, 1), V(1, 1, 2)}, options));
  EXPECT_EQ((std::vector<std::string>{"Ge 1:1 "}), list.Labels());
  EXPECT_EQ(1, list.document.ends);
}

TEST(PrintPages, NoRangeNoPage) {
  Job job;
  EXPECT_EQ(PrintOutcome::Printed, job.Range(V(1, 1, 3), V(1, 1, 2), WideRange()));
  EXPECT_EQ(PrintOutcome::Printed, job.Range(kNoVerse, V(1, 1, 2), WideRange()));
  EXPECT_EQ(PrintOutcome::Printed, job.Range(V(1, 1, 3), kVerseCount, WideRange()));
  EXPECT_EQ(0, job.document.starts);
  EXPECT_TRUE(job.canvas.runs.empty());
}

TEST(PrintVerseListLayout, OneParagraphPerEntryWithThePilcrowAlwaysPrinted) {
  const std::vector<VerseIndex> list = {V(1, 1, 1), V(1, 1, 6), V(66, 22, 21), kNoVerse, V(1, 1, 2)};
  PrintLayoutOptions options;
  options.area = PageArea{30, 40, 2000, 3000};
  Job job;
  ASSERT_EQ(PrintOutcome::Printed, job.List(list, options));
  EXPECT_EQ((std::vector<std::string>{"Ge 1:1 ", "Ge 1:6 ", "Re 22:21 "}), job.Labels());
  const std::size_t six = job.IndexOf("Ge 1:6 ");
  ASSERT_LT(six + 2, job.canvas.runs.size());
  const auto& runs = job.canvas.runs;
  EXPECT_EQ(30, runs[six].x);
  EXPECT_EQ(40 + kLine, runs[six].y);
  EXPECT_EQ("\xB6 ", runs[six + 1].text);
  EXPECT_EQ(30 + 7 * FixedCanvas::kBoldWidth, runs[six + 1].x);
  EXPECT_EQ("And ", runs[six + 2].text);
  const DrawnRun* last = job.Find("Re 22:21 ");
  ASSERT_NE(nullptr, last);
  EXPECT_EQ(30, last->x);
  EXPECT_EQ(40 + 2 * kLine, last->y);
  EXPECT_EQ(1, job.document.starts);
  EXPECT_EQ(0u, job.canvas.live_fonts());
}

}  // namespace
}  // namespace kv
