// A long random walk through the real windows: a seeded stream of menu
// commands, accelerators, keys, clicks, drags, double clicks, wheel turns
// and resizes, with every dialog, message box and popup menu that appears
// answered by its controls (random good and bad text, random buttons), and
// notes typed and saved whenever the note editor is open. Afterwards the
// program must still answer, end cleanly, have written settings that read
// back as they were, and hold every note it saved in its files.
//
// The commands come from the live menu bar and the whole command range of
// resources/resource_ids.h, the keys from the live accelerator table, and
// dialogs are answered by what controls they have, so windows that are
// added later are walked through without changing this file.
//
// KELVANE_SOAK_ACTIONS (default 500) and KELVANE_SOAK_SEED (default 1795)
// set the length and the stream, KELVANE_SOAK_TRACE=1 prints each action;
// scripts/soak.sh runs a long one.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "notes/note_files.h"
#include "passage/passage_window_win.h"
#include "platform/files.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/program_win.h"
#include "shell/settings_location.h"
#include "shell/settings_location_win.h"
#include "shell/shell_ports_win.h"
#include "shell/testing/modal_script_win.h"
#include "shell/testing/program_test_win.h"
#include "store/verse_address.h"

namespace kv {
namespace {

using wintest::ClickButton;
using wintest::KindOf;
using wintest::ModalKind;

constexpr UINT kTickMs = 10;
constexpr int kStartTicks = 600;        // the main window comes up within six seconds
constexpr int kStuckDialogTicks = 40;   // a dialog that will not close is cancelled, then ended
constexpr int kStuckMenuTicks = 12;
constexpr int kDisabledTicks = 300;     // the main window disabled with no dialog to answer

int EnvNumber(const char* name, int fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::atoi(text) : fallback;
}

class Random {
 public:
  explicit Random(unsigned seed) : engine_(seed) {}
  int Below(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(engine_); }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  bool Percent(int p) { return Below(100) < p; }
  template <typename T>
  const T& Pick(const std::vector<T>& items) { return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))]; }

 private:
  std::mt19937 engine_;
};

const std::vector<std::string> kGoodTexts = {
    "Ge 1:1", "John 3:16", "Jn 3:16", "Ps 23", "Psalms 119:105", "Re 22:21", "Mt 5:3-12", "Ge 1:1-Ex 2:5",
    "faith", "love", "God", "in the beginning", "faith hope charity", "Jesus wept", "1", "12", "soak.txt",
    "My Notes", "Soak Set", "Isaiah 53", "Ro 8:28", "1 Co 13:4-7"};

std::string BadText(Random& rng) {
  static const std::vector<std::string> fixed = {
      "", " ", "xyz 99:99", "Ge 0:0", "Ge 51:1", "999", "-5", "\"", "*", "a<b>|c", "Ge 1:1 -", "Jn 3:16-Jn 3:1",
      "C:\\no\\such\\folder\\x.txt", "CON", "..", "#", "{}", "[[", "]]", "\xB6\xB6", "Re 22:22", "0:0"};
  if (rng.Percent(70)) return rng.Pick(fixed);
  std::string text(static_cast<std::size_t>(rng.Between(1, rng.Percent(20) ? 400 : 40)), ' ');
  for (char& c : text) c = static_cast<char>(rng.Between(32, 255));
  return text;
}

