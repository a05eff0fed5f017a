// The passage window driven in-process in the real program: focus and
// mouse selection, copy, the search prefill, keys and scrolling, the context
// menu, and screenshots of Genesis 1 in every display option.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "passage/gdi_canvas_win.h"
#include "passage/passage_layout.h"
#include "passage/passage_window_win.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/program_win.h"
#include "shell/testing/modal_script_win.h"
#include "store/verse_address.h"

namespace kv {
namespace {

using wintest::ModalScript;

const char* const kDataFiles[] = {"_avwrds.dat", "_avwptr.dat", "_avwidx.dat", "_avvidx.dat", "_avtext.dat"};

std::function<void(HWND)> g_body;
int g_ticks = 0;

void CALLBACK RunBody(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND main = Windows().main;
  if (!main || !IsWindowVisible(main)) {
    if (++g_ticks > 300) {
      KillTimer(nullptr, timer);
      ADD_FAILURE() << "the main window never came up";
      PostQuitMessage(1);
    }
    return;
  }
  KillTimer(nullptr, timer);
  g_body(main);
  PostMessageA(main, WM_CLOSE, 0, 0);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

class PassageWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH], name[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    GetTempFileNameA(temp, "kv", 0, name);
    DeleteFileA(name);
    ASSERT_TRUE(CreateDirectoryA(name, nullptr));
    dir_ = name;
    for (const char* file : kDataFiles)
      ASSERT_TRUE(CopyFileA((std::string(KELVANE_TEST_DATA_DIR) + "\\" + file).c_str(), Path(file).c_str(), FALSE));
    GetCurrentDirectoryA(sizeof old_dir_, old_dir_);
    SetCurrentDirectoryA(dir_.c_str());
    App().shell.settings_file = Path("Kelvane.Ini");
  }

