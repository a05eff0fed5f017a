// Where the passage's scroll bar codes move the top verse. Page up is the one
// search: it looks for the top whose page ends at the verse now on top.
#pragma once

#include <functional>

#include "store/bible_data.h"

namespace kv {

enum class PassageScroll { LineUp, LineDown, PageUp, PageDown, Thumb, Other };

// The bottom verse of a page that starts at a given top (a measure pass).
using BottomOfPage = std::function<VerseIndex(VerseIndex top)>;

// The smallest top whose page ends exactly at `old_top`, so that the old top
// stays in view as the last verse; when no top gives exactly that, the first
// top found whose page ends before it. `old_bottom` is the bottom of the page
// now shown. At the very beginning nothing moves.
VerseIndex PageUpTop(VerseIndex old_top, VerseIndex old_bottom, const BottomOfPage& bottom_of);

// The new top for a scroll code. `thumb` is the scroll box position of a
// thumb code; `bottom` the bottom verse of the page now shown.
VerseIndex ScrolledTop(PassageScroll code, int thumb, VerseIndex top, VerseIndex bottom,
                       const BottomOfPage& bottom_of);

}  // namespace kv
