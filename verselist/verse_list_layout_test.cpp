// The verse list layout on the real text with a fixed-metric canvas: labels
// and the note marker, the pieces of a word and their fonts, the key
// highlight and the selection's colours, line breaking with the hanging
// indent, ListBottom, and the hit test.
#include "verselist/verse_list_layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "passage/passage_layout.h"
#include "search/word_search.h"
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
constexpr std::uint32_t kKeyColor = 0x0000C0;

VerseIndex Verse(int book, int chapter, int verse) { return FindVerse(RealBible(), book, chapter, verse); }

// A result list of `verses` after a word search for `query`.
std::unique_ptr<SearchState> ListOf(std::initializer_list<VerseIndex> verses, const char* query = "",
                                    bool sub_string = false) {
  auto state = std::make_unique<SearchState>();
  int n = 0;
  for (VerseIndex v : verses) state->verse_list[n++] = v;
  state->verse_list[n] = kNoVerse;
  state->result_count = n;
  std::snprintf(state->search_text_prefill, kSearchTextSize, "%s", query);
  state->options.sub_string = sub_string;
  NormalizeQuery(*state);
  return state;
}

VerseListView View(SearchState& search, int width, int height, int italics = kItalicsInItalicType,
                   const NoteSet* notes = nullptr, std::int32_t top = 0) {
  VerseListView view;
  view.bible = &RealBible();
  view.search = &search;
  view.top = top;
  view.italics = italics;
  view.font.weight = kNormalWeight;
  view.highlight = kKeyColor;
  view.notes = notes;
  view.width = width;
  view.height = height;
  return view;
}

std::vector<DrawnRun> Paint(const VerseListView& view, const SelectionState& selection = {},
                            VerseListMetrics* metrics = nullptr) {
  FixedCanvas canvas;
  VerseListMetrics result = PaintVerseListLayout(view, selection, canvas);
  EXPECT_EQ(canvas.live_fonts(), 0u) << "a pass deletes the fonts it made";
  EXPECT_EQ(canvas.highlight_color, kKeyColor);
  if (metrics) *metrics = result;
  return canvas.runs;
}

std::string Label(VerseIndex verse, bool note = false) {
  char text[kListLabelSize];
  FormatListLabel(RealBible(), verse, note, text, sizeof text);
  return text;
}

std::string Abbreviation(VerseIndex verse) { return BookAbbreviations[RecordOf(RealBible(), verse).book]; }

// The runs that draw the pieces of words, with everything concatenated.
std::string Joined(const std::vector<DrawnRun>& runs, std::size_t from = 0) {
  std::string text;
  for (std::size_t i = from; i < runs.size(); ++i) text += runs[i].text;
  return text;
}

const DrawnRun* Find(const std::vector<DrawnRun>& runs, const std::string& text, std::size_t from = 0) {
  for (std::size_t i = from; i < runs.size(); ++i)
    if (runs[i].text == text) return &runs[i];
  return nullptr;
}

TEST(VerseListLayout, LabelsCarryTheShortReferenceAndTheNoteMarker) {
  const VerseIndex ge1v1 = 0, ge1v2 = 1;
  EXPECT_EQ(Label(ge1v1), Abbreviation(ge1v1) + " 1:1 ");
  EXPECT_EQ(Label(ge1v2, true), "*" + Abbreviation(ge1v2) + " 1:2 ");
  auto state = ListOf({ge1v1, ge1v2});
  NoteSet notes = NotesOn({ge1v2});
  std::vector<DrawnRun> runs = Paint(View(*state, 1920, 1200, kItalicsInItalicType, &notes));
  ASSERT_FALSE(runs.empty());
  EXPECT_EQ(runs[0].text, Label(ge1v1));
  EXPECT_EQ(runs[0].x, 1);
  EXPECT_EQ(runs[0].y, 0);
  EXPECT_EQ(runs[0].style, FontStyle::Bold);
  const DrawnRun* second = Find(runs, Label(ge1v2, true));
  ASSERT_NE(second, nullptr) << "the verse with a note is marked";
  EXPECT_EQ(second->x, 1);
  EXPECT_EQ(second->y, kLh) << "every entry starts a line of its own";
  // The first entry's words follow its label in the normal font.
  EXPECT_EQ(runs[1].text, "In ");
  EXPECT_EQ(runs[1].x, FixedCanvas::Width(FontStyle::Bold, Label(ge1v1)) + 1);
  EXPECT_EQ(runs[1].style, FontStyle::Normal);
  std::string text;
  for (std::size_t i = 1; &runs[i] != second; ++i) text += runs[i].text;
  EXPECT_EQ(text, std::string(VerseText(RealBible(), ge1v1)) + " ");
}

