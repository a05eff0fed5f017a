// The passage layout on the real text with a fixed-metric canvas: labels,
// words and supplied words, line breaking, headings, the selection's colours,
// the bottom verse, the hit test and the page-up search.
#include "passage/passage_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "passage/passage_scroll.h"
#include "store/verse_address.h"
#include "testing/fixed_canvas.h"
#include "testing/note_sets.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::DrawnRun;
using testing::FixedCanvas;
using testing::FontStyle;
using testing::NotesOn;
using testing::RealBible;

constexpr int kLh = FixedCanvas::kLineHeight;
constexpr char kPilcrowWord[] = "\xB6 ";

PassageView View(VerseIndex top, int width, int height, bool paragraph = false, int italics = kItalicsInNormalType,
                 const NoteSet* notes = nullptr) {
  PassageView view;
  view.bible = &RealBible();
  view.top = top;
  view.paragraph_format = paragraph;
  view.italics = italics;
  view.font.weight = kNormalWeight;
  view.notes = notes;
  view.width = width;
  view.height = height;
  return view;
}

std::vector<DrawnRun> Paint(const PassageView& view, const SelectionState& selection = {},
                            PassageMetrics* metrics = nullptr) {
  FixedCanvas canvas;
  PassageMetrics result = PaintPassageLayout(view, selection, canvas);
  EXPECT_EQ(canvas.live_fonts(), 0u) << "a pass deletes the fonts it made";
  if (metrics) *metrics = result;
  return canvas.runs;
}

std::string Label(VerseIndex verse, bool top, bool paragraph, bool note = false) {
  char text[kLabelTextSize];
  FormatPassageLabel(RealBible(), verse, top, paragraph, note, text, sizeof text);
  return text;
}

std::string Heading(VerseIndex verse) {
  char text[kHeadingTextSize];
  FormatChapterHeading(RealBible(), verse, text, sizeof text);
  return text;
}

bool IsHeading(const DrawnRun& run) { return run.style == FontStyle::Bold && run.text.find(" chapter ") != std::string::npos; }
bool IsLabel(const DrawnRun& run) { return run.style == FontStyle::Bold && !IsHeading(run); }

// The selection point every drawn run stands for, worked out from the runs
// alone: labels count the verses from the top one, words count from 1 after
// their label. Holds for layouts without split supplied words.
std::vector<SelectionPoint> Tags(const std::vector<DrawnRun>& runs, VerseIndex top) {
  std::vector<SelectionPoint> tags;
  VerseIndex verse = top - 1;
  int word = 0;
  for (const DrawnRun& run : runs) {
    if (IsHeading(run)) {
      tags.push_back({verse + 1, 0});
    } else if (IsLabel(run)) {
      ++verse;
      word = 0;
      tags.push_back({verse, 0});
    } else {
      tags.push_back({verse, ++word});
    }
  }
  return tags;
}

std::vector<std::string> WordsOf(VerseIndex verse) {
  std::vector<std::string> words;
  std::string word;
  for (const char* p = VerseText(RealBible(), verse);; ++p) {
    if (*p == '[' || *p == ']') continue;
    if (*p == '\xB6') {
      words.push_back(kPilcrowWord);
      continue;
    }
    if (*p == 0) {
      words.push_back(word + " ");
      return words;
    }
    word += *p;
    if (*p == ' ') {
      words.push_back(word);
      word.clear();
    }
  }
}

const VerseIndex kGenesis1v1 = 0;
const VerseIndex kGenesis1v6 = 5;     // opens a paragraph
const VerseIndex kGenesis1v31 = 30;   // the last verse of the chapter
const VerseIndex kGenesis3v19 = 74;   // "... for dust thou [art], and unto dust ..."
const VerseIndex kGenesis22v16 = 563; // ends with the supplied word "[son:]"
const VerseIndex kGenesis50v26 = 1532;

// --- Labels -----------------------------------------------------------------

