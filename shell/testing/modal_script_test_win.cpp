// Tests of the modal-window kit itself, on real message boxes, dialogs and
// popup menus: every window test of the program leans on it, so it must
// answer what it is told, record what it saw, and turn every surprise into a
// failure rather than a hang.
#include "shell/testing/modal_script_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv::wintest {
namespace {

constexpr char kOwnerClass[] = "KelvaneKitTestOwner";
constexpr char kAppName[] = "Kelvane95";
constexpr int kReferenceEdit = 10;
constexpr int kAboutText = 0xFFFF;  // IDC_STATIC, as a program dialog uses it
// The watchdog's full 2 s is exercised once; elsewhere a short one keeps
// the tests of failure paths quick.
constexpr DWORD kShortWatchdogMs = 100;

constexpr UINT kCmdCopy = 101;
constexpr UINT kCmdPaste = 102;
constexpr UINT kCmdSelectAll = 103;

bool Contains(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}

// A dialog template built in memory, for DialogBoxIndirectParamA.
class DialogTemplate {
 public:
  DialogTemplate(const char* caption, short width, short height) {
    PutDword(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
    PutDword(0);
    countAt_ = words_.size();
    words_.push_back(0);
    PutShort(20);
    PutShort(20);
    PutShort(width);
    PutShort(height);
    words_.push_back(0);  // no menu
    words_.push_back(0);  // standard class
    PutString(caption);
    words_.push_back(8);
    PutString("MS Sans Serif");
  }

  // classAtom: 0x80 button, 0x81 edit, 0x82 static.
  void Add(WORD classAtom, DWORD style, short x, short y, short cx, short cy, WORD id,
           const char* text) {
    if (words_.size() % 2) words_.push_back(0);  // items start on a DWORD
    PutDword(style | WS_CHILD | WS_VISIBLE);
    PutDword(0);
    PutShort(x);
    PutShort(y);
    PutShort(cx);
    PutShort(cy);
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(classAtom);
    PutString(text);
    words_.push_back(0);  // no creation data
    ++words_[countAt_];
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void PutDword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
  }
  void PutShort(short value) { words_.push_back(static_cast<WORD>(value)); }
  void PutString(const char* text) {
    for (; *text; ++text) words_.push_back(static_cast<unsigned char>(*text));
    words_.push_back(0);
  }

  std::vector<WORD> words_;
  std::size_t countAt_ = 0;
};

constexpr WORD kButton = 0x80;
constexpr WORD kEdit = 0x81;
constexpr WORD kStatic = 0x82;

// A small "Go To" dialog that, like the program's, refuses an empty
// reference with a message box of its own and stays open.
struct GotoResult {
  std::string reference;
};

INT_PTR CALLBACK GotoProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        std::string reference = ItemText(dialog, kReferenceEdit);
        if (reference.empty()) {
          MessageBoxA(dialog, "Type a reference such as Ge 1:1.", "Go To", MB_OK | MB_ICONEXCLAMATION);
          return TRUE;
        }
        reinterpret_cast<GotoResult*>(GetWindowLongPtrA(dialog, DWLP_USER))->reference = reference;
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

DialogTemplate GotoTemplate() {
  DialogTemplate dialog("Go To", 180, 60);
  dialog.Add(kStatic, SS_LEFT, 7, 9, 40, 8, 0xFFFF, "&Reference:");
  dialog.Add(kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 50, 7, 120, 12, kReferenceEdit, "");
  dialog.Add(kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 66, 38, 50, 14, IDOK, "OK");
  dialog.Add(kButton, BS_PUSHBUTTON | WS_TABSTOP, 122, 38, 50, 14, IDCANCEL, "Cancel");
  return dialog;
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

// Like a dialog with unsaved changes, it does not close on Cancel.
INT_PTR CALLBACK StubbornProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDOK) EndDialog(dialog, IDOK);
  return TRUE;
}

class ModalScriptTest : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kOwnerClass;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    owner_ = CreateWindowExA(0, kOwnerClass, "Kit test owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80,
                             60, 480, 320, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
    SetForegroundWindow(owner_);
  }

  void TearDown() override {
    if (owner_) DestroyWindow(owner_);
  }

  UINT ShowMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kCmdCopy, "&Copy\tCtrl+C");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | MF_GRAYED, kCmdPaste, "&Paste\tCtrl+V");
    AppendMenuA(menu, MF_STRING, kCmdSelectAll, "Select &All");
    // A popup menu only takes keys while its owner is in the foreground.
    SetForegroundWindow(owner_);
    UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, 200, 200, 0, owner_, nullptr));
    DestroyMenu(menu);
    return chosen;
  }

  HWND owner_ = nullptr;
};

