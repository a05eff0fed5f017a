// kelvane search: the Word Search (or Word List search) dialog from the
// command line.
#include <string>

#include "tools/kelvane/list_file.h"
#include "tools/kelvane/search_output.h"

namespace kv::cli {
namespace {

int RunSearchCommand(Args& args) {
  SearchState& state = CommandSearchState();  // a megabyte of result lists: not for the stack
  ListFile list_file;
  if (!TakeListFile(args, &list_file)) return kUsageError;
  int listing = kAllWords, chosen = 0;
  if (TakeFlag(args, "--all")) listing = kAllWords, ++chosen;
  if (TakeFlag(args, "--any")) listing = kAnyWord, ++chosen;
  if (TakeFlag(args, "--one")) listing = kOneWord, ++chosen;
  if (chosen > 1) return UsageError("--all, --any and --one exclude each other");
  state.options.boolean_type = listing;
  state.options.case_sensitive = TakeFlag(args, "--case");
  state.options.sub_string = TakeFlag(args, "--substring");
  SearchDialog dialog = TakeFlag(args, "--wordlist") ? SearchDialog::WordList : SearchDialog::WordSearch;
  std::string range;
  bool has_range = TakeOption(args, "--range", &range);
  bool references_only = TakeFlag(args, "--refs");
  if (!FinishOptions(args)) return kUsageError;
  if (args.words.empty()) return UsageError("search needs the WORDS to look for");
  const BibleData* data = LoadData(args);
  if (!data) return kUsageError;
  if (!TakeSearchRange(*data, range, has_range, &state.options)) return kUsageError;
  int status = SearchAndPrint(args, *data, state, dialog, JoinWords(args.words), references_only);
  return WriteListFile(*data, state.verse_list, list_file, status);
}

}  // namespace

KELVANE_COMMAND(search, "search", "search [--all|--any|--one] [--case] [--substring] [--wordlist] [--range RANGE] [--refs] [--as FORM FILE] [--] WORDS...",
                "Finds the verses holding all (--all, the default), at least one (--any) or exactly one (--one)\n"
                "of the WORDS, as the Word Search dialog does.\n"
                "  --case        letters must match in case\n"
                "  --substring   a word also matches every word that contains it\n"
                "  --wordlist    report a failure as the Word List dialog does (\"0 verses, 0 occurrences\")\n"
                KELVANE_LIST_FILE_HELP
                "  --range RANGE search only RANGE, e.g. \"Mt - Re\" or \"Ps 23\" (default: the whole Bible)\n"
                "Prints the status line (\"12 verses, 15 occurrences\" or \"No Matches\"), then one line per verse:\n"
                "the reference, a TAB and the text with each match in {braces} (in colour on a terminal).\n"
                "  --refs        only the references, one a line (\"Ge 1:1\"); the status line goes to stderr\n"
                "Exit status: 0 found, 1 nothing found, 2 bad usage or data.\n",
                RunSearchCommand);

}  // namespace kv::cli
