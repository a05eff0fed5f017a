// Program entry and the window handles of the shell.
#pragma once

#include <windows.h>

namespace kv {

struct ShellWindows {
  HINSTANCE instance = nullptr;
  HMODULE rich_edit = nullptr;
  HACCEL accelerators = nullptr;
  HMENU menu = nullptr;
  HWND main = nullptr;
  HWND splash = nullptr;
};

ShellWindows& Windows();

extern const char kInitFailureCaption[];
extern const char kInitFailureText[];

// Registers the window classes, creates the main window and runs the message
// loop; returns the exit code. With `instance` the module holding the
// resources.
int RunProgram(HINSTANCE instance, int show);

// Undoes the class registration, so that a test process can start the program
// again.
void UnregisterProgramClasses(HINSTANCE instance);

}  // namespace kv
