// Running the real program inside a Win32 test.
//
// ProgramTest gives each test a scratch folder holding copies of the Bible
// data, as the program's own folder would, makes it the current folder and
// points the settings file there; TearDown removes it and everything the
// program wrote. Run() starts the program and calls the body once the main
// window is up, then closes it; RunSteps() calls each step from its own tick
// of the program's message loop, for keys that must go through the loop's
// accelerator translation before the next step looks.
//
//   TEST_F(MyWindow, Something) {
//     Run([](HWND main) { SendMessageA(main, WM_COMMAND, CMD_X, 0); ... });
//   }
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "passage/selection.h"

namespace kv::wintest {

const char* const kDataFiles[] = {"_avwrds.dat", "_avwptr.dat", "_avwidx.dat", "_avvidx.dat", "_avtext.dat"};

// The folder inside a test's scratch folder that stands for the user's
// application data folder's "Kelvane95".
constexpr char kPerUserFolder[] = "PerUser";

using Step = std::function<void()>;

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string Path(const std::string& file) const { return dir_ + "\\" + file; }

  // Starts the program, runs `body` on its main window, closes it.
  void Run(std::function<void(HWND)> body);
  // Starts the program and runs the steps, one per tick of its loop; the
  // first fatal failure skips the rest.
  void RunSteps(std::vector<Step> steps);

  std::string dir_;

 private:
  char old_dir_[MAX_PATH] = {};
};

// Dispatches what is queued for this thread.
void Pump();

std::string ReadFile(const std::string& path);

enum Modifiers { kNoModifiers = 0, kCtrl = 1, kAlt = 2, kShift = 4 };

// The modifier keys as the accelerator translation reads them: a posted key
// message carries none, so the thread's key state is set instead.
void HoldModifiers(int modifiers);

// A key pressed as a user presses it: the key-down goes to the focused
// window through the program's message loop, with the modifiers held until
// the next step.
void PressKey(UINT key, int modifiers);

// The pixels of `width` x `height` from (x, y) of a device context: rows
// top to bottom, four bytes (blue, green, red, unused) a pixel.
std::vector<unsigned char> CapturePixels(HDC dc, int x, int y, int width, int height);

// What the screen shows in `rect` (screen coordinates), as a BMP file, for
// a person to look at. False if the file cannot be written.
bool SaveScreenRect(const RECT& rect, const std::string& path);

// The CF_TEXT text on the clipboard ("" without any), or "(clipboard busy)"
// when the clipboard cannot be opened.
std::string ClipboardText();

// Where a pane shows a selection point: the first pixel of its client area,
// scanning every fourth line from the top and every third pixel along it,
// that `hit_test(dc, x, y, &point)` maps to `wanted`; (-1, -1) if none does.
POINT FindSelectionPoint(HWND pane, SelectionPoint wanted,
                         const std::function<bool(HDC, int, int, SelectionPoint*)>& hit_test);

}  // namespace kv::wintest
