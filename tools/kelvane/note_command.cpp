// kelvane note: the note sets of a folder, read and changed through the same
// core as the program, with the same start-up repair.
#include <algorithm>
#include <cstdio>
#include <iterator>

#include "notes/note_files.h"
#include "notes/note_search.h"
#include "notes/note_set_name_rules.h"
#include "notes/note_sets.h"
#include "store/verse_address.h"
#include "tools/kelvane/cli.h"
#include "tools/kelvane/note_tool.h"

namespace kv::cli {
namespace {

// A locked file is retried at most this often: the tool must end.
constexpr int kMaxRetries = 1000;

// Selects the set of --set; false (reported) when it is not there.
bool SelectSet(NoteTool& tool, const std::string& name) {
  int set = NoteSetNamed(tool, name);
  if (set < 0) return false;
  tool.state.current_set = set;
  return true;
}

int List(NoteTool& tool, Args& args, const std::string& set_name) {
  Output out(args);
  if (set_name.empty()) {
    for (const std::string& label : TabLabels(tool.state.table)) {
      out.Text(label);
      out.Line();
    }
    return kFound;
  }
  if (!SelectSet(tool, set_name)) return kUsageError;
  for (VerseIndex v = 0; v < kVerseCount; ++v)
    if (HasNote(tool.state, v)) {
      out.Plain(ShortReference(*tool.bible, v));
      out.Line();
    }
  return kFound;
}

// All of standard input, bytes as they come (no iostreams: their start-up
// would cost every command, not only this one).
std::string ReadStandardInput() {
  std::string text;
  char buffer[1 << 14];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) text.append(buffer, got);
  return text;
}

bool ReadVerse(NoteTool& tool, const std::string& text, VerseIndex* verse) {
  return ParseTypedReference(*tool.bible, text, verse);
}

int Get(NoteTool& tool, const std::vector<std::string>& words) {
  if (words.empty()) return UsageError("note get takes a reference");
  std::string typed;
  for (const std::string& word : words) typed += (typed.empty() ? "" : " ") + word;
  VerseIndex verse;
  if (!ReadVerse(tool, typed, &verse)) return kUsageError;
  if (!HasNote(tool.state, verse)) return kNothingFound;
  std::string text;
  if (!ReadNote(*tool.files, tool.state.current(), verse, &text)) {
    Fail("Error reading note file");
    return kUsageError;
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  return kFound;
}

int Set(NoteTool& tool, const std::vector<std::string>& words) {
  if (words.size() != 2 && words.size() != 1) return UsageError("note set takes a reference and a text (or -)");
  VerseIndex verse;
  if (!ReadVerse(tool, words[0], &verse)) return kUsageError;
  std::string text;
  if (words.size() == 1 || words[1] == "-")
    text = ReadStandardInput();
  else
    text = words[1];
  // The core would cut the text where the editor would; here nothing is cut
  // behind the user's back.
  if (text.find('\0') != std::string::npos) return UsageError("a note cannot hold a NUL byte");
  if (text.size() > kMaxNoteChars) return UsageError("a note holds at most 65533 characters");
  tool.state.current_verse = verse;
  return SaveNote(tool.state, tool.Ports(), text) == SaveResult::Saved ? kFound : kNothingFound;
}

int Search(NoteTool& tool, Args& args) {
  NoteSearchOptions options;
  options.case_sensitive = TakeFlag(args, "--case");
  options.substring = TakeFlag(args, "--substring");
  std::string range, from;
  if (TakeOption(args, "--range", &range) && !ParseTypedReference(*tool.bible, range, &options.start, &options.end))
    return kUsageError;
  bool next = TakeOption(args, "--from", &from);
  std::string caret;
  bool has_caret = TakeOption(args, "--offset", &caret);
  if (!FinishOptions(args)) return kUsageError;
  if (args.words.size() != 1) return UsageError("note search takes one text");
  if (has_caret && !next) return UsageError("--offset is the caret in the note of --from REF");
  char text[kNoteSearchTextSize] = {};
  args.words[0].copy(text, kMaxNoteSearchChars);
  NoteSearchPosition position{options.start, 0};
  if (next && !ReadVerse(tool, from, &position.verse)) return kUsageError;
  int offset = 0;
  if (has_caret && !ReadCount(caret, kMaxNoteChars, &offset))
    return UsageError("--offset takes a number from 0 to 65533");
  position.offset = static_cast<std::size_t>(offset);
  tool.user.information_to_stdout = true;
  NoteSearchResult result = next ? FindNextNoteText(tool.state, tool.Ports(), text, options, &position)
                                 : FindFirstNoteText(tool.state, tool.Ports(), text, options, &position);
  if (result == NoteSearchResult::EmptyText) return UsageError("nothing to search for");
  if (result != NoteSearchResult::Found) return kNothingFound;
  std::size_t length = std::char_traits<char>::length(text);
  std::printf("%s %zu\n", ShortReference(*tool.bible, position.verse).c_str(), position.offset - length);
  return kFound;
}

// A name the set operations would refuse is a bad argument: said with the
// rule it breaks, before anything is tried.
bool CheckSetName(const std::string& name) {
  const char* problem = NoteSetNameProblem(name);
  if (!problem) return true;
  UsageError("the note set name \"" + Echo(name) + "\" " + problem);
  return false;
}

int RunNote(Args& args) {
  std::vector<std::string>& from = args.words.empty() ? args.texts : args.words;
  if (from.empty()) return UsageError("note needs list, get, set, search, new, rename or delete");
  std::string action = from[0];
  from.erase(from.begin());
  std::string dir = ".", set_name, retries;
  TakeOption(args, "--dir", &dir);
  bool has_set = TakeOption(args, "--set", &set_name);
  NoteTool tool;
  tool.user.yes = TakeFlag(args, "--yes");
  if (TakeOption(args, "--retry", &retries) && !ReadCount(retries, kMaxRetries, &tool.user.retries))
    return UsageError("--retry takes a number from 0 to " + std::to_string(kMaxRetries));
  if (action != "search" && !FinishOptions(args)) return kUsageError;
  static const char* const kActions[] = {"list", "get", "set", "search", "new", "rename", "delete"};
  if (std::find(std::begin(kActions), std::end(kActions), action) == std::end(kActions))
    return UsageError("unknown note action " + Echo(action));
  const std::vector<std::string>& words = args.words;
  if (action == "new" && words.size() == 1 && !CheckSetName(words[0])) return kUsageError;
  if (action == "rename" && words.size() == 2 && !CheckSetName(words[1])) return kUsageError;
  const BibleData* data = LoadData(args);
  if (!data) return kUsageError;
  if (!CheckNoteFolder(dir)) return kUsageError;
  if (!tool.Discover(*data, dir)) return kUsageError;

  bool needs_set = action == "get" || action == "set" || action == "search";
  if (needs_set && !has_set) return UsageError("note " + action + " needs --set NAME");
  if (needs_set && !SelectSet(tool, set_name)) return kUsageError;
  if (action == "list") return words.empty() ? List(tool, args, set_name) : UsageError("note list takes no words");
  if (action == "get") return Get(tool, words);
  if (action == "set") return Set(tool, words);
  if (action == "search") return Search(tool, args);
  if (action == "new") {
    if (words.size() != 1) return UsageError("note new takes one name");
    return CreateNoteSet(tool.state, tool.Ports(), words[0]) ? kFound : kNothingFound;
  }
  if (action == "rename") {
    if (words.size() != 2) return UsageError("note rename takes the old and the new name");
    if (!SelectSet(tool, words[0])) return kUsageError;
    return RenameCurrentNoteSet(tool.state, tool.Ports(), words[1]) ? kFound : kNothingFound;
  }
  if (action == "delete") {
    if (words.size() != 1) return UsageError("note delete takes one name");
    if (!tool.user.yes) return UsageError("note delete needs --yes");
    if (!SelectSet(tool, words[0])) return kUsageError;
    return DeleteCurrentNoteSet(tool.state, tool.Ports()) ? kFound : kNothingFound;
  }
  return UsageError("unknown note action " + Echo(action));
}

KELVANE_COMMAND(note, "note",
                "note (list [--set NAME] | get --set NAME REF | set --set NAME REF [TEXT|-] | search --set NAME "
                "[--case] [--substring] [--range RANGE] [--from REF [--offset N]] TEXT | new NAME | rename OLD NEW | "
                "delete NAME --yes) [--dir DIR] [--] ...",
                "The note sets of DIR (default: the current folder), found and repaired as the program does at\n"
                "start-up. list: the sets, or the verses of one set that have a note. get: a note exactly as\n"
                "stored (exit 1: no note). set: stores TEXT (or standard input) as the note; an empty text\n"
                "deletes it; --retry N answers a locked file with Retry N times. search: Find First, or Find\n"
                "Next from REF with the caret at offset N of its note (default 0); prints the verse and the\n"
                "offset of the match (exit 1: \"Text not found\"). new, rename, delete: the set operations\n"
                "of the Notes menu.\n"
                "Exit status: 0 done, 1 no note, text not found, or the operation refused or failed (the\n"
                "program's message says which), 2 bad usage: a reference that does not parse, a set name the\n"
                "program refuses (the message names the rule), a folder that does not exist or cannot be\n"
                "read, no set of that name, bad data.\n",
                RunNote);

}  // namespace
}  // namespace kv::cli
