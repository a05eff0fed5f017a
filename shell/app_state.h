// The process-wide state record. Each group has one owner that changes it;
// windows keep no model of their own and lay out afresh from here.
#pragma once

#include <string>

#include "notes/note_files.h"
#include "notes/note_search.h"
#include "passage/passage_state.h"
#include "passage/selection.h"
#include "platform/profile.h"
#include "search/search_state.h"
#include "shell/navigation.h"
#include "shell/settings.h"
#include "store/bible_data.h"
#include "verselist/verse_list_state.h"

namespace kv {

struct StoreState {
  BibleData bible;
};

struct ShellState : ShellSettings {
  // Set once the main window's creation has run to the end: only then are
  // the settings written at exit, so a broken start never overwrites them.
  bool startup_complete = false;
  // The private profile file; a bare name lands in the Windows folder.
  std::string settings_file = "Kelvane.Ini";
  // The per-user settings file, used once the one above cannot be written;
  // empty: the system's (the user's application data folder).
  std::string per_user_settings_file;
  // The settings were written for this run (at the session's end), so the
  // window's destruction does not write them again.
  bool settings_saved = false;
  // While set the note editor frame takes the notes pane's place.
  bool note_editor_open = false;
  // The tab shown in the verse list pane: 0 "Verse List", 1 "Reference List".
  int verse_list_tab_index = 0;
  char note_search_prefill[kNoteSearchTextSize] = {};
  // Where Today's Proverb reads the date: the system's local date unless a
  // test sets a calendar of its own.
  Calendar* calendar = nullptr;
};

struct AppState {
  StoreState store;
  SearchState search;
  PassageState passage;
  VerseListState verse_list;
  NotesState notes;
  OutputSettings output;
  ShellState shell;
  // The program's one selection, shared by the passage, the verse list and
  // the notes panes.
  SelectionState selection;
};

AppState& App();

// Reads the settings file into the owners of its keys: the passage, the
// verse list, the notes, the output and the shell take theirs directly; the
// search options and history and the note set and verse are handed to the
// search and the notes in their own form.
void LoadAppSettings(AppState& app, Profile& profile, const SettingsContext& context);
// Writes the settings file from the owners. False when a key could not be written.
bool SaveAppSettings(AppState& app, Profile& profile);

}  // namespace kv