std::string RandomText(Random& rng) { return rng.Percent(55) ? rng.Pick(kGoodTexts) : BadText(rng); }

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(window, &text[0], length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// A note the soak saw saved: its set (by name), its verse and its text.
struct SavedNote {
  std::string set;
  VerseIndex verse;
  std::string text;
};

struct Tally {
  std::map<std::string, int> actions;
  int dialog_answers = 0;
  int message_boxes = 0;
  int menus = 0;
  int forced_closes = 0;
  int menu_mode_left = 0;  // the menu bar found in menu mode with no popup open
  std::set<std::string> box_texts;
  std::set<std::string> dialogs;
  std::vector<std::string> failures;
};

// The soak's side of the timer: the timer callback takes no context.
struct Driver {
  explicit Driver(unsigned seed) : rng(seed) {}
  Random rng;
  int target = 0;
  int done = 0;
  int start_ticks = 0;
  bool in_tick = false;
  bool answering_nested = false;
  bool finished = false;
  HWND modal = nullptr;
  int modal_ticks = 0;
  int disabled_ticks = 0;
  Tally tally;
  // Notes: a save waiting to be seen through, and every save seen.
  bool save_pending = false;
  SavedNote pending;
  std::map<std::pair<std::string, VerseIndex>, std::string> saved;
  std::vector<std::string> set_names;
  // The note the editor was open on at the last tick, if it was.
  bool editing = false;
  std::pair<std::string, VerseIndex> edited;
  std::string edited_text;
  // What the settings file must hold after the exit.
  ShellSettings expected_shell;
  std::uint8_t expected_paragraph = 0, expected_italics = 0;
};

Driver* g_driver = nullptr;

// KELVANE_SOAK_TRACE=1 prints every action as it is taken, so that the
// last lines before a crash say what led to it.
bool g_trace = false;
void Trace(const char* format, ...) {
  if (!g_trace) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(stdout, format, args);
  va_end(args);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void SetModifiers(bool ctrl, bool alt, bool shift) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
  keys[VK_MENU] = keys[VK_LMENU] = alt ? 0x80 : 0;
  keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
}

// Whether a user could type into `window`: shown, with room for text.
bool Usable(HWND window) {
  RECT client = {};
  return window && IsWindowVisible(window) && GetClientRect(window, &client) && client.right > 0 &&
         client.bottom > 0;
}

HWND KeyTarget() {
  HWND focus = GetFocus();
  return focus ? focus : Windows().main;
}

// A key as the keyboard sends it; with Alt alone the key-downs are system
// keys and the Alt key goes down first and comes up before the key.
void PostKey(UINT key, bool ctrl, bool alt, bool shift) {
  SetModifiers(ctrl, alt, shift);
  HWND target = KeyTarget();
  const LPARAM down = 1, up = static_cast<LPARAM>(0xC0000001u);
  if (alt && !ctrl) {
    constexpr LPARAM kAltContext = 0x20000000;
    PostMessageA(target, WM_SYSKEYDOWN, VK_MENU, down | kAltContext);
    PostMessageA(target, WM_SYSKEYDOWN, key, down | kAltContext);
    PostMessageA(target, WM_SYSKEYUP, VK_MENU, up);
    PostMessageA(target, WM_KEYUP, key, up);
    return;
  }
  PostMessageA(target, WM_KEYDOWN, key, down);
  PostMessageA(target, WM_KEYUP, key, up);
}

// --- Finding and answering modal windows -----------------------------------

struct ThreadWindows {
  HWND menu = nullptr;
  HWND dialog = nullptr;  // the first visible, enabled "#32770"
  HWND other = nullptr;   // any other visible, enabled top-level window but the main one
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
  auto* found = reinterpret_cast<ThreadWindows*>(lParam);
  if (!IsWindowVisible(window)) return TRUE;
  const std::string name = ClassOf(window);
  if (name == "#32768") {
    if (!found->menu) found->menu = window;
  } else if (name == "#32770") {
    if (!found->dialog && IsWindowEnabled(window)) found->dialog = window;
  } else if (window != Windows().main && IsWindowEnabled(window) && !found->other &&
             name != "tooltips_class32") {
    found->other = window;
  }
  return TRUE;
}

ThreadWindows FindThreadWindows() {
  ThreadWindows found;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

struct Controls {
  std::vector<HWND> edits, combos, lists, checks, buttons;
};

BOOL CALLBACK CollectControl(HWND window, LPARAM lParam) {
  auto* controls = reinterpret_cast<Controls*>(lParam);
  if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
  const std::string name = ClassOf(window);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  if (name == "Edit" || name == "RICHEDIT" || name == "RichEdit20A") {
    if (!(style & ES_READONLY)) controls->edits.push_back(window);
  } else if (name == "ComboBox") {
    controls->combos.push_back(window);
  } else if (name == "ListBox") {
    controls->lists.push_back(window);
  } else if (name == "Button") {
    const LONG type = style & BS_TYPEMASK;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
        type == BS_3STATE || type == BS_AUTO3STATE) {
      controls->checks.push_back(window);
    } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
      controls->buttons.push_back(window);
    }
  }
  return TRUE;
}

Controls ControlsOf(HWND dialog) {
  Controls controls;
  EnumChildWindows(dialog, CollectControl, reinterpret_cast<LPARAM>(&controls));
  return controls;
}

