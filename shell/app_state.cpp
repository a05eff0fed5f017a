#include "shell/app_state.h"

#include <cstring>

namespace kv {

AppState& App() {
  static AppState state;
  return state;
}

namespace {

SettingsOwners OwnersOf(AppState& app, SearchSettings* search, NoteChoiceSettings* note_choice) {
  return {&app.passage, &app.verse_list, &app.notes, &app.output, &app.shell, search, note_choice};
}

}  // namespace

void LoadAppSettings(AppState& app, Profile& profile, const SettingsContext& context) {
  SearchSettings s;
  NoteChoiceSettings choice;
  LoadSettings(profile, context, OwnersOf(app, &s, &choice));
  SearchOptions& options = app.search.options;
  options.boolean_type = s.BooleanType;
  options.case_sensitive = s.CaseSensitive != 0;
  options.sub_string = s.SubString != 0;
  options.proximity = s.Proximity;
  options.start_verse = s.StartVerse;
  options.end_verse = s.EndVerse;
  for (int i = 0; i < kSearchHistorySize; ++i)
    std::memcpy(app.search.search_history[i], s.SearchHistory[i].data(), kSearchTextSize);
  app.search.search_text_prefill[0] = '\0';
  app.notes.current_set = choice.CurrentNoteSet;
  app.notes.current_verse = choice.CurrentNoteVerse;
}

bool SaveAppSettings(AppState& app, Profile& profile) {
  SearchSettings s;
  const SearchOptions& options = app.search.options;
  s.BooleanType = options.boolean_type;
  s.CaseSensitive = options.case_sensitive ? 1 : 0;
  s.SubString = options.sub_string ? 1 : 0;
  s.Proximity = options.proximity;
  s.StartVerse = options.start_verse;
  s.EndVerse = options.end_verse;
  for (int i = 0; i < kSearchHistorySize; ++i) {
    std::memcpy(s.SearchHistory[i].data(), app.search.search_history[i], kSearchTextSize);
    s.SearchHistory[i][kSearchTextSize - 1] = '\0';
  }
  NoteChoiceSettings choice;
  choice.CurrentNoteSet = app.notes.current_set;
  choice.CurrentNoteVerse = app.notes.current_verse;
  return SaveSettings(profile, OwnersOf(app, &s, &choice));
}

}  // namespace kv
