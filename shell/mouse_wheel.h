// Turning the mouse wheel into the scroll steps the arrow keys would make.
//
// A notch of the wheel reports a delta of 120; finer wheels report smaller
// deltas more often, so what is left over from one message waits for the
// next. The system's lines per notch may also ask for a page per notch.
#pragma once

#include <cstdint>

namespace kv {

constexpr int kWheelDelta = 120;                         // WHEEL_DELTA: one notch
constexpr std::uint32_t kWheelPageScroll = 0xFFFFFFFFu;  // WHEEL_PAGESCROLL

// The leftover of a window's wheel turns (in 1/120 lines, or 1/120 pages
// when scrolling by pages).
struct WheelState {
  std::int64_t remainder = 0;
};

// What one wheel message asks for: positive counts scroll toward the end of
// the text (the wheel turned toward the user), negative toward its start.
struct WheelSteps {
  int lines = 0;
  int pages = 0;
};

// The steps for a wheel turn of `delta` (positive: away from the user, which
// scrolls up) with the system's `lines_per_notch` (0: the wheel scrolls
// nothing; kWheelPageScroll: a page per notch). A turn in the other
// direction than the leftover starts afresh. No answer passes
// kMaxWheelSteps, however large the setting.
WheelSteps TakeWheelSteps(WheelState* state, int delta, std::uint32_t lines_per_notch);

constexpr int kMaxWheelSteps = 31102;

}  // namespace kv
