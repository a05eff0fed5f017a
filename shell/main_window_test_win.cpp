// The main window driven in-process: its menu, accelerators, toolbar, pane
// layout, status bar, defaults, tooltips, the reference dialogs, and a
// screenshot of the whole desktop for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/help_win.h"
#include "shell/pane_layout.h"
#include "shell/program_win.h"
#include "shell/testing/modal_script_win.h"
#include "shell/testing/program_test_win.h"
#include "store/verse_address.h"

namespace kv {
namespace {

using wintest::ModalScript;

using wintest::ReadFile;

class MainWindow : public wintest::ProgramTest {
 protected:
  void TearDown() override {
    SetHelpObserver(nullptr);
    ProgramTest::TearDown();
  }
};

std::string MenuText(HMENU menu, int position) {
  char text[128] = {};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

UINT StateOf(HWND main, int command) { return GetMenuState(GetMenu(main), command, MF_BYCOMMAND); }

// One menu's items: command and text, 0 and "-" for a separator, -1 and
// the name for a submenu.
struct Item {
  int command;
  const char* text;
};

void ExpectMenu(HMENU menu, const std::vector<Item>& items) {
  ASSERT_EQ(static_cast<int>(items.size()), GetMenuItemCount(menu));
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    SCOPED_TRACE(testing::Message() << "item " << i << " " << items[i].text);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
    ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &info));
    if (items[i].command == 0) {
      EXPECT_TRUE(info.fType & MFT_SEPARATOR);
      continue;
    }
    EXPECT_EQ(items[i].text, MenuText(menu, i));
    if (items[i].command > 0) EXPECT_EQ(static_cast<UINT>(items[i].command), info.wID);
    else EXPECT_NE(nullptr, info.hSubMenu);
  }
}

const Item kSep = {0, "-"};

