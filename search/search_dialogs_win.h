// The three search dialogs ("WordSearch", "WordListSearch", "PhraseSearch"),
// run modally over the main window, and what their OK sets going: the
// search, the verse list and reference list filled or emptied, the result
// commands enabled or greyed, the counts in the status bar.
#pragma once

#include <windows.h>

#include "search/search_results.h"

namespace kv {

extern const char kNoResultsCaption[];  // "Search Results"
extern const char kNoResultsText[];     // "No verses matching search criteria."

void RunWordSearchDialog(HWND owner);
void RunWordListSearchDialog(HWND owner);
void RunPhraseSearchDialog(HWND owner);

// Everything after the dialog has closed: with the mouse captured and the
// wait cursor shown, the engine runs on the query already taken; then the
// windows show the outcome. True when verses were found.
bool RunSearchAndShow(SearchDialog dialog);

// Shows the selected result in the passage: the reference list's current
// line when its tab is shown, otherwise the verse list's ListCurrentEntry.
// Nothing happens when there is none.
void ShowSelectedResult();

}  // namespace kv
