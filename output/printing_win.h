// Printing from the window: the Print Range dialog, the print dialog, the
// "Printing..." dialog with its abort procedure, and the two print jobs on
// the printer's device context, laid out by output/page_layout.h.
#pragma once

#include <windows.h>

#include <string>

namespace kv {

// Command 185: the Print Range dialog, then the range (with the notes of
// the chosen set) on the chosen printer.
void RunPrintRangeDialog(HWND owner);
// Command 186: the verse list on the chosen printer.
void PrintVerseList(HWND owner);

// Where documents go instead of the printer's port: a file name, or empty
// for the port (the default). Lets the tests read back what was printed.
void SetPrintOutputFile(const std::string& file_name);

}  // namespace kv
