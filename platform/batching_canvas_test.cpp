// Joining the runs of a line: one draw for consecutive runs in one font and
// colour on one line, a new one at every change, each in its own font.
#include "platform/batching_canvas.h"

#include <gtest/gtest.h>

#include "testing/fixed_canvas.h"

namespace kv {
namespace {

using testing::FixedCanvas;
using testing::FontStyle;

TEST(BatchingCanvas, JoinsRunsOfOneLineFontAndColour) {
  FixedCanvas inner;
  {
    BatchingCanvas canvas(inner);
    FontDescription normal, bold;
    normal.weight = kNormalWeight;
    bold.weight = kBoldWeight;
    const TextCanvas::FontId n = canvas.MakeFont(normal), b = canvas.MakeFont(bold);
    canvas.UseFont(b);
    canvas.Draw(1, 0, "Ge 1:1 ", 7, TextColors::Normal);
    canvas.UseFont(n);
    EXPECT_EQ(canvas.Measure("In ", 3), 3 * FixedCanvas::kNormalWidth) << "measures go straight through";
    canvas.Draw(58, 0, "In ", 3, TextColors::Normal);
    canvas.Draw(79, 0, "the ", 4, TextColors::Normal);
    canvas.Draw(107, 0, "beginning ", 10, TextColors::Inverse);
    canvas.Draw(177, 0, "God ", 4, TextColors::Inverse);
    canvas.Draw(16, 16, "created ", 8, TextColors::Inverse);
    canvas.UseFont(b);
    canvas.Draw(72, 16, "the", 3, TextColors::Highlight);
    canvas.UseFont(n);
    canvas.Draw(96, 16, " ", 1, TextColors::Normal);
    EXPECT_EQ(inner.runs.size(), 5u) << "the last run is held back";
    canvas.FreeFont(n);
    canvas.FreeFont(b);
  }
  ASSERT_EQ(inner.runs.size(), 6u);
  struct Expected {
    int x, y;
    const char* text;
    FontStyle style;
    TextColors colors;
  } expected[] = {
      {1, 0, "Ge 1:1 ", FontStyle::Bold, TextColors::Normal},
      {58, 0, "In the ", FontStyle::Normal, TextColors::Normal},
      {107, 0, "beginning God ", FontStyle::Normal, TextColors::Inverse},
      {16, 16, "created ", FontStyle::Normal, TextColors::Inverse},
      {72, 16, "the", FontStyle::Bold, TextColors::Highlight},
      {96, 16, " ", FontStyle::Normal, TextColors::Normal},
  };
  for (std::size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(inner.runs[i].x, expected[i].x);
    EXPECT_EQ(inner.runs[i].y, expected[i].y);
    EXPECT_EQ(inner.runs[i].text, expected[i].text);
    EXPECT_EQ(inner.runs[i].style, expected[i].style);
    EXPECT_EQ(inner.runs[i].colors, expected[i].colors);
  }
  EXPECT_EQ(inner.live_fonts(), 0u);
}

}  // namespace
}  // namespace kv
