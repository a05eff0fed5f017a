#include "shell/command_state_win.h"

#include <windows.h>
#include <commctrl.h>

#include "shell/command_table.h"
#include "shell/program_win.h"

namespace kv {
namespace {

bool HasToolbarButton(int command) {
  return Windows().toolbar && SendMessageA(Windows().toolbar, TB_COMMANDTOINDEX, command, 0) >= 0;
}

}  // namespace

void SetToolbarButtonState(int command, unsigned char state) {
  if (HasToolbarButton(command)) SendMessageA(Windows().toolbar, TB_SETSTATE, command, MAKELONG(state, 0));
}

void EnableCommand(int command, bool enabled) {
  EnableMenuItem(Windows().menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  SetToolbarButtonState(command, enabled ? kButtonEnabled : kButtonIndeterminate);
}

void CheckCommand(int command, bool checked) {
  CheckMenuItem(Windows().menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void CheckViewCommand(int command, bool checked) {
  CheckCommand(command, checked);
  SetToolbarButtonState(command, checked ? kButtonChecked : kButtonEnabled);
}

}  // namespace kv
