#include "output/output_dialogs_win.h"

namespace kv {

// The dialogs and printing come with their own windows; until then the
// commands open nothing and change nothing.
void RunCopyVerseDialog(HWND) {}
void RunCopyRangeDialog(HWND) {}
void RunSaveRangeDialog(HWND) {}
void RunFormatDialog(HWND) {}
bool ChooseVerseListFile(HWND, std::string*) { return false; }

}  // namespace kv
