#include "passage/reading_commands_win.h"

#include <windows.h>

#include "passage/passage_window_win.h"
#include "resources/resource_ids.h"
#include "search/search_dialogs_win.h"
#include "shell/app_state.h"
#include "shell/navigation.h"
#include "shell/program_win.h"
#include "shell/view_commands_win.h"
#include "store/reference_dialogs_win.h"

namespace kv {

void GotoVerseCommand() {
  AppState& app = App();
  VerseIndex verse = kNoVerse;
  if (RunGotoVerseDialog(Windows().main, app.store.bible, app.passage.CurrentVerse, &verse)) SetCurrentVerse(verse);
  EnsurePaneVisible(CMD_VIEW_PASSAGE);
  SetFocus(Windows().passage);
}

void MovePassageCommand(VerseIndex (*step)(const BibleData&, VerseIndex)) {
  EnsurePaneVisible(CMD_VIEW_PASSAGE);
  SetCurrentVerse(step(App().store.bible, App().passage.CurrentVerse));
}

void GoToBookCommand(int book) { SetCurrentVerse(GoToBook(App().store.bible, book)); }

void TodaysProverbCommand() {
  EnsurePaneVisible(CMD_VIEW_PASSAGE);
  AppState& app = App();
  Calendar& calendar = app.shell.calendar ? *app.shell.calendar : SystemCalendar();
  SetCurrentVerse(TodaysProverb(app.store.bible, calendar));
}

void ShowContextCommand() {
  ShowSelectedResult();
  EnsurePaneVisible(CMD_VIEW_PASSAGE);
}

void VerseForNoteCommand() {
  SetCurrentVerse(App().notes.current_verse);
  EnsurePaneVisible(CMD_VIEW_PASSAGE);
}

}  // namespace kv
