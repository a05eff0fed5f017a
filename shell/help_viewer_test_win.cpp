// The help file in the real help viewer: Help > Topics opens the contents,
// every Help menu item and Help button names a topic that the viewer opens
// with its title and first line, every topic of the file opens, and the
// viewer closes when the program ends. The viewer is enabled for these tests
// only (cmake/wintests.cmake runs them without the override that disables it
// for the others, because a missing file would block a test on the viewer's
// own message box), and the help file is copied into the program's folder
// first, as it is in the run folder and the package.
//
// This Wine's viewer answers HELP_CONTENTS and HELP_QUIT but ignores
// HELP_COMMAND, so for a JumpID call the test takes the topic id from the
// call the program made and asks the viewer for that id on its command line.
// And when no viewer runs yet, this Wine's WinHelpA starts one but may give
// up waiting for its window, so the contents test starts the idle viewer
// first, as WinHelpA would ("winhlp32.exe -x").
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/help_win.h"
#include "shell/testing/modal_script_win.h"
#include "shell/testing/program_test_win.h"
#include "tools/helpbuild/help_source.h"

namespace kv {
namespace {

using helpbuild::HelpSource;

constexpr DWORD kViewerWaitMs = 15000;

const HelpSource& Source() {
  static HelpSource source = [] {
    std::ifstream in(KELVANE_SOURCE_DIR "\\resources\\help\\kelva95.txt", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    HelpSource parsed;
    std::string error;
    if (!helpbuild::ParseHelpSource(text, &parsed, &error)) ADD_FAILURE() << "kelva95.txt: " << error;
    return parsed;
  }();
  return source;
}

const helpbuild::Topic* TopicById(const std::string& id) {
  for (const auto& topic : Source().topics)
    if (topic.id == id) return &topic;
  return nullptr;
}

// The main windows of the viewers (of any process), the hidden ones too.
std::vector<HWND> Viewers() {
  std::vector<HWND> found;
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) == "MS_WINHELP") reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The viewer window a user sees, or null.
HWND FindViewer() {
  for (HWND viewer : Viewers())
    if (IsWindowVisible(viewer)) return viewer;
  return nullptr;
}

// The text the viewer shows: its topic window is a rich-edit control.
std::string ViewerText(HWND viewer) {
  struct Find {
    HWND found = nullptr;
  } find;
  EnumChildWindows(
      viewer,
      [](HWND child, LPARAM param) -> BOOL {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (std::string(name).rfind("RichEdit", 0) == 0) {
          reinterpret_cast<Find*>(param)->found = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&find));
  if (!find.found) return "";
  std::vector<char> text(16384);
  SendMessageA(find.found, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  lines.push_back(line);
  return lines;
}

// Waits, keeping this thread's windows served, until the viewer shows the
// topic: its title, then its first paragraph. Empty when it did; otherwise
// what the viewer showed.
std::string WaitForTopic(const helpbuild::Topic& topic) {
  std::string shown = "(no viewer window)";
  DWORD start = GetTickCount();
  while (GetTickCount() - start < kViewerWaitMs) {
    wintest::Pump();
    if (HWND viewer = FindViewer()) {
      std::vector<std::string> lines = Lines(ViewerText(viewer));
      shown = lines.size() >= 2 ? lines[0] + " / " + lines[1] : lines[0];
      if (lines.size() >= 2 && lines[0] == topic.title &&
          (topic.paragraphs.empty() || lines[1] == topic.paragraphs[0].Text()))
        return "";
    }
    Sleep(20);
  }
  return shown;
}

// Waits until no viewer window is left, hidden or shown.
bool WaitForNoViewer() {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < kViewerWaitMs) {
    wintest::Pump();
    if (Viewers().empty()) return true;
    Sleep(20);
  }
  return false;
}

// Closes every viewer and waits until they are gone.
bool CloseViewers() {
  for (HWND viewer : Viewers()) PostMessageA(viewer, WM_CLOSE, 0, 0);
  return WaitForNoViewer();
}

// Closes the viewers a user sees (not the idle one WinHelpA started).
bool CloseShownViewers() {
  for (HWND viewer : Viewers())
    if (IsWindowVisible(viewer)) PostMessageA(viewer, WM_CLOSE, 0, 0);
  DWORD start = GetTickCount();
  while (FindViewer() && GetTickCount() - start < kViewerWaitMs) {
    wintest::Pump();
    Sleep(20);
  }
  return !FindViewer();
}

// The id of a JumpID macro on the program's own help file, or "".
std::string JumpedTopic(const HelpCall& call) {
  const std::string prefix = "JumpID(\"kelva95.hlp\",\"";
  if (call.file != "kelva95.hlp" || call.command != HELP_COMMAND) return "";
  if (call.macro.rfind(prefix, 0) != 0 || call.macro.size() < prefix.size() + 2) return "";
  if (call.macro.compare(call.macro.size() - 2, 2, "\")") != 0) return "";
  return call.macro.substr(prefix.size(), call.macro.size() - prefix.size() - 2);
}

class HelpViewer : public wintest::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    ASSERT_TRUE(CopyFileA(KELVANE_TEST_DATA_DIR "\\kelva95.hlp", Path("kelva95.hlp").c_str(), FALSE))
        << "kelva95.hlp was not built";
    char overrides[256] = {};
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    ASSERT_EQ(nullptr, std::strstr(overrides, "winhlp32.exe=d"))
        << "the help viewer is disabled in this process; ctest runs these tests without the override";
    // The viewer is started as a child of this process; it must not get
    // this process's output handles (ctest waits for every holder of its
    // pipe to end).
    null_ = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    old_out_ = GetStdHandle(STD_OUTPUT_HANDLE);
    old_err_ = GetStdHandle(STD_ERROR_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, null_);
    SetStdHandle(STD_ERROR_HANDLE, null_);
    ASSERT_TRUE(CloseViewers()) << "a help viewer left open does not close";
  }

