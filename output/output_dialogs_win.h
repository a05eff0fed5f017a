// The output dialogs, run over the main window (printing has its own,
// output/printing_win.h).
#pragma once

#include <windows.h>

#include <string>

namespace kv {

void RunCopyVerseDialog(HWND owner);
void RunCopyRangeDialog(HWND owner);
void RunSaveRangeDialog(HWND owner);
void RunFormatDialog(HWND owner);
// The file chooser of Save Verse List; false when the user chose no file.
bool ChooseVerseListFile(HWND owner, std::string* file_name);

}  // namespace kv
