// The process-wide state record. Each group has one owner that changes it;
// windows keep no model of their own and lay out afresh from here.
#pragma once

#include <string>

#include "notes/note_files.h"
#include "notes/note_search.h"
#include "passage/passage_state.h"
#include "search/search_state.h"
#include "shell/navigation.h"
#include "shell/settings.h"
#include "store/bible_data.h"
#include "verselist/verse_list_state.h"

namespace kv {

struct StoreState {
  BibleData bible;
};

struct ShellState {
  // Set once the main window's creation has run to the end: only then are
  // the settings written at exit, so a broken start never overwrites them.
  bool startup_complete = false;
  // The private profile file; a bare name lands in the Windows folder.
  std::string settings_file = "Kelvane.Ini";
  // While set the note editor frame takes the notes pane's place.
  bool note_editor_open = false;
  // The tab shown in the verse list pane: 0 "Verse List", 1 "Reference List".
  int verse_list_tab_index = 0;
  int selection_owner = kNoSelectionOwner;
  char note_search_prefill[kNoteSearchTextSize] = {};
  // Where Today's Proverb reads the date: the system's local date unless a
  // test sets a calendar of its own.
  Calendar* calendar = nullptr;
};

struct AppState {
  StoreState store;
  // Every setting as read at start-up; the view flags, bookmarks, fonts,
  // display and format options live here for the run. The search options
  // and history move to `search`, the note set and verse to `notes`.
  Settings settings;
  SearchState search;
  NotesState notes;
  PassageState passage;
  VerseListState verse_list;
  ShellState shell;
};

AppState& App();

// Hands the settings that other groups own over to them after reading.
void TakeOverSettings(AppState& app);
// Gathers them back into `app.settings` before writing.
void GatherSettings(AppState& app);

}  // namespace kv
