#include "shell/pane_layout.h"

namespace kv {

namespace {

// The fractions are applied in extended precision and cut toward zero, so
// that a given width always splits at the same pixel.
int Truncate(long double value) { return static_cast<int>(value); }

}  // namespace

PaneLayout ComputePaneLayout(const PaneFlags& flags, int width, int height, int toolbar_bottom,
                             int status_height) {
  PaneLayout layout;
  layout.top = flags.toolbar ? toolbar_bottom + kToolbarGap : 0;
  const int free = height - layout.top - status_height;
  layout.free_height = free;
  const int split_y = Truncate(static_cast<long double>(free) * kUpperPaneHeightRatio);
  const int split_x = Truncate(static_cast<long double>(width) * kVerseListWidthRatio);
  const int upper_bottom = flags.notes ? split_y : free;

  if (flags.verse_list) {
    layout.verse_list_shown = true;
    layout.verse_list = {0, layout.top, flags.passage ? split_x : width, upper_bottom};
  }
  if (flags.passage) {
    layout.passage_shown = true;
    const int left = flags.verse_list ? split_x : 0;
    layout.passage = {left, layout.top, width - left, upper_bottom};
  }
  if (flags.notes) {
    const int notes_top = (flags.passage || flags.verse_list) ? split_y : 0;
    layout.notes = {0, layout.top + notes_top, width, free - notes_top};
    layout.editor_shown = flags.editor_open;
    layout.notes_tab_shown = !flags.editor_open;
  }
  return layout;
}

std::array<int, 5> StatusPartEdges(int width) {
  // The factors are double constants widened to extended precision, as the
  // original arithmetic did; widening keeps 0.45 a hair above 0.45, so
  // 0.45 * 1000 - 1 stays 449 instead of falling to 448.999...
  const long double w = width;
  auto factor = [](double f) { return static_cast<long double>(f); };
  return {Truncate((factor(0.4) * w - 1) * factor(0.57)), Truncate(factor(0.45) * w - 1),
          Truncate(factor(0.55) * w), Truncate(factor(0.172) * w + factor(0.6) * w), -1};
}

}  // namespace kv
