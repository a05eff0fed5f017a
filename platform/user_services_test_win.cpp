// The user-services port over real message boxes: each question shows the
// buttons it asks with, the button pressed comes back as the answer, and the
// box belongs to the window the port was given (the main window, or the
// dialog that raised it).
#include "platform/user_services_win.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/testing/modal_script_win.h"

namespace kv {
namespace {

using wintest::ModalScript;

constexpr char kOwnerClass[] = "KelvaneUserServicesOwner";

class MessageBoxPort : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = kOwnerClass;
    RegisterClassA(&window_class);  // fails harmlessly when already registered
    for (HWND* window : {&first_, &second_}) {
      *window = CreateWindowExA(0, kOwnerClass, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 60, 400, 300,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
      ASSERT_NE(*window, nullptr);
    }
  }

  void TearDown() override {
    for (HWND window : {first_, second_})
      if (window) DestroyWindow(window);
  }

  HWND first_ = nullptr;
  HWND second_ = nullptr;
};

TEST_F(MessageBoxPort, EachQuestionShowsItsButtonsAndAnswersTheOnePressed) {
  struct Row {
    const char* name;
    MessageButtons buttons;
    int shown[2];  // the box's buttons (0: none)
    int absent;    // a button it must not have
    int pressed;
    MessageAnswer answer;
  } rows[] = {
      {"OK", MessageButtons::Ok, {IDOK, 0}, IDCANCEL, IDOK, MessageAnswer::Ok},
      {"Retry of Retry/Cancel", MessageButtons::RetryCancel, {IDRETRY, IDCANCEL}, IDOK, IDRETRY,
       MessageAnswer::Retry},
      {"Cancel of Retry/Cancel", MessageButtons::RetryCancel, {IDRETRY, IDCANCEL}, IDOK, IDCANCEL,
       MessageAnswer::Cancel},
      {"Yes of Yes/No", MessageButtons::YesNo, {IDYES, IDNO}, IDCANCEL, IDYES, MessageAnswer::Yes},
      {"No of Yes/No", MessageButtons::YesNo, {IDYES, IDNO}, IDCANCEL, IDNO, MessageAnswer::No},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ModalScript script;
    bool has_buttons = true, has_absent = false;
    script.OnMessageBox([&](HWND box) {
      for (int id : row.shown)
        if (id && !GetDlgItem(box, id)) has_buttons = false;
      has_absent = GetDlgItem(box, row.absent) != nullptr;
      wintest::ClickButton(box, row.pressed);
    });
    MessageBoxServices port(first_);
    const MessageAnswer answer =
        port.Ask(Message{"Save Error", "Error in writing to file", MessageIcon::Error, row.buttons});
    ASSERT_TRUE(script.Ok()) << script.Describe();
    ASSERT_EQ(script.Seen().size(), 1u);
    EXPECT_EQ(script.Seen()[0].caption, "Save Error");
    EXPECT_EQ(script.Seen()[0].text, "Error in writing to file");
    EXPECT_TRUE(has_buttons);
    EXPECT_FALSE(has_absent);
    EXPECT_EQ(answer, row.answer);
  }
}

TEST_F(MessageBoxPort, TheBoxBelongsToTheWindowThePortWasGiven) {
  MessageBoxServices port(first_);
  ModalScript script;
  script.AnswerMessageBox(IDOK).AnswerMessageBox(IDOK);
  port.Tell("Error", "Unrecognized Refrence", MessageIcon::Error);
  // The shell's own port follows its main window when that is made anew.
  port.SetOwner(second_);
  port.Tell("Copy Error", "Could not open Clipboard", MessageIcon::Error);
  ASSERT_TRUE(script.Ok()) << script.Describe();
  ASSERT_EQ(script.Seen().size(), 2u);
  EXPECT_EQ(script.Seen()[0].owner, first_);
  EXPECT_EQ(script.Seen()[1].owner, second_);
  EXPECT_EQ(script.Seen()[1].caption, "Copy Error");
}

TEST_F(MessageBoxPort, ABoxWithoutCaptionGetsTheSystemsDefault) {
  ModalScript script;
  script.AnswerMessageBox(IDOK);
  MessageBoxServices(first_).Tell(nullptr, "Out of memory", MessageIcon::Error);
  ASSERT_TRUE(script.Ok()) << script.Describe();
  ASSERT_EQ(script.Seen().size(), 1u);
  EXPECT_EQ(script.Seen()[0].caption, "Error");
  EXPECT_EQ(script.Seen()[0].text, "Out of memory");
}

}  // namespace
}  // namespace kv
