// The resource script as the program finds it at run time: every dialog
// template opens with its caption, font and controls (id, class, kind, text,
// in tab order), its radio groups and its first focus; the toolbar strip,
// the title bitmap and the icon load with their sizes.
//
// Set KELVANE_DIALOG_PICTURES to a folder to have each dialog drawn into a
// BMP file there, so a person can look at the layouts.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace kv {
namespace {

// Static controls of a DIALOG template carry the 16-bit id -1.
constexpr int kStatic = 0xFFFF;

// What a control is, beyond its class: the style bits that decide how it
// behaves for the code that drives it.
enum class Kind {
  Label,         // "Static", SS_LEFT
  Icon,          // "Static", SS_ICON
  Bitmap,        // "Static", SS_BITMAP
  Edit,          // "Edit", one line
  DropDown,      // "ComboBox", CBS_DROPDOWN: typed text with a history list
  Simple,        // "ComboBox", CBS_SIMPLE: the word list, always open
  DropDownList,  // "ComboBox", CBS_DROPDOWNLIST: choose only
  Push,          // "Button", BS_PUSHBUTTON
  Default,       // "Button", BS_DEFPUSHBUTTON: Enter presses it
  Radio,         // "Button", BS_AUTORADIOBUTTON
  Check,         // "Button", BS_AUTOCHECKBOX
  Group,         // "Button", BS_GROUPBOX
  Progress,      // "msctls_progress32"
};

struct ControlRow {
  int id;
  Kind kind;
  const char* text;  // nullptr: not compared (combo boxes, images)
};

struct DialogRow {
  const char* name;
  const char* caption;
  bool modeless;    // opened with CreateDialogParamA and shown by its style
  int first_focus;  // the control that has the focus when it opens; 0 none
  std::vector<ControlRow> controls;  // in template (tab) order
  std::vector<std::vector<int>> radio_groups;
};

// Names the row in test output instead of dumping its bytes.
void PrintTo(const DialogRow& row, std::ostream* out) { *out << row.name; }

const char* ClassOf(Kind kind) {
  switch (kind) {
    case Kind::Label:
    case Kind::Icon:
    case Kind::Bitmap:
      return "Static";
    case Kind::Edit:
      return "Edit";
    case Kind::DropDown:
    case Kind::Simple:
    case Kind::DropDownList:
      return "ComboBox";
    case Kind::Progress:
      return PROGRESS_CLASSA;
    default:
      return "Button";
  }
}

// The kind the control's style makes it; false when it fits none of ours.
bool KindOfStyle(const std::string& cls, LONG style, Kind* kind) {
  if (lstrcmpiA(cls.c_str(), "Static") == 0) {
    switch (style & SS_TYPEMASK) {
      case SS_LEFT: *kind = Kind::Label; return true;
      case SS_ICON: *kind = Kind::Icon; return true;
      case SS_BITMAP: *kind = Kind::Bitmap; return true;
    }
    return false;
  }
  if (lstrcmpiA(cls.c_str(), "Edit") == 0) {
    *kind = Kind::Edit;
    return (style & ES_MULTILINE) == 0;
  }
  if (lstrcmpiA(cls.c_str(), "ComboBox") == 0) {
    switch (style & 3) {
      case CBS_SIMPLE: *kind = Kind::Simple; return true;
      case CBS_DROPDOWN: *kind = Kind::DropDown; return true;
      case CBS_DROPDOWNLIST: *kind = Kind::DropDownList; return true;
    }
    return false;
  }
  if (lstrcmpiA(cls.c_str(), "Button") == 0) {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON: *kind = Kind::Push; return true;
      case BS_DEFPUSHBUTTON: *kind = Kind::Default; return true;
      case BS_AUTORADIOBUTTON: *kind = Kind::Radio; return true;
      case BS_AUTOCHECKBOX: *kind = Kind::Check; return true;
      case BS_GROUPBOX: *kind = Kind::Group; return true;
    }
    return false;
  }
  if (lstrcmpiA(cls.c_str(), PROGRESS_CLASSA) == 0) {
    *kind = Kind::Progress;
    return true;
  }
  return false;
}

