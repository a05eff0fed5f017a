#include "output/text_file_chooser_win.h"

#include <algorithm>
#include <cstring>

#include "output/output_dialogs_win.h"

namespace kv {

namespace {

// Pairs of a description and its pattern, ending with an empty pair.
const char kTextFileFilter[] = "Text Files (*.TXT)\0*.txt\0All Files (*.*)\0*.*\0";

std::function<void(const OPENFILENAMEA&)>& Observer() {
  static std::function<void(const OPENFILENAMEA&)> observer;
  return observer;
}

}  // namespace

bool ChooseTextFile(HWND owner, const char* start_name, std::string* chosen) {
  char name[kFileNameBufferSize] = {};
  const std::size_t length = std::min(std::strlen(start_name), sizeof name - 1);
  std::memcpy(name, start_name, length);
  OPENFILENAMEA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.lpstrFilter = kTextFileFilter;
  choose.nFilterIndex = 1;
  choose.lpstrFile = name;
  choose.nMaxFile = sizeof name;
  // No default extension and no title of the program's own.
  choose.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  if (Observer()) Observer()(choose);
  // The chooser leaves the current folder at the folder it saved in; the
  // note sets and the Bible data are named from the current folder, so it is
  // put back, or every later save of a note would miss its set.
  char folder[MAX_PATH] = {};
  const DWORD folder_length = GetCurrentDirectoryA(sizeof folder, folder);
  const bool saved = GetSaveFileNameA(&choose) != 0;
  if (folder_length > 0 && folder_length < sizeof folder) SetCurrentDirectoryA(folder);
  if (!saved) return false;
  *chosen = name;
  return true;
}

void SetFileChooserObserver(std::function<void(const OPENFILENAMEA&)> observer) {
  Observer() = std::move(observer);
}

bool ChooseVerseListFile(HWND owner, std::string* file_name) { return ChooseTextFile(owner, "", file_name); }

}  // namespace kv
