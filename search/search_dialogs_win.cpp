#include "search/search_dialogs_win.h"

namespace kv {

// The dialogs come with the search results window; until then the commands
// open nothing and change nothing.
void RunWordSearchDialog(HWND) {}
void RunWordListSearchDialog(HWND) {}
void RunPhraseSearchDialog(HWND) {}

}  // namespace kv
