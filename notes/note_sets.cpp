#include "notes/note_sets.h"

#include <cstring>

#include "platform/text_util.h"

namespace kv {
namespace {

const char* const kErrorCaption = "Error";
const char* const kDeleteCaption = "Delete Note Set";
const char* const kCreateFailedText = "Error creating note files";
const char* const kTableFullText =
    "You already have 30 note sets, the most Kelvane can hold. Delete a note set before creating a new one.";
const char* const kRenameFailedText =
    "Rename failed. Make sure the note set files are not in use by another program.";
const char* const kOnlyOneSetText =
    "You only have one note set remaining. You must have at least one note set in Kelvane. Create a new "
    "note set before deleting this set.";
const char* const kDeleteQuestion = "Are you SURE you want to delete the note set ";
const char* const kDeleteFailedText = "Delete failed. Make sure the note files are not in use by any other programs.";

// Names Windows gives to devices, with or without an extension.
const char* const kDeviceNames[] = {"CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4",
                                    "COM5", "COM6", "COM7", "COM8", "COM9", "LPT1", "LPT2", "LPT3",
                                    "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};

void ShowTabs(const NotesState& state, const NotesPorts& ports) {
  ports.view.SetTabs(TabLabels(state.table), state.current_set);
}

}  // namespace

bool IsValidNoteSetName(const std::string& name) {
  if (name.empty() || name.size() > kMaxNoteSetNameChars) return false;
  for (char ch : name) {
    auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|", c)) return false;
  }
  if (name.back() == '.' || name.back() == ' ') return false;
  std::string stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (const char* device : kDeviceNames)
    if (EqualsIgnoringAsciiCase(stem.c_str(), device)) return false;
  return true;
}

bool CreateNoteSet(NotesState& state, const NotesPorts& ports, const std::string& name) {
  if (state.table.count >= kMaxNoteSets) {
    ports.user.Tell(kErrorCaption, kTableFullText, MessageIcon::Error);
    return false;
  }
  if (!IsValidNoteSetName(name)) {
    ports.user.Tell(nullptr, kCreateFailedText, MessageIcon::Error);
    return false;
  }
  return CreateNoteSetFiles(state, ports, name);
}

bool RenameCurrentNoteSet(NotesState& state, const NotesPorts& ports, const std::string& name) {
  NoteSet& set = state.current();
  const std::string old_data = set.data_file;
  const std::string old_index = IndexFileOf(old_data);
  const std::string new_data = name + ".nmd";
  const std::string new_index = name + ".nmi";
  if (new_data == old_data) return true;
  auto fail = [&] {
    ports.user.Tell(kErrorCaption, kRenameFailedText, MessageIcon::Error);
    return false;
  };
  // A set whose last save is still in its temporary files keeps its name
  // until start-up has finished that save.
  if (!IsValidNoteSetName(name) || !set.has_files || set.unfinished_save) return fail();
  if (!ports.files.Rename(old_data, new_data)) return fail();
  if (!ports.files.Rename(old_index, new_index)) {
    // If even the way back is blocked, the table follows the data file.
    if (!ports.files.Rename(new_data, old_data)) {
      set.data_file = new_data;
      ShowTabs(state, ports);
    }
    return fail();
  }
  set.data_file = new_data;
  ShowTabs(state, ports);
  return true;
}

bool DeleteCurrentNoteSet(NotesState& state, const NotesPorts& ports) {
  NoteSetTable& table = state.table;
  if (table.count <= 1) {
    ports.user.Tell(kDeleteCaption, kOnlyOneSetText, MessageIcon::Information);
    return false;
  }
  const std::string data_name = state.current().data_file;
  std::string question = kDeleteQuestion + DisplayNameOf(data_name) + "?";
  if (ports.user.Ask(Message{kDeleteCaption, question.c_str(), MessageIcon::Exclamation, MessageButtons::YesNo}) !=
      MessageAnswer::Yes)
    return false;
  if (state.current().has_files) {
    if (!ports.files.Remove(IndexFileOf(data_name))) {
      ports.user.Tell(kErrorCaption, kDeleteFailedText, MessageIcon::Error);
      return false;
    }
    ports.files.Remove(data_name);
  }
  for (int i = state.current_set; i + 1 < table.count; ++i)
    table.sets[static_cast<std::size_t>(i)] = std::move(table.sets[static_cast<std::size_t>(i) + 1]);
  table.sets[static_cast<std::size_t>(table.count) - 1] = NoteSet{};
  --table.count;
  state.current_set = 0;
  ShowTabs(state, ports);
  ShowNote(state, ports, state.current_verse);
  return true;
}

void SelectNoteSet(NotesState& state, const NotesPorts& ports, int set) {
  if (set < 0 || set >= state.table.count) return;
  state.current_set = set;
  ShowNote(state, ports, state.current_verse);
  ShowTabs(state, ports);
}

void StepNoteSet(NotesState& state, const NotesPorts& ports, int direction) {
  int count = state.table.count;
  SelectNoteSet(state, ports, ((state.current_set + direction) % count + count) % count);
}

}  // namespace kv