TEST(VerseListLayout, LongVersesWrapWithAHangingIndent) {
  const VerseIndex esther8v9 = Verse(17, 8, 9);  // the longest verse
  auto state = ListOf({esther8v9, 0});
  const int width = 300;
  std::vector<DrawnRun> runs = Paint(View(*state, width, 1200, kItalicsInNormalType));
  ASSERT_GT(runs.size(), 2u);
  int lines = 1;
  int y = 0, x_end = runs[0].x + FixedCanvas::Width(runs[0].style, runs[0].text);
  std::size_t i = 1;
  for (; i < runs.size() && runs[i].text != Label(0); ++i) {
    const DrawnRun& run = runs[i];
    const int w = FixedCanvas::Width(run.style, run.text);
    if (run.y != y) {
      ++lines;
      EXPECT_EQ(run.y, y + kLh);
      EXPECT_EQ(run.x, kLh) << "continuation lines start at the line height";
      // The word did not fit where the line ended: its width without the
      // trailing blank reached the right edge.
      EXPECT_GE(x_end + w - FixedCanvas::kNormalWidth, width) << run.text;
      y = run.y;
    } else {
      EXPECT_EQ(run.x, x_end) << run.text;
    }
    EXPECT_LT(run.x + w - FixedCanvas::kNormalWidth, width) << run.text;
    x_end = run.x + w;
  }
  EXPECT_GT(lines, 10);
  ASSERT_LT(i, runs.size());
  EXPECT_EQ(runs[i].x, 1);
  EXPECT_EQ(runs[i].y, y + kLh) << "the next entry's label opens the next line";
}

// Genesis 1:2 holds "was" twice, the second time as a supplied word.
TEST(VerseListLayout, AHighlightedSuppliedWordIsBoldItalicInTheKeyColour) {
  const VerseIndex ge1v2 = 1;
  ASSERT_NE(std::strstr(VerseText(RealBible(), ge1v2), "earth was without"), nullptr);
  ASSERT_NE(std::strstr(VerseText(RealBible(), ge1v2), "darkness [was] upon"), nullptr);
  auto state = ListOf({ge1v2}, "was");
  std::vector<DrawnRun> runs = Paint(View(*state, 1920, 1200, kItalicsInItalicType));
  std::vector<const DrawnRun*> was;
  for (const DrawnRun& run : runs)
    if (run.text == "was") was.push_back(&run);
  ASSERT_EQ(was.size(), 2u);
  EXPECT_EQ(was[0]->style, FontStyle::Bold);
  EXPECT_EQ(was[0]->colors, TextColors::Highlight);
  EXPECT_EQ(was[1]->style, FontStyle::BoldItalic);
  EXPECT_EQ(was[1]->colors, TextColors::Highlight);
  EXPECT_EQ(Joined(runs).find('{'), std::string::npos) << "the marks are not drawn";
  EXPECT_EQ(Joined(runs).find('['), std::string::npos) << "nor the brackets in italic type";
  // The blank after the supplied word is upright and in the text colour.
  const DrawnRun* after = &was[1][1];
  EXPECT_EQ(after->text, " ");
  EXPECT_EQ(after->style, FontStyle::Normal);
  EXPECT_EQ(after->colors, TextColors::Normal);
  EXPECT_EQ(after->x, was[1]->x + FixedCanvas::Width(FontStyle::BoldItalic, "was"));

  // Selected, the word keeps the inverse colours instead: words 4 to 11.
  SelectionState selection;
  selection.owner = kVerseListOwner;
  selection.anchor = {0, 11};
  selection.end = {0, 4};
  runs = Paint(View(*state, 1920, 1200, kItalicsInItalicType), selection);
  int inverse_words = 0;
  for (const DrawnRun& run : runs) {
    if (run.text == "was") {
      EXPECT_EQ(run.colors, TextColors::Inverse);
    }
    if (run.colors == TextColors::Inverse && run.text.back() == ' ') ++inverse_words;
  }
  EXPECT_EQ(inverse_words, 8);
  EXPECT_EQ(runs[0].colors, TextColors::Normal) << "the label lies before the selection";
}

