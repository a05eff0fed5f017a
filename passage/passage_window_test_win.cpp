// The passage window driven in-process in the real program: focus and
// mouse selection, copy, the search prefill, keys and scrolling, the context
// menu, and screenshots of Genesis 1 in every display option.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "passage/passage_layout.h"
#include "passage/passage_window_win.h"
#include "platform/gdi_canvas_win.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/navigation.h"
#include "shell/program_win.h"
#include "shell/testing/modal_script_win.h"
#include "shell/testing/program_test_win.h"
#include "store/verse_address.h"
#include "testing/fixed_calendar.h"

namespace kv {
namespace {

using wintest::ClipboardText;
using wintest::ModalScript;

using wintest::kAlt;
using wintest::kCtrl;
using wintest::kNoModifiers;
using wintest::PressKey;
using wintest::Pump;
using wintest::Step;

class PassageWindow : public wintest::ProgramTest {};

HWND Passage() { return Windows().passage; }

// Moves the passage and lets it paint, so ReadBottomVerse is that page's.
void ShowVerse(VerseIndex verse) {
  SetCurrentVerse(verse);
  UpdateWindow(Passage());
  Pump();
}

// What the window's passes lay out now.
PassageView CurrentView() {
  PassageView view;
  view.bible = &App().store.bible;
  view.top = App().passage.CurrentVerse;
  view.paragraph_format = App().passage.ParagraphFormat != 0;
  view.italics = App().passage.Italics;
  view.font = App().passage.ReadWindowFont;
  RECT client;
  GetClientRect(Passage(), &client);
  view.width = client.right;
  view.height = client.bottom;
  return view;
}

// Where the window shows a selection point: the first pixel (scanning down
// the left part of each line, then along it) that the hit test maps to it.
POINT PointOf(SelectionPoint wanted) {
  const PassageView view = CurrentView();
  return wintest::FindSelectionPoint(Passage(), wanted, [&view](HDC dc, int x, int y, SelectionPoint* point) {
    GdiCanvas canvas(dc);
    return HitTestPassageLayout(view, canvas, x, y, point);
  });
}

bool HitsText(POINT at) {
  const PassageView view = CurrentView();
  HDC dc = GetDC(Passage());
  SelectionPoint point;
  bool hit;
  {
    GdiCanvas canvas(dc);
    hit = HitTestPassageLayout(view, canvas, at.x, at.y, &point);
  }
  ReleaseDC(Passage(), dc);
  return hit;
}

void Click(POINT at) {
  SendMessageA(Passage(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
}
void DragTo(POINT at) {
  SendMessageA(Passage(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageA(Passage(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void Select(SelectionPoint from, SelectionPoint to) {
  POINT a = PointOf(from), b = PointOf(to);
  ASSERT_GE(a.x, 0);
  ASSERT_GE(b.x, 0);
  if (GetFocus() != Passage()) SetFocus(Passage());
  Click(a);
  DragTo(b);
}

TEST_F(PassageWindow, FirstClickOnlyFocusesThenDragSelectsAndCopies) {
  Run([](HWND) {
    App().passage.ParagraphFormat = 0;
    ShowVerse(0);
    SetFocus(Windows().verse_list);
    POINT label = PointOf({0, 0});
    ASSERT_GE(label.x, 0);
    Click(label);
    EXPECT_EQ(GetFocus(), Passage());
    EXPECT_NE(App().selection.owner, kPassageOwner) << "the first click only focuses";

    Select({0, 0}, {1, 0});
    EXPECT_EQ(App().selection.owner, kPassageOwner);
    SendMessageA(Passage(), WM_COMMAND, CMD_COPY, 0);
    std::string ge = BookAbbreviations[1];
    EXPECT_EQ(ClipboardText(), " " + ge + " 1:1 " + VerseText(App().store.bible, 0) + " \r\n 2 ");

    Select({1, 3}, {1, 5});
    SendMessageA(Passage(), WM_COMMAND, CMD_COPY, 0);
    EXPECT_EQ(ClipboardText(), "earth was without ");
  });
}

TEST_F(PassageWindow, ASelectionAcrossAChapterCopiesTheHeading) {
  Run([](HWND) {
    App().passage.ParagraphFormat = 0;
    ShowVerse(29);  // Genesis 1:30
    SetFocus(Passage());
    Select({30, 1}, {31, 2});
    SendMessageA(Passage(), WM_COMMAND, CMD_COPY, 0);
    std::string text = ClipboardText();
    EXPECT_NE(text.find("\r\n\r\nGenesis chapter 2\r\n\r\n 1 Thus the "), std::string::npos) << text;
  });
}

TEST_F(PassageWindow, SearchPrefillKeepsLettersAndBlanks) {
  Run([](HWND) {
    App().passage.ParagraphFormat = 0;
    ShowVerse(0);
    SetFocus(Passage());
    Select({0, 0}, {0, 3});
    ModalScript script;
    script.OnDialog([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    SendMessageA(Passage(), WM_COMMAND, CMD_WORD_SEARCH, 0);
    std::string ge = BookAbbreviations[1];
    EXPECT_EQ(std::string(App().search.search_text_prefill), " " + ge + "  In the beginning ");
  });
}

TEST_F(PassageWindow, KeysScrollAndLeftGivesTheVerseListTheFocus) {
  Run([](HWND) {
    ShowVerse(100);
    SetFocus(Passage());
    VerseIndex bottom = App().passage.bottom_verse;
    ASSERT_GT(bottom, 100);
    SendMessageA(Passage(), WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(App().passage.CurrentVerse, bottom);
    UpdateWindow(Passage());
    SendMessageA(Passage(), WM_KEYDOWN, VK_PRIOR, 0);
    VerseIndex up = App().passage.CurrentVerse;
    EXPECT_LE(up, 100);
    UpdateWindow(Passage());
    SendMessageA(Passage(), WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(App().passage.CurrentVerse, bottom) << "page down returns to the old top";
    SendMessageA(Passage(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(App().passage.CurrentVerse, bottom + 1);
    SendMessageA(Passage(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(App().passage.CurrentVerse, bottom);
    SendMessageA(Passage(), WM_KEYDOWN, VK_HOME, 0);
    SendMessageA(Passage(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(App().passage.CurrentVerse, bottom);
    ShowVerse(0);
    SendMessageA(Passage(), WM_KEYDOWN, VK_PRIOR, 0);
    EXPECT_EQ(App().passage.CurrentVerse, 0);
    SendMessageA(Passage(), WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(GetFocus(), Windows().verse_list);
  });
}

TEST_F(PassageWindow, ContextMenuItemsAndGreying) {
  Run([](HWND) {
    App().passage.ParagraphFormat = 0;
    ShowVerse(0);
    SetFocus(Passage());
    std::string ge = BookAbbreviations[1];
    for (bool selected : {false, true}) {
      SCOPED_TRACE(selected);
      if (selected) Select({1, 0}, {1, 2});
      ModalScript script;
      script.CancelMenu();
      SendMessageA(Passage(), WM_RBUTTONDOWN, 0, MAKELPARAM(30, 30));
      ASSERT_EQ(script.Seen().size(), 1u) << script.Describe();
      const auto& items = script.Seen()[0].menuItems;
      ASSERT_EQ(items.size(), 21u);
      std::string r = ge + (selected ? " 1:2" : " 1:1");
      EXPECT_EQ(items[0].text, "Copy Selected Text\tCtrl+C");
      EXPECT_EQ(items[0].grayed, !selected);
      EXPECT_EQ(items[6].text, "Go to Book");
      EXPECT_TRUE(items[6].submenu);
      EXPECT_EQ(items[14].text, "Set a Bookmark to " + r);
      EXPECT_EQ(items[16].text, "Go to Note for " + r + "\tF10");
      EXPECT_FALSE(items[16].grayed);
      for (int i : {18, 19, 20}) EXPECT_EQ(items[static_cast<std::size_t>(i)].grayed, !selected) << items[static_cast<std::size_t>(i)].text;
      EXPECT_EQ(items[20].text, "Search Notes with Selected Text...");
    }
  });
}

// Each item of a Go to Book menu: its command, text and whether it opens a
// new column.
std::vector<std::string> BookItems(HMENU books) {
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(books); ++i) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID;
    GetMenuItemInfoA(books, static_cast<UINT>(i), TRUE, &info);
    char text[64] = "";
    GetMenuStringA(books, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    items.push_back(std::to_string(info.wID) + " " + text + ((info.fType & MFT_MENUBARBREAK) ? " |" : ""));
  }
  return items;
}

TEST_F(PassageWindow, ContextMenusGoToBookIsTheReadMenus) {
  Run([](HWND main) {
    ShowVerse(0);
    SetFocus(Passage());
    std::vector<std::string> context_books;
    ModalScript script;
    script.OnMenu([&](HWND, HMENU menu) {
      context_books = BookItems(GetSubMenu(menu, 6));
      EndMenu();
    });
    SendMessageA(Passage(), WM_RBUTTONDOWN, 0, MAKELPARAM(30, 30));
    EXPECT_TRUE(script.Ok()) << script.Describe();
    const std::vector<std::string> read_books = BookItems(GetSubMenu(GetSubMenu(GetMenu(main), 3), 4));
    ASSERT_EQ(66u, read_books.size());
    EXPECT_EQ(read_books, context_books);
  });
}

TEST_F(PassageWindow, MenuCommandsGoToTheMainWindow) {
  Run([](HWND) {
    ShowVerse(0);
    SetFocus(Passage());
    SendMessageA(Passage(), WM_COMMAND, CMD_GOTO_BOOK_FIRST + 18, 0);  // Psalms
    VerseRecord record = RecordOf(App().store.bible, App().passage.CurrentVerse);
    EXPECT_EQ(record.book, 19);
    EXPECT_EQ(record.chapter, 1);
    EXPECT_EQ(record.verse, 1);
    SendMessageA(Passage(), WM_COMMAND, CMD_NEXT_CHAPTER, 0);
    EXPECT_EQ(RecordOf(App().store.bible, App().passage.CurrentVerse).chapter, 2);
    // Bookmark 10: set at the current verse, then gone to from elsewhere.
    VerseIndex marked = App().passage.CurrentVerse;
    SendMessageA(Passage(), WM_COMMAND, CMD_SET_BOOKMARK_LAST, 0);
    ShowVerse(0);
    SendMessageA(Passage(), WM_COMMAND, CMD_GOTO_BOOKMARK_LAST, 0);
    EXPECT_EQ(App().passage.CurrentVerse, marked);
  });
}

// Chapter steps start from the verse at the top; a bookmark is set at the
// selection's first verse when the passage holds one.
TEST_F(PassageWindow, ChapterStepsStartAtTheTopAndBookmarksAtTheSelection) {
  Run([](HWND) {
    App().passage.ParagraphFormat = 0;
    ShowVerse(29);  // Genesis 1:30, with Genesis 2 below it
    SetFocus(Passage());
    Select({31, 1}, {31, 3});  // inside Genesis 2:1
    SendMessageA(Passage(), WM_COMMAND, CMD_SET_BOOKMARK_LAST, 0);
    EXPECT_EQ(App().shell.Bookmarks[9], 31);
    SendMessageA(Passage(), WM_COMMAND, CMD_NEXT_CHAPTER, 0);
    VerseRecord record = RecordOf(App().store.bible, App().passage.CurrentVerse);
    EXPECT_EQ(record.chapter, 2);
    EXPECT_EQ(record.verse, 1);
  });
}

// --- Keys through the program's message loop -----------------------------------

VerseIndex Verse(int book, int chapter, int verse) { return FindVerse(App().store.bible, book, chapter, verse); }

// "book chapter:verse" in numbers, for comparing where the passage stands.
std::string Numbers(VerseIndex verse) {
  VerseRecord record = RecordOf(App().store.bible, verse);
  return std::to_string(record.book) + " " + std::to_string(record.chapter) + ":" + std::to_string(record.verse);
}
std::string Numbers(int book, int chapter, int verse) {
  return std::to_string(book) + " " + std::to_string(chapter) + ":" + std::to_string(verse);
}

bool Greyed(int command) { return (GetMenuState(Windows().menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0; }
bool Checked(int command) { return (GetMenuState(Windows().menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0; }

std::string MenuText(int command) {
  char text[128] = {};
  GetMenuStringA(Windows().menu, command, text, sizeof text, MF_BYCOMMAND);
  return text;
}

const int kChapterAndBookCommands[] = {CMD_PREVIOUS_CHAPTER, CMD_NEXT_CHAPTER, CMD_PREVIOUS_BOOK, CMD_NEXT_BOOK};

TEST_F(PassageWindow, CtrlPageAndHomeEndKeysMoveThePassageOnlyWhileItHasTheFocus) {
  struct Row {
    const char* name;
    bool passage_focused;
    UINT key;
    int book, chapter, verse;  // where the passage then stands
  } rows[] = {
      {"Ctrl+PgDn in the verse list", false, VK_NEXT, 2, 2, 5},
      {"Ctrl+PgDn", true, VK_NEXT, 2, 3, 1},
      {"Ctrl+PgUp", true, VK_PRIOR, 2, 2, 1},
      {"Ctrl+End", true, VK_END, 3, 1, 1},
      {"Ctrl+Home", true, VK_HOME, 2, 1, 1},
      {"Ctrl+Home in the verse list", false, VK_HOME, 2, 1, 1},
      {"Ctrl+End in the verse list", false, VK_END, 2, 1, 1},
      {"Ctrl+PgUp in the verse list", false, VK_PRIOR, 2, 1, 1},
  };
  std::vector<Step> steps = {[] { ShowVerse(Verse(2, 2, 5)); }};
  for (const Row& row : rows) {
    steps.push_back([&row] {
      SCOPED_TRACE(row.name);
      SetFocus(row.passage_focused ? Passage() : Windows().verse_list);
      for (int command : kChapterAndBookCommands) EXPECT_EQ(Greyed(command), !row.passage_focused) << command;
      PressKey(row.key, kCtrl);
    });
    steps.push_back([&row] {
      SCOPED_TRACE(row.name);
      EXPECT_EQ(Numbers(App().passage.CurrentVerse), Numbers(row.book, row.chapter, row.verse));
    });
  }
  RunSteps(std::move(steps));
}

TEST_F(PassageWindow, BookmarkKeysSetAndGoAndTheMenuShowsThem) {
  VerseIndex psalm23 = 0, john316 = 0;
  RunSteps({
      [&] {
        psalm23 = Verse(19, 23, 1);
        john316 = Verse(43, 3, 16);
        for (int n = 1; n <= 9; ++n) EXPECT_EQ(MenuText(138 + n), "Genesis 1:1\tCtrl+" + std::to_string(n));
        EXPECT_EQ(MenuText(CMD_GOTO_BOOKMARK_LAST), "Genesis 1:1\tCtrl+0");
        ShowVerse(psalm23);
        SetFocus(Passage());
        PressKey('1', kCtrl | kAlt);
      },
      [&] {
        EXPECT_EQ(App().shell.Bookmarks[0], psalm23);
        EXPECT_EQ(MenuText(CMD_GOTO_BOOKMARK_FIRST), "Psalms 23:1\tCtrl+1");
        ShowVerse(john316);
        PressKey('0', kCtrl | kAlt);
      },
      [&] {
        EXPECT_EQ(App().shell.Bookmarks[9], john316);
        EXPECT_EQ(MenuText(CMD_GOTO_BOOKMARK_LAST), "John 3:16\tCtrl+0");
        EXPECT_EQ(MenuText(CMD_SET_BOOKMARK_LAST), "Set 10\tCtrl+Alt+0");
        EXPECT_EQ(App().passage.CurrentVerse, john316) << "setting a bookmark leaves the passage";
        for (int n = 2; n <= 9; ++n) EXPECT_EQ(MenuText(138 + n), "Genesis 1:1\tCtrl+" + std::to_string(n));
        ShowVerse(0);
        SetFocus(Windows().verse_list);  // going to a bookmark needs no passage focus
        PressKey('0', kCtrl);
      },
      [&] {
        EXPECT_EQ(Numbers(App().passage.CurrentVerse), "43 3:16");
        PressKey('1', kCtrl);
      },
      [&] { EXPECT_EQ(Numbers(App().passage.CurrentVerse), "19 23:1"); },
  });
}

// --- Today's Proverb ------------------------------------------------------------

TEST_F(PassageWindow, TodaysProverbShowsThePassagePaneAtTheDaysChapter) {
  testing::FixedCalendar calendar;
  App().shell.calendar = &calendar;
  std::vector<Step> steps;
  for (int day : {31, 7}) {
    steps.push_back([&calendar, day] {
      calendar.day = day;
      ShowVerse(0);
      ASSERT_TRUE(IsWindowVisible(Passage()));
      PressKey(VK_F3, kNoModifiers);  // View Passage: hides the pane
    });
    steps.push_back([day] {
      SCOPED_TRACE(day);
      ASSERT_FALSE(IsWindowVisible(Passage()));
      EXPECT_FALSE(Checked(CMD_VIEW_PASSAGE));
      SendMessageA(Windows().main, WM_COMMAND, CMD_TODAYS_PROVERB, 0);
      EXPECT_TRUE(IsWindowVisible(Passage()));
      EXPECT_TRUE(Checked(CMD_VIEW_PASSAGE));
      EXPECT_EQ(Numbers(App().passage.CurrentVerse), Numbers(kProverbsBook, day, 1));
    });
  }
  RunSteps(std::move(steps));
  App().shell.calendar = nullptr;
}

// --- A click that hits no text ----------------------------------------------------

// The passage's client area as the screen shows it, caret hidden.
std::vector<unsigned char> ClientPixels() {
  UpdateWindow(Passage());
  Pump();
  HideCaret(Passage());
  RECT client;
  GetClientRect(Passage(), &client);
  HDC dc = GetDC(Passage());
  std::vector<unsigned char> pixels = wintest::CapturePixels(dc, 0, 0, client.right, client.bottom);
  ReleaseDC(Passage(), dc);
  ShowCaret(Passage());
  return pixels;
}

void PutOnClipboard(const char* text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
  std::strcpy(static_cast<char*>(GlobalLock(block)), text);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
}

// Copy (from the menu and from the window) and the context menu behave as
// with no selection.
void ExpectNoSelectionAnywhere() {
  EXPECT_TRUE(Greyed(CMD_COPY));
  PutOnClipboard("left alone");
  SendMessageA(Windows().main, WM_COMMAND, CMD_COPY, 0);
  SendMessageA(Passage(), WM_COMMAND, CMD_COPY, 0);
  EXPECT_EQ(ClipboardText(), "left alone");
  ModalScript script;
  script.CancelMenu();
  SendMessageA(Passage(), WM_RBUTTONDOWN, 0, MAKELPARAM(30, 10));
  ASSERT_EQ(script.Seen().size(), 1u) << script.Describe();
  const auto& items = script.Seen()[0].menuItems;
  ASSERT_EQ(items.size(), 21u);
  for (std::size_t i : {0u, 18u, 19u, 20u}) EXPECT_TRUE(items[i].grayed) << items[i].text;
}

TEST_F(PassageWindow, AClickThatHitsNoTextLeavesNoSelection) {
  Run([](HWND) {
    App().passage.ParagraphFormat = 0;
    ShowVerse(kLastVerse - 1);  // Revelation 22:20 and 22:21, then empty window
    SetFocus(Passage());
    const std::vector<unsigned char> unselected = ClientPixels();

    // Words of the second verse: a drag near the top edge would scroll.
    Select({kLastVerse, 1}, {kLastVerse, 3});
    ASSERT_EQ(App().selection.owner, kPassageOwner);
    ASSERT_EQ(App().passage.CurrentVerse, kLastVerse - 1);
    EXPECT_FALSE(Greyed(CMD_COPY));
    EXPECT_TRUE(ClientPixels() != unselected) << "the capture shows a selection";

    RECT client;
    GetClientRect(Passage(), &client);
    const POINT below = {client.right / 2, client.bottom - 8};
    ASSERT_FALSE(HitsText(below));
    Click(below);
    EXPECT_EQ(App().selection.anchor, kNoPoint);
    EXPECT_EQ(App().selection.end, kNoPoint);
    EXPECT_FALSE(App().selection.dragging);
    EXPECT_TRUE(ClientPixels() == unselected) << "the page is painted without a selection";
    ExpectNoSelectionAnywhere();

    // The passage named the owner with both points at (-1, -1): the same.
    App().selection.owner = kPassageOwner;
    App().selection.anchor = App().selection.end = kNoPoint;
    InvalidateRect(Passage(), nullptr, TRUE);
    EXPECT_TRUE(ClientPixels() == unselected) << "the page is painted without a selection";
    ExpectNoSelectionAnywhere();
  });
}

// Only the passage window, as a BMP in the build folder.
void SavePassageShot(const std::string& name) {
  RedrawWindow(Passage(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump();
  RECT rect;
  GetWindowRect(Passage(), &rect);
  EXPECT_TRUE(wintest::SaveScreenRect(rect, std::string(KELVANE_BINARY_DIR) + "\\" + name)) << name;
}

TEST_F(PassageWindow, ScreenshotsOfGenesisOne) {
  Run([](HWND main) {
    MoveWindow(main, 20, 20, 980, 720, TRUE);
    Pump();
    struct Shot {
      const char* name;
      int paragraph;
      int italics;
    } shots[] = {
        {"passage_italic_type.bmp", 0, kItalicsInItalicType},
        {"passage_brackets.bmp", 0, kItalicsInBrackets},
        {"passage_normal_type.bmp", 0, kItalicsInNormalType},
        {"passage_paragraphs.bmp", 1, kItalicsInItalicType},
    };
    for (const Shot& shot : shots) {
      App().passage.ParagraphFormat = static_cast<std::uint8_t>(shot.paragraph);
      App().passage.Italics = static_cast<std::uint8_t>(shot.italics);
      ShowVerse(0);
      SavePassageShot(shot.name);
    }
  });
}

}  // namespace
}  // namespace kv