void PressButton(HWND dialog, HWND button) {
  const int id = GetDlgCtrlID(button);
  Trace("  presses %d in \"%s\"", id, TextOf(dialog).c_str());
  HWND parent = GetParent(button);
  PostMessageA(parent ? parent : dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void AnswerMessageBox(Driver& d, HWND box) {
  if (d.modal_ticks == 0) {
    ++d.tally.message_boxes;
    char text[256] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    d.tally.box_texts.insert(TextOf(box) + ": " + text);
  }
  const Controls controls = ControlsOf(box);
  if (controls.buttons.empty() || d.modal_ticks > kStuckDialogTicks / 2) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return;
  }
  PressButton(box, d.rng.Pick(controls.buttons));
}

void FillDialog(Driver& d, const Controls& controls) {
  for (HWND edit : controls.edits)
    if (d.rng.Percent(70)) SetWindowTextA(edit, RandomText(d.rng).c_str());
  for (HWND combo : controls.combos) {
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    if (count > 0 && d.rng.Percent(50)) {
      SendMessageA(combo, CB_SETCURSEL, d.rng.Below(count), 0);
      PostMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
    }
  }
  for (HWND list : controls.lists) {
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (count <= 0 || !d.rng.Percent(50)) continue;
    const LONG style = GetWindowLongA(list, GWL_STYLE);
    const int item = d.rng.Below(count);
    if (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) SendMessageA(list, LB_SETSEL, TRUE, item);
    else SendMessageA(list, LB_SETCURSEL, item, 0);
    PostMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  }
  for (HWND check : controls.checks)
    if (d.rng.Percent(30)) PostMessageA(check, BM_CLICK, 0, 0);
}

void AnswerDialog(Driver& d, HWND dialog) {
  if (d.modal_ticks == 0) {
    ++d.tally.dialog_answers;
    d.tally.dialogs.insert(TextOf(dialog));
  }
  if (d.modal_ticks > kStuckDialogTicks) {
    // Neither its buttons nor Cancel closed it: end it as the system would.
    ++d.tally.forced_closes;
    d.tally.failures.push_back("dialog \"" + TextOf(dialog) + "\" would not close");
    EndDialog(dialog, IDCANCEL);
    return;
  }
  if (d.modal_ticks > kStuckDialogTicks / 2) {
    if (!ClickButton(dialog, IDCANCEL)) PostMessageA(dialog, WM_CLOSE, 0, 0);
    return;
  }
  // Every few ticks a new try: new text and another button.
  if (d.modal_ticks % 3 != 0) return;
  const Controls controls = ControlsOf(dialog);
  FillDialog(d, controls);
  const int roll = d.rng.Below(100);
  if (roll < 50 && ClickButton(dialog, IDOK)) return;
  if (roll < 80 && ClickButton(dialog, IDCANCEL)) return;
  if (!controls.buttons.empty()) PressButton(dialog, d.rng.Pick(controls.buttons));
  else PostMessageA(dialog, WM_CLOSE, 0, 0);
}

void AnswerMenu(Driver& d, HWND menu) {
  if (d.modal_ticks == 0) ++d.tally.menus;
  if (d.modal_ticks > kStuckMenuTicks || d.rng.Percent(30)) {
    EndMenu();
    return;
  }
  if (d.modal_ticks % 2 != 0) return;
  HWND owner = GetWindow(menu, GW_OWNER);
  if (!owner) owner = Windows().main;
  SetModifiers(false, false, false);
  for (int n = d.rng.Between(1, 8); n > 0; --n) PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageA(owner, WM_KEYDOWN, d.rng.Percent(15) ? VK_RIGHT : VK_RETURN, 1);
}

// True when a popup menu or a dialog was there to answer.
bool AnswerOpenWindow(Driver& d, const ThreadWindows& found) {
  HWND modal = found.menu ? found.menu : found.dialog;
  if (modal != d.modal) {
    d.modal = modal;
    d.modal_ticks = 0;
  } else if (modal) {
    ++d.modal_ticks;
  }
  if (found.menu) {
    AnswerMenu(d, found.menu);
    return true;
  }
  if (found.dialog) {
    if (KindOf(found.dialog) == ModalKind::MessageBox) AnswerMessageBox(d, found.dialog);
    else AnswerDialog(d, found.dialog);
    return true;
  }
  return false;
}

// True when a modal window was there to answer (then no new action runs).
bool AnswerModal(Driver& d) {
  const ThreadWindows found = FindThreadWindows();
  if (AnswerOpenWindow(d, found)) return true;
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  if (GetGUIThreadInfo(GetCurrentThreadId(), &gui) && (gui.flags & GUI_INMENUMODE)) {
    ++d.tally.menu_mode_left;
    EndMenu();
    return true;
  }
  if (!IsWindowEnabled(Windows().main)) {
    if (++d.disabled_ticks > kDisabledTicks) {
      d.tally.failures.push_back("the main window stayed disabled with no dialog open");
      if (found.other) PostMessageA(found.other, WM_CLOSE, 0, 0);
      d.disabled_ticks = 0;
    }
    return true;
  }
  d.disabled_ticks = 0;
  return false;
}

// --- Random actions ------------------------------------------------------------

void CollectMenuCommands(HMENU menu, std::vector<int>* commands) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.hSubMenu) {
      CollectMenuCommands(info.hSubMenu, commands);
    } else if (!(info.fType & MFT_SEPARATOR) && !(info.fState & (MFS_GRAYED | MFS_DISABLED)) &&
               info.wID != CMD_EXIT) {
      commands->push_back(static_cast<int>(info.wID));
    }
  }
}

