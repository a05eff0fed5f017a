#include "shell/session_win.h"

#include "notes/notes_window_win.h"
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

// An edited note is asked about as closing the program asks; Cancel keeps the
// session going.
BOOL MainWindow_OnQueryEndSession(HWND hwnd) { return ConfirmNoteEditorClose(hwnd) ? TRUE : FALSE; }

void MainWindow_OnEndSession(HWND, BOOL ending) {
  if (ending) SaveSettingsOnce();
}

}  // namespace kv