TEST(VerseListLayout, ItalicsModesOneAndTwoDrawUpright) {
  const VerseIndex ge1v2 = 1;
  auto state = ListOf({ge1v2}, "was");
  std::vector<DrawnRun> brackets = Paint(View(*state, 1920, 1200, kItalicsInBrackets));
  const DrawnRun* open = Find(brackets, "[");
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->style, FontStyle::Normal);
  EXPECT_EQ(open[1].text, "was");
  EXPECT_EQ(open[1].style, FontStyle::Bold);
  EXPECT_EQ(open[2].text, "] ");
  EXPECT_EQ(open[2].style, FontStyle::Normal);
  for (const DrawnRun& run : brackets) EXPECT_NE(run.style, FontStyle::Italic) << run.text;

  std::vector<DrawnRun> normal = Paint(View(*state, 1920, 1200, kItalicsInNormalType));
  EXPECT_EQ(Joined(normal).find('['), std::string::npos);
  EXPECT_EQ(Joined(normal).find(']'), std::string::npos);
  for (const DrawnRun& run : normal) {
    EXPECT_NE(run.style, FontStyle::Italic) << run.text;
    EXPECT_NE(run.style, FontStyle::BoldItalic) << run.text;
  }
}

// "love ve" as substrings marks "loved" as {lo{ve}}d: one highlighted piece
// from after the first mark to before the last, the inner marks with it.
TEST(VerseListLayout, NestedMarksAreOneHighlightedPiece) {
  const VerseIndex john3v16 = Verse(43, 3, 16);
  auto state = ListOf({john3v16}, "love ve", true);
  std::vector<DrawnRun> runs = Paint(View(*state, 1920, 1200));
  const DrawnRun* loved = Find(runs, "lo{ve}");
  ASSERT_NE(loved, nullptr) << Joined(runs);
  EXPECT_EQ(loved->style, FontStyle::Bold);
  EXPECT_EQ(loved->colors, TextColors::Highlight);
  EXPECT_EQ(loved[1].text, "d ");
  EXPECT_EQ(loved[1].colors, TextColors::Normal);
}