// Any number of the program's command ranges, as other windows send them
// (greyed or not), but Exit.
int AnyCommand(Random& rng) {
  switch (rng.Below(4)) {
    case 0: return rng.Between(CMD_GOTO_BOOK_FIRST, CMD_GOTO_BOOK_LAST);
    case 1: return rng.Between(CMD_GOTO_BOOKMARK_FIRST, CMD_SET_BOOKMARK_LAST);
  }
  int command;
  do command = rng.Between(CMD_SINGLE_FIRST, CMD_SINGLE_LAST);
  while (command == CMD_EXIT);
  return command;
}

void MenuCommand(Driver& d) {
  std::vector<int> commands;
  CollectMenuCommands(Windows().menu, &commands);
  const int command = commands.empty() || d.rng.Percent(10) ? AnyCommand(d.rng) : d.rng.Pick(commands);
  Trace("  command %d", command);
  PostMessageA(Windows().main, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void ToolbarButton(Driver& d) {
  HWND toolbar = Windows().toolbar;
  const int count = static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
  if (count <= 0 || !IsWindowVisible(toolbar)) return;
  TBBUTTON button = {};
  SendMessageA(toolbar, TB_GETBUTTON, d.rng.Below(count), reinterpret_cast<LPARAM>(&button));
  if (button.fsStyle & TBSTYLE_SEP) return;
  if (!(button.fsState & TBSTATE_ENABLED) || (button.fsState & TBSTATE_INDETERMINATE)) return;
  RECT rect;
  SendMessageA(toolbar, TB_GETRECT, button.idCommand, reinterpret_cast<LPARAM>(&rect));
  const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  PostMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(toolbar, WM_LBUTTONUP, 0, at);
}

void Accelerator(Driver& d) {
  HACCEL table = Windows().accelerators;
  const int count = table ? CopyAcceleratorTableA(table, nullptr, 0) : 0;
  if (count <= 0) return;
  std::vector<ACCEL> entries(static_cast<std::size_t>(count));
  CopyAcceleratorTableA(table, entries.data(), count);
  const ACCEL& entry = d.rng.Pick(entries);
  Trace("  key %d with %d", entry.key, entry.fVirt);
  PostKey(entry.key, (entry.fVirt & FCONTROL) != 0, (entry.fVirt & FALT) != 0, (entry.fVirt & FSHIFT) != 0);
}

void PlainKey(Driver& d) {
  static const std::vector<UINT> keys = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT, VK_HOME, VK_END,
                                         VK_DELETE, VK_RETURN, VK_TAB, VK_ESCAPE, VK_SPACE, VK_BACK};
  if (d.rng.Percent(25) && Usable(KeyTarget())) {
    const char letter = static_cast<char>('a' + d.rng.Below(26));
    SetModifiers(false, false, false);
    PostMessageA(KeyTarget(), WM_KEYDOWN, static_cast<WPARAM>(letter - 'a' + 'A'), 1);
    PostMessageA(KeyTarget(), WM_CHAR, static_cast<WPARAM>(letter), 1);
    return;
  }
  PostKey(d.rng.Pick(keys), d.rng.Percent(10), false, d.rng.Percent(10));
}

// The windows a user can point at now.
std::vector<HWND> PointableWindows() {
  const ShellWindows& w = Windows();
  std::vector<HWND> windows;
  for (HWND window : {w.passage, w.verse_list, w.reference_list, w.notes_display, w.note_editor, w.verse_list_tab,
                      w.passage_tab, w.note_set_tab, w.status})
    if (window && IsWindowVisible(window)) windows.push_back(window);
  if (w.note_editor_frame && IsWindowVisible(w.note_editor_frame)) {
    for (HWND child = GetWindow(w.note_editor_frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (IsWindowVisible(child)) windows.push_back(child);
  }
  return windows;
}

LPARAM RandomPoint(Random& rng, HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return MAKELPARAM(rng.Between(0, client.right > 0 ? client.right - 1 : 0),
                    rng.Between(0, client.bottom > 0 ? client.bottom - 1 : 0));
}

void Click(Driver& d, int kind) {
  const std::vector<HWND> windows = PointableWindows();
  if (windows.empty()) return;
  HWND window = d.rng.Pick(windows);
  LPARAM at = RandomPoint(d.rng, window);
  SetModifiers(false, false, d.rng.Percent(10));
  switch (kind) {
    case 0:  // click
      PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageA(window, WM_LBUTTONUP, 0, at);
      break;
    case 1:  // double click
      PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageA(window, WM_LBUTTONUP, 0, at);
      PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
      PostMessageA(window, WM_LBUTTONUP, 0, at);
      break;
    case 2:  // right click: a context menu
      PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, at);
      PostMessageA(window, WM_RBUTTONUP, 0, at);
      break;
    default:  // drag, sometimes past the edges
      PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
      for (int n = d.rng.Between(1, 6); n > 0; --n) {
        RECT client;
        GetClientRect(window, &client);
        at = MAKELPARAM(d.rng.Between(-20, client.right + 20), d.rng.Between(-20, client.bottom + 20));
        PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, at);
      }
      PostMessageA(window, WM_LBUTTONUP, 0, at);
      break;
  }
}

void WheelTurn(Driver& d) {
  static const std::vector<int> deltas = {120, -120, 240, -240, 30, -30, 40, -40, 360, -600};
  HWND target = d.rng.Percent(70) ? KeyTarget() : nullptr;
  if (!target) {
    const std::vector<HWND> windows = PointableWindows();
    if (windows.empty()) return;
    target = d.rng.Pick(windows);
  }
  const short delta = static_cast<short>(d.rng.Pick(deltas));
  PostMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(100, 100));
}

