#include "passage/passage_scroll.h"

#include <cstdint>

namespace kv {

VerseIndex PageUpTop(VerseIndex old_top, VerseIndex old_bottom, const BottomOfPage& bottom_of) {
  VerseIndex top = old_top;
  VerseIndex bottom = old_bottom;
  // Back until a page no longer runs past the old top.
  while (top > 0 && old_top < bottom) {
    --top;
    bottom = bottom_of(top);
  }
  // Then on back while the page still ends exactly at the old top: the
  // smallest such top shows the most text above it.
  VerseIndex best = top;
  while (bottom == old_top) {
    best = top;
    --top;
    if (top < 0) break;
    bottom = bottom_of(top);
  }
  return best < 0 ? 0 : best;
}

VerseIndex ScrolledTop(PassageScroll code, int thumb, VerseIndex top, VerseIndex bottom,
                       const BottomOfPage& bottom_of) {
  switch (code) {
    case PassageScroll::LineUp:
      return top > 0 ? top - 1 : top;
    case PassageScroll::LineDown:
      return top < kLastVerse ? top + 1 : top;
    case PassageScroll::PageUp:
      return PageUpTop(top, bottom, bottom_of);
    case PassageScroll::PageDown:
      // The verse last on the page becomes the first.
      return bottom;
    case PassageScroll::Thumb:
      // The scroll bar reports its position in 16 bits.
      return static_cast<std::int16_t>(thumb);
    case PassageScroll::Other:
      break;
  }
  return top;
}

}  // namespace kv
