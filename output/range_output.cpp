#include "output/range_output.h"

#include "output/clipboard_block.h"
#include "output/copy_block.h"
#include "output/output_messages.h"
#include "output/verse_formatter.h"

namespace kv {

namespace {

bool IsRange(VerseIndex first, VerseIndex last) {
  return first >= 0 && first <= last && last <= kLastVerse;
}

}  // namespace

bool CopyRangeToClipboard(const BibleData& data, const FormatOptions& options, VerseIndex first,
                          VerseIndex last, Clipboard& clipboard, UserServices& messages,
                          std::size_t bytes_per_verse) {
  if (!IsRange(first, last)) return false;
  CopyBlock block;
  block.size = static_cast<std::size_t>(last - first + 1) * bytes_per_verse;
  if (!OpenClipboardBlock(clipboard, messages, &block)) return false;
  RangeFormat format = StartRangeFormat(options);
  char line[kVerseLineSize];
  for (VerseIndex v = first; v <= last && block.complete; ++v) {
    int length = FormatNextRangeLine(data, &format, v, line, sizeof line);
    AppendToBlock(&block, line, static_cast<std::size_t>(length));
  }
  // Told once, whether the first line or a later one was the first that did
  // not fit: the lines that fitted still go to the clipboard.
  HandClipboardBlock(clipboard, messages, &block);
  return true;
}

bool SaveRangeToFile(const BibleData& data, const FormatOptions& options, VerseIndex first,
                     VerseIndex last, Files& files, const std::string& file_name, NoteSource* notes,
                     UserServices& messages, PartialFile partial) {
  if (!IsRange(first, last)) return false;
  FileHandle out = files.Open(file_name, OpenMode::CreateNew);
  if (out == kNoFile) {
    messages.Tell(kSaveErrorCaption, kCannotCreateFileText, MessageIcon::Error);
    return false;
  }
  if (notes && !notes->Open()) {
    messages.Tell(kSaveErrorCaption, kCannotOpenNotesText, MessageIcon::Error);
    files.Close(out);
    if (partial == PartialFile::Remove) files.Discard(file_name);
    return false;
  }
  static const char kNoteFence[] = "\r\n\r\n";
  RangeFormat format = StartRangeFormat(options);
  char line[kVerseLineSize];
  std::string note;
  bool written = true;
  bool notes_read = true;
  for (VerseIndex v = first; v <= last && written && notes_read; ++v) {
    int length = FormatNextRangeLine(data, &format, v, line, sizeof line);
    written = files.Write(out, line, static_cast<std::size_t>(length));
    NoteSource::Read read = written && notes ? notes->ReadNote(v, &note) : NoteSource::Read::NoNote;
    notes_read = read != NoteSource::Read::Failed;
    if (read == NoteSource::Read::Note) {
      // The note's text ends at its NUL, as the notes window shows it.
      std::size_t note_length = note.find('\0');
      if (note_length == std::string::npos) note_length = note.size();
      // A note that fails to reach the file is a failed save like a verse
      // line that fails: the user must not believe the file complete.
      written = files.Write(out, kNoteFence, sizeof kNoteFence - 1) &&
                files.Write(out, note.data(), note_length) &&
                files.Write(out, kNoteFence, sizeof kNoteFence - 1);
    }
  }
  if (written && notes_read) written = files.Write(out, "", 1);
  if (!written) messages.Tell(kSaveErrorCaption, kWriteErrorText, MessageIcon::Error);
  // A note that cannot be read leaves the file without its closing NUL, as
  // a failed write does, so that it does not look like a finished save.
  if (!notes_read) messages.Tell(kSaveErrorCaption, kCannotOpenNotesText, MessageIcon::Error);
  if (notes) notes->Close();
  files.Close(out);
  if (!(written && notes_read) && partial == PartialFile::Remove) files.Discard(file_name);
  return written && notes_read;
}

}  // namespace kv
