// The verse list window driven in-process in the real program after real
// searches: reading a result in context (Enter, F12, the context menu, the
// reference list's double click), deleting entries, tab switching, a drag
// selection copied to the clipboard, the context menu's titles and greying,
// the font and highlight colour choosers surviving a restart, and a
// screenshot of a search for "faith hope".
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "passage/passage_window_win.h"
#include "platform/gdi_canvas_win.h"
#include "resources/resource_ids.h"
#include "search/search_dialogs_win.h"
#include "shell/app_state.h"
#include "shell/command_table.h"
#include "shell/program_win.h"
#include "shell/testing/modal_script_win.h"
#include "shell/testing/program_test_win.h"
#include "store/verse_address.h"
#include "verselist/verse_list_layout.h"
#include "verselist/verse_list_window_win.h"

namespace kv {
namespace {

using wintest::ClickButton;
using wintest::ClipboardText;
using wintest::ModalScript;
using wintest::Pump;

class VerseListWindow : public wintest::ProgramTest {};

HWND List() { return Windows().verse_list; }

// A word search run as the dialog's OK runs it, without the dialog.
void SearchFor(const char* query, int boolean_type = kAllWords) {
  SearchState& state = App().search;
  state.options.boolean_type = boolean_type;
  state.options.case_sensitive = false;
  state.options.sub_string = false;
  TakeQuery(state, SearchDialog::WordSearch, query);
  ASSERT_TRUE(RunSearchAndShow(SearchDialog::WordSearch)) << query;
  UpdateWindow(List());
  Pump();
}

std::string StatusText(int part) {
  char text[256] = {};
  SendMessageA(Windows().status, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
  return text;
}

bool Greyed(int command) { return (GetMenuState(Windows().menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0; }

std::string Short(VerseIndex verse) {
  VerseRecord r = RecordOf(App().store.bible, verse);
  return std::string(BookAbbreviations[r.book]) + " " + std::to_string(r.chapter) + ":" + std::to_string(r.verse);
}

VerseListView CurrentView() {
  VerseListView view;
  view.bible = &App().store.bible;
  view.search = &App().search;
  view.top = App().verse_list.top;
  view.italics = App().passage.Italics;
  view.font = App().verse_list.VerseListFont;
  RECT client;
  GetClientRect(List(), &client);
  view.width = client.right;
  view.height = client.bottom;
  return view;
}

// Where the window shows a selection point: the first pixel the hit test
// maps to it.
POINT PointOf(SelectionPoint wanted) {
  const VerseListView view = CurrentView();
  return wintest::FindSelectionPoint(List(), wanted, [&view](HDC dc, int x, int y, SelectionPoint* point) {
    GdiCanvas canvas(dc);
    return HitTestVerseListLayout(view, canvas, x, y, point);
  });
}

void Select(SelectionPoint from, SelectionPoint to) {
  POINT a = PointOf(from), b = PointOf(to);
  ASSERT_GE(a.x, 0);
  ASSERT_GE(b.x, 0);
  if (GetFocus() != List()) SetFocus(List());
  SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.x, a.y));
  SendMessageA(List(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(b.x, b.y));
  SendMessageA(List(), WM_LBUTTONUP, 0, MAKELPARAM(b.x, b.y));
}

void SwitchTab(int tab) {
  SendMessageA(Windows().verse_list_tab, TCM_SETCURSEL, tab, 0);
  NMHDR header = {};
  header.hwndFrom = Windows().verse_list_tab;
  header.idFrom = ID_VERSE_LIST_TAB;
  header.code = static_cast<UINT>(TCN_SELCHANGE);
  SendMessageA(Windows().main, WM_NOTIFY, ID_VERSE_LIST_TAB, reinterpret_cast<LPARAM>(&header));
}

int ListLength() {
  int n = 0;
  while (App().search.verse_list[n] != kNoVerse) ++n;
  return n;
}

TEST_F(VerseListWindow, EnterF12AndTheMenuReadTheResultInContext) {
  std::vector<VerseIndex> found;
  RunSteps({
      [&] {
        SearchFor("faith hope", kAnyWord);
        for (int i = 0; i < 3; ++i) found.push_back(App().search.verse_list[i]);
        App().notes.BindNotes = 1;
        SetFocus(List());
        SendMessageA(List(), WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(App().passage.CurrentVerse, found[0]);
        EXPECT_EQ(App().notes.current_verse, found[0]) << "with Bind Notes on the notes follow";
        EXPECT_EQ(StatusText(STATUS_PART_LIST_TOP), FullReference(App().store.bible, found[0]));
        // The selection's anchor names the entry once it lies on the page.
        Select({1, 1}, {1, 2});
        ModalScript script;
        script.PickMenuItem(CMD_CONTEXT);
        SendMessageA(List(), WM_RBUTTONDOWN, 0, MAKELPARAM(20, 5));
        Pump();  // the chosen item arrives as a posted command
        EXPECT_TRUE(script.Ok()) << script.Describe();
        ASSERT_EQ(script.Seen().size(), 1u);
        EXPECT_EQ(script.Seen()[0].menuItems[5].text, "Read Context of " + Short(found[1]) + "\tEnter");
        EXPECT_EQ(App().passage.CurrentVerse, found[1]);
        SetCurrentVerse(0);
        SetFocus(List());
        Select({2, 1}, {2, 1});
        wintest::PressKey(VK_F12, wintest::kNoModifiers);
      },
      [&] { EXPECT_EQ(App().passage.CurrentVerse, found[2]) << "F12 through the accelerators"; },
  });
}

TEST_F(VerseListWindow, ContextMenuTitlesAndGreying) {
  Run([](HWND) {
    SetFocus(List());
    {
      ModalScript none;
      SendMessageA(List(), WM_RBUTTONDOWN, 0, MAKELPARAM(20, 5));
      EXPECT_TRUE(none.Seen().empty()) << "no menu over an empty list";
    }

    SearchFor("charity");
    SetFocus(List());
    for (bool selected : {false, true}) {
      SCOPED_TRACE(selected);
      if (selected) Select({2, 1}, {2, 2});
      ModalScript script;
      script.CancelMenu();
      SendMessageA(List(), WM_RBUTTONDOWN, 0, MAKELPARAM(20, 5));
      ASSERT_EQ(script.Seen().size(), 1u) << script.Describe();
      const auto& items = script.Seen()[0].menuItems;
      ASSERT_EQ(items.size(), 14u);
      const std::string r = Short(App().search.verse_list[selected ? 2 : 0]);
      EXPECT_EQ(items[0].text, "Copy Selected Text\tCtrl+C");
      EXPECT_EQ(items[0].grayed, !selected);
      EXPECT_EQ(items[1].text, "Copy Verse List\tF7");
      EXPECT_EQ(items[2].text, "Save Verse List...");
      EXPECT_EQ(items[3].text, "Print Verse List...");
      EXPECT_TRUE(items[4].separator);
      EXPECT_EQ(items[5].text, "Read Context of " + r + "\tEnter");
      EXPECT_EQ(items[7].text, "Delete " + r + " From List\tDelete");
      EXPECT_EQ(items[9].text, "Go to Note for " + r + "\tF9");
      EXPECT_FALSE(items[9].grayed);
      for (std::size_t i : {11u, 12u, 13u}) EXPECT_EQ(items[i].grayed, !selected) << items[i].text;
      EXPECT_EQ(items[13].text, "Search Notes with Selected Text...");
    }
  });
}

TEST_F(VerseListWindow, DeleteRemovesTheAnchoredTheOnlyAndTheLastEntry) {
  Run([](HWND) {
    SearchFor("charity");
    const int n = ListLength();
    ASSERT_GT(n, 4);
    std::vector<VerseIndex> before(App().search.verse_list, App().search.verse_list + n);
    SetFocus(List());
    Select({2, 1}, {2, 1});
    SendMessageA(List(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(ListLength(), n - 1);
    EXPECT_EQ(App().search.result_count, n - 1);
    EXPECT_EQ(App().search.verse_list[2], before[3]) << "the anchored entry went";
    EXPECT_EQ(SendMessageA(Windows().reference_list, LB_GETCOUNT, 0, 0), n - 1);
    char line[64] = {};
    SendMessageA(Windows().reference_list, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(std::string(line), FullReference(App().store.bible, before[3]));
    EXPECT_NE(App().selection.owner, kVerseListOwner) << "deleting ends the selection";
    EXPECT_TRUE(Greyed(CMD_COPY));
    EXPECT_EQ(StatusText(STATUS_PART_SEARCH), "");

    // Without a selection the top entry goes.
    SendMessageA(List(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(App().search.verse_list[0], before[1]);

    // The last entry at the top: the top moves up by one.
    SendMessageA(List(), WM_KEYDOWN, VK_END, 0);
    const int last = ListLength() - 1;
    EXPECT_EQ(App().verse_list.top, last);
    SendMessageA(List(), WM_COMMAND, CMD_DELETE_FROM_LIST, 0);
    EXPECT_EQ(App().verse_list.top, last - 1);
    EXPECT_EQ(ListLength(), last);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE;
    GetScrollInfo(List(), SB_VERT, &info);
    EXPECT_EQ(info.nMax, last - 1);

    // The only entry: the list empties and its commands grey.
    SearchFor("Zuzims");
    ASSERT_EQ(ListLength(), 1);
    EXPECT_FALSE(Greyed(CMD_CONTEXT));
    SetFocus(List());
    SendMessageA(List(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(ListLength(), 0);
    EXPECT_EQ(App().search.result_count, 0);
    EXPECT_EQ(App().verse_list.top, 0);
    EXPECT_EQ(StatusText(STATUS_PART_SEARCH), "");
    EXPECT_EQ(StatusText(STATUS_PART_LIST_TOP), "");
    for (int command : kVerseListCommands) EXPECT_TRUE(Greyed(command)) << command;
    EXPECT_EQ(SendMessageA(Windows().reference_list, LB_GETCOUNT, 0, 0), 0);
    // Delete, Enter and clicks on the empty list change nothing.
    const VerseIndex passage = App().passage.CurrentVerse;
    SendMessageA(List(), WM_KEYDOWN, VK_DELETE, 0);
    SendMessageA(List(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_EQ(App().passage.CurrentVerse, passage);
    EXPECT_NE(App().selection.owner, kVerseListOwner);
  });
}

TEST_F(VerseListWindow, KeysScrollTheList) {
  Run([](HWND) {
    SearchFor("faith");
    const int n = ListLength();
    SetFocus(List());
    UpdateWindow(List());
    const int bottom = App().verse_list.bottom;
    ASSERT_GT(bottom, 0);
    SendMessageA(List(), WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(App().verse_list.top, bottom);
    UpdateWindow(List());
    SendMessageA(List(), WM_KEYDOWN, VK_PRIOR, 0);
    EXPECT_EQ(App().verse_list.top, 0);
    SendMessageA(List(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(App().verse_list.top, 1);
    SendMessageA(List(), WM_KEYDOWN, VK_UP, 0);
    SendMessageA(List(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(App().verse_list.top, 0);
    SendMessageA(List(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(App().verse_list.top, n - 1);
    SendMessageA(List(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(App().verse_list.top, n - 1);
    SendMessageA(List(), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(App().verse_list.top, 0);
    // Dragging near the edges scrolls one entry per move.
    Select({0, 1}, {0, 1});
    RECT client;
    GetClientRect(List(), &client);
    SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 8));
    SendMessageA(List(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, client.bottom - 2));
    EXPECT_EQ(App().verse_list.top, 1);
    SendMessageA(List(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 2));
    SendMessageA(List(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 2));
    EXPECT_EQ(App().verse_list.top, 0) << "not above the first entry";
    SendMessageA(List(), WM_MOUSEMOVE, 0, MAKELPARAM(40, client.bottom - 2));
    EXPECT_EQ(App().verse_list.top, 0) << "nothing scrolls without the button";
    SendMessageA(List(), WM_LBUTTONUP, 0, MAKELPARAM(40, 2));
    SendMessageA(List(), WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(GetFocus(), List()) << "Left does nothing";
    SendMessageA(List(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(GetFocus(), Windows().passage);
  });
}

TEST_F(VerseListWindow, TabsSwitchAndTheReferenceListDoubleClickReads) {
  Run([](HWND) {
    SearchFor("faith hope", kAnyWord);
    EXPECT_NE(StatusText(STATUS_PART_LIST_TOP), "");
    SwitchTab(1);
    EXPECT_EQ(App().shell.verse_list_tab_index, 1);
    EXPECT_TRUE(IsWindowVisible(Windows().reference_list));
    EXPECT_FALSE(IsWindowVisible(List()));
    EXPECT_EQ(StatusText(STATUS_PART_LIST_TOP), "");
    HWND refs = Windows().reference_list;
    SendMessageA(refs, LB_SETSEL, TRUE, 4);
    SendMessageA(refs, LB_SETCARETINDEX, 4, FALSE);
    SendMessageA(Windows().verse_list_tab, WM_COMMAND, MAKEWPARAM(ID_REFERENCE_LIST, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(refs));
    EXPECT_EQ(App().passage.CurrentVerse, App().search.verse_list[4]);
    // F12 reads the same line.
    SetCurrentVerse(0);
    SendMessageA(Windows().main, WM_COMMAND, CMD_CONTEXT, 0);
    EXPECT_EQ(App().passage.CurrentVerse, App().search.verse_list[4]);
    // A search now gives the reference list the focus.
    SearchFor("charity");
    EXPECT_EQ(GetFocus(), refs);
    SwitchTab(0);
    EXPECT_TRUE(IsWindowVisible(List()));
    EXPECT_FALSE(IsWindowVisible(refs));
  });
}

TEST_F(VerseListWindow, ADragSelectionIsCopiedToTheClipboard) {
  Run([](HWND main) {
    SearchFor("beginning");
    ASSERT_GT(ListLength(), 2);
    const VerseIndex first = App().search.verse_list[0], second = App().search.verse_list[1];
    SetFocus(Windows().passage);
    POINT word = PointOf({0, 1});
    SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(word.x, word.y));
    EXPECT_EQ(GetFocus(), List());
    EXPECT_NE(App().selection.owner, kVerseListOwner) << "the first click only focuses";
    Select({0, 2}, {1, 1});
    EXPECT_EQ(App().selection.owner, kVerseListOwner);
    EXPECT_FALSE(Greyed(CMD_COPY));
    SendMessageA(main, WM_COMMAND, CMD_COPY, 0);  // Ctrl+C's command, routed to the list
    const std::string one = VerseText(App().store.bible, first);
    const std::string rest = one.substr(one.find(' ') + 1);
    std::string second_text = VerseText(App().store.bible, second);
    if (static_cast<unsigned char>(second_text[0]) == 0xB6) second_text = "\xB6 " + second_text.substr(1);
    EXPECT_EQ(ClipboardText(), rest + " \r\n " + Short(second) + " " + second_text.substr(0, second_text.find(' ') + 1));
    // Losing the focus ends the selection.
    SetFocus(Windows().passage);
    EXPECT_NE(App().selection.owner, kVerseListOwner);
    EXPECT_TRUE(Greyed(CMD_COPY));
  });
}

TEST_F(VerseListWindow, WordSearchWithTheSelectedText) {
  Run([](HWND) {
    SearchFor("beginning");
    SetFocus(List());
    Select({0, 1}, {0, 3});
    ModalScript script;
    std::string offered;
    script.OnDialog([&](HWND dialog) {
      offered = wintest::ItemText(dialog, IDC_SEARCH_TEXT);
      ClickButton(dialog, IDCANCEL);
    });
    SendMessageA(List(), WM_COMMAND, CMD_WORD_SEARCH, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(offered, "In the beginning ");
  });
}

// The choosers' own controls: the font size box and the colour's three
// value boxes.
constexpr int kFontSizeBox = 0x472;
constexpr int kRedBox = 0x2c2, kGreenBox = 0x2c3, kBlueBox = 0x2c4;

TEST_F(VerseListWindow, FontAndHighlightColourSurviveARestart) {
  std::uint32_t chosen = 0;
  Run([&chosen](HWND main) {
    SearchFor("faith");
    const std::uint32_t before = App().verse_list.KeyHighlightColor;
    {
      ModalScript font;
      font.OnDialog([](HWND dialog) {
        HWND size = GetDlgItem(dialog, kFontSizeBox);
        SendMessageA(size, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("20"));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFontSizeBox, CBN_SELCHANGE), reinterpret_cast<LPARAM>(size));
        ClickButton(dialog, IDOK);
      });
      SendMessageA(main, WM_COMMAND, CMD_FONT_VERSE_LIST, 0);
      EXPECT_TRUE(font.Ok()) << font.Describe();
    }
    EXPECT_LT(App().verse_list.VerseListFont.height, -20) << App().verse_list.VerseListFont.height;
    {
      ModalScript colour;
      colour.OnDialog([](HWND dialog) {
        SetDlgItemTextA(dialog, kRedBox, "0");
        SetDlgItemTextA(dialog, kGreenBox, "0");
        SetDlgItemTextA(dialog, kBlueBox, "255");
        ClickButton(dialog, IDOK);
      });
      SendMessageA(main, WM_COMMAND, CMD_KEY_HIGHLIGHT_COLOR, 0);
      EXPECT_TRUE(colour.Ok()) << colour.Describe();
    }
    chosen = App().verse_list.KeyHighlightColor;
    EXPECT_NE(chosen, before);

    // Cancelled choosers change nothing.
    const std::int32_t height = App().verse_list.VerseListFont.height;
    {
      ModalScript cancel;
      cancel.OnDialog([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
      cancel.OnDialog([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
      SendMessageA(main, WM_COMMAND, CMD_FONT_VERSE_LIST, 0);
      SendMessageA(main, WM_COMMAND, CMD_KEY_HIGHLIGHT_COLOR, 0);
      EXPECT_TRUE(cancel.Ok()) << cancel.Describe();
    }
    EXPECT_EQ(App().verse_list.VerseListFont.height, height);
    EXPECT_EQ(App().verse_list.KeyHighlightColor, chosen);
  });
  const std::int32_t height = App().verse_list.VerseListFont.height;
  App().verse_list = VerseListState{};  // only the settings file can bring them back
  Run([height, chosen](HWND) {
    EXPECT_EQ(App().verse_list.VerseListFont.height, height);
    EXPECT_EQ(App().verse_list.KeyHighlightColor, chosen);
  });
}

// Odd colours and sizes paint without a crash or an endless loop.
TEST_F(VerseListWindow, PaintsAtTheEdges) {
  Run([](HWND main) {
    SearchFor("the");
    App().verse_list.KeyHighlightColor = GetSysColor(COLOR_WINDOW);
    for (std::int32_t height : {-1, -200}) {
      App().verse_list.VerseListFont.height = height;
      SetVerseListTop(0);
      UpdateWindow(List());
      EXPECT_GE(App().verse_list.bottom, 0);
    }
    App().verse_list.VerseListFont.height = -16;
    MoveWindow(main, 0, 0, 3000, 200, TRUE);
    UpdateWindow(List());
    MoveWindow(List(), 0, 0, 200, 1, TRUE);
    UpdateWindow(List());
    EXPECT_GE(App().verse_list.bottom, 0);
  });
}

void SaveListShot(const std::string& name) {
  RedrawWindow(List(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump();
  RECT rect;
  GetWindowRect(Windows().main, &rect);
  EXPECT_TRUE(wintest::SaveScreenRect(rect, std::string(KELVANE_BINARY_DIR) + "\\" + name)) << name;
}

TEST_F(VerseListWindow, ScreenshotOfASearchForFaithHope) {
  Run([](HWND main) {
    MoveWindow(main, 20, 20, 980, 720, TRUE);
    Pump();
    App().verse_list.KeyHighlightColor = 0x0000C0;
    SearchFor("faith hope", kAnyWord);
    SetFocus(List());
    Select({1, 3}, {2, 2});
    SaveListShot("verse_list_faith_hope.bmp");
  });
}

}  // namespace
}  // namespace kv
