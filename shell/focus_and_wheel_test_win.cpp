// The keyboard focus at start-up and when a pane is hidden, Copy greyed
// wherever the selection ends, the accelerators' Alt release, and the mouse
// wheel in the passage, the verse list and the reference list: the real
// windows driven in-process.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "passage/passage_window_win.h"
#include "resources/resource_ids.h"
#include "search/search_dialogs_win.h"
#include "search/search_results.h"
#include "shell/app_state.h"
#include "shell/command_table.h"
#include "shell/program_win.h"
#include "shell/testing/program_test_win.h"
#include "store/verse_address.h"

namespace kv {
namespace {

using wintest::kAlt;
using wintest::kCtrl;
using wintest::kNoModifiers;
using wintest::PressKey;
using wintest::Pump;

class PaneFocus : public wintest::ProgramTest {};

bool Greyed(int command) { return (GetMenuState(Windows().menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0; }

bool ButtonGreyed(int command) {
  const LRESULT state = SendMessageA(Windows().toolbar, TB_GETSTATE, command, 0);
  return state >= 0 && (state & TBSTATE_INDETERMINATE) != 0;
}

std::string StatusText(int part) {
  char text[256] = {};
  SendMessageA(Windows().status, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
  return text;
}

VerseIndex Verse(int book, int chapter, int verse) { return FindVerse(App().store.bible, book, chapter, verse); }

TEST_F(PaneFocus, ThePassageHasTheFocusAtStartAndItsKeysWorkAtOnce) {
  RunSteps({
      [] {
        EXPECT_EQ(Windows().passage, GetFocus());
        for (int command : kPassageFocusCommands) EXPECT_FALSE(Greyed(command)) << command;
        PressKey(VK_NEXT, kNoModifiers);
      },
      [] {
        EXPECT_GT(App().passage.CurrentVerse, 0) << "Page Down scrolled";
        EXPECT_LT(App().passage.CurrentVerse, Verse(1, 2, 1));
        PressKey(VK_NEXT, kCtrl);
      },
      [] { EXPECT_EQ(Verse(1, 2, 1), App().passage.CurrentVerse) << "Ctrl+Page Down: the next chapter"; },
  });
}

TEST_F(PaneFocus, WithThePassageHiddenAtStartTheVerseListHasTheFocus) {
  std::ofstream(App().shell.settings_file) << "[VIEW]\nReadWindow=0\n";
  Run([](HWND) {
    EXPECT_EQ(Windows().verse_list, GetFocus());
    EXPECT_TRUE(Greyed(CMD_NEXT_CHAPTER));
  });
}

TEST_F(PaneFocus, HidingTheFocusedPaneMovesTheFocusAndTheCommandsFollow) {
  RunSteps({
      [] {
        ASSERT_EQ(Windows().passage, GetFocus());
        SetCurrentVerse(Verse(1, 3, 1));
        UpdateWindow(Windows().passage);
        PressKey(VK_F3, kNoModifiers);
      },
      [] {
        EXPECT_FALSE(IsWindowVisible(Windows().passage));
        EXPECT_EQ(Windows().verse_list, GetFocus());
        for (int command : kPassageFocusCommands) EXPECT_TRUE(Greyed(command)) << command;
        PressKey(VK_DOWN, kNoModifiers);
      },
      [] {
        PressKey(VK_NEXT, kNoModifiers);
      },
      [] {
        EXPECT_EQ(Verse(1, 3, 1), App().passage.CurrentVerse) << "the hidden passage does not scroll";
        // A command that moves the hidden passage keeps status part 3 true.
        SendMessageA(Windows().main, WM_COMMAND, CMD_GOTO_BOOK_FIRST + 42, 0);
        EXPECT_EQ("John 1:1", StatusText(3));
        // The verse list hidden too: the notes display; every pane hidden:
        // the main window.
        PressKey(VK_F2, kNoModifiers);
      },
      [] {
        EXPECT_EQ(Windows().notes_display, GetFocus());
        PressKey(VK_F4, kNoModifiers);
      },
      [] {
        EXPECT_EQ(Windows().main, GetFocus());
        PressKey(VK_F3, kNoModifiers);
      },
      [] {
        EXPECT_TRUE(IsWindowVisible(Windows().passage));
        EXPECT_EQ(Windows().main, GetFocus()) << "showing a pane takes no focus";
      },
  });
}

TEST_F(PaneFocus, CopyIsGreyedWhenParagraphFormatDropsADragSelection) {
  Run([](HWND main) {
    HWND passage = Windows().passage;
    ASSERT_EQ(passage, GetFocus());
    UpdateWindow(passage);
    SendMessageA(passage, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 8));
    SendMessageA(passage, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 60));
    SendMessageA(passage, WM_LBUTTONUP, 0, MAKELPARAM(200, 60));
    ASSERT_EQ(kPassageOwner, App().selection.owner);
    ASSERT_FALSE(Greyed(CMD_COPY));
    ASSERT_FALSE(ButtonGreyed(CMD_COPY));
    SendMessageA(main, WM_COMMAND, CMD_PARAGRAPH_FORMAT, 0);
    EXPECT_EQ(kNoSelectionOwner, App().selection.owner);
    EXPECT_TRUE(Greyed(CMD_COPY)) << "Edit > Copy";
    EXPECT_TRUE(ButtonGreyed(CMD_COPY)) << "the toolbar's Copy";
  });
}

// Whether the menu bar was entered, seen by a hook on the thread's window
// procedures; a menu loop found open is ended so the test goes on.
bool g_menu_entered = false;
LRESULT CALLBACK WatchMenuLoop(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_ENTERMENULOOP) g_menu_entered = true;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Alt+E as a keyboard sends it, the Alt key released first.
void TypeAltE() {
  wintest::HoldModifiers(kAlt);
  HWND focus = GetFocus();
  constexpr LPARAM kAltDown = 0x20000001;
  const LPARAM key_up = static_cast<LPARAM>(0xC0000001u);
  PostMessageA(focus, WM_SYSKEYDOWN, VK_MENU, kAltDown);
  PostMessageA(focus, WM_SYSKEYDOWN, 'E', kAltDown);
  PostMessageA(focus, WM_SYSKEYUP, VK_MENU, key_up);
  PostMessageA(focus, WM_KEYUP, 'E', key_up);
}

TEST_F(PaneFocus, AnAltAcceleratorLeavesTheMenuBarAlone) {
  g_menu_entered = false;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchMenuLoop, nullptr, GetCurrentThreadId());
  ASSERT_NE(nullptr, hook);
  RunSteps({
      [] { TypeAltE(); },
      [] {
        EXPECT_TRUE(App().shell.note_editor_open) << "Alt+E ran Edit Current Note";
        EXPECT_FALSE(g_menu_entered) << "the Alt release entered the menu bar";
        if (g_menu_entered) EndMenu();
      },
      [] {
        // A lone Alt press still opens the menu bar, as it should.
        g_menu_entered = false;
        wintest::HoldModifiers(kAlt);
        PostMessageA(GetFocus(), WM_SYSKEYDOWN, VK_MENU, 0x20000001);
        PostMessageA(GetFocus(), WM_SYSKEYUP, VK_MENU, static_cast<LPARAM>(0xC0000001u));
      },
      [] {
        EXPECT_TRUE(g_menu_entered) << "a lone Alt press enters the menu bar";
        EndMenu();
      },
  });
  UnhookWindowsHookEx(hook);
}

// The wheel's lines per notch set for one test and put back after it.
class MouseWheel : public wintest::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved_, 0);
  }
  void TearDown() override {
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, saved_, nullptr, 0);
    ProgramTest::TearDown();
  }
  static void SetLines(UINT lines) {
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0));
    UINT read = 0;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &read, 0);
    ASSERT_EQ(lines, read);
  }
  UINT saved_ = 3;
};

