// The exception boundary of the program's procedures and the paint scope, on
// windows and a dialog of their own whose handlers throw what the core can
// throw: the failure is reported once, by the box of the window it belongs
// to, a failed paint still ends, and the window and the process go on.
#include "shell/guarded_procedure_win.h"

#include <gtest/gtest.h>

#include <new>

#include "resources/resource_ids.h"
#include "shell/paint_scope_win.h"
#include "shell/testing/modal_script_win.h"

namespace kv {
namespace {

using wintest::ModalKind;
using wintest::ModalScript;

constexpr char kFrameClass[] = "KelvaneGuardFrame";
constexpr char kPaneClass[] = "KelvanePaintsAndThrows";
constexpr char kFailingClass[] = "KelvaneCreationThrows";
constexpr UINT kAnswer = WM_APP + 1;  // answered 42 by a pane that still works

// What the pane's paints did; the next paint throws while `throw_next` is set.
struct PaneRecord {
  int paints = 0;
  bool throw_next = false;
  HDC thrown_dc = nullptr;  // the device context of the paint that threw
  int clip_after_throw = 0;  // GetClipBox on it once the scope was left
};
PaneRecord g_pane;

void PaintPane(HWND hwnd) {
  PaintScope paint(hwnd);
  ++g_pane.paints;
  if (g_pane.throw_next) {
    g_pane.throw_next = false;
    g_pane.thrown_dc = paint.dc();
    throw std::bad_alloc();
  }
}

LRESULT CALLBACK PaneProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      try {
        PaintPane(hwnd);
      } catch (const std::bad_alloc&) {
        // Looked at before anything else can take a device context: once
        // EndPaint has given a paint's context back, it can no longer be
        // drawn on.
        RECT clip;
        g_pane.clip_after_throw = GetClipBox(g_pane.thrown_dc, &clip);
        throw;
      }
      return 0;
    case kAnswer:
      return 42;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK FailingCreationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) throw std::bad_alloc();
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The About template with an OK button whose first press throws.
struct AboutRecord {
  int presses = 0;
};

INT_PTR CALLBACK ThrowingAboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* record = reinterpret_cast<AboutRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (++record->presses == 1) throw std::bad_alloc();
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

void RegisterTestClass(const char* name, WNDPROC procedure) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  wc.lpszClassName = name;
  RegisterClassExA(&wc);
}

// A visible frame with one pane that paints through PaintScope, both behind
// the program's boundary.
class GuardedProcedure : public ::testing::Test {
 protected:
  void SetUp() override {
    g_pane = PaneRecord{};
    RegisterTestClass(kFrameClass, GuardedWindowProc<FrameProc>);
    RegisterTestClass(kPaneClass, GuardedWindowProc<PaneProc>);
    RegisterTestClass(kFailingClass, GuardedWindowProc<FailingCreationProc>);
    frame_ = CreateWindowExA(0, kFrameClass, "Guard test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 240,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, frame_);
    pane_ = CreateWindowExA(0, kPaneClass, "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 120, frame_, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, pane_);
    UpdateWindow(frame_);
  }

  void TearDown() override {
    if (frame_) DestroyWindow(frame_);
    for (const char* name : {kFrameClass, kPaneClass, kFailingClass}) UnregisterClassA(name, GetModuleHandleA(nullptr));
  }

  // Repaints the pane now.
  void Repaint() {
    InvalidateRect(pane_, nullptr, TRUE);
    UpdateWindow(pane_);
  }

  // Runs the messages waiting, at most `limit` of them: a window whose
  // paint never ended would be sent WM_PAINT without end.
  static void RunWaitingMessages(int limit = 200) {
    MSG msg;
    for (int n = 0; n < limit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) DispatchMessageA(&msg);
  }

  HWND frame_ = nullptr;
  HWND pane_ = nullptr;
};

TEST_F(GuardedProcedure, APaintThatThrowsStillEndsAndIsReportedOnceByTheTopWindowsBox) {
  ModalScript script;
  script.OnMessageBox([](HWND box) { wintest::ClickButton(box, IDOK); });
  g_pane.throw_next = true;
  Repaint();
  EXPECT_TRUE(script.Ok()) << script.Describe();
  ASSERT_NE(nullptr, g_pane.thrown_dc);
  EXPECT_EQ(ERROR, g_pane.clip_after_throw) << "the paint that threw was not ended";
  ASSERT_EQ(1u, script.Seen().size());
  EXPECT_EQ(ModalKind::MessageBox, script.Seen()[0].kind);
  EXPECT_EQ("Error", script.Seen()[0].caption);
  EXPECT_EQ("Out of memory", script.Seen()[0].text);
  EXPECT_EQ(frame_, script.Seen()[0].owner);
}

TEST_F(GuardedProcedure, AWindowGoesOnAfterItsPaintThrew) {
  {
    ModalScript script;
    script.AnswerMessageBox(IDOK);
    g_pane.throw_next = true;
    Repaint();
    EXPECT_TRUE(script.Ok()) << script.Describe();
  }
  ModalScript quiet;  // no box may come now
  RunWaitingMessages();
  const int paints = g_pane.paints;
  Repaint();
  RunWaitingMessages();
  EXPECT_EQ(FALSE, GetUpdateRect(pane_, nullptr, FALSE));
  EXPECT_GT(g_pane.paints, paints);
  EXPECT_LT(g_pane.paints, paints + 10);  // painted again, and not for ever
  EXPECT_EQ(42, SendMessageA(pane_, kAnswer, 0, 0));
  EXPECT_TRUE(quiet.Seen().empty()) << quiet.Describe();
}

TEST_F(GuardedProcedure, ACreationThatThrowsMakesNoWindow) {
  ModalScript script;
  script.OnMessageBox([](HWND box) { wintest::ClickButton(box, IDOK); });
  HWND created = CreateWindowExA(0, kFailingClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
  EXPECT_EQ(nullptr, created);
  EXPECT_TRUE(script.Ok()) << script.Describe();
  ASSERT_EQ(1u, script.Seen().size());
  EXPECT_EQ("Out of memory", script.Seen()[0].text);
}

TEST_F(GuardedProcedure, ADialogWhoseHandlerThrowsOwnsTheBoxAndStaysOpen) {
  AboutRecord record;
  HWND dialog = nullptr;
  ModalScript script;
  // Only text and buttons: the kit knows the About box by its caption.
  script.OnDialog("About Kelvane95", [&](HWND shown) {
    dialog = shown;
    wintest::ClickButton(shown, IDOK);
  });
  script.OnMessageBox([](HWND box) { wintest::ClickButton(box, IDOK); });
  script.OnDialog("About Kelvane95", [](HWND shown) { wintest::ClickButton(shown, IDOK); });
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), IDD_ABOUT, frame_,
                                         GuardedDialogProc<ThrowingAboutProc>, reinterpret_cast<LPARAM>(&record));
  EXPECT_EQ(IDOK, result);
  EXPECT_EQ(2, record.presses);
  EXPECT_TRUE(script.Ok()) << script.Describe();
  ASSERT_EQ(2u, script.Seen().size());  // the dialog is recorded once, then the box
  EXPECT_EQ("Out of memory", script.Seen()[1].text);
  EXPECT_EQ(dialog, script.Seen()[1].owner);
}

}  // namespace
}  // namespace kv
