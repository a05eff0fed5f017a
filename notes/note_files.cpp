#include "notes/note_files.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "store/verse_address.h"

namespace kv {

const char* const kDefaultNoteSetName = "My Notes";
const char* const kNoNoteText = "No note.";

namespace {

const char* const kDataSuffix = ".nmd";
const char* const kTempSuffix = ".temp";

const char* const kCreateFailedText = "Error creating note files";
const char* const kReadFailedText = "Error reading note file";
const char* const kErrorCaption = "Error";
const char* const kLockedText =
    "There was an error opening the file \"%s\". Please make sure this file is not being used by any "
    "other program.";
const char* const kTempCreateFailedText = "Failure saving note (file creation error)";
const char* const kAllocFailedText = "Failure saving note (memory alloc error)";
const char* const kWriteFailedText = "Failure writing. Disk may be full!";
const char* const kDeleteFailedText = "Faliure Saving Note (delete old failure):\nYou should exit Kelvane and restart.";
const char* const kIndexFailedText = "Failure saving note (index file error):\nYou should exit Kelvane and restart.";
const char* const kListFailedText = "Error reading the folder of the note files: no note set was loaded";
const char* const kDamagedSetText =
    "The note set files \"%s\" and \"%s\" do not match and could not be repaired. The set was not "
    "loaded; both files are left unchanged.";

// The largest data file an index of signed 32-bit offsets can describe.
constexpr std::int64_t kMaxDataSize = std::numeric_limits<std::int32_t>::max();

void TellError(const NotesPorts& ports, const char* caption, const char* text) {
  ports.user.Tell(caption, text, MessageIcon::Error);
}

// The pattern with its first "%s" replaced by `a`.
std::string Format1(const std::string& pattern, const std::string& a) {
  std::string out = pattern;
  std::size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, a);
  return out;
}

std::vector<unsigned char> EncodeIndex(const std::vector<std::int32_t>& index) {
  std::vector<unsigned char> bytes(kNoteIndexBytes);
  for (std::size_t i = 0; i < index.size(); ++i) {
    auto u = static_cast<std::uint32_t>(index[i]);
    bytes[i * 4] = static_cast<unsigned char>(u);
    bytes[i * 4 + 1] = static_cast<unsigned char>(u >> 8);
    bytes[i * 4 + 2] = static_cast<unsigned char>(u >> 16);
    bytes[i * 4 + 3] = static_cast<unsigned char>(u >> 24);
  }
  return bytes;
}

bool DecodeIndex(const std::vector<unsigned char>& bytes, std::vector<std::int32_t>* index) {
  if (bytes.size() != kNoteIndexBytes) return false;
  index->resize(kVerseCount);
  for (std::size_t i = 0; i < index->size(); ++i)
    (*index)[i] = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(bytes[i * 4]) | static_cast<std::uint32_t>(bytes[i * 4 + 1]) << 8 |
        static_cast<std::uint32_t>(bytes[i * 4 + 2]) << 16 | static_cast<std::uint32_t>(bytes[i * 4 + 3]) << 24);
  return true;
}