TEST_F(MainWindow, EveryMenuItemWithItsCommandTextAndPosition) {
  Run([](HWND main) {
    HMENU bar = GetMenu(main);
    const char* const tops[] = {"&File", "&Edit", "&Search", "&Read", "&Notes", "&Bookmarks", "&Options", "&View", "&Help"};
    ASSERT_EQ(9, GetMenuItemCount(bar));
    for (int i = 0; i < 9; ++i) EXPECT_EQ(tops[i], MenuText(bar, i));
    ExpectMenu(GetSubMenu(bar, 0), {{133, "&Save Range..."}, {134, "Save Verse &List..."}, kSep,
                                    {184, "Page Se&tup..."}, {185, "&Print Range..."}, {186, "Pr&int Verse List..."},
                                    kSep, {102, "E&xit\tAlt+F4"}});
    ExpectMenu(GetSubMenu(bar, 1), {{161, "Cu&t\tCtrl+X"}, {162, "&Copy\tCtrl+C"}, {163, "&Paste\tCtrl+V"}, kSep,
                                    {129, "Copy &Verse...\tF5"}, {130, "Copy &Range...\tF6"},
                                    {131, "Copy Verse &List\tF7"}, {132, "Copy Verse Re&ferences\tF8"}, kSep,
                                    {159, "For&mat..."}});
    ExpectMenu(GetSubMenu(bar, 2), {{105, "&Word(s)...\tAlt+W"}, {106, "&Phrase...\tAlt+P"},
                                    {123, "Word &List...\tAlt+L"}, kSep, {165, "Set &Range..."}, kSep,
                                    {177, "Search &Notes...\tAlt+T"}});
    ExpectMenu(GetSubMenu(bar, 3), {{108, "Con&text\tF12"}, {181, "Verse for &Note\tF11"}, kSep,
                                    {116, "&Go to Verse...\tAlt+G"}, {-1, "Go to &Book"}, kSep,
                                    {119, "Previous Chapte&r\tCtrl+PgUp"}, {120, "Next &Chapter\tCtrl+PgDn"},
                                    {121, "Previous Boo&k\tCtrl+Home"}, {122, "Next &Book\tCtrl+End"}, kSep,
                                    {182, "Today's &Proverb"}});
    ExpectMenu(GetSubMenu(bar, 4),
               {{169, "&Go to Note for Verse...\tAlt+N"}, kSep, {170, "Previous Not&e\tAlt+Up"},
                {171, "Next &Note\tAlt+Down"}, {172, "Previous Note Se&t\tAlt+Left"},
                {173, "Next Note &Set\tAlt+Right"}, kSep, {175, "Note for Verse in Verse &List\tF9"},
                {174, "Note for Verse in &Passage\tF10"}, kSep, {176, "E&dit Current Note\tAlt+E"}, kSep,
                {183, "&Bind Notes to Passage Window"}, kSep, {178, "&Create New Note Set..."},
                {180, "&Rename Current Note Set..."}, {179, "&Delete Current Note Set..."}});
    std::vector<std::string> bookmark_texts;
    std::vector<Item> bookmarks;
    for (int n = 1; n <= 10; ++n)
      bookmark_texts.push_back("Genesis 1:1\tCtrl+" + std::to_string(n % 10));
    for (int n = 1; n <= 10; ++n) bookmarks.push_back({138 + n, bookmark_texts[n - 1].c_str()});
    bookmarks.push_back(kSep);
    std::vector<std::string> set_texts;
    for (int n = 1; n <= 10; ++n) set_texts.push_back("Set " + std::to_string(n) + "\tCtrl+Alt+" + std::to_string(n % 10));
    for (int n = 1; n <= 10; ++n) bookmarks.push_back({148 + n, set_texts[n - 1].c_str()});
    ExpectMenu(GetSubMenu(bar, 5), bookmarks);
    ExpectMenu(GetSubMenu(bar, 6), {{109, "&Paragraph Format"}, kSep, {110, "Italicized words in &Italic text"},
                                    {111, "Italicized words in &Brackets"}, {112, "Italicized words in &Normal text"},
                                    kSep, {-1, "&Fonts"}, kSep, {160, "Key Highlight &Color..."}});
    ExpectMenu(GetSubMenu(GetSubMenu(bar, 6), 6),
               {{135, "&Verse List..."}, {137, "&Passage Window..."}, {138, "&Notes Window..."}});
    ExpectMenu(GetSubMenu(bar, 7), {{125, "&Verse List Window\tF2"}, {126, "&Passage Window\tF3"},
                                    {127, "&Notes Window\tF4"}, {128, "&Toolbar"}});
    ExpectMenu(GetSubMenu(bar, 8), {{103, "&Topics\tF1"}, {166, "Specifying a &Range of Verses"}, kSep,
                                    {101, "&About"}, kSep, {167, "&Preface to the AV1611"}});
  });
}

TEST_F(MainWindow, GoToBookHasEveryBookInThreeColumnBreaks) {
  Run([](HWND main) {
    HMENU books = GetSubMenu(GetSubMenu(GetMenu(main), 3), 4);
    ASSERT_EQ(66, GetMenuItemCount(books));
    for (int book = 1; book <= 66; ++book) {
      SCOPED_TRACE(BookNames[book]);
      MENUITEMINFOA info = {};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE | MIIM_ID;
      ASSERT_TRUE(GetMenuItemInfoA(books, book - 1, TRUE, &info));
      EXPECT_EQ(static_cast<UINT>(1000 + book), info.wID);
      EXPECT_EQ(BookNames[book], MenuText(books, book - 1));
      const bool breaks = book == 21 || book == 40 || book == 59;
      EXPECT_EQ(breaks, (info.fType & MFT_MENUBARBREAK) != 0);
    }
  });
}