void Wheel(HWND window, int delta) {
  SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), MAKELPARAM(10, 10));
  UpdateWindow(window);
}

void Keys(HWND window, UINT key, int times) {
  for (int i = 0; i < times; ++i) {
    SendMessageA(window, WM_KEYDOWN, key, 0);
    UpdateWindow(window);
  }
}

TEST_F(MouseWheel, ThePassageScrollsByTheSystemsLinesAsTheArrowKeysDo) {
  Run([this](HWND) {
    HWND passage = Windows().passage;
    VerseIndex& top = App().passage.CurrentVerse;
    const VerseIndex start = Verse(19, 1, 1);
    SetLines(5);
    SetCurrentVerse(start);
    UpdateWindow(passage);
    Keys(passage, VK_DOWN, 5);
    const VerseIndex five_down = top;
    ASSERT_EQ(start + 5, five_down);
    SetCurrentVerse(start);
    Wheel(passage, -WHEEL_DELTA);
    EXPECT_EQ(five_down, top) << "a notch toward the user: five lines down";
    Wheel(passage, WHEEL_DELTA);
    EXPECT_EQ(start, top) << "a notch away: five lines up";
    // A fine wheel: quarter notches add up to the same.
    for (int i = 0; i < 3; ++i) Wheel(passage, -WHEEL_DELTA / 4);
    EXPECT_EQ(start + 3, top) << "three quarters of five lines";
    Wheel(passage, -WHEEL_DELTA / 4);
    EXPECT_EQ(five_down, top);
    SetLines(1);
    SetCurrentVerse(start);
    Wheel(passage, -WHEEL_DELTA);
    EXPECT_EQ(start + 1, top);
    // Page scrolling: a notch is Page Down.
    SetLines(WHEEL_PAGESCROLL);
    SetCurrentVerse(start);
    UpdateWindow(passage);
    Keys(passage, VK_NEXT, 1);
    const VerseIndex page_down = top;
    ASSERT_GT(page_down, start + 1);
    SetCurrentVerse(start);
    UpdateWindow(passage);
    Wheel(passage, -WHEEL_DELTA);
    EXPECT_EQ(page_down, top);
    SetLines(0);
    Wheel(passage, -WHEEL_DELTA);
    EXPECT_EQ(page_down, top) << "no lines a notch: the wheel does nothing";
  });
}