void Resize(Driver& d) {
  HWND main = Windows().main;
  if (IsIconic(main) || IsZoomed(main)) {
    ShowWindow(main, SW_RESTORE);
    return;
  }
  switch (d.rng.Below(10)) {
    case 0: ShowWindow(main, SW_MINIMIZE); return;
    case 1: ShowWindow(main, SW_MAXIMIZE); return;
  }
  SetWindowPos(main, nullptr, d.rng.Between(0, 200), d.rng.Between(0, 100), d.rng.Between(60, 1000),
               d.rng.Between(40, 740), SWP_NOZORDER);
}

std::string CurrentSetName() {
  const NotesState& notes = App().notes;
  if (notes.table.count <= 0) return "";
  return DisplayNameOf(notes.current().data_file);
}

// Types into the open note editor and saves it now and then; opens it when
// it is closed. An editor that is open but has no room (the editor frame
// does not place it) is left alone: no user could reach it.
void EditNote(Driver& d) {
  const ShellWindows& w = Windows();
  if (!App().shell.note_editor_open) {
    PostMessageA(w.main, WM_COMMAND, CMD_EDIT_NOTE, 0);
    return;
  }
  if (!Usable(w.note_editor)) return;
  if (d.rng.Percent(60)) {
    SetFocus(w.note_editor);
    SetModifiers(false, false, false);
    const std::string text = d.rng.Percent(80) ? d.rng.Pick(kGoodTexts) + " " : BadText(d.rng);
    RECT editor = {};
    GetClientRect(w.note_editor, &editor);
    DWORD sel_start = 0, sel_end = 0;
    SendMessageA(w.note_editor, EM_GETSEL, reinterpret_cast<WPARAM>(&sel_start), reinterpret_cast<LPARAM>(&sel_end));
    Trace("  types %zu characters into the note editor (holding %d, %ldx%ld, selection %lu-%lu)", text.size(),
          GetWindowTextLengthA(w.note_editor), editor.right, editor.bottom, static_cast<unsigned long>(sel_start),
          static_cast<unsigned long>(sel_end));
    if (g_trace) {
      std::string shown = TextOf(w.note_editor) + "|" + text;
      for (unsigned char c : shown) std::printf(c >= 32 && c < 127 ? "%c" : "\\x%02X", c);
      std::printf("\n");
    }
    for (char c : text) PostMessageA(w.note_editor, WM_CHAR, static_cast<unsigned char>(c), 1);
    if (d.rng.Percent(20)) PostMessageA(w.note_editor, WM_CHAR, '\r', 1);
    return;
  }
  HWND save = GetDlgItem(w.note_editor_frame, ID_NOTE_SAVE);
  if (!save || !IsWindowVisible(save) || !IsWindowEnabled(save)) return;
  d.save_pending = true;
  d.pending = {CurrentSetName(), App().notes.current_verse, TextOf(w.note_editor)};
  Trace("  saves the note of verse %d in \"%s\" (%zu characters)", d.pending.verse, d.pending.set.c_str(),
        d.pending.text.size());
  PostMessageA(w.note_editor_frame, WM_COMMAND, MAKEWPARAM(ID_NOTE_SAVE, BN_CLICKED), reinterpret_cast<LPARAM>(save));
}

