#include "output/output_dialogs_win.h"

namespace kv {

// Printing comes with its own windows; until then the commands open nothing
// and change nothing.
void RunPrintRangeDialog(HWND) {}
void PrintVerseList(HWND) {}

}  // namespace kv
