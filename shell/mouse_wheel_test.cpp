#include "shell/mouse_wheel.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

struct Turn {
  int delta;
  int lines;  // expected
  int pages;
};

struct Case {
  const char* name;
  std::uint32_t lines_per_notch;
  std::vector<Turn> turns;
};

TEST(MouseWheel, TurnsBecomeStepsOfTheSystemsLinesPerNotch) {
  const Case cases[] = {
      {"a notch down scrolls three lines toward the end", 3, {{-120, 3, 0}}},
      {"a notch up scrolls three lines toward the start", 3, {{120, -3, 0}}},
      {"one line a notch", 1, {{-120, 1, 0}, {-240, 2, 0}}},
      {"fine wheel: quarters of a notch add up", 3, {{-30, 0, 0}, {-30, 1, 0}, {-30, 1, 0}, {-30, 1, 0}}},
      {"fine wheel: forty a line at three lines a notch", 3, {{-40, 1, 0}, {-40, 1, 0}, {-40, 1, 0}}},
      {"a turn back drops what was left over", 3, {{-30, 0, 0}, {30, 0, 0}, {30, -1, 0}}},
      {"zero lines a notch scrolls nothing", 0, {{-120, 0, 0}, {120, 0, 0}}},
      {"page scrolling: a page a notch", kWheelPageScroll, {{-120, 0, 1}, {240, 0, -2}}},
      {"page scrolling: half notches add up", kWheelPageScroll, {{-60, 0, 0}, {-60, 0, 1}}},
      {"a huge setting is held to the Bible's length", 4000000000u, {{-120 * 100, kMaxWheelSteps, 0}}},
      {"the largest turns do not overflow", 100, {{-32768, 27306, 0}, {32767, -27305, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WheelState state;
    for (std::size_t i = 0; i < c.turns.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "turn " << i);
      const WheelSteps steps = TakeWheelSteps(&state, c.turns[i].delta, c.lines_per_notch);
      EXPECT_EQ(c.turns[i].lines, steps.lines);
      EXPECT_EQ(c.turns[i].pages, steps.pages);
    }
  }
}

TEST(MouseWheel, LeftoverNeverReachesAWholeStep) {
  WheelState state;
  for (int delta : {-7, -13, -119, -1, -121, 50, 3, -90}) {
    TakeWheelSteps(&state, delta, 3);
    EXPECT_LT(state.remainder, kWheelDelta);
    EXPECT_GT(state.remainder, -kWheelDelta);
  }
}

}  // namespace
}  // namespace kv