TEST_F(MainWindow, EveryAcceleratorKeyAndItsCommand) {
  Run([](HWND) {
    HACCEL table = Windows().accelerators;
    ASSERT_NE(nullptr, table);
    const int count = CopyAcceleratorTableA(table, nullptr, 0);
    ASSERT_EQ(53, count);
    std::vector<ACCEL> entries(count);
    CopyAcceleratorTableA(table, entries.data(), count);
    std::set<std::tuple<int, int, int>> got;  // modifiers, key, command
    for (const ACCEL& a : entries) {
      EXPECT_TRUE(a.fVirt & FVIRTKEY);
      got.insert({a.fVirt & (FSHIFT | FCONTROL | FALT), a.key, a.cmd});
    }
    const int none = 0, shift = FSHIFT, ctrl = FCONTROL, alt = FALT;
    std::set<std::tuple<int, int, int>> want = {
        {none, VK_F1, 103},        {shift, VK_F10, 164},     {none, VK_F5, 129},       {none, VK_F6, 130},
        {none, VK_F7, 131},        {none, VK_F8, 132},       {alt, 'W', 105},          {alt, 'P', 106},
        {alt, 'L', 123},           {alt, 'G', 116},          {alt, 'T', 177},          {ctrl, VK_PRIOR, 119},
        {ctrl, VK_NEXT, 120},      {ctrl, VK_HOME, 121},     {ctrl, VK_END, 122},      {ctrl, 'C', 162},
        {ctrl, 'X', 161},          {ctrl, 'V', 163},         {alt, 'N', 169},          {alt, VK_UP, 170},
        {alt, VK_DOWN, 171},       {alt, VK_LEFT, 172},      {alt, VK_RIGHT, 173},     {none, VK_F9, 175},
        {none, VK_F10, 174},       {none, VK_F11, 181},      {none, VK_F12, 108},      {alt, 'E', 176},
        {none, VK_F2, 125},        {none, VK_F3, 126},       {none, VK_F4, 127},       {alt, '1', 113},
        {alt, '2', 114},
    };
    for (int n = 1; n <= 10; ++n) {
      want.insert({ctrl, '0' + n % 10, 138 + n});
      want.insert({ctrl | alt, '0' + n % 10, 148 + n});
    }
    EXPECT_EQ(want, got);
  });
}

