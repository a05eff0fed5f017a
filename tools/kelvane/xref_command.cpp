// kelvane xref: reads a cross-reference line as a double click in a note does.
#include <cstdio>

#include "notes/cross_references.h"
#include "store/verse_address.h"
#include "tools/kelvane/cli.h"

namespace kv::cli {
namespace {

int RunXref(Args& args) {
  std::string at = "Ge 1:1", offset = "0";
  TakeOption(args, "--at", &at);
  TakeOption(args, "--offset", &offset);
  if (RejectUnknownOptions(args)) return kUsageError;
  if (args.words.size() != 1) return UsageError("xref takes one line");
  const BibleData* data = LoadData(args);
  if (!data) return kUsageError;
  VerseIndex verse = kNoVerse;
  if (!ParseTypedReference(*data, at, &verse)) return kUsageError;
  int click = ReadNumber(offset.c_str());
  if (click < 0) return UsageError("--offset takes a number from 0");
  const std::string& line = args.words[0];
  CrossReferenceList list;
  if (!CollectCrossReferences(*data, line.c_str(), line.size(), static_cast<std::size_t>(click), verse, &list))
    return kNothingFound;
  Output out(args);
  out.Plain(list.status);
  out.Line();
  for (VerseIndex v : list.verses) {
    out.Plain(FullReference(*data, v));
    out.Line();
  }
  return kFound;
}

KELVANE_COMMAND(xref, "xref", "xref [--at REF] [--offset N] LINE",
                "Reads LINE as the note text of REF (default Ge 1:1) double-clicked at offset N (default 0):\n"
                "prints the status text, then the full reference of each verse collected. Exit 1 when the\n"
                "click is not on a cross-reference line.\n",
                RunXref);

}  // namespace
}  // namespace kv::cli