// The controls a reference dialog shares: OK, Cancel, Help.
std::vector<ControlRow> TextDialog(const char* label, int edit_id) {
  return {{kStatic, Kind::Label, label},
          {edit_id, Kind::Edit, ""},
          {IDOK, Kind::Default, "OK"},
          {IDCANCEL, Kind::Push, "Cancel"},
          {IDC_HELP_BUTTON, Kind::Push, "Help"}};
}

std::vector<ControlRow> WordOptions() {
  return {{kStatic, Kind::Label, "Find verses with"},
          {IDC_SEARCH_ALL, Kind::Radio, "all"},
          {IDC_SEARCH_AT_LEAST_ONE, Kind::Radio, "at least one"},
          {IDC_SEARCH_ONLY_ONE, Kind::Radio, "only one"},
          {kStatic, Kind::Label, "of these words"},
          {IDC_SEARCH_CASE_SENSITIVE, Kind::Check, "Case sensitive"},
          {IDC_SEARCH_SUBSTRING, Kind::Check, "Substring matches"}};
}

std::vector<ControlRow> Join(std::vector<std::vector<ControlRow>> parts) {
  std::vector<ControlRow> all;
  for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::vector<ControlRow> OutputButtons() {
  return {{IDOK, Kind::Default, "OK"},
          {IDCANCEL, Kind::Push, "Cancel"},
          {IDC_OUTPUT_FORMAT, Kind::Push, "Format..."},
          {IDC_HELP_BUTTON, Kind::Push, "Help"}};
}

std::vector<ControlRow> RangeWithNotes() {
  return Join({{{kStatic, Kind::Label, "Range:"},
                {IDC_OUTPUT_RANGE, Kind::Edit, ""},
                {IDC_OUTPUT_INCLUDE_NOTES, Kind::Check, "Include notes:"},
                {IDC_OUTPUT_NOTE_SET, Kind::DropDownList, nullptr}},
               OutputButtons()});
}

const std::vector<int> kWordRadios = {IDC_SEARCH_ALL, IDC_SEARCH_AT_LEAST_ONE, IDC_SEARCH_ONLY_ONE};

std::vector<DialogRow> Dialogs() {
  std::vector<ControlRow> search_buttons = {{IDOK, Kind::Default, "OK"},
                                            {IDCANCEL, Kind::Push, "Cancel"},
                                            {IDC_SEARCH_RANGE, Kind::Push, "Range..."},
                                            {IDC_HELP_BUTTON, Kind::Push, "Help"}};
  return {
      {IDD_GOTO_VERSE, "Go To Verse", false, IDC_GOTO_REFERENCE, TextDialog("Reference:", IDC_GOTO_REFERENCE), {}},
      {IDD_SET_RANGE, "Set Search Range", false, IDC_RANGE_TEXT,
       {{kStatic, Kind::Label, "Range:"},
        {IDC_RANGE_TEXT, Kind::Edit, ""},
        {IDC_RANGE_OLD_TESTAMENT, Kind::Push, "O. T."},
        {IDC_RANGE_NEW_TESTAMENT, Kind::Push, "N. T."},
        {IDC_RANGE_ENTIRE, Kind::Push, "Entire"},
        {IDOK, Kind::Default, "OK"},
        {IDCANCEL, Kind::Push, "Cancel"},
        {IDC_HELP_BUTTON, Kind::Push, "Help"}},
       {}},
      {IDD_WORD_SEARCH, "Word Search", false, IDC_SEARCH_TEXT,
       Join({{{kStatic, Kind::Label, "Word(s):"}, {IDC_SEARCH_TEXT, Kind::DropDown, nullptr}}, WordOptions(),
             search_buttons}),
       {kWordRadios}},
      {IDD_WORD_LIST_SEARCH, "Word Search", false, IDC_SEARCH_TEXT,
       Join({{{kStatic, Kind::Label, "Word(s):"}, {IDC_SEARCH_TEXT, Kind::DropDown, nullptr}}, WordOptions(),
             {{IDC_SEARCH_ADD_WORD, Kind::Push, "<< Add"}, {IDC_SEARCH_WORD_LIST, Kind::Simple, nullptr}},
             search_buttons}),
       {kWordRadios}},
      {IDD_PHRASE_SEARCH, "Phrase Search", false, IDC_SEARCH_TEXT,
       Join({{{kStatic, Kind::Label, "Phrase:"},
              {IDC_SEARCH_TEXT, Kind::DropDown, nullptr},
              {IDC_SEARCH_CASE_SENSITIVE, Kind::Check, "Case sensitive"}},
             search_buttons}),
       {}},
      {IDD_CREATE_NOTE_SET, "Create New Note Set", false, IDC_NOTE_SET_NAME, TextDialog("Name:", IDC_NOTE_SET_NAME),
       {}},
      {IDD_RENAME_NOTE_SET, "Rename Note Set", false, IDC_NOTE_SET_NAME, TextDialog("New Name:", IDC_NOTE_SET_NAME),
       {}},
      {IDD_GOTO_NOTE, "Go to Note for Verse", false, IDC_GOTO_NOTE_REFERENCE,
       TextDialog("Reference:", IDC_GOTO_NOTE_REFERENCE), {}},
      {IDD_SEARCH_NOTES, "Search Notes", false, IDC_NOTE_SEARCH_TEXT,
       {{kStatic, Kind::Label, "Find What:"},
        {IDC_NOTE_SEARCH_TEXT, Kind::Edit, ""},
        {IDC_NOTE_SEARCH_CASE_SENSITIVE, Kind::Check, "Case sensitive"},
        {IDC_NOTE_SEARCH_SUBSTRING, Kind::Check, "Substring Matches"},
        {IDC_NOTE_SEARCH_FIND_FIRST, Kind::Default, "Find First"},
        {IDC_NOTE_SEARCH_FIND_NEXT, Kind::Push, "Find Next"},
        {IDC_NOTE_SEARCH_RANGE, Kind::Push, "Range..."},
        {IDCANCEL, Kind::Push, "Cancel"},
        {IDC_HELP_BUTTON, Kind::Push, "Help"}},
       {}},
      {IDD_SEARCH_PROGRESS, "Searching...", true, 0, {{IDC_SEARCH_PROGRESS_BAR, Kind::Progress, nullptr}}, {}},
      {IDD_FORMAT, "Copy/Save Format", false, IDC_FORMAT_FIRST_FULL,
       {{IDC_FORMAT_LABELS_GROUP, Kind::Group, "Verse Labels"},
        {kStatic, Kind::Label, "First Verse Style:"},
        {IDC_FORMAT_FIRST_FULL, Kind::Radio, "Full (Eph 6:17 And take the helmet...)"},
        {IDC_FORMAT_FIRST_PARTIAL, Kind::Radio, "Partial (6:17 And take the helmet...)"},
        {IDC_FORMAT_FIRST_NONE, Kind::Radio, "None (And take the helmet...)"},
        {kStatic, Kind::Label, "Subsequent Verses Style:"},
        {IDC_FORMAT_LATER_FULL, Kind::Radio, "Full (Eph 6:17 And take the helmet...)"},
        {IDC_FORMAT_LATER_PARTIAL, Kind::Radio, "Partial (17 And take the helmet...)"},
        {IDC_FORMAT_LATER_NONE, Kind::Radio, "None (And take the helmet...)"},
        {kStatic, Kind::Label, "Label Location:"},
        {IDC_FORMAT_BEFORE_VERSE, Kind::Radio, "Before Verse"},
        {IDC_FORMAT_AFTER_VERSE, Kind::Radio, "After Verse"},
        {IDC_FORMAT_LINE_BREAKS, Kind::Check, "Linebreaks between verses"},
        {IDC_FORMAT_PARAGRAPH_MARKS, Kind::Check, "Include paragraph marks (\xB6)"},
        {IDOK, Kind::Default, "OK"},
        {IDCANCEL, Kind::Push, "Cancel"},
        {IDC_HELP_BUTTON, Kind::Push, "Help"}},
       {{IDC_FORMAT_FIRST_FULL, IDC_FORMAT_FIRST_PARTIAL, IDC_FORMAT_FIRST_NONE},
        {IDC_FORMAT_LATER_FULL, IDC_FORMAT_LATER_PARTIAL, IDC_FORMAT_LATER_NONE},
        {IDC_FORMAT_BEFORE_VERSE, IDC_FORMAT_AFTER_VERSE}}},
      {IDD_SAVE_RANGE, "Save Range", false, IDC_OUTPUT_RANGE, RangeWithNotes(), {}},
      {IDD_COPY_VERSE, "Copy Verse", false, IDC_COPY_VERSE_REFERENCE,
       Join({{{kStatic, Kind::Label, "Reference:"}, {IDC_COPY_VERSE_REFERENCE, Kind::Edit, ""}}, OutputButtons()}),
       {}},
      {IDD_COPY_RANGE, "Copy Range", false, IDC_OUTPUT_RANGE,
       Join({{{kStatic, Kind::Label, "Range:"}, {IDC_OUTPUT_RANGE, Kind::Edit, ""}}, OutputButtons()}), {}},
      {IDD_PRINT_RANGE, "Print Range", false, IDC_OUTPUT_RANGE, RangeWithNotes(), {}},
      {IDD_ABORT, "Printing...", true, IDC_ABORT_CANCEL, {{IDC_ABORT_CANCEL, Kind::Default, "Cancel"}}, {}},
      {IDD_ABOUT, "About Kelvane95", false, IDOK,
       {{kStatic, Kind::Icon, nullptr}, {kStatic, Kind::Label, "Kelvane95 v3.1"}, {IDOK, Kind::Default, "OK"}},
       {}},
      {RES_SPLASH_DIALOG, "", true, 0, {{IDC_SPLASH_TITLE, Kind::Bitmap, nullptr}}, {}},
  };
}

INT_PTR CALLBACK DoNothing(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassNameOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

void SaveBitmapFile(HBITMAP bitmap, int width, int height, const std::string& path) {
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const DWORD stride = (width * 3 + 3) & ~3;
  std::vector<char> pixels(stride * height);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file = {0x4D42, DWORD(sizeof file + sizeof info + pixels.size()), 0, 0,
                           DWORD(sizeof file + sizeof info)};
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return;
  DWORD written;
  WriteFile(out, &file, sizeof file, &written, nullptr);
  WriteFile(out, &info, sizeof info, &written, nullptr);
  WriteFile(out, pixels.data(), DWORD(pixels.size()), &written, nullptr);
  CloseHandle(out);
}

// Shows the dialog on the screen and copies what the screen shows of it.
void SavePicture(HWND dialog, const std::string& folder, const std::string& name) {
  ShowWindow(dialog, SW_SHOW);
  SetWindowPos(dialog, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
  for (int i = 0; i < 20; ++i) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    UpdateWindow(dialog);
    Sleep(10);
  }
  RECT rect;
  GetWindowRect(dialog, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  SaveBitmapFile(bitmap, width, height, folder + "\\" + name + ".bmp");
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

class DialogTemplates : public ::testing::TestWithParam<DialogRow> {};

TEST_P(DialogTemplates, OpenWithTheirCaptionFontAndControls) {
  const DialogRow& row = GetParam();
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), row.name, nullptr, DoNothing, 0);
  ASSERT_NE(nullptr, dialog) << "no template " << row.name;

  EXPECT_EQ(row.caption, TextOf(dialog));
  const LONG style = GetWindowLongA(dialog, GWL_STYLE);
  // Modeless dialogs are created without a ShowWindow of their own.
  EXPECT_EQ(row.modeless, (style & WS_VISIBLE) != 0);
  EXPECT_EQ(std::string(row.caption).empty(), (style & WS_CAPTION) != WS_CAPTION);

  LOGFONTA font = {};
  ASSERT_TRUE(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font));
  EXPECT_STREQ("MS Sans Serif", font.lfFaceName);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(-MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72), font.lfHeight);
  ReleaseDC(nullptr, screen);

  size_t index = 0;
  for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT), ++index) {
    SCOPED_TRACE("control " + std::to_string(index) + " \"" + TextOf(control) + "\"");
    ASSERT_LT(index, row.controls.size()) << "more controls than expected";
    const ControlRow& expected = row.controls[index];
    EXPECT_EQ(expected.id, GetDlgCtrlID(control) & 0xFFFF);
    const std::string cls = ClassNameOf(control);
    EXPECT_EQ(0, lstrcmpiA(ClassOf(expected.kind), cls.c_str())) << cls;
    Kind kind;
    const LONG control_style = GetWindowLongA(control, GWL_STYLE);
    ASSERT_TRUE(KindOfStyle(cls, control_style, &kind)) << "style " << std::hex << control_style;
    EXPECT_EQ(int(expected.kind), int(kind));
    if (expected.text) {
      EXPECT_EQ(expected.text, TextOf(control));
    }
    // Histories and the word list keep the order they are filled in.
    if (cls == "ComboBox") {
      EXPECT_EQ(0, control_style & CBS_SORT);
    }
    EXPECT_TRUE(control_style & WS_VISIBLE);
  }
  EXPECT_EQ(row.controls.size(), index);

  // Focus and group walks pass over hidden controls: show the dialog first,
  // without taking the focus from whatever has it.
  ShowWindow(dialog, SW_SHOWNOACTIVATE);
  if (row.first_focus) {
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(row.first_focus, GetDlgCtrlID(first));
  }

  // Each radio group is exactly its buttons, so choosing one clears the
  // others of its own group and nothing else.
  for (const std::vector<int>& group : row.radio_groups) {
    SCOPED_TRACE("radio group from " + std::to_string(group.front()));
    std::vector<int> members;
    HWND first = GetDlgItem(dialog, group.front());
    HWND member = first;
    do {
      members.push_back(GetDlgCtrlID(member));
      member = GetNextDlgGroupItem(dialog, member, FALSE);
    } while (member && member != first && members.size() <= group.size());
    EXPECT_EQ(group, members);
  }

  if (const char* folder = std::getenv("KELVANE_DIALOG_PICTURES")) SavePicture(dialog, folder, row.name);
  DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(Resources, DialogTemplates, ::testing::ValuesIn(Dialogs()),
                         [](const ::testing::TestParamInfo<DialogRow>& info) { return std::string(info.param.name); });

