// kelvane phrase: the Phrase Search dialog from the command line.
#include <string>

#include "tools/kelvane/list_file.h"
#include "tools/kelvane/search_output.h"

namespace kv::cli {
namespace {

int RunPhraseCommand(Args& args) {
  SearchState& state = CommandSearchState();  // a megabyte of result lists: not for the stack
  ListFile list_file;
  if (!TakeListFile(args, &list_file)) return kUsageError;
  // The listing options matter only for a one-word phrase, which is listed
  // and marked like a word search.
  int chosen = 0;
  if (TakeFlag(args, "--any")) state.options.boolean_type = kAnyWord, ++chosen;
  if (TakeFlag(args, "--one")) state.options.boolean_type = kOneWord, ++chosen;
  if (chosen > 1) return UsageError("--any and --one exclude each other");
  state.options.case_sensitive = TakeFlag(args, "--case");
  state.options.sub_string = TakeFlag(args, "--substring");
  std::string range;
  bool has_range = TakeOption(args, "--range", &range);
  bool references_only = TakeFlag(args, "--refs");
  if (!FinishOptions(args)) return kUsageError;
  if (args.words.empty()) return UsageError("phrase needs the WORDS of the phrase");
  const BibleData* data = LoadData(args);
  if (!data) return kUsageError;
  if (!TakeSearchRange(*data, range, has_range, &state.options)) return kUsageError;
  int status = SearchAndPrint(args, *data, state, SearchDialog::Phrase, JoinWords(args.words), references_only);
  return WriteListFile(*data, state.verse_list, list_file, status);
}

}  // namespace

KELVANE_COMMAND(phrase, "phrase", "phrase [--case] [--any|--one] [--substring] [--range RANGE] [--refs] [--as FORM FILE] [--] WORDS...",
                "Finds the verses holding the WORDS in this order, as the Phrase Search dialog does;\n"
                "punctuation between the words does not matter.\n"
                "  --case        letters must match in case\n"
                "  --any, --one, --substring\n"
                "                how a one-word phrase is listed and marked, as in a word search\n"
                KELVANE_LIST_FILE_HELP
                "  --range RANGE search only RANGE, e.g. \"Mt - Re\" (default: the whole Bible)\n"
                "Prints the status line (\"3 verses, 3 occurrences\"), then one line per verse: the reference,\n"
                "a TAB and the text with the phrase's words in {braces} (in colour on a terminal).\n"
                "  --refs        only the references, one a line (\"Ge 1:1\"); the status line goes to stderr\n"
                "Exit status: 0 found, 1 nothing found, 2 bad usage or data.\n",
                RunPhraseCommand);

}  // namespace kv::cli