// A save counts once the editor closed on it.
void SeeSaveThrough(Driver& d) {
  if (!d.save_pending) return;
  d.save_pending = false;
  if (!App().shell.note_editor_open) {
    d.saved[{d.pending.set, d.pending.verse}] = d.pending.text;
    d.editing = false;
  }
  Trace("  the save %s", App().shell.note_editor_open ? "left the editor open" : "closed the editor");
}

// The editor closed by a random click or key (its Save or Cancel button, or
// a command): the note is then as it was or as the editor held it, and the
// soak goes on expecting whichever the files hold.
void SeeEditorClosedElsewhere(Driver& d) {
  const NotesState& notes = App().notes;
  const bool open = App().shell.note_editor_open;
  if (d.editing && !open) {
    const auto& [set_name, verse] = d.edited;
    const NoteSet* set = nullptr;
    for (int i = 0; i < notes.table.count; ++i)
      if (DisplayNameOf(notes.table.sets[static_cast<std::size_t>(i)].data_file) == set_name)
        set = &notes.table.sets[static_cast<std::size_t>(i)];
    std::string stored;
    if (set && ReadNote(SystemFiles(), *set, verse, &stored)) {
      const auto known = d.saved.find(d.edited);
      if (stored == d.edited_text) {
        d.saved[d.edited] = stored;
        Trace("  the editor was closed with a save of verse %d", verse);
      } else if (known != d.saved.end() && known->second != stored) {
        d.tally.failures.push_back("the note of verse " + std::to_string(verse) + " of \"" + set_name +
                                   "\" is neither as saved before nor as the editor held it when it closed: \"" +
                                   stored + "\", saved \"" + known->second + "\", edited \"" + d.edited_text + "\"");
      }
    }
  }
  d.editing = open;
  if (open) {
    d.edited = {CurrentSetName(), notes.current_verse};
    d.edited_text = TextOf(Windows().note_editor);
  }
}

// A set that is gone (deleted or renamed) takes its saved notes with it.
void ForgetGoneSets(Driver& d) {
  std::vector<std::string> names;
  const NotesState& notes = App().notes;
  for (int i = 0; i < notes.table.count; ++i)
    names.push_back(DisplayNameOf(notes.table.sets[static_cast<std::size_t>(i)].data_file));
  if (names == d.set_names) return;
  if (g_trace) {
    std::string all;
    for (const std::string& name : names) all += " \"" + name + "\"";
    Trace("  note sets now:%s", all.c_str());
  }
  for (auto it = d.saved.begin(); it != d.saved.end();) {
    bool kept = false;
    for (const std::string& name : names) kept = kept || name == it->first.first;
    it = kept ? std::next(it) : d.saved.erase(it);
  }
  d.set_names = names;
}

void RandomAction(Driver& d) {
  struct Kind {
    const char* name;
    int weight;
  };
  static const Kind kinds[] = {{"menu command", 22}, {"toolbar button", 6}, {"accelerator", 14}, {"key", 14},
                               {"click", 9}, {"double click", 5}, {"right click", 4}, {"drag", 7},
                               {"wheel", 7}, {"resize", 3}, {"note", 9}};
  int total = 0;
  for (const Kind& kind : kinds) total += kind.weight;
  int roll = d.rng.Below(total), chosen = 0;
  while (roll >= kinds[chosen].weight) roll -= kinds[chosen++].weight;
  ++d.tally.actions[kinds[chosen].name];
  HWND focus = GetFocus();
  char focus_class[64] = "";
  if (focus) GetClassNameA(focus, focus_class, sizeof focus_class);
  Trace("%d %s (focus %s, editor %s)", d.done, kinds[chosen].name, focus_class,
        App().shell.note_editor_open ? "open" : "closed");
  switch (chosen) {
    case 0: MenuCommand(d); break;
    case 1: ToolbarButton(d); break;
    case 2: Accelerator(d); break;
    case 3: PlainKey(d); break;
    case 4: Click(d, 0); break;
    case 5: Click(d, 1); break;
    case 6: Click(d, 2); break;
    case 7: Click(d, 3); break;
    case 8: WheelTurn(d); break;
    case 9: Resize(d); break;
    default: EditNote(d); break;
  }
}

// --- The end ---------------------------------------------------------------------

