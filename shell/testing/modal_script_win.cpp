// The timer side of ModalScript: on each tick, find the innermost modal
// window of the thread, record it, and play the next step on it or let the
// watchdog deal with it.
#include "shell/testing/modal_script_win.h"

#include <deque>
#include <exception>
#include <sstream>
#include <utility>

#include "platform/text_util.h"

namespace kv::wintest {
namespace {

// Short enough that a scripted test spends little time waiting, long enough
// that the code under test gets the messages it posts handled in between.
constexpr UINT kTickMs = 15;
// User32 gives the message text of a box this id.
constexpr int kMessageBoxTextId = 0xFFFF;
// A cancelled window that ignores IDCANCEL is ended by force after this.
constexpr ULONGLONG kForceEndMs = 500;
constexpr int kClassNameSize = 64;
constexpr int kMenuTextSize = 256;

enum class StepResult { Done, Again, Failed };

std::string ClassOf(HWND window) {
  char name[kClassNameSize];
  int n = GetClassNameA(window, name, kClassNameSize);
  return std::string(name, n > 0 ? n : 0);
}

const char* ButtonName(int id) {
  switch (id) {
    case IDOK: return "IDOK";
    case IDCANCEL: return "IDCANCEL";
    case IDABORT: return "IDABORT";
    case IDRETRY: return "IDRETRY";
    case IDIGNORE: return "IDIGNORE";
    case IDYES: return "IDYES";
    case IDNO: return "IDNO";
    default: return nullptr;
  }
}

std::string ButtonText(int id) {
  const char* name = ButtonName(id);
  return name ? std::string(name) : std::to_string(id);
}

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

std::string HandleText(HWND window) {
  std::ostringstream out;
  out << "0x" << std::hex << reinterpret_cast<UINT_PTR>(window);
  return out.str();
}

std::string DescribeSeen(const SeenWindow& seen) {
  std::string s = KindName(seen.kind);
  if (seen.kind == ModalKind::Menu) {
    s += " [";
    for (std::size_t i = 0; i < seen.menuItems.size(); ++i) {
      const MenuItemState& item = seen.menuItems[i];
      if (i) s += ", ";
      s += item.separator ? std::string("-") : Quote(item.text);
      if (item.grayed) s += " (grayed)";
    }
    s += "]";
  } else {
    s += " " + Quote(seen.caption);
    if (seen.kind == ModalKind::MessageBox) s += ": " + Quote(seen.text);
  }
  return s;
}

int OwnerDepth(HWND window) {
  int depth = 0;
  for (HWND w = GetWindow(window, GW_OWNER); w; w = GetWindow(w, GW_OWNER)) ++depth;
  return depth;
}

struct ThreadWindows {
  const std::vector<HWND>* ignored;
  HWND menu = nullptr;
  HWND dialog = nullptr;
  int dialogDepth = -1;
};

BOOL CALLBACK CollectModal(HWND window, LPARAM lParam) {
  auto* found = reinterpret_cast<ThreadWindows*>(lParam);
  if (!IsWindowVisible(window)) return TRUE;
  for (HWND ignored : *found->ignored) {
    if (ignored == window) return TRUE;
  }
  std::string name = ClassOf(window);
  if (name == "#32768") {
    // Windows are listed top of the z-order first: the first menu is the
    // innermost submenu when several are open.
    if (!found->menu) found->menu = window;
  } else if (name == "#32770" && IsWindowEnabled(window)) {
    // An open modal window disables its owner, so normally one dialog is
    // left; with modeless ones about, the most deeply owned is innermost.
    int depth = OwnerDepth(window);
    if (depth > found->dialogDepth) {
      found->dialog = window;
      found->dialogDepth = depth;
    }
  }
  return TRUE;
}

// The window a user would be answering now, or null.
HWND InnermostModal(const std::vector<HWND>& ignored) {
  ThreadWindows found{&ignored};
  EnumThreadWindows(GetCurrentThreadId(), CollectModal, reinterpret_cast<LPARAM>(&found));
  return found.menu ? found.menu : found.dialog;
}

struct ChildCensus {
  bool hasText = false;
  bool onlyTextAndButtons = true;
};

BOOL CALLBACK CountChild(HWND child, LPARAM lParam) {
  auto* census = reinterpret_cast<ChildCensus*>(lParam);
  std::string name = ClassOf(child);
  bool isStatic = EqualsIgnoringAsciiCase(name.c_str(), "Static");
  if (isStatic && GetDlgCtrlID(child) == kMessageBoxTextId) census->hasText = true;
  if (!isStatic && !EqualsIgnoringAsciiCase(name.c_str(), "Button")) census->onlyTextAndButtons = false;
  return TRUE;
}

HMENU MenuOf(HWND menuWindow) {
  return reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
}

// Where keys for a popup menu go: its tracking loop reads the whole thread
// queue, and the owner is the window a real key press would be sent to.
HWND KeyTarget(HWND menuWindow) {
  HWND owner = GetWindow(menuWindow, GW_OWNER);
  return owner ? owner : menuWindow;
}

int HighlightedItem(HMENU menu) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (GetMenuState(menu, i, MF_BYPOSITION) & MF_HILITE) return i;
  }
  return -1;
}

