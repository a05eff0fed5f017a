#include "shell/view_commands_win.h"

#include <windows.h>

#include <cstdint>

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/command_state_win.h"
#include "shell/main_window_win.h"
#include "shell/program_win.h"

namespace kv {
namespace {

std::int32_t* PaneFlag(int view_command) {
  ShellState& shell = App().shell;
  switch (view_command) {
    case CMD_VIEW_VERSE_LIST: return &shell.VerseListWindow;
    case CMD_VIEW_PASSAGE: return &shell.ReadWindow;
    case CMD_VIEW_NOTES: return &shell.NotesWindow;
  }
  return nullptr;
}

}  // namespace

void ToggleViewCommand(int view_command) {
  std::int32_t* flag = PaneFlag(view_command);
  if (!flag) return;
  *flag = *flag ? 0 : 1;
  CheckViewCommand(view_command, *flag != 0);
  Relayout();
}

void ToggleToolbarCommand() {
  std::int32_t& flag = App().shell.ToolBar;
  flag = flag ? 0 : 1;
  CheckCommand(CMD_VIEW_TOOLBAR, flag != 0);
  ShowWindow(Windows().toolbar, SW_SHOW);
  Relayout();
}

void EnsurePaneVisible(int view_command) {
  if (!(GetMenuState(Windows().menu, view_command, MF_BYCOMMAND) & MF_CHECKED))
    SendMessageA(Windows().main, WM_COMMAND, view_command, 0);
}

void FocusVerseListCommand() {
  EnsurePaneVisible(CMD_VIEW_VERSE_LIST);
  SetFocus(App().shell.verse_list_tab_index == 0 ? Windows().verse_list : Windows().reference_list);
}

void FocusPassageCommand() {
  SetFocus(Windows().passage);
  EnsurePaneVisible(CMD_VIEW_PASSAGE);
}

void OpenContextMenuCommand() {
  if (HWND focus = GetFocus()) SendMessageA(focus, WM_RBUTTONDOWN, 0, MAKELPARAM(1, 1));
}

}  // namespace kv
