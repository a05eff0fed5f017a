// The three search dialogs ("WordSearch", "WordListSearch", "PhraseSearch"),
// run modally over the main window.
#pragma once

#include <windows.h>

namespace kv {

void RunWordSearchDialog(HWND owner);
void RunWordListSearchDialog(HWND owner);
void RunPhraseSearchDialog(HWND owner);

}  // namespace kv
