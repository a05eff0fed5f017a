// Program entry and the window handles of the shell.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "shell/mouse_wheel.h"
#include "shell/toolbar_tips.h"

namespace kv {

struct ShellWindows {
  HINSTANCE instance = nullptr;
  HMODULE rich_edit = nullptr;
  HACCEL accelerators = nullptr;
  HMENU menu = nullptr;
  HWND main = nullptr;
  HWND splash = nullptr;
  HWND toolbar = nullptr;
  HWND status = nullptr;
  HWND verse_list_tab = nullptr;
  HWND passage_tab = nullptr;
  HWND note_set_tab = nullptr;
  HWND verse_list = nullptr;
  HWND passage = nullptr;
  HWND reference_list = nullptr;
  HWND notes = nullptr;
  HWND notes_display = nullptr;
  HWND note_editor_frame = nullptr;
  HWND note_editor = nullptr;
  // A modeless dialog open now (note search progress, printing): the message
  // loop gives it its keyboard messages.
  HWND modeless = nullptr;
  HFONT note_font = nullptr;
  // What is left over of the wheel turns of the passage and the verse list.
  WheelState passage_wheel;
  WheelState verse_list_wheel;
  // Kept for printing: the default printer's page set-up, then the user's.
  PAGESETUPDLGA page_setup = {};
  // The computed tooltips are read by the tooltip control after the
  // notification returns, so their text lives here.
  char tip_text[kTipTextSize] = {};
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
