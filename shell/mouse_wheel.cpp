#include "shell/mouse_wheel.h"

namespace kv {

WheelSteps TakeWheelSteps(WheelState* state, int delta, std::uint32_t lines_per_notch) {
  WheelSteps steps;
  if (lines_per_notch == 0) {
    state->remainder = 0;
    return steps;
  }
  const bool by_pages = lines_per_notch == kWheelPageScroll;
  const std::int64_t per_notch = by_pages ? 1 : (lines_per_notch > kMaxWheelSteps ? kMaxWheelSteps : lines_per_notch);
  // Wheel up (positive delta) scrolls toward the start: negative steps.
  const std::int64_t turned = -static_cast<std::int64_t>(delta) * per_notch;
  if ((turned < 0 && state->remainder > 0) || (turned > 0 && state->remainder < 0)) state->remainder = 0;
  std::int64_t total = state->remainder + turned;
  std::int64_t whole = total / kWheelDelta;  // toward zero: the leftover keeps its sign
  if (whole > kMaxWheelSteps) whole = kMaxWheelSteps;
  if (whole < -kMaxWheelSteps) whole = -kMaxWheelSteps;
  total -= whole * kWheelDelta;
  // A leftover beyond a notch (only after the cap) would come back later.
  if (total >= kWheelDelta || total <= -kWheelDelta) total = 0;
  state->remainder = total;
  (by_pages ? steps.pages : steps.lines) = static_cast<int>(whole);
  return steps;
}

}  // namespace kv
