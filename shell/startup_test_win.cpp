// Starting the real program in-process: the main window with the data, and
// the "Initialization failure" box without it.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/program_win.h"
#include "shell/testing/modal_script_win.h"
#include "shell/testing/program_test_win.h"

namespace kv {
namespace {

using wintest::ModalScript;

using wintest::ReadFile;

const char kSettings[] = "[MISC]\r\nReadVerse=1234\r\n[VIEW]\r\nToolBar=0\r\n";

// The program in its scratch folder, with a settings file of its own.
class Startup : public wintest::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    if (HasFatalFailure()) return;
    std::ofstream(App().shell.settings_file, std::ios::binary) << kSettings;
  }

  // Starts the program expecting the failure box; returns what was seen.
  void ExpectInitializationFailure() {
    ModalScript script;
    bool main_window_seen = true;
    script.OnMessageBox([&](HWND box) {
      main_window_seen = FindWindowA(CLASS_MAIN, nullptr) != nullptr;
      wintest::ClickButton(box, IDOK);
    });
    EXPECT_EQ(0, RunProgram(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
    ASSERT_TRUE(script.Ok()) << script.Describe();
    ASSERT_EQ(1u, script.Seen().size());
    const wintest::SeenWindow& box = script.Seen()[0];
    EXPECT_EQ(wintest::ModalKind::MessageBox, box.kind);
    EXPECT_EQ("Initialization failure", box.caption);
    EXPECT_EQ(kInitFailureText, box.text);
    EXPECT_EQ(nullptr, box.owner);
    EXPECT_FALSE(main_window_seen);
    EXPECT_EQ(kSettings, ReadFile(App().shell.settings_file));
    EXPECT_FALSE(App().shell.startup_complete);
    EXPECT_FALSE(App().store.bible.loaded);
  }
};

// What a timer saw of the main window before closing it.
struct MainWindowProbe {
  std::string class_name, title;
  bool visible = false, data_loaded = false, startup_complete = false;
  int ticks = 0;
};
MainWindowProbe g_probe;

void CALLBACK ProbeAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND main = FindWindowA(CLASS_MAIN, nullptr);
  if (!main) {
    if (++g_probe.ticks > 200) {  // never came up: end the loop, the test fails
      KillTimer(nullptr, timer);
      PostQuitMessage(1);
    }
    return;
  }
  KillTimer(nullptr, timer);
  char text[256];
  GetClassNameA(main, text, sizeof text);
  g_probe.class_name = text;
  GetWindowTextA(main, text, sizeof text);
  g_probe.title = text;
  g_probe.visible = IsWindowVisible(main) != 0;
  g_probe.data_loaded = App().store.bible.loaded;
  g_probe.startup_complete = App().shell.startup_complete;
  PostMessageA(main, WM_CLOSE, 0, 0);
}

TEST_F(Startup, WithTheDataTheMainWindowComesUpAndClosesCleanly) {
  g_probe = MainWindowProbe{};
  SetTimer(nullptr, 0, 20, ProbeAndClose);
  EXPECT_EQ(0, RunProgram(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
  EXPECT_EQ("Kelvane95", g_probe.class_name);
  EXPECT_EQ("Kelvane95", g_probe.title);
  EXPECT_TRUE(g_probe.visible);
  EXPECT_TRUE(g_probe.data_loaded);
  EXPECT_TRUE(g_probe.startup_complete);
  // Closing released the data and left no window behind.
  EXPECT_FALSE(App().store.bible.loaded);
  EXPECT_EQ(nullptr, FindWindowA(CLASS_MAIN, nullptr));
}

TEST_F(Startup, MissingTextFileGivesTheInitializationFailureBox) {
  ASSERT_TRUE(DeleteFileA(Path("_avtext.dat").c_str()));
  ExpectInitializationFailure();
}

TEST_F(Startup, DamagedWordFileGivesTheInitializationFailureBox) {
  // Out of order: the word lookups could not trust it.
  std::ofstream(Path("_avwrds.dat"), std::ios::binary) << std::string("the\0and\0", 8);
  ExpectInitializationFailure();
}

}  // namespace
}  // namespace kv