bool IsSeparator(HMENU menu, int position) {
  return (GetMenuState(menu, position, MF_BYPOSITION) & MF_SEPARATOR) != 0;
}

}  // namespace

struct ModalScript::State {
  struct Step {
    std::string description;
    ModalKind kind = ModalKind::Dialog;
    bool byCaption = false;  // matches any "#32770" with this caption
    std::string caption;
    ULONGLONG startedAt = 0;  // first run, for steps that take several ticks
    std::function<StepResult(HWND window, std::string* why)> run;
  };

  struct LiveWindow {
    HWND window;
    std::size_t seenIndex;
  };

  UINT_PTR timer = 0;
  DWORD watchdogMs = kDefaultWatchdogMs;
  std::deque<Step> steps;
  int running = 0;  // steps taken off the queue whose action has not returned
  std::vector<SeenWindow> seen;
  std::vector<LiveWindow> live;  // seen windows that still exist
  std::vector<std::string> failures;
  std::vector<HWND> ignored;
  bool aborted = false;
  HWND waitingOn = nullptr;  // innermost window with no step for it yet
  ULONGLONG waitingSince = 0;
  HWND cancelling = nullptr;
  ULONGLONG cancelAskedAt = 0;

  void Add(Step step) { steps.push_back(std::move(step)); }

  bool Matches(const Step& step, HWND window, ModalKind kind) const {
    if (step.byCaption) return kind != ModalKind::Menu && WindowText(window) == step.caption;
    return step.kind == kind;
  }

  std::size_t Record(HWND window, ModalKind kind) {
    for (std::size_t i = 0; i < live.size();) {
      if (!IsWindow(live[i].window)) {
        live.erase(live.begin() + i);
      } else if (live[i].window == window) {
        return live[i].seenIndex;
      } else {
        ++i;
      }
    }
    SeenWindow entry;
    entry.kind = kind;
    entry.className = ClassOf(window);
    entry.owner = GetWindow(window, GW_OWNER);
    if (kind == ModalKind::Menu) {
      entry.menuItems = ReadMenu(MenuOf(window));
    } else {
      entry.caption = WindowText(window);
      if (kind == ModalKind::MessageBox) entry.text = MessageBoxText(window);
    }
    seen.push_back(std::move(entry));
    live.push_back({window, seen.size() - 1});
    return seen.size() - 1;
  }

  void Fail(std::string what) {
    failures.push_back(std::move(what));
    aborted = true;
  }

  // Asks the window to close as Cancel or Escape would; ends it by force
  // if it is still there a little later.
  void Cancel(HWND window, ModalKind kind, std::size_t seenIndex) {
    ULONGLONG now = GetTickCount64();
    if (cancelling == window) {
      if (now - cancelAskedAt < kForceEndMs) return;
      if (kind == ModalKind::Menu) {
        EndMenu();
      } else {
        EndDialog(window, IDCANCEL);
      }
      cancelAskedAt = now;
      return;
    }
    cancelling = window;
    cancelAskedAt = now;
    seen[seenIndex].cancelled = true;
    if (kind == ModalKind::Menu) {
      EndMenu();
    } else {
      PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(window, IDCANCEL)));
    }
  }

  void Tick() {
    HWND window = InnermostModal(ignored);
    if (!window) {
      waitingOn = nullptr;
      return;
    }
    ModalKind kind = KindOf(window);
    std::size_t seenIndex = Record(window, kind);
    if (aborted) {
      Cancel(window, kind, seenIndex);
      return;
    }
    if (!steps.empty() && Matches(steps.front(), window, kind)) {
      RunStep(window, kind, seenIndex);
      return;
    }
    ULONGLONG now = GetTickCount64();
    if (waitingOn != window) {
      waitingOn = window;
      waitingSince = now;
      return;
    }
    if (now - waitingSince < watchdogMs) return;
    std::string what = "unscripted " + DescribeSeen(seen[seenIndex]) + " cancelled after " +
                       std::to_string(watchdogMs) + " ms";
    if (!steps.empty()) what += "; the next step was " + steps.front().description;
    Fail(std::move(what));
    Cancel(window, kind, seenIndex);
  }

  // The step leaves the queue while its action runs: an action that opens
  // another modal loop after all still finds the next step on the next tick.
  void RunStep(HWND window, ModalKind kind, std::size_t seenIndex) {
    Step step = std::move(steps.front());
    steps.pop_front();
    waitingOn = nullptr;
    ULONGLONG now = GetTickCount64();
    if (!step.startedAt) step.startedAt = now;
    std::string why;
    StepResult result = StepResult::Failed;
    ++running;
    try {
      result = step.run(window, &why);
    } catch (const std::exception& e) {
      why = std::string("the action threw: ") + e.what();
    } catch (...) {
      why = "the action threw";
    }
    --running;
    if (result == StepResult::Again && now - step.startedAt >= watchdogMs) {
      result = StepResult::Failed;
      why = "it did not finish within " + std::to_string(watchdogMs) + " ms";
    }
    if (result == StepResult::Done) return;
    std::string description = step.description;
    steps.push_front(std::move(step));
    if (result == StepResult::Again) return;
    Fail(description + " failed on " + DescribeSeen(seen[seenIndex]) + ": " + why);
    if (IsWindow(window)) Cancel(window, kind, seenIndex);
  }
};