// Reads a whole file of at most `limit` bytes; a larger one is refused by its
// size alone, before anything is read or allocated.
bool ReadWholeFile(Files& files, const std::string& name, OpenMode mode, std::int64_t limit,
                   std::vector<unsigned char>* bytes) {
  FileHandle file = files.Open(name, mode);
  if (file == kNoFile) return false;
  std::int64_t size = files.Size(file);
  bool ok = false;
  try {
    ok = size >= 0 && size <= limit && ReadAll(files, file, bytes);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  files.Close(file);
  return ok;
}

// Reads an open index file and closes it; anything but exactly 31102 entries
// is refused by its size, unread.
bool ReadIndexFrom(Files& files, FileHandle file, std::vector<std::int32_t>* index) {
  if (file == kNoFile) return false;
  std::vector<unsigned char> bytes;
  bool ok = files.Size(file) == static_cast<std::int64_t>(kNoteIndexBytes) && ReadAll(files, file, &bytes);
  files.Close(file);
  return ok && DecodeIndex(bytes, index);
}

// The index of an empty set: every verse holds a single NUL.
std::vector<std::int32_t> EmptyIndex() {
  std::vector<std::int32_t> index(kVerseCount);
  for (int i = 0; i < kVerseCount; ++i) index[static_cast<std::size_t>(i)] = i;
  return index;
}

// Writes the empty pair of files; on any failure removes what it created.
bool WriteEmptySet(Files& files, const std::string& name) {
  std::string data_name = name + kDataSuffix;
  std::string index_name = IndexFileOf(data_name);
  FileHandle data = files.Open(data_name, OpenMode::CreateExclusive);
  if (data == kNoFile) return false;
  FileHandle index = files.Open(index_name, OpenMode::CreateExclusive);
  if (index == kNoFile) {
    files.Close(data);
    files.Remove(data_name);
    return false;
  }
  std::vector<unsigned char> zeros(kVerseCount, 0);
  bool ok = files.Write(data, zeros.data(), zeros.size()) && files.Flush(data);
  std::vector<unsigned char> bytes = EncodeIndex(EmptyIndex());
  ok = ok && files.Write(index, bytes.data(), bytes.size()) && files.Flush(index);
  files.Close(data);
  files.Close(index);
  if (!ok) {
    files.Remove(index_name);
    files.Remove(data_name);
  }
  return ok;
}

// Loads one set found as `index_name` (open as `index_file`, closed here),
// finishing a save that was cut off. False when the pair cannot be made whole
// now; the next start-up tries again.
//
// A save writes `.nmd.temp` and `.nmi.temp` whole, then moves the data file
// over the old one, then the index: so the pair on disk is either the old
// pair, or the new data with the new index still in `.nmi.temp`. An index
// describes a data file only if it is that file's one and only index (each
// note ends at a NUL and holds none), so trying the index files in turn
// cannot pair notes with the wrong offsets.
bool LoadNoteSet(Files& files, const std::string& index_name, FileHandle index_file, NoteSet* set) {
  std::string data_name = DisplayNameOf(index_name) + kDataSuffix;
  std::string data_temp = data_name + kTempSuffix;
  std::string index_temp = index_name + kTempSuffix;

  // Earlier versions removed the data file before moving the new one in; a
  // missing data file next to a temporary one means such a save stopped there.
  std::vector<std::int32_t> index;
  bool index_read = ReadIndexFrom(files, index_file, &index);
  // Without an index of the right size there is nothing to read the data by.
  if (!index_read && !files.Exists(index_temp)) return false;
  bool data_from_temp = !files.Exists(data_name) && files.Exists(data_temp);
  std::vector<unsigned char> data;
  if (!ReadWholeFile(files, data_from_temp ? data_temp : data_name,
                     data_from_temp ? OpenMode::ReadNoLink : OpenMode::ReadSequential, kMaxDataSize, &data))
    return false;

  bool index_from_temp = false;
  if (!index_read || !IndexDescribesData(index, data.data(), data.size())) {
    if (!ReadIndexFrom(files, files.Open(index_temp, OpenMode::ReadNoLink), &index) ||
        !IndexDescribesData(index, data.data(), data.size()))
      return false;
    index_from_temp = true;
  }
  // Each move is one step, so stopping between them leaves a state this
  // function reads again. Until both are done the set stays unloaded: a save
  // would otherwise clear away the temporary file that the set still needs.
  if (data_from_temp && !files.Rename(data_temp, data_name)) return false;
  if (index_from_temp && !files.Replace(index_temp, index_name)) return false;
  // Whatever temporary file is left is not part of the set; a save removes
  // any that stays.
  files.Discard(data_temp);
  files.Discard(index_temp);

  set->data_file = data_name;
  set->index = std::move(index);
  set->data_size = static_cast<std::int64_t>(data.size());
  set->has_files = true;
  return true;
}

void ShowTabs(const NotesState& state, const NotesPorts& ports) {
  ports.view.SetTabs(TabLabels(state.table), state.current_set);
}

// Reads `length` bytes of the data file at `offset` into `out` (at most
// `room` - 1 bytes, then a NUL). False on any failure.
bool ReadNoteBytes(Files& files, const NoteSet& set, VerseIndex verse, char* out, std::size_t room) {
  FileHandle file = files.Open(set.data_file, OpenMode::ReadRandom);
  if (file == kNoFile) return false;
  std::int64_t start = set.index[static_cast<std::size_t>(verse)];
  std::int64_t end = verse < kLastVerse ? set.index[static_cast<std::size_t>(verse) + 1] : set.data_size;
  std::size_t want = static_cast<std::size_t>(std::max<std::int64_t>(end - start, 0));
  want = std::min(want, room - 1);
  std::size_t got = 0;
  bool ok = files.Seek(file, start) && files.Read(file, out, want, &got);
  files.Close(file);
  out[ok ? got : 0] = '\0';
  return ok;
}

}  // namespace