  void TearDown() override {
    SetHelpObserver(nullptr);
    EXPECT_TRUE(CloseViewers());
    SetStdHandle(STD_OUTPUT_HANDLE, old_out_);
    SetStdHandle(STD_ERROR_HANDLE, old_err_);
    if (null_ != INVALID_HANDLE_VALUE) CloseHandle(null_);
    ProgramTest::TearDown();
  }

  // The viewer started on its command line at one topic of the help file
  // in the program's folder.
  void OpenInViewer(const std::string& id) { StartViewer("winhlp32.exe -i " + id + " kelva95.hlp"); }

  // The idle, hidden viewer that WinHelpA talks to, up and waiting.
  void StartIdleViewer() {
    StartViewer("winhlp32.exe -x");
    DWORD start = GetTickCount();
    while (Viewers().empty() && GetTickCount() - start < kViewerWaitMs) Sleep(20);
    ASSERT_FALSE(Viewers().empty()) << "the help viewer did not start";
  }

  void StartViewer(std::string command) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = null_;
    startup.hStdOutput = null_;
    startup.hStdError = null_;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, dir_.c_str(), &startup,
                               &process))
        << command;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }

  // The program's call names a topic of the file, and the viewer opens it.
  void ExpectCallOpensTopic(const HelpCall& call, const std::string& id) {
    SCOPED_TRACE(call.macro);
    EXPECT_EQ(id, JumpedTopic(call));
    const helpbuild::Topic* topic = TopicById(id);
    ASSERT_NE(nullptr, topic) << id << " has no topic";
    ASSERT_TRUE(CloseShownViewers());
    OpenInViewer(id);
    std::string shown = WaitForTopic(*topic);
    EXPECT_EQ("", shown) << "the viewer did not show " << topic->title;
  }

  HANDLE null_ = INVALID_HANDLE_VALUE;
  HANDLE old_out_ = nullptr, old_err_ = nullptr;
};