TEST_F(ModalScriptTest, AnswersAMessageBoxWithTheButtonAskedFor) {
  for (int button : {IDYES, IDNO, IDCANCEL}) {
    SCOPED_TRACE("button " + std::to_string(button));
    ModalScript script;
    script.AnswerMessageBox(button);

    int answer = MessageBoxA(owner_, "Save the changes to your notes?", kAppName,
                             MB_YESNOCANCEL | MB_ICONQUESTION);

    EXPECT_EQ(answer, button);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    ASSERT_EQ(script.Seen().size(), 1u);
    const SeenWindow& box = script.Seen()[0];
    EXPECT_EQ(box.kind, ModalKind::MessageBox);
    EXPECT_EQ(box.className, "#32770");
    EXPECT_EQ(box.caption, kAppName);
    EXPECT_EQ(box.text, "Save the changes to your notes?");
    EXPECT_EQ(box.owner, owner_);
    EXPECT_FALSE(box.cancelled);
  }
}

TEST_F(ModalScriptTest, AnswersBoxesInTheOrderQueued) {
  ModalScript script;
  script.AnswerMessageBox(IDNO).AnswerMessageBox(IDRETRY);

  int first = MessageBoxA(owner_, "First?", kAppName, MB_YESNO);
  int second = MessageBoxA(nullptr, "Second?", "Other", MB_RETRYCANCEL);

  EXPECT_EQ(first, IDNO);
  EXPECT_EQ(second, IDRETRY);
  EXPECT_TRUE(script.Ok()) << script.Describe();
  ASSERT_EQ(script.Seen().size(), 2u);
  EXPECT_EQ(script.Seen()[0].text, "First?");
  EXPECT_EQ(script.Seen()[1].text, "Second?");
  EXPECT_EQ(script.Seen()[1].caption, "Other");
  EXPECT_EQ(script.Seen()[1].owner, nullptr);
}

TEST_F(ModalScriptTest, HelpersReadTheBoxAndClickOnlyButtonsItHas) {
  ModalScript script;
  std::string text;
  bool clickedMissing = true;
  script.OnMessageBox([&](HWND box) {
    text = MessageBoxText(box);
    clickedMissing = ClickButton(box, IDYES);
    ClickButton(box, IDRETRY);
  });

  int answer = MessageBoxA(owner_, "Could not open the notes file.", kAppName, MB_RETRYCANCEL);

  EXPECT_EQ(answer, IDRETRY);
  EXPECT_EQ(text, "Could not open the notes file.");
  EXPECT_FALSE(clickedMissing);
  EXPECT_TRUE(script.Ok()) << script.Describe();
}

TEST_F(ModalScriptTest, FillsADialogAndPressesOk) {
  DialogTemplate dialog = GotoTemplate();
  GotoResult result;
  ModalScript script;
  script.OnDialog([](HWND goTo) {
    SetDlgItemTextA(goTo, kReferenceEdit, "Ge 1:1");
    ClickButton(goTo, IDOK);
  });

  INT_PTR ended = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog.Get(), owner_, GotoProc,
                                          reinterpret_cast<LPARAM>(&result));

  EXPECT_EQ(ended, IDOK);
  EXPECT_EQ(result.reference, "Ge 1:1");
  EXPECT_TRUE(script.Ok()) << script.Describe();
  ASSERT_EQ(script.Seen().size(), 1u);
  EXPECT_EQ(script.Seen()[0].kind, ModalKind::Dialog);
  EXPECT_EQ(script.Seen()[0].caption, "Go To");
  EXPECT_EQ(script.Seen()[0].owner, owner_);
}

TEST_F(ModalScriptTest, ReachesABoxOpenedByADialogThenTheDialogAgain) {
  DialogTemplate dialog = GotoTemplate();
  GotoResult result;
  HWND goToWindow = nullptr;
  ModalScript script;
  script.OnDialog([&](HWND goTo) {
    goToWindow = goTo;
    ClickButton(goTo, IDOK);  // empty: the dialog complains and stays
  });
  script.AnswerMessageBox(IDOK);
  script.OnDialog([](HWND goTo) {
    SetDlgItemTextA(goTo, kReferenceEdit, "Re 22:21");
    ClickButton(goTo, IDOK);
  });

  INT_PTR ended = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog.Get(), owner_, GotoProc,
                                          reinterpret_cast<LPARAM>(&result));

  EXPECT_EQ(ended, IDOK);
  EXPECT_EQ(result.reference, "Re 22:21");
  EXPECT_TRUE(script.Ok()) << script.Describe();
  ASSERT_EQ(script.Seen().size(), 2u);  // the dialog is recorded once
  EXPECT_EQ(script.Seen()[1].kind, ModalKind::MessageBox);
  EXPECT_EQ(script.Seen()[1].caption, "Go To");
  EXPECT_EQ(script.Seen()[1].text, "Type a reference such as Ge 1:1.");
  EXPECT_EQ(script.Seen()[1].owner, goToWindow);
}