TEST_F(MainWindow, ToolbarEntriesWithTheirInitialStates) {
  Run([](HWND) {
    HWND toolbar = Windows().toolbar;
    struct Want {
      int bitmap, command, state, style;
    };
    const Want want[] = {
        {-1, 0, 4, 1},   {0, 161, 16, 0}, {1, 162, 16, 0}, {2, 163, 16, 0},  {-1, 0, 4, 1},   {6, 129, 4, 0},
        {7, 130, 4, 0},  {8, 131, 16, 0}, {9, 132, 16, 0}, {-1, 0, 4, 1},    {3, 105, 4, 0},  {4, 106, 4, 0},
        {5, 123, 4, 0},  {18, 177, 4, 0}, {-1, 0, 4, 1},   {12, 116, 4, 0},  {19, 169, 4, 0}, {-1, 0, 4, 1},
        {13, 108, 16, 0}, {21, 175, 16, 0}, {22, 174, 4, 0}, {23, 181, 4, 0}, {-1, 0, 4, 1},   {20, 176, 4, 0},
        {-1, 0, 4, 1},   {14, 125, 5, 2}, {15, 126, 5, 2}, {16, 127, 5, 2},  {-1, 0, 4, 1},   {17, 103, 4, 0},
    };
    ASSERT_EQ(30, SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < 30; ++i) {
      SCOPED_TRACE(testing::Message() << "entry " << i);
      TBBUTTON button = {};
      ASSERT_TRUE(SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
      EXPECT_EQ(want[i].command, button.idCommand);
      EXPECT_EQ(want[i].state, button.fsState);
      EXPECT_EQ(want[i].style, button.fsStyle);
      if (want[i].style != 1) {
        EXPECT_EQ(want[i].bitmap, button.iBitmap);
      }
    }
  });
}

TEST_F(MainWindow, ItemsGreyedAtStartUpAndTheirButtonsWithThem) {
  Run([](HWND main) {
    const int greyed[] = {108, 131, 132, 134, 161, 162, 163, 175, 186};
    for (int command : greyed) {
      SCOPED_TRACE(command);
      EXPECT_TRUE(StateOf(main, command) & MF_GRAYED);
    }
    // The chapter and book commands are greyed with the others, and come
    // back at once: the passage has the focus when the program starts.
    const int enabled[] = {105, 106, 116, 119, 120, 121, 122, 129, 130, 133, 174, 176, 181, 183, 185};
    for (int command : enabled) {
      SCOPED_TRACE(command);
      EXPECT_FALSE(StateOf(main, command) & MF_GRAYED);
    }
  });
}

TEST_F(MainWindow, NoSettingsFileShowsEveryDefault) {
  Run([](HWND main) {
    for (int command : {125, 126, 127, 128, 110}) {
      SCOPED_TRACE(command);
      EXPECT_TRUE(StateOf(main, command) & MF_CHECKED);
    }
    for (int command : {109, 111, 112, 183}) {
      SCOPED_TRACE(command);
      EXPECT_FALSE(StateOf(main, command) & MF_CHECKED);
    }
    char text[64] = {};
    SendMessageA(Windows().status, SB_GETTEXTA, STATUS_PART_RANGE, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("Ge 1:1 - Re 22:21", text);
    // The default set exists and its tab is shown.
    EXPECT_EQ(1, SendMessageA(Windows().note_set_tab, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_TRUE(IsWindowVisible(Windows().notes_display));
    EXPECT_TRUE(IsWindowVisible(Windows().toolbar));
  });
  // Written at exit, with the defaults.
  const std::string written = ReadFile(App().shell.settings_file);
  EXPECT_NE(std::string::npos, written.find("ReadWindow=1"));
  EXPECT_NE(std::string::npos, written.find("NoteFontName=Courier New"));
}

TEST_F(MainWindow, SettingsChoicesShowAtStartAndAreWrittenAtExit) {
  std::ofstream(App().shell.settings_file, std::ios::binary)
      << "[MISC]\r\nBindNotes=1\r\n[VIEW]\r\nNotesWindow=0\r\n[OPTIONS]\r\nItalics=1\r\nParagraph Format=1\r\n"
         "[SEARCH]\r\nStartVerse=23145\r\n";
  Run([](HWND main) {
    EXPECT_TRUE(StateOf(main, 183) & MF_CHECKED);
    EXPECT_TRUE(StateOf(main, 109) & MF_CHECKED);
    EXPECT_TRUE(StateOf(main, 111) & MF_CHECKED);
    EXPECT_FALSE(StateOf(main, 110) & MF_CHECKED);
    EXPECT_FALSE(StateOf(main, 127) & MF_CHECKED);
    EXPECT_EQ(4, SendMessageA(Windows().toolbar, TB_GETSTATE, 127, 0));
    EXPECT_FALSE(IsWindowVisible(Windows().note_set_tab));
    char text[64] = {};
    SendMessageA(Windows().status, SB_GETTEXTA, STATUS_PART_RANGE, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("Mt 1:1 - Re 22:21", text);
    // F3 hides the passage; its button follows.
    SendMessageA(main, WM_COMMAND, CMD_VIEW_PASSAGE, 0);
    EXPECT_EQ(4, SendMessageA(Windows().toolbar, TB_GETSTATE, 126, 0));
  });
  const std::string written = ReadFile(App().shell.settings_file);
  EXPECT_NE(std::string::npos, written.find("ReadWindow=0"));
  EXPECT_NE(std::string::npos, written.find("NotesWindow=0"));
  EXPECT_NE(std::string::npos, written.find("StartVerse=23145"));
}

RECT ChildRect(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, Windows().main, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The panes where the layout puts them for the main window's client size.
void ExpectPanes(HWND main, const PaneFlags& flags) {
  RECT client, status, toolbar;
  GetClientRect(main, &client);
  GetClientRect(Windows().status, &status);
  GetClientRect(Windows().toolbar, &toolbar);
  const PaneLayout want = ComputePaneLayout(flags, client.right, client.bottom, toolbar.bottom, status.bottom);
  auto check = [](HWND window, bool shown, const PaneRect& rect) {
    EXPECT_EQ(shown, IsWindowVisible(window) != 0);
    if (!shown) return;
    RECT r = ChildRect(window);
    EXPECT_EQ(rect, (PaneRect{r.left, r.top, r.right - r.left, r.bottom - r.top}));
  };
  check(Windows().verse_list_tab, want.verse_list_shown, want.verse_list);
  check(Windows().passage_tab, want.passage_shown, want.passage);
  check(Windows().note_set_tab, want.notes_tab_shown, want.notes);
  if (want.editor_shown) {
    check(Windows().note_editor_frame, true, want.notes);
  }
  EXPECT_EQ(flags.toolbar, IsWindowVisible(Windows().toolbar) != 0);
}

TEST_F(MainWindow, ViewCommandsHideAndShowPanesAndTheLayoutFollows) {
  Run([](HWND main) {
    MoveWindow(main, 10, 10, 900, 700, TRUE);
    PaneFlags flags;
    {
      SCOPED_TRACE("all panes");
      ExpectPanes(main, flags);
    }
    struct Step {
      int command;
      const char* name;
      bool PaneFlags::*flag;
    };
    const Step steps[] = {
        {CMD_VIEW_PASSAGE, "passage hidden", &PaneFlags::passage},
        {CMD_VIEW_VERSE_LIST, "verse list hidden too: only the notes", &PaneFlags::verse_list},
        {CMD_VIEW_PASSAGE, "passage back", &PaneFlags::passage},
        {CMD_VIEW_NOTES, "notes hidden", &PaneFlags::notes},
        {CMD_VIEW_TOOLBAR, "toolbar hidden", &PaneFlags::toolbar},
        {CMD_VIEW_TOOLBAR, "toolbar back", &PaneFlags::toolbar},
        {CMD_VIEW_NOTES, "notes back", &PaneFlags::notes},
        {CMD_VIEW_VERSE_LIST, "verse list back", &PaneFlags::verse_list},
    };
    for (const Step& step : steps) {
      SCOPED_TRACE(step.name);
      SendMessageA(main, WM_COMMAND, step.command, 0);
      flags.*step.flag = !(flags.*step.flag);
      ExpectPanes(main, flags);
      EXPECT_EQ(flags.*step.flag, (StateOf(main, step.command) & MF_CHECKED) != 0);
    }
    {
      SCOPED_TRACE("editor open: the frame in the notes pane's place");
      SendMessageA(main, WM_COMMAND, CMD_EDIT_NOTE, 0);
      flags.editor_open = true;
      ExpectPanes(main, flags);
    }
  });
}

TEST_F(MainWindow, StatusPartsFollowTheWidth) {
  Run([](HWND main) {
    for (int width : {640, 1000, 777}) {
      SCOPED_TRACE(width);
      MoveWindow(main, 0, 0, width, 500, TRUE);
      RECT client;
      GetClientRect(Windows().status, &client);
      int parts[STATUS_PART_COUNT] = {};
      ASSERT_EQ(STATUS_PART_COUNT, SendMessageA(Windows().status, SB_GETPARTS, STATUS_PART_COUNT,
                                                reinterpret_cast<LPARAM>(parts)));
      const std::array<int, 5> want = StatusPartEdges(client.right);
      for (int i = 0; i < STATUS_PART_COUNT; ++i) EXPECT_EQ(want[i], parts[i]) << "part " << i;
    }
  });
}

std::string AskTip(HWND main, int command) {
  NMTTDISPINFOA info = {};
  info.hdr.hwndFrom = Windows().toolbar;
  info.hdr.idFrom = command;
  info.hdr.code = TTN_NEEDTEXTA;
  SendMessageA(main, WM_NOTIFY, command, reinterpret_cast<LPARAM>(&info));
  return info.lpszText ? info.lpszText : "";
}

TEST_F(MainWindow, TooltipsNameTheVerseOnceTheListHasEntries) {
  Run([](HWND main) {
    EXPECT_EQ("Read Context of Verse in Verse List (F12)", AskTip(main, CMD_CONTEXT));
    EXPECT_EQ("Note for Verse in Verse List (F9)", AskTip(main, CMD_NOTE_FOR_VERSE_LIST));
    EXPECT_EQ("Note for Ge 1:1 (F10)", AskTip(main, CMD_NOTE_FOR_PASSAGE));
    EXPECT_EQ("Go to a Verse (Alt+G)", AskTip(main, CMD_GOTO_VERSE));
    SearchState& search = App().search;
    search.verse_list[0] = FindVerse(App().store.bible, 43, 3, 16);
    search.verse_list[1] = kNoVerse;
    search.result_count = 1;
    SendMessageA(main, WM_COMMAND, CMD_GOTO_BOOK_FIRST + 18, 0);  // Psalms
    EXPECT_EQ("Read Context of Joh 3:16 (F12)", AskTip(main, CMD_CONTEXT));
    EXPECT_EQ("Note for Joh 3:16 (F9)", AskTip(main, CMD_NOTE_FOR_VERSE_LIST));
    EXPECT_EQ("Note for Ps 1:1 (F10)", AskTip(main, CMD_NOTE_FOR_PASSAGE));
    search.result_count = 0;
    search.verse_list[0] = kNoVerse;
  });
}

TEST_F(MainWindow, HelpCommandsCallTheHelpFile) {
  std::vector<HelpCall> calls;
  SetHelpObserver([&](const HelpCall& call) { calls.push_back(call); });
  Run([](HWND main) {
    SendMessageA(main, WM_COMMAND, CMD_HELP_RANGE, 0);
    SendMessageA(main, WM_COMMAND, CMD_HELP_PREFACE, 0);
  });
  ASSERT_LE(2u, calls.size());
  EXPECT_EQ("kelva95.hlp", calls[0].file);
  EXPECT_EQ(static_cast<UINT>(HELP_COMMAND), calls[0].command);
  EXPECT_EQ("JumpID(\"kelva95.hlp\",\"ID_SpecifyRange\")", calls[0].macro);
  EXPECT_EQ("JumpID(\"kelva95.hlp\",\"ID_Preface\")", calls[1].macro);
  EXPECT_EQ(static_cast<UINT>(HELP_QUIT), calls.back().command);  // closed at exit
}

// Controls of the reference dialogs.
constexpr int kGotoEdit = 10, kRangeEdit = 20, kOldTestament = 101, kNewTestament = 102, kEntire = 103;

TEST_F(MainWindow, GoToVerseMovesThePassageAndKeepsTheDialogOnABadReference) {
  Run([](HWND main) {
    {
      ModalScript script;
      std::string initial;
      script.OnDialog([&](HWND dialog) {
        initial = wintest::ItemText(dialog, kGotoEdit);
        SetDlgItemTextA(dialog, kGotoEdit, "Jn 3:16");
        wintest::ClickButton(dialog, IDOK);
      });
      std::string box_owner;
      script.OnMessageBox([&](HWND box) {
        box_owner = wintest::WindowText(GetWindow(box, GW_OWNER));
        wintest::ClickButton(box, IDOK);
      });
      script.OnDialog([](HWND dialog) {
        SetDlgItemTextA(dialog, kGotoEdit, "1 John 3:16");
        wintest::ClickButton(dialog, IDOK);
      });
      SendMessageA(main, WM_COMMAND, CMD_GOTO_VERSE, 0);
      EXPECT_TRUE(script.Ok()) << script.Describe();
      EXPECT_EQ("Ge 1:1", initial);
      // The dialog is seen once, the box once: the dialog's second step ran on
      // the same dialog, which stayed open behind the box.
      ASSERT_EQ(2u, script.Seen().size());
      EXPECT_TRUE(script.Done());
      EXPECT_EQ("Go To Verse", script.Seen()[0].caption);
      EXPECT_EQ("Error", script.Seen()[1].caption);
      EXPECT_EQ("Unrecognized Refrence", script.Seen()[1].text);
      EXPECT_EQ("Go To Verse", box_owner);
      EXPECT_EQ(FindVerse(App().store.bible, 62, 3, 16), App().passage.CurrentVerse);
    }
    {
      ModalScript empty;
      empty.OnDialog([](HWND dialog) {
        SetDlgItemTextA(dialog, kGotoEdit, "");
        wintest::ClickButton(dialog, IDOK);
      });
      SendMessageA(main, WM_COMMAND, CMD_GOTO_VERSE, 0);
      EXPECT_TRUE(empty.Ok()) << empty.Describe();
      EXPECT_EQ(1u, empty.Seen().size());
      EXPECT_EQ(FindVerse(App().store.bible, 62, 3, 16), App().passage.CurrentVerse);
    }
    {
      ModalScript cancel;
      cancel.OnDialog([](HWND dialog) {
        SetDlgItemTextA(dialog, kGotoEdit, "Re 22:21");
        wintest::ClickButton(dialog, IDCANCEL);
      });
      SendMessageA(main, WM_COMMAND, CMD_GOTO_VERSE, 0);
      EXPECT_TRUE(cancel.Ok()) << cancel.Describe();
      EXPECT_EQ(FindVerse(App().store.bible, 62, 3, 16), App().passage.CurrentVerse);
    }
  });
}

TEST_F(MainWindow, SetSearchRangeButtonsOkAndCancel) {
  Run([](HWND main) {
    struct Row {
      int button;  // 0: type the text
      const char* text;
      VerseIndex first, last;
      const char* status;
    };
    const BibleData& bible = App().store.bible;
    const Row rows[] = {
        {kOldTestament, "Ge - Mal", 0, FindVerse(bible, 39, 500, 500), "Ge 1:1 - Mal 4:6"},
        {kNewTestament, "Mt - Re", FindVerse(bible, 40, 1, 1), kLastVerse, "Mt 1:1 - Re 22:21"},
        {0, "Ps 23", FindVerse(bible, 19, 23, 1), FindVerse(bible, 19, 23, 6), "Ps 23:1 - Ps 23:6"},
        {kEntire, "Ge - Re", 0, kLastVerse, "Ge 1:1 - Re 22:21"},
    };
    for (const Row& row : rows) {
      SCOPED_TRACE(row.text);
      ModalScript script;
      std::string shown;
      script.OnDialog([&](HWND dialog) {
        if (row.button) PostMessageA(dialog, WM_COMMAND, row.button, 0);
        else SetDlgItemTextA(dialog, kRangeEdit, row.text);
      });
      script.OnDialog([&](HWND dialog) {
        shown = wintest::ItemText(dialog, kRangeEdit);
        wintest::ClickButton(dialog, IDOK);
      });
      SendMessageA(main, WM_COMMAND, CMD_SET_RANGE, 0);
      EXPECT_TRUE(script.Ok()) << script.Describe();
      EXPECT_EQ(row.text, shown);
      EXPECT_EQ(row.first, App().search.options.start_verse);
      EXPECT_EQ(row.last, App().search.options.end_verse);
      char status[64] = {};
      SendMessageA(Windows().status, SB_GETTEXTA, STATUS_PART_RANGE, reinterpret_cast<LPARAM>(status));
      EXPECT_STREQ(row.status, status);
    }
    // A bad text: the box owned by the dialog, which stays; then Cancel
    // leaves the range alone.
    ModalScript bad;
    std::string initial;
    bad.OnDialog([&](HWND dialog) {
      initial = wintest::ItemText(dialog, kRangeEdit);
      SetDlgItemTextA(dialog, kRangeEdit, "Xy 1");
      wintest::ClickButton(dialog, IDOK);
    });
    std::string box_owner;
    bad.OnMessageBox([&](HWND box) {
      box_owner = wintest::WindowText(GetWindow(box, GW_OWNER));
      wintest::ClickButton(box, IDOK);
    });
    bad.OnDialog([](HWND dialog) { wintest::ClickButton(dialog, IDCANCEL); });
    SendMessageA(main, WM_COMMAND, CMD_SET_RANGE, 0);
    EXPECT_TRUE(bad.Ok()) << bad.Describe();
    EXPECT_EQ("Ge 1:1 - Re 22:21", initial);
    ASSERT_EQ(2u, bad.Seen().size());
    EXPECT_TRUE(bad.Done());
    EXPECT_EQ("Unrecognized Refrence", bad.Seen()[1].text);
    EXPECT_EQ("Set Search Range", box_owner);
    EXPECT_EQ(0, App().search.options.start_verse);
    EXPECT_EQ(kLastVerse, App().search.options.end_verse);
  });
}

// The whole virtual desktop as a BMP in the build folder, for a person to
// look at; the test fails only if the file cannot be written.
void SaveScreenshot(const std::string& path) {
  HDC screen = GetDC(nullptr);
  const RECT desktop = {0, 0, GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES)};
  ReleaseDC(nullptr, screen);
  EXPECT_TRUE(wintest::SaveScreenRect(desktop, path)) << path;
}

TEST_F(MainWindow, ScreenshotOfTheWholeWindow) {
  Run([](HWND main) {
    MoveWindow(main, 40, 30, 940, 690, TRUE);
    UpdateWindow(main);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG msg;
    const DWORD until = GetTickCount() + 300;
    while (GetTickCount() < until)
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    SaveScreenshot(std::string(KELVANE_BINARY_DIR) + "\\main_window.bmp");
  });
}

}  // namespace
}  // namespace kv
