// The About box ("About"): the icon, "Kelvane95 v3.1" and OK.
#pragma once

#include <windows.h>

namespace kv {

// Runs the box over `owner` until OK (or Esc) closes it.
void RunAboutDialog(HWND owner);

}  // namespace kv