namespace {

thread_local ModalScript::State* t_script = nullptr;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  ModalScript::State* state = t_script;
  if (!state || state->timer != id) return;
  // Nothing may unwind through the modal loop that called us.
  try {
    state->Tick();
  } catch (...) {
    state->Fail("the script ran out of memory");
  }
}

}  // namespace

ModalScript::ModalScript() : state_(std::make_unique<State>()) {
  if (t_script) {
    state_->Fail("another ModalScript is already active on this thread");
    return;
  }
  state_->timer = SetTimer(nullptr, 0, kTickMs, OnTimer);
  if (!state_->timer) {
    state_->Fail("SetTimer failed with error " + std::to_string(GetLastError()));
    return;
  }
  t_script = state_.get();
}

ModalScript::~ModalScript() {
  if (t_script == state_.get()) {
    KillTimer(nullptr, state_->timer);
    t_script = nullptr;
  }
}

ModalScript& ModalScript::AnswerMessageBox(int buttonId) {
  State::Step step;
  step.description = "AnswerMessageBox(" + ButtonText(buttonId) + ")";
  step.kind = ModalKind::MessageBox;
  step.run = [buttonId](HWND box, std::string* why) {
    if (ClickButton(box, buttonId)) return StepResult::Done;
    *why = "it has no usable button " + ButtonText(buttonId);
    return StepResult::Failed;
  };
  state_->Add(std::move(step));
  return *this;
}

ModalScript& ModalScript::OnMessageBox(WindowAction action) {
  State::Step step;
  step.description = "OnMessageBox";
  step.kind = ModalKind::MessageBox;
  step.run = [action = std::move(action)](HWND box, std::string*) {
    action(box);
    return StepResult::Done;
  };
  state_->Add(std::move(step));
  return *this;
}

ModalScript& ModalScript::OnDialog(WindowAction action) {
  State::Step step;
  step.description = "OnDialog";
  step.kind = ModalKind::Dialog;
  step.run = [action = std::move(action)](HWND dialog, std::string*) {
    action(dialog);
    return StepResult::Done;
  };
  state_->Add(std::move(step));
  return *this;
}

ModalScript& ModalScript::OnDialog(std::string caption, WindowAction action) {
  State::Step step;
  step.description = "OnDialog(" + Quote(caption) + ")";
  step.kind = ModalKind::Dialog;
  step.byCaption = true;
  step.caption = std::move(caption);
  step.run = [action = std::move(action)](HWND dialog, std::string*) {
    action(dialog);
    return StepResult::Done;
  };
  state_->Add(std::move(step));
  return *this;
}