TEST_F(ModalScriptTest, ReachesATextOnlyDialogByItsCaption) {
  DialogTemplate about("About Kelvane95", 160, 60);
  about.Add(kStatic, SS_CENTER, 10, 10, 140, 8, kAboutText, "Kelvane95");
  about.Add(kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 55, 38, 50, 14, IDOK, "OK");
  HWND seenWindow = nullptr;
  ModalScript script;
  script.OnDialog("About Kelvane95", [&](HWND window) {
    seenWindow = window;
    ClickButton(window, IDOK);
  });

  INT_PTR ended =
      DialogBoxIndirectParamA(GetModuleHandleA(nullptr), about.Get(), owner_, AboutProc, 0);

  EXPECT_EQ(ended, IDOK);
  EXPECT_NE(seenWindow, nullptr);
  EXPECT_TRUE(script.Ok()) << script.Describe();
}

TEST_F(ModalScriptTest, IgnoredModelessDialogIsNotTakenForTheModalOne) {
  // Owned, the modeless dialog lies deeper than an ownerless box and would
  // be taken for the innermost window.
  DialogTemplate dialog = GotoTemplate();
  HWND modeless =
      CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialog.Get(), owner_, GotoProc, 0);
  ASSERT_NE(modeless, nullptr);
  ModalScript script;
  script.SetWatchdogTimeout(kShortWatchdogMs);
  script.Ignore(modeless).AnswerMessageBox(IDNO);

  int answer = MessageBoxA(nullptr, "Close the verse list?", kAppName, MB_YESNO);

  DestroyWindow(modeless);
  EXPECT_EQ(answer, IDNO);
  EXPECT_TRUE(script.Ok()) << script.Describe();
  ASSERT_EQ(script.Seen().size(), 1u);
  EXPECT_EQ(script.Seen()[0].kind, ModalKind::MessageBox);
}

TEST_F(ModalScriptTest, WatchdogCancelsAnUnscriptedBoxAndFails) {
  ModalScript script;  // the default watchdog, as every test gets it

  MessageBoxA(owner_, "Nobody expects this box.", kAppName, MB_OKCANCEL);

  ASSERT_EQ(script.Failures().size(), 1u) << script.Describe();
  EXPECT_TRUE(Contains(script.Failures()[0], "unscripted message box \"Kelvane95\""))
      << script.Failures()[0];
  EXPECT_TRUE(Contains(script.Failures()[0], "Nobody expects this box."));
  ASSERT_EQ(script.Seen().size(), 1u);
  EXPECT_TRUE(script.Seen()[0].cancelled);
  EXPECT_FALSE(script.Ok());
}

TEST_F(ModalScriptTest, WatchdogEndsABoxThatHasNoCancelButton) {
  ModalScript script;
  script.SetWatchdogTimeout(kShortWatchdogMs);

  MessageBoxA(owner_, "Delete the note?", kAppName, MB_YESNO);

  EXPECT_EQ(script.Failures().size(), 1u) << script.Describe();
  ASSERT_EQ(script.Seen().size(), 1u);
  EXPECT_TRUE(script.Seen()[0].cancelled);
}

TEST_F(ModalScriptTest, WatchdogEndsADialogThatIgnoresCancel) {
  DialogTemplate dialog = GotoTemplate();
  ModalScript script;
  script.SetWatchdogTimeout(kShortWatchdogMs);

  INT_PTR ended =
      DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog.Get(), owner_, StubbornProc, 0);

  EXPECT_EQ(ended, IDCANCEL);
  ASSERT_EQ(script.Failures().size(), 1u) << script.Describe();
  EXPECT_TRUE(Contains(script.Failures()[0], "unscripted dialog \"Go To\"")) << script.Failures()[0];
}

