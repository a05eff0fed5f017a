// --as verselist|references|savefile FILE: what the search, phrase and xref
// commands share to hand their verse list to the list outputs, so a file
// holds exactly what Copy Verse List, Copy Verse References or Save Verse
// List would make of that list.
#pragma once

#include <string>

#include "output/list_output.h"
#include "tools/kelvane/cli.h"

namespace kv::cli {

struct ListFile {
  enum class Form { None, VerseList, References, SaveFile } form = Form::None;
  std::string file_name;
};

// Takes "--as FORM FILE" out of the arguments. False after a usage error
// was reported, a note set file named as FILE included.
inline bool TakeListFile(Args& args, ListFile* list_file) {
  for (auto it = args.words.begin(); it != args.words.end(); ++it) {
    if (*it != "--as") continue;
    if (args.words.end() - it < 3) {
      UsageError("--as takes a form (verselist, references or savefile) and a file name");
      return false;
    }
    const std::string& form = *(it + 1);
    if (form == "verselist") list_file->form = ListFile::Form::VerseList;
    else if (form == "references") list_file->form = ListFile::Form::References;
    else if (form == "savefile") list_file->form = ListFile::Form::SaveFile;
    else {
      UsageError("--as takes verselist, references or savefile, not " + Echo(form));
      return false;
    }
    list_file->file_name = *(it + 2);
    args.words.erase(it, it + 3);
    return !IsNoteSetFileName(list_file->file_name);
  }
  return true;
}

// The clipboard text of a copy (up to its NUL) as the whole of a file.
inline bool WriteClipboardText(Files& files, const std::string& file_name, const std::string& text) {
  FileHandle out = files.Open(file_name, OpenMode::CreateNew);
  bool written = out != kNoFile && files.Write(out, text.data(), text.size());
  if (out != kNoFile) files.Close(out);
  if (!written) Fail("cannot write " + Echo(file_name));
  return written;
}

// Writes `list` (ending with -1) in the chosen form; the two copies as the
// clipboard text without its NUL, the save as Save Verse List writes it. An
// empty list writes nothing for Copy Verse List and Save Verse List, whose
// commands are greyed then; Copy Verse References still copies "#". Returns
// the command's exit status: `found` unless the output failed.
inline int WriteListFile(const BibleData& data, const VerseIndex* list, const ListFile& list_file, int found) {
  if (list_file.form == ListFile::Form::None) return found;
  bool empty = list[0] == kNoVerse;
  if (empty && list_file.form != ListFile::Form::References) return found;
  std::unique_ptr<Files> files = MakeSystemFiles("");
  TerminalUserServices messages;
  TerminalClipboard clipboard;
  bool done = false;
  switch (list_file.form) {
    case ListFile::Form::VerseList:
      done = CopyVerseList(data, list, clipboard, messages) &&
             WriteClipboardText(*files, list_file.file_name, clipboard.text);
      break;
    case ListFile::Form::References:
      done = CopyReferenceList(data, list, clipboard, messages) &&
             WriteClipboardText(*files, list_file.file_name, clipboard.text);
      break;
    case ListFile::Form::SaveFile:
      done = SaveVerseList(data, list, *files, list_file.file_name, messages);
      break;
    case ListFile::Form::None: break;
  }
  return done ? found : kUsageError;
}

// A macro, so that each command's help literal can take it in.
#define KELVANE_LIST_FILE_HELP                                                      \
  "  --as verselist|references|savefile FILE\n"                                     \
  "                also writes the verse list to FILE as Copy Verse List, Copy Verse\n" \
  "                References (both as the clipboard text, without its NUL) or Save\n"  \
  "                Verse List would\n"

}  // namespace kv::cli