std::string DisplayNameOf(const std::string& file_name) {
  std::size_t dot = file_name.rfind('.');
  return dot == std::string::npos ? file_name : file_name.substr(0, dot);
}

std::string IndexFileOf(const std::string& data_file) { return DisplayNameOf(data_file) + ".nmi"; }

std::vector<std::string> TabLabels(const NoteSetTable& table) {
  std::vector<std::string> labels;
  for (int i = 0; i < table.count; ++i) labels.push_back(DisplayNameOf(table.sets[static_cast<std::size_t>(i)].data_file));
  return labels;
}

bool IndexDescribesData(const std::vector<std::int32_t>& index, const unsigned char* data, std::size_t size) {
  if (index.size() != static_cast<std::size_t>(kVerseCount) || index[0] != 0) return false;
  for (std::size_t v = 0; v < index.size(); ++v) {
    std::int64_t start = index[v];
    std::int64_t end = v + 1 < index.size() ? index[v + 1] : static_cast<std::int64_t>(size);
    if (end <= start || end > static_cast<std::int64_t>(size)) return false;
    if (data[end - 1] != 0) return false;
    if (std::memchr(data + start, 0, static_cast<std::size_t>(end - 1 - start))) return false;
  }
  return true;
}

bool DiscoverNoteSets(NotesState& state, const NotesPorts& ports) {
  NoteSetTable& table = state.table;
  table.count = 0;
  std::vector<std::string> names;
  const bool listed = ports.files.List(".nmi", &names);
  if (!listed) TellError(ports, kErrorCaption, kListFailedText);
  for (const std::string& name : names) {
    if (table.count == kMaxNoteSets) break;
    // A file that cannot be opened at all ends the search, as it always has.
    FileHandle index_file = ports.files.Open(name, OpenMode::ReadSequential);
    if (index_file == kNoFile) break;
    NoteSet& set = table.sets[static_cast<std::size_t>(table.count)];
    bool loaded = false;
    try {
      loaded = LoadNoteSet(ports.files, name, index_file, &set);
    } catch (const std::bad_alloc&) {
      loaded = false;
    }
    if (loaded) {
      ++table.count;
      continue;
    }
    set = NoteSet{};
    std::string text = Format1(Format1(kDamagedSetText, name), DisplayNameOf(name) + kDataSuffix);
    TellError(ports, kErrorCaption, text.c_str());
  }
  if (table.count == 0) {
    // The program always has a set. Its files are made only in a folder that
    // was read and holds no set at all; otherwise, or if they cannot be
    // made, it lives in memory only and is never saved over anything.
    NoteSet& set = table.sets[0];
    set.data_file = std::string(kDefaultNoteSetName) + kDataSuffix;
    set.index = EmptyIndex();
    set.data_size = kVerseCount;
    set.has_files = listed && names.empty() && WriteEmptySet(ports.files, kDefaultNoteSetName);
    if (listed && names.empty() && !set.has_files) TellError(ports, nullptr, kCreateFailedText);
    table.count = 1;
  }
  if (state.current_set < 0 || state.current_set >= table.count) state.current_set = 0;
  ShowTabs(state, ports);
  return listed;
}

