// The two dialogs that ask for a reference, and the placing of every dialog
// of the program over the main window.
#pragma once

#include <windows.h>

#include "search/search_state.h"
#include "store/bible_data.h"

namespace kv {

// What the reference dialogs read from their text box: 98 characters.
constexpr int kReferenceTextSize = 99;

// Places `dialog` over `owner`, a little above its middle, kept on screen.
void CenterDialog(HWND dialog, HWND owner);

// "GotoVerse", starting with the short reference of `current`. True with the
// verse in `*chosen` when the user confirmed a reference; false for Cancel
// and for an empty text.
bool RunGotoVerseDialog(HWND owner, const BibleData& data, VerseIndex current, VerseIndex* chosen);

// "SetRange", starting with the range of `options`. True when the user
// confirmed a range, which is then in options->start_verse / end_verse.
bool RunSetRangeDialog(HWND owner, const BibleData& data, SearchOptions* options);

}  // namespace kv