TEST(PassageLabels, EveryFormOfTheTable) {
  const std::string ge = BookAbbreviations[1];
  struct Row {
    bool note;
    bool paragraph;
    VerseIndex verse;
    std::string top;
    std::string later;
  } rows[] = {
      {true, true, kGenesis1v6, "    *" + ge + " 1:6 ", "    *6 "},
      {true, true, kGenesis1v1, "*" + ge + " 1:1 ", "*1 "},
      {true, false, kGenesis1v6, " *" + ge + " 1:6 ", " *6 "},
      {true, false, kGenesis1v1, " *" + ge + " 1:1 ", " *1 "},
      {false, true, kGenesis1v6, "    " + ge + " 1:6 ", "    6 "},
      {false, true, kGenesis1v1, ge + " 1:1 ", "1 "},
      {false, false, kGenesis1v6, " " + ge + " 1:6 ", " 6 "},
      {false, false, kGenesis1v1, " " + ge + " 1:1 ", " 1 "},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.top);
    EXPECT_EQ(Label(row.verse, true, row.paragraph, row.note), row.top);
    EXPECT_EQ(Label(row.verse, false, row.paragraph, row.note), row.later);
  }
}

TEST(PassageLabels, PaintDrawsTheTopLabelAndLaterLabelsWithTheNoteMarker) {
  NoteSet notes = NotesOn({kGenesis1v1 + 1});
  for (bool paragraph : {false, true}) {
    SCOPED_TRACE(paragraph);
    std::vector<DrawnRun> runs = Paint(View(kGenesis1v1, 1920, 1200, paragraph, kItalicsInNormalType, &notes));
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs[0].text, Label(kGenesis1v1, true, paragraph));
    EXPECT_EQ(runs[0].x, 1);
    EXPECT_EQ(runs[0].y, 0);
    EXPECT_EQ(runs[0].style, FontStyle::Bold);
    std::vector<std::string> labels;
    for (const DrawnRun& run : runs)
      if (IsLabel(run)) labels.push_back(run.text);
    ASSERT_GE(labels.size(), 3u);
    EXPECT_EQ(labels[1], Label(kGenesis1v1 + 1, false, paragraph, true));
    EXPECT_EQ(labels[2], Label(kGenesis1v1 + 2, false, paragraph));
  }
}

TEST(PassageLabels, ThePilcrowIsAWordWithoutParagraphFormatAndHiddenWithIt) {
  std::vector<DrawnRun> off = Paint(View(kGenesis1v6, 1920, 100, false));
  ASSERT_GE(off.size(), 2u);
  EXPECT_EQ(off[1].text, kPilcrowWord);
  EXPECT_EQ(off[1].x, 1 + FixedCanvas::Width(FontStyle::Bold, off[0].text));

  std::vector<DrawnRun> on = Paint(View(kGenesis1v6, 1920, 100, true));
  ASSERT_GE(on.size(), 2u);
  EXPECT_EQ(on[1].text, WordsOf(kGenesis1v6)[1]);
  for (const DrawnRun& run : on) EXPECT_EQ(run.text.find('\xB6'), std::string::npos) << run.text;
}

// --- Line breaking ----------------------------------------------------------

// Every run either fits its line or starts a new line at x = 1; a run that
// starts a line does so because it did not fit after the one before it.
TEST(PassageLines, ARunThatDoesNotFitStartsTheNextLine) {
  int wrapped_labels = 0;
  for (bool paragraph : {false, true}) {
    for (int width = 90; width <= 600; width += 37) {
      SCOPED_TRACE(::testing::Message() << "paragraph " << paragraph << " width " << width);
      std::vector<DrawnRun> runs = Paint(View(kGenesis1v1, width, 1200, paragraph));
      for (std::size_t i = 1; i < runs.size(); ++i) {
        const DrawnRun& run = runs[i];
        const DrawnRun& before = runs[i - 1];
        if (IsHeading(run) || IsHeading(before)) continue;
        int run_width = FixedCanvas::Width(run.style, run.text);
        if (run.y == before.y) {
          EXPECT_EQ(run.x, before.x + FixedCanvas::Width(before.style, before.text)) << run.text;
          EXPECT_LT(run.x + run_width, width) << run.text;
          continue;
        }
        EXPECT_EQ(run.x, 1) << run.text;
        EXPECT_EQ(run.y, before.y + kLh) << run.text;
        bool forced = IsLabel(run) && (!paragraph || BeginsParagraph(RealBible(), Tags(runs, kGenesis1v1)[i].item));
        if (!forced) {
          EXPECT_GE(before.x + FixedCanvas::Width(before.style, before.text) + run_width, width) << run.text;
          if (IsLabel(run)) ++wrapped_labels;
        }
      }
    }
  }
  EXPECT_GT(wrapped_labels, 0) << "no label had to move to the next line";
}

