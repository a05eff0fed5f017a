// Helpers of the notes tests: a view that records what the notes window would
// show, and note set files written and read independently of the code under
// test.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "notes/note_files.h"
#include "testing/recording_user_services.h"
#include "testing/test_support.h"
#include "testing/note_set_bytes.h"

namespace kv::testing {

class RecordingNotesView final : public NotesView {
 public:
  void SetText(const char* t) override { text = t; }
  void SetNoteReference(const char* r) override { reference = r; }
  void Select(std::size_t start, std::size_t end) override { selection = {start, end}; }
  void SetTabs(const std::vector<std::string>& l, int s) override {
    tabs = l;
    selected_tab = s;
  }
  std::string text, reference;
  std::pair<std::size_t, std::size_t> selection{0, 0};
  std::vector<std::string> tabs;
  int selected_tab = -1;
};

using Notes = std::map<VerseIndex, std::string>;

inline std::string IndexBytes(const std::vector<std::int32_t>& index) {
  std::string bytes;
  for (std::int32_t e : index)
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((static_cast<std::uint32_t>(e) >> shift) & 0xFF);
  return bytes;
}

// Writes "<name>.nmd" and "<name>.nmi" holding `notes` (every other verse empty).
inline void WriteSet(const ScratchDir& dir, const std::string& name, const Notes& notes) {
  const NoteSetBytes set = NoteSetBytesOf(notes);
  dir.Write(name + ".nmd", set.data);
  dir.Write(name + ".nmi", set.index);
}

// The notes of a set as its files on disk hold them, read without the code
// under test; nothing when the pair is not a valid set.
inline std::optional<Notes> ReadSet(const ScratchDir& dir, const std::string& name) {
  std::string data = dir.Read(name + ".nmd");
  std::string index = dir.Read(name + ".nmi");
  if (index.size() != static_cast<std::size_t>(kVerseCount) * 4) return std::nullopt;
  auto entry = [&](std::size_t v) {
    std::uint32_t u = 0;
    for (int b = 3; b >= 0; --b) u = u << 8 | static_cast<unsigned char>(index[v * 4 + static_cast<std::size_t>(b)]);
    return static_cast<std::int64_t>(static_cast<std::int32_t>(u));
  };
  Notes notes;
  if (entry(0) != 0) return std::nullopt;
  for (std::size_t v = 0; v < static_cast<std::size_t>(kVerseCount); ++v) {
    std::int64_t start = entry(v);
    std::int64_t end = v + 1 < static_cast<std::size_t>(kVerseCount) ? entry(v + 1) : static_cast<std::int64_t>(data.size());
    if (end <= start || end > static_cast<std::int64_t>(data.size()) || data[static_cast<std::size_t>(end - 1)] != '\0')
      return std::nullopt;
    std::string note = data.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start - 1));
    if (note.find('\0') != std::string::npos) return std::nullopt;
    if (!note.empty()) notes[static_cast<VerseIndex>(v)] = note;
  }
  return notes;
}

// The names `files` lists with `suffix`; a folder that cannot be listed fails the test.
inline std::vector<std::string> Listed(Files& files, const std::string& suffix) {
  std::vector<std::string> names;
  if (!files.List(suffix, &names)) ADD_FAILURE() << "cannot list " << suffix;
  return names;
}

// A notes state over a scratch folder, with recording ports.
struct NotesFixture {
  ScratchDir dir;
  std::unique_ptr<Files> files = MakeSystemFiles(dir.path());
  RecordingUserServices user;
  RecordingNotesView view;
  NotesState state;
  NotesPorts Ports() { return NotesPorts{*files, user, view, RealBible()}; }
  NotesPorts Ports(Files& other) { return NotesPorts{other, user, view, RealBible()}; }
  void Discover() { DiscoverNoteSets(state, Ports()); }
};

}  // namespace kv::testing
