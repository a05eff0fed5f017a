// The system's save file chooser as Save Range and Save Verse List open it:
// text files first, a name typed without an extension used unchanged.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <cstddef>
#include <functional>
#include <string>

namespace kv {

// The chooser's file name buffer, with its NUL.
constexpr std::size_t kFileNameBufferSize = 256;

// Runs the chooser owned by `owner`, its name field starting as
// `start_name` (cut to the buffer). True with the chosen name in `*chosen`
// when the user chose one.
bool ChooseTextFile(HWND owner, const char* start_name, std::string* chosen);

// Each later chooser's record is shown to `observer` just before the
// chooser opens (null: none), so a test can read what it was asked.
void SetFileChooserObserver(std::function<void(const OPENFILENAMEA&)> observer);

}  // namespace kv