TEST_F(HelpViewer, TopicsOpensTheContentsAndTheViewerClosesAtExit) {
  std::vector<HelpCall> calls;
  SetHelpObserver([&](const HelpCall& call) { calls.push_back(call); });
  StartIdleViewer();
  Run([&](HWND main) {
    SendMessageA(main, WM_COMMAND, CMD_HELP_TOPICS, 0);
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(static_cast<UINT>(HELP_CONTENTS), calls[0].command);
    std::string shown = WaitForTopic(Source().topics[0]);
    EXPECT_EQ("", shown) << "the viewer did not show the contents";
  });
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(static_cast<UINT>(HELP_QUIT), calls.back().command);
  EXPECT_TRUE(WaitForNoViewer()) << "the viewer stayed open after the program ended";
}

TEST_F(HelpViewer, EveryHelpMenuItemAndHelpButtonOpensItsTopic) {
  std::vector<HelpCall> calls;
  SetHelpObserver([&](const HelpCall& call) { calls.push_back(call); });
  Run([&](HWND main) {
    SendMessageA(main, WM_COMMAND, CMD_HELP_RANGE, 0);
    ASSERT_EQ(1u, calls.size());
    ExpectCallOpensTopic(calls.back(), "ID_SpecifyRange");
    // For a person to look at: the viewer with the range topic.
    if (HWND viewer = FindViewer()) {
      // The viewer is another process: its text is there before it has
      // painted, so bring it to the front and give it time to draw.
      SetForegroundWindow(viewer);
      RedrawWindow(viewer, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      for (int i = 0; i < 25; ++i) {
        wintest::Pump();
        Sleep(20);
      }
      RECT rect;
      GetWindowRect(viewer, &rect);
      EXPECT_TRUE(wintest::SaveScreenRect(rect, KELVANE_BINARY_DIR "\\help_viewer.bmp"));
    }

    SendMessageA(main, WM_COMMAND, CMD_HELP_PREFACE, 0);
    ASSERT_EQ(2u, calls.size());
    ExpectCallOpensTopic(calls.back(), "ID_Preface");

    // The Help buttons of the dialogs: each stays open, then is cancelled.
    struct Dialog {
      int command;
      const char* topic;
    } dialogs[] = {{CMD_GOTO_VERSE, "ID_Read_GoToVerse"}, {CMD_SET_RANGE, "ID_Search_SetRange"}};
    for (const Dialog& d : dialogs) {
      SCOPED_TRACE(d.topic);
      std::size_t before = calls.size();
      wintest::ModalScript script;
      script.OnDialog([](HWND dialog) { wintest::ClickButton(dialog, IDC_HELP_BUTTON); });
      script.OnDialog([](HWND dialog) { wintest::ClickButton(dialog, IDCANCEL); });
      SendMessageA(main, WM_COMMAND, d.command, 0);
      EXPECT_TRUE(script.Ok()) << script.Describe();
      ASSERT_EQ(before + 1, calls.size());
      ExpectCallOpensTopic(calls.back(), d.topic);
    }
  });
}

// Every topic of the file, as the viewer shows it when asked for its id.
class HelpTopic : public HelpViewer, public ::testing::WithParamInterface<std::string> {};

TEST_P(HelpTopic, OpensInTheViewer) {
  const helpbuild::Topic* topic = TopicById(GetParam());
  ASSERT_NE(nullptr, topic);
  OpenInViewer(topic->id);
  std::string shown = WaitForTopic(*topic);
  EXPECT_EQ("", shown) << "the viewer did not show " << topic->title;
}

std::vector<std::string> TopicIds() {
  std::vector<std::string> ids;
  for (const auto& topic : Source().topics) ids.push_back(topic.id);
  return ids;
}

INSTANTIATE_TEST_SUITE_P(EveryId, HelpTopic, ::testing::ValuesIn(TopicIds()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
}  // namespace kv
