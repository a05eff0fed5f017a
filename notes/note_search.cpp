#include "notes/note_search.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/text_util.h"

namespace kv {
namespace {

const char* const kNotFoundText = "Text not found";
const char* const kSearchCaption = "Search Notes";

bool IsWordChar(char c) {
  auto u = static_cast<unsigned char>(c);
  return IsAsciiLetter(u) || IsAsciiDigit(u);
}

void LowerCase(char* text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i)
    text[i] = static_cast<char>(ToLowerAscii(static_cast<unsigned char>(text[i])));
}

// The first acceptable match at or after `from`, or npos.
std::size_t FindIn(std::string_view note, std::string_view text, std::size_t from, bool whole_word) {
  while (from <= note.size()) {
    std::size_t at = note.find(text, from);
    if (at == std::string_view::npos) return at;
    std::size_t after = at + text.size();
    if (!whole_word || ((at == 0 || !IsWordChar(note[at - 1])) && (after == note.size() || !IsWordChar(note[after]))))
      return at;
    from = at + 1;
  }
  return std::string_view::npos;
}

// The notes of a set lie back to back in verse order, so one read of a
// block of the data file serves many notes: a search costs a few reads, not
// one for every verse with a note.
class NoteBlocks {
 public:
  static constexpr std::size_t kBlockBytes = 256 * 1024;

  NoteBlocks(Files& files, FileHandle file) : files_(files), file_(file) {}

  // The stored bytes of [start, end), as far as the file holds them; false
  // when the file cannot be read.
  bool Get(std::int64_t start, std::int64_t end, std::string_view* bytes) {
    const auto length = static_cast<std::size_t>(end - start);
    if (start < block_start_ || end > block_start_ + static_cast<std::int64_t>(held_)) {
      block_.resize(std::max(kBlockBytes, length));
      held_ = 0;
      block_start_ = start;
      if (!files_.Seek(file_, start) || !files_.Read(file_, block_.data(), block_.size(), &held_)) return false;
    }
    const auto from = static_cast<std::size_t>(start - block_start_);
    *bytes = std::string_view(block_.data() + from, std::min(length, held_ > from ? held_ - from : 0));
    return true;
  }

 private:
  Files& files_;
  FileHandle file_;
  std::vector<char> block_;
  std::int64_t block_start_ = 0;
  std::size_t held_ = 0;
};

}  // namespace

NoteSearchResult FindNextNoteText(NotesState& state, const NotesPorts& ports, char* text,
                                  const NoteSearchOptions& options, NoteSearchPosition* position,
                                  const NoteSearchProgress& progress) {
  const void* nul = std::memchr(text, '\0', kNoteSearchTextSize - 1);
  std::size_t text_length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : kNoteSearchTextSize - 1;
  text[text_length] = '\0';
  if (text_length == 0) return NoteSearchResult::EmptyText;
  if (!options.case_sensitive) LowerCase(text, text_length);
  std::string_view wanted(text, text_length);
  if (position->verse < options.start) *position = NoteSearchPosition{options.start, 0};
  if (position->verse < 0) *position = NoteSearchPosition{0, 0};

  const NoteSet& set = state.current();
  FileHandle file = kNoFile;
  std::optional<NoteBlocks> blocks;
  std::vector<char> note(kNoteBufferSize);
  for (VerseIndex v = position->verse; v <= options.end && v <= kLastVerse; ++v) {
    if (progress) progress(v);
    if (!HasNote(set, v)) continue;
    // One open serves the whole search.
    if (file == kNoFile) {
      file = ports.files.Open(set.data_file, OpenMode::ReadRandom);
      if (file != kNoFile) blocks.emplace(ports.files, file);
    }
    std::int64_t start = set.index[static_cast<std::size_t>(v)];
    std::int64_t end = v < kLastVerse ? set.index[static_cast<std::size_t>(v) + 1] : set.data_size;
    std::string_view stored;
    if (file == kNoFile || !blocks->Get(start, end, &stored)) {
      ports.files.Close(file);
      ports.user.Tell("Error", "Error reading note file", MessageIcon::Error);
      return NoteSearchResult::ReadError;
    }
    const std::size_t got = std::min(stored.size(), note.size() - 1);
    std::memcpy(note.data(), stored.data(), got);
    note[got] = '\0';
    std::size_t length = std::strlen(note.data());
    if (!options.case_sensitive) LowerCase(note.data(), length);
    std::size_t from = v == position->verse ? position->offset : 0;
    std::size_t at = FindIn(std::string_view(note.data(), length), wanted, from, !options.substring);
    if (at == std::string_view::npos) continue;
    ports.files.Close(file);
    if (!ShowNote(state, ports, v)) return NoteSearchResult::ReadError;
    ports.view.Select(at, at + text_length);
    *position = NoteSearchPosition{v, at + text_length};
    return NoteSearchResult::Found;
  }
  ports.files.Close(file);
  ports.user.Tell(kSearchCaption, kNotFoundText, MessageIcon::Information);
  return NoteSearchResult::NotFound;
}

NoteSearchResult FindFirstNoteText(NotesState& state, const NotesPorts& ports, char* text,
                                   const NoteSearchOptions& options, NoteSearchPosition* position,
                                   const NoteSearchProgress& progress) {
  *position = NoteSearchPosition{options.start, 0};
  return FindNextNoteText(state, ports, text, options, position, progress);
}

}  // namespace kv