void CheckSavedNotes(Driver& d) {
  NotesState fresh;
  NoNotesView view;
  NotesPorts ports{SystemFiles(), ShellMessages(), view, App().store.bible};
  DiscoverNoteSets(fresh, ports);
  for (const auto& [key, text] : d.saved) {
    const auto& [set_name, verse] = key;
    const NoteSet* set = nullptr;
    for (int i = 0; i < fresh.table.count; ++i)
      if (DisplayNameOf(fresh.table.sets[static_cast<std::size_t>(i)].data_file) == set_name)
        set = &fresh.table.sets[static_cast<std::size_t>(i)];
    if (!set) {
      d.tally.failures.push_back("note set \"" + set_name + "\" of a saved note is not in the files");
      continue;
    }
    std::string stored;
    if (!ReadNote(SystemFiles(), *set, verse, &stored) || stored != text)
      d.tally.failures.push_back("the note saved on verse " + std::to_string(verse) + " of \"" + set_name +
                                 "\" is not in the files as saved");
  }
}

void Finish(Driver& d) {
  d.finished = true;
  HWND main = Windows().main;
  SetModifiers(false, false, false);
  if (IsIconic(main) || IsZoomed(main)) ShowWindow(main, SW_RESTORE);
  // Still answering: a command runs and the passage follows it.
  SendMessageA(main, WM_COMMAND, CMD_GOTO_BOOK_FIRST + 18, 0);  // Psalms
  if (App().passage.CurrentVerse != FindVerse(App().store.bible, 19, 1, 1))
    d.tally.failures.push_back("Go to Book no longer moves the passage");
  if (!IsWindowEnabled(main)) d.tally.failures.push_back("the main window is disabled at the end");
  SeeSaveThrough(d);
  // An edit still open would be asked about at the close, with no tick left
  // to answer; the question has tests of its own.
  if (App().shell.note_editor_open) {
    HWND cancel = GetDlgItem(Windows().note_editor_frame, ID_NOTE_CANCEL);
    SendMessageA(Windows().note_editor_frame, WM_COMMAND, MAKEWPARAM(ID_NOTE_CANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(cancel));
    if (App().shell.note_editor_open) d.tally.failures.push_back("Cancel left the note editor open");
  }
  ForgetGoneSets(d);
  CheckSavedNotes(d);
  d.expected_shell = App().shell;
  d.expected_paragraph = App().passage.ParagraphFormat;
  d.expected_italics = App().passage.Italics;
  PostMessageA(main, WM_CLOSE, 0, 0);
}

// A dialog, message box or menu that opened under an action still under way
// (a command sent from the tick, or the closing at the end) is answered from
// inside it, as a user would answer it; nothing else runs until the action
// is over.
void AnswerNested(Driver& d) {
  if (d.answering_nested) return;
  d.answering_nested = true;
  AnswerOpenWindow(d, FindThreadWindows());
  d.answering_nested = false;
}

void CALLBACK SoakTick(HWND, UINT, UINT_PTR timer, DWORD) {
  Driver* d = g_driver;
  if (!d) return;
  if (d->in_tick || d->finished) {
    AnswerNested(*d);
    return;
  }
  HWND main = Windows().main;
  if (!main || !IsWindowVisible(main)) {
    if (++d->start_ticks > kStartTicks) {
      KillTimer(nullptr, timer);
      d->tally.failures.push_back("the main window never came up");
      PostQuitMessage(1);
    }
    return;
  }
  d->in_tick = true;
  SetModifiers(false, false, false);
  if (!AnswerModal(*d)) {
    SeeSaveThrough(*d);
    SeeEditorClosedElsewhere(*d);
    ForgetGoneSets(*d);
    if (d->done >= d->target) Finish(*d);
    else {
      RandomAction(*d);
      ++d->done;
    }
  }
  d->in_tick = false;
}

// Every exception raised while the soak runs is counted and reported where
// it was raised, with the return addresses above it (module and offset; for
// the test program, addr2line at 0x140000000 plus the offset). Wine swallows
// a fault inside a window procedure called back from the system, and the
// damage it leaves shows only later and elsewhere, so the first fault is the
// one that tells. Debug output and thread names travel as exceptions too;
// they are not faults.
constexpr DWORD kDebugPrintWide = 0x4001000A;
constexpr DWORD kThreadName = 0x406D1388;
constexpr int kFaultsReported = 5;
int g_faults = 0;

LONG CALLBACK ReportFault(EXCEPTION_POINTERS* info) {
  const DWORD code = info->ExceptionRecord->ExceptionCode;
  if (code == DBG_PRINTEXCEPTION_C || code == kDebugPrintWide || code == kThreadName) return EXCEPTION_CONTINUE_SEARCH;
  if (++g_faults > kFaultsReported) return EXCEPTION_CONTINUE_SEARCH;
  std::printf("soak: exception %08lx at %p after %d actions, raised from:\n", static_cast<unsigned long>(code),
              info->ExceptionRecord->ExceptionAddress, g_driver ? g_driver->done : -1);
  void* frames[40];
  const USHORT count = RtlCaptureStackBackTrace(1, 40, frames, nullptr);
  for (USHORT n = 0; n < count; ++n) {
    HMODULE module = nullptr;
    char name[MAX_PATH] = "?";
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(frames[n]), &module))
      GetModuleFileNameA(module, name, sizeof name);
    const char* file = std::strrchr(name, '\\');
    std::printf("  %-24s +0x%llx\n", file ? file + 1 : name,
                static_cast<unsigned long long>(static_cast<const char*>(frames[n]) -
                                                reinterpret_cast<const char*>(module)));
  }
  std::fflush(stdout);
  return EXCEPTION_CONTINUE_SEARCH;
}

