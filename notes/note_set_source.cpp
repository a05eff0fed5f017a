#include "notes/note_set_source.h"

#include <cstring>

namespace kv {

bool NoteSetSource::Open() {
  Close();
  bytes_.resize(kNoteBufferSize);
  // The default set that could not get files lives in memory only and has
  // no notes; whatever holds its file name is not its data.
  if (!set_.has_files) return true;
  file_ = files_.Open(set_.data_file, OpenMode::ReadRandom);
  if (file_ == kNoFile) return false;
  if (files_.Size(file_) != set_.data_size) {
    Close();
    return false;
  }
  return true;
}

NoteSource::Read NoteSetSource::ReadNote(VerseIndex verse, std::string* text) {
  if (verse < 0 || verse > kLastVerse || !HasNote(set_, verse)) return Read::NoNote;
  if (file_ == kNoFile) return Read::Failed;
  std::int64_t start = set_.index[static_cast<std::size_t>(verse)];
  std::int64_t end = verse < kLastVerse ? set_.index[static_cast<std::size_t>(verse) + 1] : set_.data_size;
  std::size_t want = static_cast<std::size_t>(end - start);
  if (want > bytes_.size()) want = bytes_.size();
  std::size_t got = 0;
  if (!files_.Seek(file_, start) || !files_.Read(file_, bytes_.data(), want, &got) || got != want)
    return Read::Failed;
  // The stored length includes the note's NUL; the text ends at the first NUL.
  const char* stop = static_cast<const char*>(std::memchr(bytes_.data(), '\0', got));
  text->assign(bytes_.data(), stop ? static_cast<std::size_t>(stop - bytes_.data()) : got);
  return Read::Note;
}

void NoteSetSource::Close() {
  if (file_ != kNoFile) files_.Close(file_);
  file_ = kNoFile;
}

}  // namespace kv