void SearchFor(const char* query) {
  SearchState& state = App().search;
  state.options.boolean_type = kAnyWord;
  TakeQuery(state, SearchDialog::WordSearch, query);
  ASSERT_TRUE(RunSearchAndShow(SearchDialog::WordSearch)) << query;
  UpdateWindow(Windows().verse_list);
  Pump();
}

void SwitchTab(int tab) {
  SendMessageA(Windows().verse_list_tab, TCM_SETCURSEL, tab, 0);
  NMHDR header = {};
  header.hwndFrom = Windows().verse_list_tab;
  header.idFrom = ID_VERSE_LIST_TAB;
  header.code = static_cast<UINT>(TCN_SELCHANGE);
  SendMessageA(Windows().main, WM_NOTIFY, ID_VERSE_LIST_TAB, reinterpret_cast<LPARAM>(&header));
}

TEST_F(MouseWheel, TheVerseListAndTheReferenceListScrollByTheSystemsLines) {
  Run([this](HWND) {
    SearchFor("faith");
    HWND list = Windows().verse_list;
    std::int32_t& top = App().verse_list.top;
    SetLines(4);
    ASSERT_EQ(0, top);
    Keys(list, VK_DOWN, 4);
    const std::int32_t four_down = top;
    ASSERT_EQ(4, four_down);
    Keys(list, VK_HOME, 1);
    Wheel(list, -WHEEL_DELTA);
    EXPECT_EQ(four_down, top);
    Wheel(list, 2 * WHEEL_DELTA);
    EXPECT_EQ(0, top) << "not above the first entry";
    SetLines(WHEEL_PAGESCROLL);
    Keys(list, VK_NEXT, 1);
    const std::int32_t page_down = top;
    ASSERT_GT(page_down, 1);
    Keys(list, VK_HOME, 1);
    Wheel(list, -WHEEL_DELTA);
    EXPECT_EQ(page_down, top);

    SetLines(4);
    SwitchTab(1);
    HWND references = Windows().reference_list;
    ASSERT_TRUE(IsWindowVisible(references));
    SetFocus(references);
    ASSERT_EQ(0, SendMessageA(references, LB_GETTOPINDEX, 0, 0));
    Wheel(references, -WHEEL_DELTA);
    EXPECT_EQ(4, SendMessageA(references, LB_GETTOPINDEX, 0, 0));
    Wheel(references, WHEEL_DELTA);
    EXPECT_EQ(0, SendMessageA(references, LB_GETTOPINDEX, 0, 0));
  });
}

}  // namespace
}  // namespace kv
