#include "output/list_output.h"

#include <cstdio>
#include <cstring>

#include "output/clipboard_block.h"
#include "output/copy_block.h"
#include "output/output_messages.h"
#include "output/verse_formatter.h"
#include "store/verse_address.h"

namespace kv {

namespace {

// The list ends with -1; anything else that names no verse ends it too, so a
// damaged list can never make us read outside the verse table.
bool IsEntry(VerseIndex v) { return v >= 0 && v <= kLastVerse; }

int Fitted(int written, std::size_t size) {
  if (written < 0 || size == 0) return 0;
  return static_cast<std::size_t>(written) < size ? written : static_cast<int>(size - 1);
}

}  // namespace

int FormatVerseListLine(const BibleData& data, VerseIndex verse, char* out, std::size_t size) {
  VerseRecord r = RecordOf(data, verse);
  const char* text = VerseText(data, verse);
  char label[kVerseLabelSize];
  std::snprintf(label, sizeof label, " %s %d:%d", BookAbbreviations[r.book], r.chapter, r.verse);
  int written = static_cast<unsigned char>(text[0]) == kPilcrow
                    ? std::snprintf(out, size, "%s \xB6 %s\r\n", label, text + 1)
                    : std::snprintf(out, size, "%s %s\r\n", label, text);
  return Fitted(written, size);
}

bool CopyVerseList(const BibleData& data, const VerseIndex* list, Clipboard& clipboard,
                   UserServices& messages) {
  CopyBlock block;
  block.size = kListExtraBytes;
  for (const VerseIndex* v = list; IsEntry(*v); ++v)
    block.size += std::strlen(VerseText(data, *v)) + kVerseListBytesPerEntry;
  if (!OpenClipboardBlock(clipboard, messages, &block)) return false;
  char line[kVerseLineSize];
  for (const VerseIndex* v = list; IsEntry(*v) && block.complete; ++v) {
    int length = FormatVerseListLine(data, *v, line, sizeof line);
    AppendToBlock(&block, line, static_cast<std::size_t>(length));
  }
  HandClipboardBlock(clipboard, messages, &block);
  return true;
}

std::string ReferenceListText(const BibleData& data, const VerseIndex* list) {
  std::string text = "#";
  int book = 0;     // no book yet
  int chapter = 0;  // no chapter yet: chapters count from 1
  char piece[kVerseLabelSize];
  for (const VerseIndex* v = list; IsEntry(*v); ++v) {
    VerseRecord r = RecordOf(data, *v);
    if (r.book != book) {
      std::snprintf(piece, sizeof piece, " %s", BookAbbreviations[r.book]);
      text += piece;
      book = r.book;
      chapter = 0;
    }
    if (r.chapter == chapter) {
      std::snprintf(piece, sizeof piece, ",%d", r.verse);
    } else {
      std::snprintf(piece, sizeof piece, " %d:%d", r.chapter, r.verse);
      chapter = r.chapter;
    }
    text += piece;
  }
  return text;
}

bool CopyReferenceList(const BibleData& data, const VerseIndex* list, Clipboard& clipboard,
                       UserServices& messages) {
  CopyBlock block;
  block.size = kListExtraBytes;
  for (const VerseIndex* v = list; IsEntry(*v); ++v) block.size += kReferenceBytesPerEntry;
  if (!OpenClipboardBlock(clipboard, messages, &block)) return false;
  std::string text = ReferenceListText(data, list);
  AppendToBlock(&block, text.data(), text.size());
  HandClipboardBlock(clipboard, messages, &block);
  return true;
}

bool SaveVerseList(const BibleData& data, const VerseIndex* list, Files& files,
                   const std::string& file_name, UserServices& messages, PartialFile partial) {
  FileHandle out = files.Open(file_name, OpenMode::CreateNew);
  if (out == kNoFile) {
    messages.Tell(kSaveErrorCaption, kCannotCreateFileText, MessageIcon::Error);
    return false;
  }
  char line[kVerseLineSize];
  bool written = true;
  for (const VerseIndex* v = list; IsEntry(*v) && written; ++v) {
    int length = FormatVerseListLine(data, *v, line, sizeof line);
    written = files.Write(out, line, static_cast<std::size_t>(length));
  }
  // The closing NUL is checked like the lines: a save that lost its end is
  // not a success.
  if (written) written = files.Write(out, "", 1);
  if (!written) messages.Tell(kSaveErrorCaption, kWriteErrorText, MessageIcon::Error);
  files.Close(out);
  if (!written && partial == PartialFile::Remove) files.Discard(file_name);
  return written;
}

}  // namespace kv