bool ReadNote(Files& files, const NoteSet& set, VerseIndex verse, std::string* text) {
  std::vector<char> bytes(kNoteBufferSize);
  if (!ReadNoteBytes(files, set, verse, bytes.data(), bytes.size())) return false;
  *text = bytes.data();
  return true;
}

bool ShowNote(NotesState& state, const NotesPorts& ports, VerseIndex verse) {
  if (verse < 0 || verse > kLastVerse) return false;
  if (!ReadNoteBytes(ports.files, state.current(), verse, state.buffer.data(), state.buffer.size())) {
    TellError(ports, kErrorCaption, kReadFailedText);
    return false;
  }
  state.current_verse = verse;
  if (state.buffer[0] == '\0') std::strcpy(state.buffer.data(), kNoNoteText);
  ports.view.SetText(state.buffer.data());
  ports.view.SetNoteReference(ShortReference(ports.bible, verse).c_str());
  ports.view.Select(0, 0);
  return true;
}

SaveResult SaveNote(NotesState& state, const NotesPorts& ports, std::string_view text) {
  Files& files = ports.files;
  NoteSet& set = state.current();
  const VerseIndex v = state.current_verse;

  // The editor hands over a NUL-terminated text of at most 65533 characters.
  std::size_t length = std::min({text.size(), kMaxNoteChars, state.buffer.size() - 1});
  length = std::min(length, std::string_view(text.data(), length).find('\0'));
  std::memcpy(state.buffer.data(), text.data(), length);
  state.buffer[length] = '\0';

  const std::string& data_name = set.data_file;
  const std::string index_name = IndexFileOf(data_name);
  const std::string data_temp = data_name + kTempSuffix;
  const std::string index_temp = index_name + kTempSuffix;

  // A save that stopped after moving its data file left the matching index
  // in its temporary file: it takes its place before anything else is done,
  // since this save clears the temporary files away.
  if (set.unfinished_save) {
    if (!files.Replace(index_temp, index_name)) {
      TellError(ports, nullptr, kIndexFailedText);
      return SaveResult::Unfinished;
    }
    set.unfinished_save = false;
  }

  // The temporary files are made afresh, never opened: whatever an earlier
  // save left under their names goes first, as a name (a second name of the
  // data file or a symbolic link is taken away, never written through).
  // Before the data file is opened: Windows removes no name of an open file.
  if (set.has_files && (!files.Discard(data_temp) || !files.Discard(index_temp))) {
    TellError(ports, nullptr, kTempCreateFailedText);
    return SaveResult::NotSaved;
  }

  // Opened for writing so that no other program writes it meanwhile.
  FileHandle data = kNoFile;
  for (;;) {
    if (set.has_files) data = files.Open(data_name, OpenMode::ReadWrite);
    if (data != kNoFile) break;
    std::string question = Format1(kLockedText, data_name);
    if (ports.user.Ask(Message{nullptr, question.c_str(), MessageIcon::Error, MessageButtons::RetryCancel}) !=
        MessageAnswer::Retry)
      return SaveResult::Cancelled;
  }
  // The index in memory must still describe the file, or the copy below
  // would cut notes apart.
  const std::int64_t size = files.Size(data);
  if (size != set.data_size) {
    files.Close(data);
    TellError(ports, kErrorCaption, kReadFailedText);
    return SaveResult::NotSaved;
  }
  const std::int64_t start = set.index[static_cast<std::size_t>(v)];
  const std::int64_t next = v < kLastVerse ? set.index[static_cast<std::size_t>(v) + 1] : size;
  const std::int64_t new_length = static_cast<std::int64_t>(length) + 1;
  const std::int64_t new_size = size - (next - start) + new_length;
  if (new_size > kMaxDataSize) {
    files.Close(data);
    TellError(ports, nullptr, kWriteFailedText);
    return SaveResult::WriteFailed;
  }

  FileHandle temp = files.Open(data_temp, OpenMode::CreateExclusive);
  if (temp == kNoFile) {
    files.Close(data);
    TellError(ports, nullptr, kTempCreateFailedText);
    return SaveResult::NotSaved;
  }

  enum class Failure { None, Read, Write, Memory } failure = Failure::None;
  std::vector<std::int32_t> new_index;
  try {
    std::vector<unsigned char> copy;
    std::size_t got = 0;
    if (start > 0) {
      copy.resize(static_cast<std::size_t>(start));
      if (!files.Read(data, copy.data(), copy.size(), &got) || got != copy.size()) failure = Failure::Read;
      else if (!files.Write(temp, copy.data(), copy.size())) failure = Failure::Write;
    }
    if (failure == Failure::None && !files.Write(temp, state.buffer.data(), static_cast<std::size_t>(new_length)))
      failure = Failure::Write;
    if (failure == Failure::None && next < size) {
      copy.assign(static_cast<std::size_t>(size - next), 0);
      if (!files.Seek(data, next) || !files.Read(data, copy.data(), copy.size(), &got) || got != copy.size())
        failure = Failure::Read;
      else if (!files.Write(temp, copy.data(), copy.size()))
        failure = Failure::Write;
    }
    if (failure == Failure::None && !files.Flush(temp)) failure = Failure::Write;
    if (failure == Failure::None) {
      new_index = set.index;
      const std::int64_t delta = new_length - (next - start);
      if (v < kLastVerse)
        for (std::size_t i = static_cast<std::size_t>(v) + 1; i < new_index.size(); ++i)
          new_index[i] = static_cast<std::int32_t>(new_index[i] + delta);
    }
  } catch (const std::bad_alloc&) {
    failure = Failure::Memory;
  }
  files.Close(temp);
  if (failure != Failure::None) {
    files.Close(data);
    if (failure == Failure::Read) TellError(ports, kErrorCaption, kReadFailedText);
    if (failure == Failure::Memory) TellError(ports, nullptr, kAllocFailedText);
    if (failure == Failure::Write) TellError(ports, nullptr, kWriteFailedText);
    return failure == Failure::Write ? SaveResult::WriteFailed : SaveResult::NotSaved;
  }

  // The new index goes to its own temporary file before the old data file is
  // touched, so from here on both halves of the new set exist whole on disk.
  FileHandle index = files.Open(index_temp, OpenMode::CreateExclusive);
  if (index == kNoFile) {
    files.Close(data);
    TellError(ports, nullptr, kTempCreateFailedText);
    return SaveResult::NotSaved;
  }
  std::vector<unsigned char> index_bytes = EncodeIndex(new_index);
  bool written = files.Write(index, index_bytes.data(), index_bytes.size()) && files.Flush(index);
  files.Close(index);
  // Closed before the move: Windows moves no file over one that is open.
  files.Close(data);
  if (!written) {
    TellError(ports, nullptr, kWriteFailedText);
    return SaveResult::WriteFailed;
  }

  // One step: the data file is the old one or the new one, never missing and
  // never two names of one file.
  if (!files.Replace(data_temp, data_name)) {
    ports.user.Tell(nullptr, kDeleteFailedText, MessageIcon::None);
    return SaveResult::DeleteFailed;
  }
  // The new data is in place: the new note is the set's note now, whatever
  // happens next; the next save or start-up moves the index in if this
  // cannot.
  set.index = std::move(new_index);
  set.data_size = new_size;
  set.unfinished_save = true;
  if (!files.Replace(index_temp, index_name)) {
    TellError(ports, nullptr, kIndexFailedText);
    return SaveResult::Unfinished;
  }
  set.unfinished_save = false;
  ports.view.SetText(state.buffer.data());
  return SaveResult::Saved;
}

bool CreateNoteSetFiles(NotesState& state, const NotesPorts& ports, const std::string& name) {
  NoteSetTable& table = state.table;
  if (table.count >= kMaxNoteSets || !WriteEmptySet(ports.files, name)) {
    TellError(ports, nullptr, kCreateFailedText);
    return false;
  }
  NoteSet& set = table.sets[static_cast<std::size_t>(table.count)];
  set.data_file = name + kDataSuffix;
  set.index = EmptyIndex();
  set.data_size = kVerseCount;
  set.has_files = true;
  ++table.count;
  ShowTabs(state, ports);
  return true;
}

}  // namespace kv
