// The notes of one note set as Save Range reads them: the note store behind
// the output's NoteSource. The Save Range dialog and `kelvane save --notes`
// hand one of these to SaveRangeToFile for the set the user chose, which
// need not be the current set.
#pragma once

#include <string>
#include <vector>

#include "notes/note_files.h"
#include "output/range_output.h"

namespace kv {

class NoteSetSource final : public NoteSource {
 public:
  // `set` must stay in the table, unchanged, while the save runs.
  NoteSetSource(Files& files, const NoteSet& set) : files_(files), set_(set) {}
  ~NoteSetSource() override { Close(); }
  NoteSetSource(const NoteSetSource&) = delete;
  NoteSetSource& operator=(const NoteSetSource&) = delete;

  // Opens the data file for reading. Refuses a data file whose size no
  // longer matches the index: notes read at the index's offsets from another
  // file would be someone else's bytes in the saved text. A set that lives in
  // memory only opens without a file: it has no notes.
  bool Open() override;
  // The note's stored text without its NUL, read with one seek and one read.
  Read ReadNote(VerseIndex verse, std::string* text) override;
  void Close() override;

 private:
  Files& files_;
  const NoteSet& set_;
  FileHandle file_ = kNoFile;
  std::vector<char> bytes_;  // the note being read; a note fits the note buffer
};

}  // namespace kv
