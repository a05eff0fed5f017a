// A range of verses on the clipboard or in a text file, shaped by the
// FormatOptions: Copy Verse, Copy Range and Save Range end here.
#pragma once

#include <cstddef>
#include <string>

#include "output/copy_block.h"
#include "output/format_options.h"
#include "output/partial_file.h"
#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/user_services.h"
#include "store/bible_data.h"

namespace kv {

// The notes of one note set, as a save with notes reads them. The note store
// supplies it for the set the user chose.
class NoteSource {
 public:
  virtual ~NoteSource() = default;
  // Opens the set's data file for reading; false when it cannot be opened.
  virtual bool Open() = 0;
  enum class Read { NoNote, Note, Failed };
  // The note's text when the verse has a note in the set. Failed when the
  // note is there but cannot be read: the save must not pass for complete.
  virtual Read ReadNote(VerseIndex verse, std::string* text) = 0;
  virtual void Close() = 0;
};

// Puts verses first..last (first <= last, both real verses) on the
// clipboard, one formatted line each, the first with FirstVerseStyle and the
// rest with SubsequentVerseStyle. Lines that do not fit the block of
// `bytes_per_verse` bytes per verse are left out and the user is told.
// False when nothing could be copied (the user has been told why) or the
// range is not a range of verses.
bool CopyRangeToClipboard(const BibleData& data, const FormatOptions& options, VerseIndex first,
                          VerseIndex last, Clipboard& clipboard, UserServices& messages,
                          std::size_t bytes_per_verse = kCopyBytesPerVerse);

// Writes the same lines as the copy to a new file `file_name` (replacing any
// file of that name), each verse followed by its note set off by blank lines
// when `notes` is given and the verse has a note, and one NUL byte at the
// end. False, with the user told, when the file cannot be created, the notes
// cannot be opened or a write fails; the file then holds what was written,
// or is removed with PartialFile::Remove.
bool SaveRangeToFile(const BibleData& data, const FormatOptions& options, VerseIndex first,
                     VerseIndex last, Files& files, const std::string& file_name, NoteSource* notes,
                     UserServices& messages, PartialFile partial = PartialFile::Keep);

}  // namespace kv
