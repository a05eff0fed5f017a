#include "shell/help_win.h"

#include <cstdio>

namespace kv {

const char kHelpFile[] = "kelva95.hlp";

namespace {

std::function<void(const HelpCall&)>& Observer() {
  static std::function<void(const HelpCall&)> observer;
  return observer;
}

}  // namespace

BOOL CallHelp(HWND window, UINT command, const char* macro) {
  if (Observer()) Observer()(HelpCall{window, kHelpFile, command, macro ? macro : ""});
  return WinHelpA(window, kHelpFile, command, reinterpret_cast<ULONG_PTR>(macro));
}

BOOL ShowHelpTopic(HWND window, const char* topic) {
  char macro[128];
  std::snprintf(macro, sizeof macro, "JumpID(\"%s\",\"%s\")", kHelpFile, topic);
  return CallHelp(window, HELP_COMMAND, macro);
}

void SetHelpObserver(std::function<void(const HelpCall&)> observer) { Observer() = std::move(observer); }

}  // namespace kv
