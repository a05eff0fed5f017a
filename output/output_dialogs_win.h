// The output dialogs and the printing commands, run over the main window.
#pragma once

#include <windows.h>

#include <string>

namespace kv {

void RunCopyVerseDialog(HWND owner);
void RunCopyRangeDialog(HWND owner);
void RunSaveRangeDialog(HWND owner);
void RunFormatDialog(HWND owner);
void RunPrintRangeDialog(HWND owner);
void PrintVerseList(HWND owner);
// The file chooser of Save Verse List; false when the user chose no file.
bool ChooseVerseListFile(HWND owner, std::string* file_name);

}  // namespace kv
