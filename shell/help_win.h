// The program's calls of the help viewer, through one thin layer so that a
// test can see which call was made without a help file or viewer.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kv {

extern const char kHelpFile[];  // "kelva95.hlp"

struct HelpCall {
  HWND window = nullptr;
  std::string file;
  UINT command = 0;
  std::string macro;  // HELP_COMMAND's text; empty for the other commands
};

// WinHelpA(window, "kelva95.hlp", command, macro or 0).
BOOL CallHelp(HWND window, UINT command, const char* macro = nullptr);

// Opens the topic `topic` ("ID_Read_GoToVerse") with a JumpID macro.
BOOL ShowHelpTopic(HWND window, const char* topic);

// Every later call is also reported to `observer` (null: none).
void SetHelpObserver(std::function<void(const HelpCall&)> observer);

}  // namespace kv
