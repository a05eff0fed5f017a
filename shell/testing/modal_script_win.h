// Scripting of modal windows for the in-process Win32 tests.
//
// A test cannot answer a message box, a dialog or a popup menu itself: the
// call that opens one runs its own modal loop and returns only when the
// window closes. A ModalScript installs a thread timer that fires inside
// those loops; on each tick it looks at the innermost modal window of the
// thread (a visible, enabled "#32770" dialog or message box, or a "#32768"
// popup menu) and plays the next queued step on it. It records every such
// window it meets, and a watchdog cancels anything the script has no step for
// (after WatchdogTimeout) and reports it, so a wrong guess fails the test
// instead of hanging it.
//
//   kv::wintest::ModalScript script;
//   script.OnDialog([](HWND dlg) {
//     SetDlgItemTextA(dlg, IDC_REFERENCE, "Ge 1:1");
//     kv::wintest::ClickButton(dlg, IDOK);
//   });
//   script.AnswerMessageBox(IDYES);
//   RunTheCodeUnderTest();
//   EXPECT_TRUE(script.Ok()) << script.Describe();
//   EXPECT_EQ(script.Seen()[1].text, "Replace the note?");
//
// Actions run on the thread's own modal loop, so they must post rather than
// send anything that could close a window or open another one (ClickButton
// posts). Any number of steps may run on the same window, one per tick; a
// step added from inside an action runs after the steps already queued.
// One ModalScript per thread at a time.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kv::wintest {

enum class ModalKind {
  MessageBox,  // a "#32770" holding only statics and buttons, text in 0xFFFF
  Dialog,      // any other "#32770"
  Menu,        // a "#32768" popup menu
};

// One item of a popup menu as it was shown.
struct MenuItemState {
  UINT id = 0;  // command id as set (separators usually 0)
  std::string text;
  bool separator = false;
  bool grayed = false;  // MF_GRAYED or MF_DISABLED
  bool checked = false;
  bool submenu = false;
};

// A modal window the script met, recorded when it first became innermost.
struct SeenWindow {
  ModalKind kind = ModalKind::Dialog;
  std::string className;  // "#32770" or "#32768"
  std::string caption;    // window text; empty for menus
  std::string text;       // message text of a message box; empty otherwise
  HWND owner = nullptr;   // GW_OWNER at the time
  std::vector<MenuItemState> menuItems;  // menus only
  bool cancelled = false;  // closed by the watchdog, not by a step
};

class ModalScript {
 public:
  using WindowAction = std::function<void(HWND window)>;
  using MenuAction = std::function<void(HWND menuWindow, HMENU menu)>;

  static constexpr DWORD kDefaultWatchdogMs = 2000;

  ModalScript();
  ~ModalScript();
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  // Steps, played in the order queued. Each waits for a window of its kind
  // to be innermost; meanwhile any other window is left to the watchdog.

  // Presses the button with this id (IDOK, IDYES, ...) of a message box.
  // A box without that button fails the script.
  ModalScript& AnswerMessageBox(int buttonId);
  // Runs `action` on a message box (to check it, then close it).
  ModalScript& OnMessageBox(WindowAction action);
  // Runs `action` on a dialog that is not a message box.
  ModalScript& OnDialog(WindowAction action);
  // Runs `action` on a dialog or message box whose caption is exactly
  // `caption`: the way to reach a dialog that holds only text and buttons.
  ModalScript& OnDialog(std::string caption, WindowAction action);
  // Chooses the item with this command id from the top level of a popup
  // menu, with the keyboard as a user would. A missing, grayed or disabled
  // item fails the script and the menu is cancelled.
  ModalScript& PickMenuItem(UINT commandId);
  // Closes a popup menu without choosing anything.
  ModalScript& CancelMenu();
  // Runs `action` on a popup menu.
  ModalScript& OnMenu(MenuAction action);

  // Leaves `window` alone: a modeless dialog that stays open while the test
  // runs would otherwise count as a modal window nobody answered.
  ModalScript& Ignore(HWND window);

  // How long a window may stay innermost without a step for it.
  void SetWatchdogTimeout(DWORD milliseconds);

  // Every modal window met, in order.
  const std::vector<SeenWindow>& Seen() const;
  // What went wrong: unscripted windows, steps that could not run, actions
  // that threw. After the first failure the remaining steps are abandoned
  // and every further modal window is cancelled at once.
  const std::vector<std::string>& Failures() const;
  // Every queued step has run.
  bool Done() const;
  // Done() and no failures.
  bool Ok() const;
  // Failures, steps not run and windows seen, for a test's failure message.
  std::string Describe() const;

  struct State;  // the timer's side, in the .cpp

 private:
  std::unique_ptr<State> state_;
};

// Helpers for actions.

std::string WindowText(HWND window);
// The message of a message box (its static 0xFFFF).
std::string MessageBoxText(HWND box);
std::string ItemText(HWND dialog, int id);
// Posts the BN_CLICKED a click on button `id` would send; false when the
// dialog has no such button or it is hidden or disabled.
bool ClickButton(HWND dialog, int id);
ModalKind KindOf(HWND window);
std::vector<MenuItemState> ReadMenu(HMENU menu);
const char* KindName(ModalKind kind);

}  // namespace kv::wintest
