// Note sets on disk: a pair of files per set, `<name>.nmd` holding the notes
// of all verses back to back (each ends with one NUL; no note = a single NUL)
// and `<name>.nmi` holding 31102 little-endian 32-bit offsets into it.
//
// Notes are the user's own work, so a save never leaves the pair in a state
// that the next start-up cannot bring back to the old or the new note: the new
// data and the new index are both complete on disk, as `.nmd.temp` and
// `.nmi.temp` (made afresh, never opened over an existing name), before the
// data file is replaced by one atomic move and then the index by another;
// DiscoverNoteSets finishes a save that was cut off between the two.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "notes/notes_settings.h"
#include "platform/files.h"
#include "platform/user_services.h"
#include "store/bible_data.h"

namespace kv {

constexpr int kMaxNoteSets = 30;
constexpr std::size_t kNoteBufferSize = 65536;
// The editor's text is fetched with room for 65534 bytes with its NUL.
constexpr std::size_t kMaxNoteChars = 65533;
constexpr std::size_t kNoteIndexBytes = static_cast<std::size_t>(kVerseCount) * 4;
// The name field of the set dialogs.
constexpr std::size_t kMaxNoteSetNameChars = 98;

extern const char* const kDefaultNoteSetName;  // "My Notes"
extern const char* const kNoNoteText;          // "No note."

struct NoteSet {
  std::string data_file;             // "<name>.nmd"
  std::vector<std::int32_t> index;   // NoteIndex: where each verse's note starts
  std::int64_t data_size = 0;        // size of the data file the index describes
  // False for the default set whose files could not be made: it lives in
  // memory only, and a save never writes over whatever holds its name.
  bool has_files = false;
  // A save moved its data file in but not its index, which waits in
  // `.nmi.temp`; the next save or start-up moves it in, and until then the
  // set's files are not renamed.
  bool unfinished_save = false;
};

struct NoteSetTable {
  std::array<NoteSet, kMaxNoteSets> sets;
  int count = 0;
};

struct NotesState : NotesSettings {
  NoteSetTable table;
  int current_set = 0;               // CurrentNoteSet
  VerseIndex current_verse = 0;      // CurrentNoteVerse
  std::vector<char> buffer = std::vector<char>(kNoteBufferSize, '\0');  // NoteBuffer

  const NoteSet& current() const { return table.sets[static_cast<std::size_t>(current_set)]; }
  NoteSet& current() { return table.sets[static_cast<std::size_t>(current_set)]; }
};

// What the notes window shows. The shell implements it over the rich-edit
// display, the status bar and the note set tabs; tests record it.
class NotesView {
 public:
  virtual ~NotesView() = default;
  // The display's text; the caret goes to its start.
  virtual void SetText(const char* text) = 0;
  // Part 2 of the status bar: the shown note's verse ("Ge 1:1").
  virtual void SetNoteReference(const char* reference) = 0;
  // Selects [start, end) of the display's text and scrolls it into view.
  virtual void Select(std::size_t start, std::size_t end) = 0;
  // The note set tabs, one per set in table order, and the selected one.
  virtual void SetTabs(const std::vector<std::string>& labels, int selected) = 0;
};

// A view that shows nothing, for callers without a window.
class NoNotesView final : public NotesView {
 public:
  void SetText(const char*) override {}
  void SetNoteReference(const char*) override {}
  void Select(std::size_t, std::size_t) override {}
  void SetTabs(const std::vector<std::string>&, int) override {}
};

// Everything outside the notes state that the note operations reach.
struct NotesPorts {
  Files& files;
  UserServices& user;
  NotesView& view;
  const BibleData& bible;
};

// The display name of a set: its file name cut at the last ".".
std::string DisplayNameOf(const std::string& file_name);
// "<name>.nmi" of a data file name "<name>.nmd" (cut at the last ".").
std::string IndexFileOf(const std::string& data_file);
std::vector<std::string> TabLabels(const NoteSetTable& table);

// True when `index` (31102 entries) describes `data`: entry 0 is 0, every
// note ends with its NUL inside the data and holds no other NUL.
bool IndexDescribesData(const std::vector<std::int32_t>& index, const unsigned char* data,
                        std::size_t size);

// Fills the table from the "*.nmi" files of the folder (at most 30), after
// finishing any save that was cut off; a set that cannot be made whole (an
// index of the wrong size or a data file too large is refused unread) is
// named in a message and left untouched on disk. Creates the files of "My
// Notes" only when the folder was read and holds no set; otherwise the table
// gets "My Notes" in memory only. Shows the tabs. False, after saying so,
// when the folder cannot be listed.
bool DiscoverNoteSets(NotesState& state, const NotesPorts& ports);

// Reads the note of `verse` of the current set into the buffer and shows it.
// False (with "Error reading note file") when the data file cannot be read;
// the shown note and CurrentNoteVerse then stay as they were.
bool ShowNote(NotesState& state, const NotesPorts& ports, VerseIndex verse);

// True when the note of `verse` in `set` holds at least one character. Works
// from the index in memory alone, so it costs nothing in a paint.
inline bool HasNote(const NoteSet& set, VerseIndex verse) {
  std::int64_t end = verse < kLastVerse ? set.index[static_cast<std::size_t>(verse) + 1] : set.data_size;
  return end - set.index[static_cast<std::size_t>(verse)] >= 2;
}
inline bool HasNote(const NotesState& state, VerseIndex verse) { return HasNote(state.current(), verse); }

// The stored text of a note (without its NUL), read from disk; false when the
// data file cannot be read.
bool ReadNote(Files& files, const NoteSet& set, VerseIndex verse, std::string* text);

enum class SaveResult {
  Saved,
  Cancelled,      // the data file was locked and the user chose Cancel: keep editing
  NotSaved,       // nothing changed (creation, memory or read error): keep editing
  WriteFailed,    // "Failure writing. Disk may be full!": the edit is dropped
  DeleteFailed,   // the old data file could not be replaced: nothing changed
  Unfinished,     // the new note is saved, its index still in the temporary
                  // file; the next save or start-up completes the set
};

// Makes `text` (cut at a NUL and at 65533 characters, as the editor hands it
// over) the note of CurrentNoteVerse in the current set. Every message goes
// through ports.user; the display shows the saved text on success.
SaveResult SaveNote(NotesState& state, const NotesPorts& ports, std::string_view text);

// Creates the empty pair "<name>.nmd" / "<name>.nmi" (neither may exist yet)
// and appends the set to the table; "Error creating note files" otherwise.
// Does not check the name or the table's room: the callers do.
bool CreateNoteSetFiles(NotesState& state, const NotesPorts& ports, const std::string& name);

}  // namespace kv
