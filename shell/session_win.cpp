#include "shell/session_win.h"

#include "passage/passage_window_win.h"
#include "shell/app_state.h"
#include "shell/settings_location_win.h"

namespace kv {

void SaveSettingsOnce() {
  AppState& app = App();
  if (!app.shell.startup_complete || app.shell.settings_saved) return;
  app.passage.CurrentVerse = PassageCurrentVerse();
  WriteSettingsToTheirFile(app);
  app.shell.settings_saved = true;
}

bool NoteEditorLetsProgramEnd(HWND) {
  // The note editor does not keep changes of its own yet, so nothing can be
  // lost by ending.
  return true;
}

BOOL MainWindow_OnQueryEndSession(HWND hwnd) { return NoteEditorLetsProgramEnd(hwnd) ? TRUE : FALSE; }

void MainWindow_OnEndSession(HWND, BOOL ending) {
  if (ending) SaveSettingsOnce();
}

}  // namespace kv