TEST(PassageLines, AWordWiderThanTheWindowRunsPastTheRightEdge) {
  const int width = 40;  // "beginning " is 70 pixels
  std::vector<DrawnRun> runs = Paint(View(kGenesis1v1, width, 400, false));
  std::size_t i = 0;
  while (i < runs.size() && runs[i].text != "beginning ") ++i;
  ASSERT_LT(i + 1, runs.size());
  EXPECT_EQ(runs[i].x, 1);
  EXPECT_EQ(runs[i].y, runs[i - 1].y + kLh);
  EXPECT_EQ(runs[i + 1].x, 1);
  EXPECT_EQ(runs[i + 1].y, runs[i].y + kLh);
}

TEST(PassageLines, ParagraphFormatOffStartsEveryVerseOnItsOwnLine) {
  std::vector<DrawnRun> runs = Paint(View(kGenesis1v1, 1920, 1200, false));
  for (std::size_t i = 1; i < runs.size(); ++i) {
    if (!IsLabel(runs[i])) continue;
    SCOPED_TRACE(runs[i].text);
    EXPECT_EQ(runs[i].x, 1);
    EXPECT_GT(runs[i].y, runs[i - 1].y);
  }
}

TEST(PassageLines, ParagraphFormatOnRunsVersesOnExceptAtAPilcrow) {
  std::vector<DrawnRun> runs = Paint(View(kGenesis1v1, 1920, 1200, true));
  std::vector<SelectionPoint> tags = Tags(runs, kGenesis1v1);
  int runs_on = 0;
  for (std::size_t i = 1; i < runs.size(); ++i) {
    if (!IsLabel(runs[i]) || IsHeading(runs[i - 1])) continue;
    SCOPED_TRACE(runs[i].text);
    if (BeginsParagraph(RealBible(), tags[i].item)) {
      EXPECT_EQ(runs[i].x, 1);
      EXPECT_EQ(runs[i].y, runs[i - 1].y + kLh);
    } else if (runs[i].y == runs[i - 1].y) {
      ++runs_on;
    }
  }
  EXPECT_GT(runs_on, 0);
}

// --- The first and last verses, headings ------------------------------------

TEST(PassageEnds, TheFirstVerseHasNoHeadingAndTheNextChapterHasOne) {
  std::vector<DrawnRun> runs = Paint(View(kGenesis1v1, 1920, 4000, true));
  std::vector<SelectionPoint> tags = Tags(runs, kGenesis1v1);
  std::size_t first_heading = 0;
  while (first_heading < runs.size() && !IsHeading(runs[first_heading])) ++first_heading;
  ASSERT_LT(first_heading, runs.size());
  EXPECT_EQ(runs[first_heading].text, Heading(kGenesis1v31 + 1));
  EXPECT_EQ(tags[first_heading].item, kGenesis1v31 + 1);
  EXPECT_EQ(runs[0].text, Label(kGenesis1v1, true, true));
}

TEST(PassageEnds, TheTopVerseNeverHasAHeadingEvenAsVerseOne) {
  std::vector<DrawnRun> runs = Paint(View(kGenesis1v31 + 1, 1920, 300, false));
  ASSERT_FALSE(runs.empty());
  EXPECT_TRUE(IsLabel(runs[0]));
  EXPECT_EQ(runs[0].y, 0);
}

TEST(PassageEnds, TheLastVerseEndsTheLayout) {
  for (int italics : {kItalicsInItalicType, kItalicsInNormalType}) {
    SCOPED_TRACE(italics);
    PassageMetrics metrics;
    std::vector<DrawnRun> runs = Paint(View(kLastVerse, 1920, 1200, false, italics), {}, &metrics);
    EXPECT_EQ(metrics.bottom_verse, kLastVerse);
    EXPECT_EQ(metrics.line_height, kLh);
    std::string drawn;
    for (std::size_t i = 1; i < runs.size(); ++i) drawn += runs[i].text;
    std::string expected;
    for (const std::string& word : WordsOf(kLastVerse)) expected += word;
    EXPECT_EQ(drawn, expected);
  }
  FixedCanvas canvas;
  EXPECT_EQ(MeasurePassageLayout(View(kLastVerse, 1920, 1200), canvas).bottom_verse, kLastVerse);
}

