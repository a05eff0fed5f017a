// kelvane xref: reads a cross-reference line as a double click in a note does.
#include <cstdio>

#include "notes/cross_references.h"
#include "notes/note_files.h"
#include "store/verse_address.h"
#include "tools/kelvane/cli.h"
#include "tools/kelvane/list_file.h"

namespace kv::cli {
namespace {

int RunXref(Args& args) {
  ListFile list_file;
  if (!TakeListFile(args, &list_file)) return kUsageError;
  std::string at = "Ge 1:1", offset = "0";
  TakeOption(args, "--at", &at);
  TakeOption(args, "--offset", &offset);
  bool references_only = TakeFlag(args, "--refs");
  if (!FinishOptions(args)) return kUsageError;
  if (args.words.size() != 1) return UsageError("xref takes one line");
  const BibleData* data = LoadData(args);
  if (!data) return kUsageError;
  VerseIndex verse = kNoVerse;
  if (!ParseTypedReference(*data, at, &verse)) return kUsageError;
  int click = 0;
  if (!ReadCount(offset, kMaxNoteChars, &click)) return UsageError("--offset takes a number from 0 to 65533");
  const std::string& line = args.words[0];
  CrossReferenceList list;
  if (!CollectCrossReferences(*data, line.c_str(), line.size(), static_cast<std::size_t>(click), verse, &list))
    return kNothingFound;
  Output out(args);
  if (references_only) {
    // The references alone on stdout; the status line goes to stderr.
    for (VerseIndex v : list.verses) {
      out.Plain(ShortReference(*data, v));
      out.Line();
    }
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", list.status.c_str());
  } else {
    out.Plain(list.status);
    out.Line();
    for (VerseIndex v : list.verses) {
      out.Plain(FullReference(*data, v));
      out.Line();
    }
  }
  // The collected verses become the verse list, which ends with -1.
  list.verses.push_back(kNoVerse);
  return WriteListFile(*data, list.verses.data(), list_file, kFound);
}

KELVANE_COMMAND(xref, "xref", "xref [--at REF] [--offset N] [--refs] [--as FORM FILE] [--] LINE",
                "Reads LINE as the note text of REF (default Ge 1:1) double-clicked at offset N (default 0):\n"
                "prints the status text, then the full reference of each verse collected. Exit 1 when the\n"
                "click is not on a cross-reference line.\n"
                "  --refs        only the short references, one a line (\"Ge 1:1\"); the status text goes\n"
                "                to stderr\n"
                KELVANE_LIST_FILE_HELP
                "Exit status: 0 collected, 1 not a cross-reference line, 2 bad usage or data.\n",
                RunXref);

}  // namespace
}  // namespace kv::cli