  void TearDown() override {
    UnregisterProgramClasses(GetModuleHandleA(nullptr));
    SetCurrentDirectoryA(old_dir_);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(Path("*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do DeleteFileA(Path(found.cFileName).c_str());
      while (FindNextFileA(find, &found));
      FindClose(find);
    }
    RemoveDirectoryA(dir_.c_str());
  }

  std::string Path(const std::string& file) const { return dir_ + "\\" + file; }

  void Run(std::function<void(HWND)> body) {
    g_body = std::move(body);
    g_ticks = 0;
    SetTimer(nullptr, 0, 20, RunBody);
    EXPECT_EQ(0, RunProgram(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
  }

  std::string dir_;
  char old_dir_[MAX_PATH] = {};
};

HWND Passage() { return Windows().passage; }

// Moves the passage and lets it paint, so ReadBottomVerse is that page's.
void ShowVerse(VerseIndex verse) {
  SetCurrentVerse(verse);
  UpdateWindow(Passage());
  Pump();
}

// Where the window shows a selection point: the first pixel (scanning down
// the left part of each line, then along it) that the hit test maps to it.
POINT PointOf(SelectionPoint wanted) {
  PassageView view;
  view.bible = &App().store.bible;
  view.top = App().settings.CurrentVerse;
  view.paragraph_format = App().settings.ParagraphFormat != 0;
  view.italics = App().settings.Italics;
  view.font = App().settings.ReadWindowFont;
  RECT client;
  GetClientRect(Passage(), &client);
  view.width = client.right;
  view.height = client.bottom;
  HDC dc = GetDC(Passage());
  POINT found = {-1, -1};
  {
    GdiCanvas canvas(dc);
    for (int y = 1; y < client.bottom && found.x < 0; y += 4) {
      for (int x = 2; x < client.right; x += 3) {
        SelectionPoint point;
        if (HitTestPassageLayout(view, canvas, x, y, &point) && point == wanted) {
          found = {x, y};
          break;
        }
      }
    }
  }
  ReleaseDC(Passage(), dc);
  return found;
}

void Click(POINT at) {
  SendMessageA(Passage(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
}
void DragTo(POINT at) {
  SendMessageA(Passage(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageA(Passage(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "(clipboard busy)";
  HANDLE data = GetClipboardData(CF_TEXT);
  if (data) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
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
    App().settings.ParagraphFormat = 0;
    ShowVerse(0);
    SetFocus(Windows().verse_list);
    POINT label = PointOf({0, 0});
    ASSERT_GE(label.x, 0);
    Click(label);
    EXPECT_EQ(GetFocus(), Passage());
    EXPECT_NE(App().shell.selection_owner, kPassageOwner) << "the first click only focuses";

    Select({0, 0}, {1, 0});
    EXPECT_EQ(App().shell.selection_owner, kPassageOwner);
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
    App().settings.ParagraphFormat = 0;
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
    App().settings.ParagraphFormat = 0;
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
    EXPECT_EQ(App().settings.CurrentVerse, bottom);
    UpdateWindow(Passage());
    SendMessageA(Passage(), WM_KEYDOWN, VK_PRIOR, 0);
    VerseIndex up = App().settings.CurrentVerse;
    EXPECT_LE(up, 100);
    UpdateWindow(Passage());
    SendMessageA(Passage(), WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(App().settings.CurrentVerse, bottom) << "page down returns to the old top";
    SendMessageA(Passage(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(App().settings.CurrentVerse, bottom + 1);
    SendMessageA(Passage(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(App().settings.CurrentVerse, bottom);
    SendMessageA(Passage(), WM_KEYDOWN, VK_HOME, 0);
    SendMessageA(Passage(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(App().settings.CurrentVerse, bottom);
    ShowVerse(0);
    SendMessageA(Passage(), WM_KEYDOWN, VK_PRIOR, 0);
    EXPECT_EQ(App().settings.CurrentVerse, 0);
    SendMessageA(Passage(), WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(GetFocus(), Windows().verse_list);
  });
}

TEST_F(PassageWindow, ContextMenuItemsAndGreying) {
  Run([](HWND) {
    App().settings.ParagraphFormat = 0;
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

TEST_F(PassageWindow, MenuCommandsGoToTheMainWindow) {
  Run([](HWND) {
    ShowVerse(0);
    SetFocus(Passage());
    SendMessageA(Passage(), WM_COMMAND, CMD_GOTO_BOOK_FIRST + 18, 0);  // Psalms
    VerseRecord record = RecordOf(App().store.bible, App().settings.CurrentVerse);
    EXPECT_EQ(record.book, 19);
    EXPECT_EQ(record.chapter, 1);
    EXPECT_EQ(record.verse, 1);
    SendMessageA(Passage(), WM_COMMAND, CMD_NEXT_CHAPTER, 0);
    EXPECT_EQ(RecordOf(App().store.bible, App().settings.CurrentVerse).chapter, 2);
    // Bookmark 10: set at the current verse, then gone to from elsewhere.
    VerseIndex marked = App().settings.CurrentVerse;
    SendMessageA(Passage(), WM_COMMAND, CMD_SET_BOOKMARK_LAST, 0);
    ShowVerse(0);
    SendMessageA(Passage(), WM_COMMAND, CMD_GOTO_BOOKMARK_LAST, 0);
    EXPECT_EQ(App().settings.CurrentVerse, marked);
  });
}

// Chapter steps start from the verse at the top; a bookmark is set at the
// selection's first verse when the passage holds one.
TEST_F(PassageWindow, ChapterStepsStartAtTheTopAndBookmarksAtTheSelection) {
  Run([](HWND) {
    App().settings.ParagraphFormat = 0;
    ShowVerse(29);  // Genesis 1:30, with Genesis 2 below it
    SetFocus(Passage());
    Select({31, 1}, {31, 3});  // inside Genesis 2:1
    SendMessageA(Passage(), WM_COMMAND, CMD_SET_BOOKMARK_LAST, 0);
    EXPECT_EQ(App().settings.Bookmarks[9], 31);
    SendMessageA(Passage(), WM_COMMAND, CMD_NEXT_CHAPTER, 0);
    VerseRecord record = RecordOf(App().store.bible, App().settings.CurrentVerse);
    EXPECT_EQ(record.chapter, 2);
    EXPECT_EQ(record.verse, 1);
  });
}

// Only the passage window, as a BMP in the build folder.
void SavePassageShot(const std::string& name) {
  RedrawWindow(Passage(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump();
  RECT rect;
  GetWindowRect(Passage(), &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const DWORD row = ((width * 3 + 3) / 4) * 4, size = row * height;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + size;
  std::ofstream out(std::string(KELVANE_BINARY_DIR) + "\\" + name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), size);
  EXPECT_TRUE(out.good()) << name;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
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
      App().settings.ParagraphFormat = static_cast<std::uint8_t>(shot.paragraph);
      App().settings.Italics = static_cast<std::uint8_t>(shot.italics);
      ShowVerse(0);
      SavePassageShot(shot.name);
    }
  });
}

}  // namespace
}  // namespace kv