TEST(PassageEnds, HeadingsFollowABlankLineAtChapterAndBookStarts) {
  struct Row {
    VerseIndex top;
    bool paragraph;
  } rows[] = {{kGenesis1v31, false}, {kGenesis1v31, true}, {kGenesis50v26, false}, {kGenesis50v26, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.top << " paragraph " << row.paragraph);
    std::vector<DrawnRun> runs = Paint(View(row.top, 1920, 600, row.paragraph));
    std::size_t h = 0;
    while (h < runs.size() && !IsHeading(runs[h])) ++h;
    ASSERT_LT(h + 1, runs.size());
    EXPECT_EQ(runs[h].text, Heading(row.top + 1));
    EXPECT_EQ(runs[h].x, 1);
    EXPECT_EQ(runs[h].y, runs[h - 1].y + 2 * kLh) << "one empty line before the heading";
    // The label follows on the next line, or after an empty line when the
    // verse starts a line of its own.
    bool own_line = !row.paragraph || BeginsParagraph(RealBible(), row.top + 1);
    EXPECT_EQ(runs[h + 1].text, Label(row.top + 1, false, row.paragraph));
    EXPECT_EQ(runs[h + 1].x, 1);
    EXPECT_EQ(runs[h + 1].y, runs[h].y + (own_line ? 2 : 1) * kLh);
  }
}

TEST(PassageEnds, TheBottomVerseIsTheLastLabelAboveTheBottomEdge) {
  for (VerseIndex top : {0, 1000, 20000, kLastVerse - 3}) {
    for (int height : {10, 100, 700}) {
      SCOPED_TRACE(::testing::Message() << top << " height " << height);
      PassageMetrics painted;
      std::vector<DrawnRun> runs = Paint(View(top, 500, height), {}, &painted);
      FixedCanvas canvas;
      PassageMetrics measured = MeasurePassageLayout(View(top, 500, height), canvas);
      EXPECT_EQ(measured.bottom_verse, painted.bottom_verse);
      EXPECT_EQ(canvas.live_fonts(), 0u);
      EXPECT_GT(painted.bottom_verse, top);
      // The last label above the edge names the bottom verse, unless only
      // the top verse was reached.
      std::vector<SelectionPoint> tags = Tags(runs, top);
      VerseIndex last_above = top;
      for (std::size_t i = 0; i < runs.size(); ++i)
        if (IsLabel(runs[i]) && runs[i].y < height) last_above = tags[i].item;
      if (last_above > top) {
        EXPECT_LE(painted.bottom_verse, last_above);
      } else {
        EXPECT_EQ(painted.bottom_verse, top + 1);
      }
    }
  }
}

// --- Supplied words ---------------------------------------------------------

const DrawnRun* RunAt(const std::vector<DrawnRun>& runs, const std::string& text) {
  for (const DrawnRun& run : runs)
    if (run.text == text) return &run;
  return nullptr;
}

TEST(PassageItalics, TheThreeModesOfASuppliedWordBeforeAComma) {
  // "... for dust thou [art], and unto dust ..."
  std::vector<DrawnRun> italic = Paint(View(kGenesis3v19, 1920, 200, false, kItalicsInItalicType));
  std::size_t i = 0;
  while (i < italic.size() && italic[i].text != "art") ++i;
  ASSERT_LT(i + 3, italic.size());
  EXPECT_EQ(italic[i].style, FontStyle::Italic);
  EXPECT_EQ(italic[i + 1].text, ",");
  EXPECT_EQ(italic[i + 1].style, FontStyle::Normal);
  EXPECT_EQ(italic[i + 1].x, italic[i].x + FixedCanvas::Width(FontStyle::Italic, "art"));
  EXPECT_EQ(italic[i + 2].text, " ");
  EXPECT_EQ(italic[i + 2].style, FontStyle::Normal);
  EXPECT_EQ(italic[i + 3].text, "and ");
  EXPECT_EQ(italic[i + 3].style, FontStyle::Normal);
  EXPECT_EQ(italic[i - 1].text, "thou ");
  EXPECT_EQ(italic[i - 1].style, FontStyle::Normal);

  std::vector<DrawnRun> bracket_runs = Paint(View(kGenesis3v19, 1920, 200, false, kItalicsInBrackets));
  const DrawnRun* brackets = RunAt(bracket_runs, "[art], ");
  ASSERT_NE(brackets, nullptr);
  EXPECT_EQ(brackets->style, FontStyle::Normal);

  std::vector<DrawnRun> plain_runs = Paint(View(kGenesis3v19, 1920, 200, false, kItalicsInNormalType));
  const DrawnRun* plain = RunAt(plain_runs, "art, ");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->style, FontStyle::Normal);
}

