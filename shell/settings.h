// Every user choice that outlives a run, as one record, and its private
// profile file "Kelvane.Ini": read once at start-up, written once at exit.
// One table of keys drives both directions.
#pragma once

#include <array>
#include <cstdint>

#include "notes/notes_settings.h"
#include "output/format_options.h"
#include "passage/passage_state.h"
#include "platform/font_description.h"
#include "platform/profile.h"
#include "search/search_state.h"
#include "shell/navigation.h"
#include "store/bible_data.h"
#include "verselist/verse_list_state.h"

namespace kv {

// The bare name: on Windows the system keeps the file in its own folder.
extern const char* const kSettingsFileName;  // "Kelvane.Ini"

// A history slot holds kSearchTextSize bytes: 199 characters and the NUL.
constexpr std::size_t kColorTextSize = 50;     // KeyHighlightColor is read as up to 49 characters

// What a font read from the settings always has.
constexpr std::uint8_t kOutStrokePrecision = 3;   // OUT_STROKE_PRECIS
constexpr std::uint8_t kClipStrokePrecision = 2;  // CLIP_STROKE_PRECIS

// The shell's settings: the panes and the toolbar shown (VIEW) and the
// bookmarks (BOOKMARKS, bookmark n in slot n - 1).
struct ShellSettings {
  std::int32_t VerseListWindow = 1;
  std::int32_t ReadWindow = 1;
  std::int32_t NotesWindow = 1;
  std::int32_t ToolBar = 1;
  BookmarkSlots Bookmarks{};
};

// The search options and history as the file keeps them (SEARCH, slot 0 the
// most recent query), and the note set and verse shown (MISC). Their owners,
// the search and the notes, hold them in their own form: the shell hands
// them over after reading and back before writing.
struct SearchSettings {
  std::int32_t BooleanType = 0;
  std::int32_t CaseSensitive = 0;
  std::int32_t SubString = 0;
  std::int32_t Proximity = 0;
  VerseIndex StartVerse = 0;
  VerseIndex EndVerse = kLastVerse;
  std::array<std::array<char, kSearchTextSize>, kSearchHistorySize> SearchHistory{};
};
struct NoteChoiceSettings {
  std::int32_t CurrentNoteSet = 0;
  VerseIndex CurrentNoteVerse = 0;
};

// Where each group of keys lives. The running program points these at the
// owners' parts of the state record, so reading and writing go straight to
// them; a Settings record points them at itself.
struct SettingsOwners {
  PassageSettings* passage;
  VerseListSettings* verse_list;
  NotesSettings* notes;
  OutputSettings* output;
  ShellSettings* shell;
  SearchSettings* search;
  NoteChoiceSettings* note_choice;
};

// Every key of the file in one record, for tools and tests.
struct Settings : PassageSettings,
                  VerseListSettings,
                  NotesSettings,
                  OutputSettings,
                  ShellSettings,
                  SearchSettings,
                  NoteChoiceSettings {
  SettingsOwners owners() { return {this, this, this, this, this, this, this}; }
};

// Facts from outside the file that reading needs.
struct SettingsContext {
  int note_set_count = 0;                    // the "Note" key must name one of them
  std::uint32_t system_highlight_color = 0;  // GetSysColor(COLOR_HIGHLIGHT): the colour's default
};

// Reads MISC, SEARCH, FORMAT, VIEW, BOOKMARKS and OPTIONS in that order into
// the owners. Reading never fails: a missing file, section or key, or a value
// that is not a number, gives the key's default; verses outside the Bible and
// a note set that does not exist read as 0.
void LoadSettings(Profile& profile, const SettingsContext& context, const SettingsOwners& owners);
Settings LoadSettings(Profile& profile, const SettingsContext& context);

// Writes every key from the owners, in the order SEARCH, FORMAT, VIEW,
// BOOKMARKS, OPTIONS, MISC. False when a key could not be written (the rest
// are still tried).
bool SaveSettings(Profile& profile, const SettingsOwners& owners);
bool SaveSettings(Profile& profile, const Settings& settings);

}  // namespace kv
