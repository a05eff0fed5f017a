// The end of the program and of the Windows session: the settings are
// written once, whichever comes first.
#pragma once

#include <windows.h>

namespace kv {

// Writes the settings as the program's end does (only when the start-up
// completed), once a run: later calls write nothing.
void SaveSettingsOnce();

// WM_QUERYENDSESSION: whether the program lets the session end. An open
// note editor with changes asks first, as closing the program does.
BOOL MainWindow_OnQueryEndSession(HWND hwnd);

// WM_ENDSESSION: when the session really ends, the settings are written
// now, since the main window may never be destroyed.
void MainWindow_OnEndSession(HWND hwnd, BOOL ending);

}  // namespace kv