TEST(PassageItalics, ASuppliedWordBeforeABlankIsItalicWithItsBlank) {
  // Genesis 1:2 "... darkness [was] upon ..."
  std::vector<DrawnRun> runs = Paint(View(kGenesis1v1 + 1, 1920, 200, false, kItalicsInItalicType));
  std::size_t i = 0;
  while (i < runs.size() && runs[i].text != "darkness ") ++i;
  ASSERT_LT(i + 2, runs.size());
  EXPECT_EQ(runs[i].style, FontStyle::Normal);
  EXPECT_EQ(runs[i + 1].text, "was ");
  EXPECT_EQ(runs[i + 1].style, FontStyle::Italic);
  EXPECT_EQ(runs[i + 2].text, "upon ");
  EXPECT_EQ(runs[i + 2].style, FontStyle::Normal);
}

// A supplied word that ends a verse ("thine only [son:]") stays italic, the
// verse ends there, and the next verse starts upright with its label.
TEST(PassageItalics, ASuppliedWordAtTheEndOfAVerseEndsTheVerse) {
  std::vector<DrawnRun> runs = Paint(View(kGenesis22v16, 1920, 300, false, kItalicsInItalicType));
  std::size_t i = 0;
  while (i < runs.size() && runs[i].text != "son: ") ++i;
  ASSERT_LT(i + 2, runs.size());
  EXPECT_EQ(runs[i].style, FontStyle::Italic);
  EXPECT_EQ(runs[i + 1].text, Label(kGenesis22v16 + 1, false, false));
  EXPECT_EQ(runs[i + 2].text, WordsOf(kGenesis22v16 + 1)[0]);
  EXPECT_EQ(runs[i + 2].style, FontStyle::Normal);
}

// Whatever the mode, the words of a verse count the same, so a selection
// covers the same words in every mode.
TEST(PassageItalics, EveryModeCountsTheSameWords) {
  SelectionState selection;
  selection.owner = kPassageOwner;
  std::vector<std::string> words = WordsOf(kGenesis3v19);
  const int art = 1 + static_cast<int>(std::find(words.begin(), words.end(), "art, ") - words.begin());
  ASSERT_LE(art, static_cast<int>(words.size()));
  selection.anchor = {kGenesis3v19, art};
  selection.end = {kGenesis3v19, art + 1};
  for (int italics : {kItalicsInItalicType, kItalicsInBrackets, kItalicsInNormalType}) {
    SCOPED_TRACE(italics);
    std::string inverted;
    for (const DrawnRun& run : Paint(View(kGenesis3v19, 1920, 200, false, italics), selection))
      if (run.colors == TextColors::Inverse) inverted += run.text;
    std::string expected = italics == kItalicsInBrackets ? "[art], and " : "art, and ";
    EXPECT_EQ(inverted, expected);
  }
}

// --- Selection colours ------------------------------------------------------