TEST_F(ModalScriptTest, WindowOfTheWrongKindFailsTheStepWaitingForAnother) {
  ModalScript script;
  script.SetWatchdogTimeout(kShortWatchdogMs);
  script.OnDialog([](HWND dialog) { ClickButton(dialog, IDOK); });

  MessageBoxA(owner_, "Verse not found.", kAppName, MB_OK);

  ASSERT_EQ(script.Failures().size(), 1u) << script.Describe();
  EXPECT_TRUE(Contains(script.Failures()[0], "the next step was OnDialog")) << script.Failures()[0];
  EXPECT_FALSE(script.Done());
}

TEST_F(ModalScriptTest, AfterAFailureEveryLaterWindowIsCancelled) {
  ModalScript script;
  script.SetWatchdogTimeout(kShortWatchdogMs);
  script.AnswerMessageBox(IDRETRY).AnswerMessageBox(IDOK);

  MessageBoxA(owner_, "No Retry button here.", kAppName, MB_OK);
  MessageBoxA(owner_, "This one would have been answered.", kAppName, MB_OK);

  ASSERT_EQ(script.Failures().size(), 1u) << script.Describe();
  EXPECT_TRUE(Contains(script.Failures()[0], "AnswerMessageBox(IDRETRY) failed"))
      << script.Failures()[0];
  EXPECT_TRUE(Contains(script.Failures()[0], "no usable button IDRETRY")) << script.Failures()[0];
  ASSERT_EQ(script.Seen().size(), 2u);
  EXPECT_TRUE(script.Seen()[0].cancelled);
  EXPECT_TRUE(script.Seen()[1].cancelled);
  EXPECT_FALSE(script.Done());
}

TEST_F(ModalScriptTest, StepsLeftOverWhenNoWindowCameAreReported) {
  ModalScript script;
  script.AnswerMessageBox(IDOK);

  EXPECT_FALSE(script.Done());
  EXPECT_FALSE(script.Ok());
  EXPECT_TRUE(script.Failures().empty());
  EXPECT_TRUE(Contains(script.Describe(), "not run: AnswerMessageBox(IDOK)")) << script.Describe();
}

TEST_F(ModalScriptTest, PicksAPopupMenuItemAndRecordsTheMenu) {
  for (UINT command : {kCmdCopy, kCmdSelectAll}) {
    SCOPED_TRACE("command " + std::to_string(command));
    ModalScript script;
    script.PickMenuItem(command);

    UINT chosen = ShowMenu();

    EXPECT_EQ(chosen, command);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    ASSERT_EQ(script.Seen().size(), 1u);
    const SeenWindow& menu = script.Seen()[0];
    EXPECT_EQ(menu.kind, ModalKind::Menu);
    EXPECT_EQ(menu.className, "#32768");
    EXPECT_EQ(menu.owner, owner_);
    ASSERT_EQ(menu.menuItems.size(), 4u);
    EXPECT_EQ(menu.menuItems[0].text, "&Copy\tCtrl+C");
    EXPECT_FALSE(menu.menuItems[0].grayed);
    EXPECT_TRUE(menu.menuItems[1].separator);
    EXPECT_EQ(menu.menuItems[2].id, kCmdPaste);
    EXPECT_TRUE(menu.menuItems[2].grayed);
    EXPECT_EQ(menu.menuItems[3].text, "Select &All");
  }
}

TEST_F(ModalScriptTest, CancelsAPopupMenu) {
  ModalScript script;
  script.CancelMenu();

  UINT chosen = ShowMenu();

  EXPECT_EQ(chosen, 0u);
  EXPECT_TRUE(script.Ok()) << script.Describe();
  ASSERT_EQ(script.Seen().size(), 1u);
  EXPECT_FALSE(script.Seen()[0].cancelled);
}

TEST_F(ModalScriptTest, PickingAGrayedItemFailsAndCancelsTheMenu) {
  ModalScript script;
  script.PickMenuItem(kCmdPaste);

  UINT chosen = ShowMenu();

  EXPECT_EQ(chosen, 0u);
  ASSERT_EQ(script.Failures().size(), 1u) << script.Describe();
  EXPECT_TRUE(Contains(script.Failures()[0], "is grayed")) << script.Failures()[0];
}

TEST_F(ModalScriptTest, WatchdogClosesAnUnscriptedMenu) {
  ModalScript script;
  script.SetWatchdogTimeout(kShortWatchdogMs);

  UINT chosen = ShowMenu();

  EXPECT_EQ(chosen, 0u);
  ASSERT_EQ(script.Failures().size(), 1u) << script.Describe();
  EXPECT_TRUE(Contains(script.Failures()[0], "unscripted menu")) << script.Failures()[0];
}

}  // namespace
}  // namespace kv::wintest