TEST(DialogNames, TheUpperCaseSpellingsFindTheSameTemplates) {
  // Parts of the program name some templates in capitals; resource names
  // are matched without regard to case, which these rows rely on.
  const char* const names[] = {"GOTOVERSE",     "SETRANGE",  "WORDSEARCH", "WORDLISTSEARCH", "PHRASESEARCH",
                               "CREATENOTESET", "RENAMENOTESET", "GOTONOTE", "SEARCHNOTES", "SEARCHPROGRESS",
                               "FORMAT",        "SAVERANGE", "COPYVERSE",  "COPYRANGE",      "PRINTRANGE",
                               "ABORTDLG",      "ABOUT",     "SPLASHSCREEN"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    EXPECT_NE(nullptr, FindResourceA(GetModuleHandleA(nullptr), name, RT_DIALOG));
  }
}

BITMAP BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  GetObjectA(bitmap, sizeof info, &info);
  return info;
}

TEST(Artwork, TheToolbarStripHoldsTwentyFourImagesOfSixteenPixels) {
  HBITMAP strip = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TOOLBAR));
  ASSERT_NE(nullptr, strip);
  const BITMAP info = BitmapSize(strip);
  EXPECT_EQ(24 * 16, info.bmWidth);
  EXPECT_EQ(16, info.bmHeight);

  // Every image a button uses has a drawing on the button face; 10 and 11
  // are used by none and stay blank. A missing or misplaced file shows here.
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, strip);
  const COLORREF face = RGB(0xC0, 0xC0, 0xC0);
  ASSERT_EQ(face, GetPixel(memory, 0, 0));
  for (int image = 0; image < 24; ++image) {
    int drawn = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) drawn += GetPixel(memory, image * 16 + x, y) != face;
    const bool used = image != 10 && image != 11;
    EXPECT_EQ(used, drawn > 16) << "image " << image << " has " << drawn << " drawn pixels";
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  DeleteObject(strip);
}