TEST(PassageSelection, OnlyTheSelectedItemsAreInverted) {
  const VerseIndex top = 100;
  struct Row {
    const char* name;
    int owner;
    SelectionPoint anchor, end;
    std::vector<SelectionPoint> inverted;  // empty: everything from the top label to the end point
  } rows[] = {
      {"words 3-5", kPassageOwner, {top + 1, 5}, {top + 1, 3}, {{top + 1, 3}, {top + 1, 4}, {top + 1, 5}}},
      {"label to label", kPassageOwner, {top, 0}, {top + 1, 0}, {}},
      {"another pane's", kVerseListOwner, {top, 0}, {top + 1, 2}, {}},
      {"above the top", kPassageOwner, {top - 3, 1}, {top - 1, 2}, {}},
      {"from above the top", kPassageOwner, {top - 3, 1}, {top + 1, 0}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SelectionState selection;
    selection.owner = row.owner;
    selection.anchor = row.anchor;
    selection.end = row.end;
    std::vector<DrawnRun> runs = Paint(View(top, 1920, 300, false), selection);
    std::vector<SelectionPoint> tags = Tags(runs, top);
    for (std::size_t i = 0; i < runs.size(); ++i) {
      OrderedSelection ordered = Ordered(selection);
      bool expected = false;
      if (row.owner != kPassageOwner || ordered.end.item < top) {
        expected = false;
      } else if (row.inverted.empty()) {
        expected = !(tags[i] < ordered.start) && !(ordered.end < tags[i]);
      } else {
        for (SelectionPoint p : row.inverted) expected = expected || p == tags[i];
      }
      EXPECT_EQ(runs[i].colors == TextColors::Inverse, expected) << runs[i].text << " " << i;
    }
  }
}

// A click that hit no text leaves the passage named as the owner with both
// points at (-1, -1): a page drawn from there shows no selection, at the top
// of the Bible as at its end (the only place such a click can land).
TEST(PassageSelection, AClickThatHitNoTextDrawsNoSelection) {
  SelectionState missed;
  missed.owner = kPassageOwner;
  missed.anchor = kNoPoint;
  missed.end = kNoPoint;
  for (VerseIndex top : {VerseIndex{0}, kLastVerse - 1, kLastVerse}) {
    SCOPED_TRACE(top);
    std::vector<DrawnRun> runs = Paint(View(top, 800, 600, false), missed);
    ASSERT_FALSE(runs.empty());
    for (const DrawnRun& run : runs) EXPECT_EQ(run.colors, TextColors::Normal) << run.text;
  }
}

// --- Hit test ---------------------------------------------------------------

TEST(PassageHitTest, EveryLabelHeadingAndWordIsFoundWhereItWasDrawn) {
  for (bool paragraph : {false, true}) {
    for (VerseIndex top : {kGenesis1v31 - 2, kGenesis50v26 - 1}) {
      SCOPED_TRACE(::testing::Message() << "paragraph " << paragraph << " top " << top);
      PassageView view = View(top, 600, 500, paragraph);
      std::vector<DrawnRun> runs = Paint(view);
      std::vector<SelectionPoint> tags = Tags(runs, top);
      for (std::size_t i = 0; i < runs.size(); ++i) {
        if (runs[i].y + kLh > view.height) break;
        if (IsHeading(runs[i])) continue;
        int width = FixedCanvas::Width(runs[i].style, runs[i].text);
        FixedCanvas canvas;
        SelectionPoint point;
        int line_height = 0;
        ASSERT_TRUE(HitTestPassageLayout(view, canvas, runs[i].x + width / 2, runs[i].y + kLh / 2, &point, &line_height))
            << runs[i].text;
        EXPECT_EQ(point, tags[i]) << runs[i].text << " at " << runs[i].x << "," << runs[i].y;
        EXPECT_EQ(line_height, kLh);
        EXPECT_EQ(canvas.live_fonts(), 0u);
      }
    }
  }
}

TEST(PassageHitTest, TheHeadingAndItsGapBelongToTheNextVerseLabel) {
  PassageView view = View(kGenesis1v31, 1920, 500, false);
  std::vector<DrawnRun> runs = Paint(view);
  std::size_t h = 0;
  while (h < runs.size() && !IsHeading(runs[h])) ++h;
  ASSERT_LT(h, runs.size());
  for (int y : {runs[h].y - kLh + 1, runs[h].y + 3, runs[h].y + kLh + 2}) {
    SCOPED_TRACE(y);
    FixedCanvas canvas;
    SelectionPoint point;
    ASSERT_TRUE(HitTestPassageLayout(view, canvas, 40, y, &point));
    EXPECT_EQ(point, (SelectionPoint{kGenesis1v31 + 1, 0}));
  }
}

TEST(PassageHitTest, RightOfAVersesLastLineIsItsLastWord) {
  PassageView view = View(kGenesis1v1, 1920, 500, false);
  std::vector<DrawnRun> runs = Paint(view);
  std::vector<SelectionPoint> tags = Tags(runs, kGenesis1v1);
  // The last word of Genesis 1:1 ends its line; beyond it lies nothing.
  std::size_t last = 0;
  while (last + 1 < runs.size() && tags[last + 1].item == kGenesis1v1) ++last;
  FixedCanvas canvas;
  SelectionPoint point;
  ASSERT_TRUE(HitTestPassageLayout(view, canvas, 1800, runs[last].y + 2, &point));
  EXPECT_EQ(point, tags[last]);
}

TEST(PassageHitTest, BelowTheLastVerseIsAMissThatLeavesThePoint) {
  PassageView view = View(kLastVerse, 1920, 500, false);
  FixedCanvas canvas;
  SelectionPoint point{-7, -7};
  EXPECT_FALSE(HitTestPassageLayout(view, canvas, 30, 400, &point));
  EXPECT_EQ(point, (SelectionPoint{-7, -7}));
  ASSERT_TRUE(HitTestPassageLayout(view, canvas, 3, 3, &point));
  EXPECT_EQ(point, (SelectionPoint{kLastVerse, 0}));
}

// --- Scrolling ----------------------------------------------------------------

struct Measurer {
  PassageView view;
  VerseIndex operator()(VerseIndex top) {
    FixedCanvas canvas;
    view.top = top;
    return MeasurePassageLayout(view, canvas).bottom_verse;
  }
};

TEST(PassageScrolling, PageDownThenPageUpReturnsToTheSameTop) {
  for (bool paragraph : {false, true}) {
    for (VerseIndex top : {1, 17, 1533, 15000, 23145, kLastVerse - 40}) {
      SCOPED_TRACE(::testing::Message() << "paragraph " << paragraph << " top " << top);
      Measurer measure{View(top, 800, 600, paragraph)};
      VerseIndex bottom = measure(top);
      VerseIndex down = ScrolledTop(PassageScroll::PageDown, 0, top, bottom, measure);
      EXPECT_EQ(down, bottom);
      VerseIndex up = ScrolledTop(PassageScroll::PageUp, 0, down, measure(down), measure);
      // The page up search finds the smallest top whose page ends at `down`:
      // `top` is one, so it is at or above it, and its page ends the same.
      EXPECT_LE(up, top);
      EXPECT_EQ(measure(up), down);
      if (up > 0) {
        EXPECT_NE(measure(up - 1), down);
      }
    }
  }
}

TEST(PassageScrolling, PageUpAtTheBeginningAndLineSteps) {
  Measurer measure{View(0, 800, 600)};
  EXPECT_EQ(ScrolledTop(PassageScroll::PageUp, 0, 0, measure(0), measure), 0);
  EXPECT_EQ(ScrolledTop(PassageScroll::LineUp, 0, 0, 5, measure), 0);
  EXPECT_EQ(ScrolledTop(PassageScroll::LineUp, 0, 9, 15, measure), 8);
  EXPECT_EQ(ScrolledTop(PassageScroll::LineDown, 0, kLastVerse, kLastVerse, measure), kLastVerse);
  EXPECT_EQ(ScrolledTop(PassageScroll::LineDown, 0, 9, 15, measure), 10);
  EXPECT_EQ(ScrolledTop(PassageScroll::PageDown, 0, kLastVerse, kLastVerse, measure), kLastVerse);
  EXPECT_EQ(ScrolledTop(PassageScroll::Thumb, 31000, 9, 15, measure), 31000);
  EXPECT_EQ(ScrolledTop(PassageScroll::Other, 31000, 9, 15, measure), 9);
}

TEST(PassageScrolling, PageUpWithAVerseTallerThanThePage) {
  // A window of one line: no page above ends exactly at the old top, so page
  // up stops at the first top whose page ends before it.
  Measurer measure{View(0, 300, kLh)};
  VerseIndex old_top = 1000;
  VerseIndex up = ScrolledTop(PassageScroll::PageUp, 0, old_top, measure(old_top), measure);
  EXPECT_LT(up, old_top);
  EXPECT_LE(measure(up), old_top);
}

}  // namespace
}  // namespace kv
