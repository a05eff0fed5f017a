#include "output/save_range.h"

#include <cstring>
#include <memory>

#include "notes/note_set_source.h"
#include "output/list_output.h"
#include "output/output_messages.h"
#include "output/range_output.h"
#include "platform/text_util.h"

namespace kv {

namespace {

// Refuses a note set's file with the message of a file that cannot be
// opened for writing: true when refused.
bool RefuseNoteSetFile(const std::string& file_name, UserServices& messages) {
  if (!NamesNoteSetFile(file_name)) return false;
  messages.Tell(kSaveErrorCaption, kCannotCreateFileText, MessageIcon::Error);
  return true;
}

}  // namespace

bool NamesNoteSetFile(const std::string& file_name) {
  static const char* const kNoteSuffixes[] = {".nmi", ".nmd", ".nmi.temp", ".nmd.temp"};
  std::string name = file_name;
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  for (const char* suffix : kNoteSuffixes) {
    const std::size_t length = std::strlen(suffix);
    if (name.size() >= length && EqualsIgnoringAsciiCase(name.c_str() + name.size() - length, suffix))
      return true;
  }
  return false;
}

bool SaveRangeWithNotes(const BibleData& data, const FormatOptions& options, VerseIndex first,
                        VerseIndex last, const std::string& file_name, int note_set,
                        NotesState& notes, const NotesPorts& ports) {
  if (RefuseNoteSetFile(file_name, ports.user)) return false;
  std::unique_ptr<NoteSetSource> source;
  if (note_set >= 0 && note_set < notes.table.count)
    source = std::make_unique<NoteSetSource>(ports.files, notes.table.sets[static_cast<std::size_t>(note_set)]);
  const bool saved = SaveRangeToFile(data, options, first, last, ports.files, file_name, source.get(),
                                     ports.user, PartialFile::Remove);
  source.reset();
  // The notes window shows the current set's note whatever the save read.
  ShowNote(notes, ports, notes.current_verse);
  return saved;
}

bool SaveVerseListToFile(const BibleData& data, const VerseIndex* list, Files& files,
                         const std::string& file_name, UserServices& messages) {
  if (RefuseNoteSetFile(file_name, messages)) return false;
  return SaveVerseList(data, list, files, file_name, messages, PartialFile::Remove);
}

}  // namespace kv
