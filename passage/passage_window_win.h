// The passage window (class READWINDOW): the Bible read as one stream from
// CurrentVerse, with its focus, mouse selection, keys, scroll bar and context
// menu. The main window creates it, fills in its links and routes the reading
// commands here.
#pragma once

#include <windows.h>

#include "store/bible_data.h"

namespace kv {

LRESULT CALLBACK PassageWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Moves the passage: CurrentVerse <- verse held to 0..31101, repaints the
// window (with erasing) and, with notes bound, shows the verse's note. The
// selection stays on its verses.
void SetCurrentVerse(VerseIndex verse);

// The verse the passage names in its menus, bookmarks and "Note for Verse in
// Passage": the selection's anchor when the passage owns a selection lying on
// the shown page, otherwise CurrentVerse.
VerseIndex PassageCurrentVerse();

}  // namespace kv