class Soak : public wintest::ProgramTest {};

int ReadInt(const std::string& file, const char* section, const char* key) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, -12345, file.c_str()));
}

TEST_F(Soak, RandomActionsLeaveTheProgramWholeAndItsFilesTrue) {
  const unsigned seed = static_cast<unsigned>(EnvNumber("KELVANE_SOAK_SEED", 1795));
  Driver driver(seed);
  driver.target = EnvNumber("KELVANE_SOAK_ACTIONS", 500);
  g_trace = EnvNumber("KELVANE_SOAK_TRACE", 0) != 0;
  g_driver = &driver;
  void* const reporter = AddVectoredExceptionHandler(1, ReportFault);
  const ULONGLONG started = GetTickCount64();
  const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, SoakTick);
  const int code = RunProgram(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
  KillTimer(nullptr, timer);
  RemoveVectoredExceptionHandler(reporter);
  g_driver = nullptr;
  const double seconds = static_cast<double>(GetTickCount64() - started) / 1000.0;

  std::printf("soak: seed %u, %d actions in %.1f s\n", seed, driver.done, seconds);
  for (const auto& [name, count] : driver.tally.actions) std::printf("  %-16s %d\n", name.c_str(), count);
  std::printf("  dialogs answered %d (%zu kinds), message boxes %d, popup menus %d, forced closes %d\n",
              driver.tally.dialog_answers, driver.tally.dialogs.size(), driver.tally.message_boxes,
              driver.tally.menus, driver.tally.forced_closes);
  for (const std::string& dialog : driver.tally.dialogs) std::printf("  dialog: %s\n", dialog.c_str());
  for (const std::string& box : driver.tally.box_texts) std::printf("  box: %.120s\n", box.c_str());
  std::printf("  notes saved and checked: %zu\n", driver.saved.size());

  EXPECT_EQ(0, code) << "the program's exit code";
  EXPECT_TRUE(driver.finished) << "the program ended before the soak did, after " << driver.done << " actions";
  EXPECT_EQ(driver.target, driver.done);
  EXPECT_EQ(0, driver.tally.menu_mode_left) << "the menu bar was left in menu mode";
  EXPECT_EQ(0, g_faults) << "exceptions were raised (reported above)";
  for (const std::string& failure : driver.tally.failures) ADD_FAILURE() << failure;

  // The settings file reads back as the program held them at its end.
  SettingsFileSystem files;
  files.exists = [](const std::string& file) { return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; };
  const std::string file = SettingsFileToRead(ProgramSettingsLocation(), files);
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str())) << "no settings file: " << file;
  const ShellSettings& s = driver.expected_shell;
  EXPECT_EQ(s.VerseListWindow, ReadInt(file, "VIEW", "VerseListWindow"));
  EXPECT_EQ(s.ReadWindow, ReadInt(file, "VIEW", "ReadWindow"));
  EXPECT_EQ(s.NotesWindow, ReadInt(file, "VIEW", "NotesWindow"));
  EXPECT_EQ(s.ToolBar, ReadInt(file, "VIEW", "ToolBar"));
  for (int n = 1; n <= kBookmarkCount; ++n)
    EXPECT_EQ(s.Bookmarks[static_cast<std::size_t>(n - 1)], ReadInt(file, "BOOKMARKS", std::to_string(n).c_str()))
        << "bookmark " << n;
  EXPECT_EQ(static_cast<std::int8_t>(driver.expected_paragraph), ReadInt(file, "OPTIONS", "Paragraph Format"));
  EXPECT_EQ(static_cast<std::int8_t>(driver.expected_italics), ReadInt(file, "OPTIONS", "Italics"));
  EXPECT_EQ(App().passage.CurrentVerse, ReadInt(file, "MISC", "ReadVerse"));
}

}  // namespace
}  // namespace kv