TEST(Artwork, AToolbarMadeFromTheStripHasItsTwentyFourImages) {
  // As the main window makes its toolbar: 24 bitmaps of 16 x 16 from 200.
  HWND owner = CreateWindowExA(0, "Static", "Toolbar", WS_OVERLAPPEDWINDOW, 20, 20, 420, 120, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, owner);
  TBBUTTON buttons[24] = {};
  for (int i = 0; i < 24; ++i) {
    buttons[i].iBitmap = i;
    buttons[i].idCommand = 1000 + i;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = TBSTYLE_BUTTON;
  }
  HWND toolbar = CreateToolbarEx(owner, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, 6, 24, GetModuleHandleA(nullptr),
                                 IDB_TOOLBAR, buttons, 24, 16, 16, 16, 16, sizeof(TBBUTTON));
  ASSERT_NE(nullptr, toolbar);
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
  ASSERT_NE(nullptr, images);
  EXPECT_EQ(24, ImageList_GetImageCount(images));
  int width = 0, height = 0;
  ImageList_GetIconSize(images, &width, &height);
  EXPECT_EQ(16, width);
  EXPECT_EQ(16, height);
  if (const char* folder = std::getenv("KELVANE_DIALOG_PICTURES")) SavePicture(owner, folder, "toolbar");
  DestroyWindow(owner);
}