ModalScript& ModalScript::PickMenuItem(UINT commandId) {
  State::Step step;
  step.description = "PickMenuItem(" + std::to_string(commandId) + ")";
  step.kind = ModalKind::Menu;
  // First tick: move the highlight with arrow keys. Next tick, once the
  // menu has handled them: check it landed on the item, then press Enter.
  step.run = [commandId, target = -1](HWND menuWindow, std::string* why) mutable {
    HMENU menu = MenuOf(menuWindow);
    HWND keys = KeyTarget(menuWindow);
    if (target >= 0) {
      if (HighlightedItem(menu) != target) {
        *why = "the arrow keys did not reach item " + std::to_string(commandId);
        return StepResult::Failed;
      }
      PostMessageA(keys, WM_KEYDOWN, VK_RETURN, 1);
      return StepResult::Done;
    }
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count && target < 0; ++i) {
      if (!GetSubMenu(menu, i) && GetMenuItemID(menu, i) == commandId) target = i;
    }
    if (target < 0) {
      *why = "it has no item " + std::to_string(commandId);
      return StepResult::Failed;
    }
    if (GetMenuState(menu, target, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) {
      *why = "item " + std::to_string(commandId) + " is grayed";
      return StepResult::Failed;
    }
    // Arrow keys skip separators (and only separators) and wrap around;
    // with nothing highlighted yet, the first Down lands on the first item.
    int from = HighlightedItem(menu);
    WPARAM key = target >= from ? VK_DOWN : VK_UP;
    int presses = 0;
    if (target >= from) {
      for (int i = from + 1; i <= target; ++i) presses += IsSeparator(menu, i) ? 0 : 1;
    } else {
      for (int i = target; i < from; ++i) presses += IsSeparator(menu, i) ? 0 : 1;
    }
    for (int i = 0; i < presses; ++i) PostMessageA(keys, WM_KEYDOWN, key, 1);
    return StepResult::Again;
  };
  state_->Add(std::move(step));
  return *this;
}

ModalScript& ModalScript::CancelMenu() {
  State::Step step;
  step.description = "CancelMenu";
  step.kind = ModalKind::Menu;
  step.run = [](HWND, std::string*) {
    EndMenu();
    return StepResult::Done;
  };
  state_->Add(std::move(step));
  return *this;
}

ModalScript& ModalScript::OnMenu(MenuAction action) {
  State::Step step;
  step.description = "OnMenu";
  step.kind = ModalKind::Menu;
  step.run = [action = std::move(action)](HWND menuWindow, std::string*) {
    action(menuWindow, MenuOf(menuWindow));
    return StepResult::Done;
  };
  state_->Add(std::move(step));
  return *this;
}

ModalScript& ModalScript::Ignore(HWND window) {
  state_->ignored.push_back(window);
  return *this;
}

void ModalScript::SetWatchdogTimeout(DWORD milliseconds) { state_->watchdogMs = milliseconds; }

const std::vector<SeenWindow>& ModalScript::Seen() const { return state_->seen; }

const std::vector<std::string>& ModalScript::Failures() const { return state_->failures; }

bool ModalScript::Done() const { return state_->steps.empty() && state_->running == 0; }

bool ModalScript::Ok() const { return Done() && state_->failures.empty(); }

std::string ModalScript::Describe() const {
  std::ostringstream out;
  out << "modal script: " << state_->failures.size() << " failure(s), " << state_->steps.size()
      << " step(s) not run, " << state_->seen.size() << " window(s) seen\n";
  for (const std::string& failure : state_->failures) out << "  failed: " << failure << "\n";
  for (const State::Step& step : state_->steps) out << "  not run: " << step.description << "\n";
  for (const SeenWindow& seen : state_->seen) {
    out << "  seen: " << DescribeSeen(seen) << " owner " << HandleText(seen.owner)
        << (seen.cancelled ? " (cancelled)" : "") << "\n";
  }
  return out.str();
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int got = GetWindowTextA(window, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

std::string MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, kMessageBoxTextId);
  return text ? WindowText(text) : std::string();
}

std::string ItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  return item ? WindowText(item) : std::string();
}

bool ClickButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button)) return false;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  return true;
}

ModalKind KindOf(HWND window) {
  std::string name = ClassOf(window);
  if (name == "#32768") return ModalKind::Menu;
  ChildCensus census;
  EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&census));
  return census.hasText && census.onlyTextAndButtons ? ModalKind::MessageBox : ModalKind::Dialog;
}

std::vector<MenuItemState> ReadMenu(HMENU menu) {
  std::vector<MenuItemState> items;
  int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    char text[kMenuTextSize] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = kMenuTextSize;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    MenuItemState item;
    item.id = info.wID;
    item.separator = (info.fType & MFT_SEPARATOR) != 0;
    item.text = item.separator ? std::string() : std::string(text);
    item.grayed = (info.fState & (MFS_GRAYED | MFS_DISABLED)) != 0;
    item.checked = (info.fState & MFS_CHECKED) != 0;
    item.submenu = info.hSubMenu != nullptr;
    items.push_back(std::move(item));
  }
  return items;
}

const char* KindName(ModalKind kind) {
  switch (kind) {
    case ModalKind::MessageBox: return "message box";
    case ModalKind::Dialog: return "dialog";
    case ModalKind::Menu: return "menu";
  }
  return "window";
}

}  // namespace kv::wintest
