// The one place that enables, greys and checks a command's menu item and
// toolbar button together, so that the two never disagree.
#pragma once

namespace kv {

// Menu item and toolbar button (if the command has one) together; a greyed
// button shows as indeterminate.
void EnableCommand(int command, bool enabled);
// The menu item's check mark.
void CheckCommand(int command, bool checked);
// A View command: the menu item's check and the toolbar button's checked state.
void CheckViewCommand(int command, bool checked);
// The toolbar button of `command` alone (kButtonEnabled, ...), when the
// toolbar has one.
void SetToolbarButtonState(int command, unsigned char state);

}  // namespace kv