TEST(VerseListLayout, ListBottomIsTheLastLabelLaidOut) {
  auto one = ListOf({0});
  VerseListMetrics metrics;
  Paint(View(*one, 1920, 1200), {}, &metrics);
  EXPECT_EQ(metrics.bottom, 0) << "one entry: 1 held to the last position";
  EXPECT_EQ(metrics.line_height, kLh);

  auto many = ListOf({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  // Three lines of room in a wide window: three labels.
  Paint(View(*many, 1920, 3 * kLh), {}, &metrics);
  EXPECT_EQ(metrics.bottom, 2);
  Paint(View(*many, 1920, 3 * kLh, kItalicsInItalicType, nullptr, 9), {}, &metrics);
  EXPECT_EQ(metrics.bottom, 9);
  FixedCanvas canvas;
  EXPECT_EQ(MeasureVerseListLayout(View(*many, 1920, 3 * kLh, kItalicsInItalicType, nullptr, 4), canvas).bottom, 6);
  EXPECT_TRUE(canvas.runs.empty()) << "measuring draws nothing";
  EXPECT_EQ(canvas.live_fonts(), 0u);

  auto empty = ListOf({});
  Paint(View(*empty, 1920, 1200), {}, &metrics);
  EXPECT_EQ(metrics.bottom, -1);
}

TEST(VerseListLayout, AWindowWithoutHeightOrWidthStillEnds) {
  auto many = ListOf({0, 1, 2, 3});
  VerseListMetrics metrics;
  EXPECT_TRUE(Paint(View(*many, 1920, 0), {}, &metrics).empty());
  EXPECT_EQ(metrics.bottom, 1) << "ListTop + 1";
  Paint(View(*many, 1920, 0, kItalicsInItalicType, nullptr, 3), {}, &metrics);
  EXPECT_EQ(metrics.bottom, 3);
  // One pixel wide: a word a line.
  std::vector<DrawnRun> runs = Paint(View(*many, 1, 1200), {}, &metrics);
  ASSERT_GT(runs.size(), 3u);
  EXPECT_EQ(runs[1].y, kLh);
  EXPECT_EQ(runs[2].y, 2 * kLh);
}

TEST(VerseListLayout, MarkingForThePassLeavesTheOccurrenceCount) {
  auto state = ListOf({0, 1}, "the");
  state->occurrence_count = 17;
  Paint(View(*state, 1920, 1200));
  EXPECT_EQ(state->occurrence_count, 17);
}

// A list of Genesis 1:1 and 1:2 in a 300-pixel window, where Genesis 1:1
// takes two lines.
class VerseListHitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state_ = ListOf({0, 1});
    runs_ = Paint(View(*state_, 300, 1200, kItalicsInNormalType));
  }
  bool HitAt(int x, int y, SelectionPoint* point) {
    FixedCanvas canvas;
    int lh = 0;
    bool hit = HitTestVerseListLayout(View(*state_, 300, 1200, kItalicsInNormalType), canvas, x, y, point, &lh);
    EXPECT_EQ(lh, kLh);
    EXPECT_EQ(canvas.live_fonts(), 0u);
    return hit;
  }
  SelectionPoint At(int x, int y) {
    SelectionPoint point;
    EXPECT_TRUE(HitAt(x, y, &point)) << x << "," << y;
    return point;
  }
  std::unique_ptr<SearchState> state_;
  std::vector<DrawnRun> runs_;
};

TEST_F(VerseListHitTest, FindsEveryWordWhereItIsDrawn) {
  // Word k of entry i is the k-th run after entry i's label (normal type:
  // one piece a word).
  int entry = -1, word = 0;
  for (const DrawnRun& run : runs_) {
    if (run.style == FontStyle::Bold) {
      ++entry;
      word = 0;
    } else {
      ++word;
    }
    const int w = FixedCanvas::Width(run.style, run.text);
    SCOPED_TRACE(run.text);
    EXPECT_EQ(At(run.x + w / 2, run.y + 1), (SelectionPoint{entry, word}));
    EXPECT_EQ(At(run.x + w - 1, run.y + kLh - 1), (SelectionPoint{entry, word}));
  }
  EXPECT_EQ(entry, 1);
}

TEST_F(VerseListHitTest, LabelsLineEndsAndMisses) {
  EXPECT_EQ(At(0, 0), (SelectionPoint{0, 0}));
  EXPECT_EQ(At(1, 2 * kLh + 3), (SelectionPoint{1, 0}));
  // Genesis 1:1 takes two lines: words 1..a on the first, a+1..10 on the
  // second, which starts at the hanging indent.
  int first_line_words = 0;
  for (std::size_t i = 1; runs_[i].y == 0; ++i) ++first_line_words;
  ASSERT_GT(first_line_words, 0);
  ASSERT_LT(first_line_words, 10);
  EXPECT_EQ(runs_[static_cast<std::size_t>(first_line_words) + 1].y, kLh);
  EXPECT_EQ(At(299, 5), (SelectionPoint{0, first_line_words})) << "right of a line's last word";
  EXPECT_EQ(At(299, kLh + 5), (SelectionPoint{0, 10})) << "right of the entry's last line";
  EXPECT_EQ(At(2, kLh + 5), (SelectionPoint{0, first_line_words + 1})) << "in the indent";
  SelectionPoint untouched{7, 7};
  EXPECT_FALSE(HitAt(50, 1000, &untouched)) << "below the list";
  EXPECT_EQ(untouched, (SelectionPoint{7, 7}));
}

}  // namespace
}  // namespace kv
