#include "shell/pane_layout.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

// An 800 x 600 client area, a toolbar whose client bottom is 28 and a status
// bar 20 high: TB = 30, FREE = 550, SPLITX = 400, SPLITY = trunc(550 x 0.55f)
// = 302 (0.55f is a hair above 0.55).
constexpr int kW = 800, kH = 600, kToolbarBottom = 28, kStatus = 20;
constexpr int kTop = 30, kFree = 550, kSplitX = 400, kSplitY = 302;

PaneFlags Flags(bool verse_list, bool passage, bool notes, bool toolbar = true, bool editor = false) {
  PaneFlags flags;
  flags.verse_list = verse_list;
  flags.passage = passage;
  flags.notes = notes;
  flags.toolbar = toolbar;
  flags.editor_open = editor;
  return flags;
}

struct LayoutRow {
  const char* name;
  PaneFlags flags;
  bool verse_list_shown;
  PaneRect verse_list;
  bool passage_shown;
  PaneRect passage;
  bool notes_tab_shown;
  bool editor_shown;
  PaneRect notes;
};

TEST(LayoutPanes, EachArrangementOfShownAndHiddenPanes) {
  const LayoutRow rows[] = {
      {"all panes", Flags(true, true, true), true, {0, kTop, kSplitX, kSplitY}, true,
       {kSplitX, kTop, kW - kSplitX, kSplitY}, true, false, {0, kTop + kSplitY, kW, kFree - kSplitY}},
      {"verse list hidden: the passage takes the full width", Flags(false, true, true), false, {}, true,
       {0, kTop, kW, kSplitY}, true, false, {0, kTop + kSplitY, kW, kFree - kSplitY}},
      {"passage hidden: the verse list takes the full width", Flags(true, false, true), true,
       {0, kTop, kW, kSplitY}, false, {}, true, false, {0, kTop + kSplitY, kW, kFree - kSplitY}},
      {"notes hidden: the upper panes take the full height", Flags(true, true, false), true,
       {0, kTop, kSplitX, kFree}, true, {kSplitX, kTop, kW - kSplitX, kFree}, false, false, {}},
      {"only the notes: they take the whole free height", Flags(false, false, true), false, {}, false, {},
       true, false, {0, kTop, kW, kFree}},
      {"only the passage", Flags(false, true, false), false, {}, true, {0, kTop, kW, kFree}, false, false, {}},
      {"nothing but toolbar and status bar", Flags(false, false, false), false, {}, false, {}, false, false,
       {}},
      {"editor open: the frame in the notes pane's place", Flags(true, true, true, true, true), true,
       {0, kTop, kSplitX, kSplitY}, true, {kSplitX, kTop, kW - kSplitX, kSplitY}, false, true,
       {0, kTop + kSplitY, kW, kFree - kSplitY}},
      {"editor open but the notes pane hidden", Flags(true, true, false, true, true), true,
       {0, kTop, kSplitX, kFree}, true, {kSplitX, kTop, kW - kSplitX, kFree}, false, false, {}},
  };
  for (const LayoutRow& row : rows) {
    SCOPED_TRACE(row.name);
    PaneLayout layout = ComputePaneLayout(row.flags, kW, kH, kToolbarBottom, kStatus);
    EXPECT_EQ(kTop, layout.top);
    EXPECT_EQ(row.verse_list_shown, layout.verse_list_shown);
    if (row.verse_list_shown) {
      EXPECT_EQ(row.verse_list, layout.verse_list);
    }
    EXPECT_EQ(row.passage_shown, layout.passage_shown);
    if (row.passage_shown) {
      EXPECT_EQ(row.passage, layout.passage);
    }
    EXPECT_EQ(row.notes_tab_shown, layout.notes_tab_shown);
    EXPECT_EQ(row.editor_shown, layout.editor_shown);
    if (row.notes_tab_shown || row.editor_shown) {
      EXPECT_EQ(row.notes, layout.notes);
    }
  }
}

TEST(LayoutPanes, WithoutTheToolbarThePanesStartAtTheTop) {
  PaneLayout layout = ComputePaneLayout(Flags(true, true, true, false), kW, kH, kToolbarBottom, kStatus);
  const int free = kH - kStatus;  // 580; trunc(580 x 0.55f) = 319
  EXPECT_EQ(0, layout.top);
  EXPECT_EQ(free, layout.free_height);
  EXPECT_EQ((PaneRect{0, 0, kSplitX, 319}), layout.verse_list);
  EXPECT_EQ((PaneRect{0, 319, kW, free - 319}), layout.notes);
}

TEST(LayoutPanes, HidingAndShowingTheToolbarGivesTheSameGeometry) {
  PaneLayout before = ComputePaneLayout(Flags(true, true, true), kW, kH, kToolbarBottom, kStatus);
  ComputePaneLayout(Flags(true, true, true, false), kW, kH, kToolbarBottom, kStatus);
  PaneLayout after = ComputePaneLayout(Flags(true, true, true), kW, kH, kToolbarBottom, kStatus);
  EXPECT_EQ(before.verse_list, after.verse_list);
  EXPECT_EQ(before.passage, after.passage);
  EXPECT_EQ(before.notes, after.notes);
}

TEST(LayoutPanes, TheSplitsAreFixedFractionsOfEverySize) {
  const int widths[] = {1, 333, 801, 1023};
  const int heights[] = {60, 481, 767};
  for (int w : widths)
    for (int h : heights) {
      SCOPED_TRACE(testing::Message() << w << " x " << h);
      PaneLayout layout = ComputePaneLayout(Flags(true, true, true), w, h, kToolbarBottom, kStatus);
      const int free = h - kTop - kStatus;
      EXPECT_EQ(static_cast<int>(static_cast<long double>(w) * 0.5f), layout.verse_list.width);
      EXPECT_EQ(static_cast<int>(static_cast<long double>(free) * 0.55f), layout.verse_list.height);
      // The panes tile the free area without gap or overlap.
      EXPECT_EQ(w, layout.verse_list.width + layout.passage.width);
      EXPECT_EQ(free, layout.passage.height + layout.notes.height);
    }
}

TEST(StatusParts, RightEdgesInExtendedPrecision) {
  struct Row {
    int width;
    std::array<int, 5> edges;
  };
  const Row rows[] = {
      // 0.172 x 1000 + 0.6 x 1000 falls just short of 772 when the double
      // constants are widened (it rounds up to 772 in plain double).
      {1000, {227, 449, 550, 771, -1}},
      {1001, {227, 449, 550, 772, -1}},
      // (0.4 x 20 - 1) x 0.57 = 3.99: cut toward zero.
      {20, {3, 8, 11, 15, -1}},
      // 0.45 x 100 - 1 stays above 44, never 43.
      {100, {22, 44, 55, 77, -1}},
      {250, {56, 111, 137, 192, -1}},
      {0, {0, -1, 0, 0, -1}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.width);
    EXPECT_EQ(row.edges, StatusPartEdges(row.width));
  }
}

}  // namespace
}  // namespace kv