TEST(Artwork, TheSplashShowsTheWholeTitleBitmap) {
  HBITMAP title = LoadBitmapA(GetModuleHandleA(nullptr), RES_TITLE_BITMAP);
  ASSERT_NE(nullptr, title);
  const BITMAP info = BitmapSize(title);
  DeleteObject(title);

  HWND splash = CreateDialogParamA(GetModuleHandleA(nullptr), RES_SPLASH_DIALOG, nullptr, DoNothing, 0);
  ASSERT_NE(nullptr, splash);
  HWND picture = GetDlgItem(splash, IDC_SPLASH_TITLE);
  ASSERT_NE(nullptr, picture);
  EXPECT_NE(nullptr, reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)));
  RECT frame;
  GetClientRect(picture, &frame);
  EXPECT_GE(frame.right, info.bmWidth);
  EXPECT_GE(frame.bottom, info.bmHeight);
  DestroyWindow(splash);
}

TEST(Artwork, TheIconHasBothSizes) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  EXPECT_NE(nullptr, LoadIconA(instance, RES_BIG_ICON));
  for (int size : {32, 16}) {
    SCOPED_TRACE(size);
    HICON icon = static_cast<HICON>(LoadImageA(instance, RES_BIG_ICON, IMAGE_ICON, size, size, 0));
    ASSERT_NE(nullptr, icon);
    ICONINFO parts = {};
    ASSERT_TRUE(GetIconInfo(icon, &parts));
    EXPECT_EQ(size, BitmapSize(parts.hbmMask).bmWidth);
    if (parts.hbmColor) DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    DestroyIcon(icon);
  }
  // The directory holds both pictures, so neither size is a scaled copy.
  HRSRC group = FindResourceA(instance, RES_BIG_ICON, RT_GROUP_ICON);
  ASSERT_NE(nullptr, group);
  const WORD* directory = static_cast<const WORD*>(LockResource(LoadResource(instance, group)));
  ASSERT_NE(nullptr, directory);
  EXPECT_EQ(2, directory[2]);
}

}  // namespace
}  // namespace kv
