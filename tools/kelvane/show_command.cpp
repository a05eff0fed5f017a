// kelvane show: the verses of a range.
#include <string>

#include "store/verse_address.h"
#include "tools/kelvane/search_output.h"

namespace kv::cli {
namespace {

int RunShowCommand(Args& args) {
  if (!FinishOptions(args)) return kUsageError;
  if (args.words.empty()) return UsageError("show needs a RANGE");
  const BibleData* data = LoadData(args);
  if (!data) return kUsageError;
  VerseIndex first = kNoVerse, last = kNoVerse;
  if (!ParseTypedReference(*data, JoinWords(args.words), &first, &last)) return kUsageError;
  Output out(args);
  char reference[kReferenceLineSize];
  for (VerseIndex v = first; v <= last; ++v) {
    FormatShortReference(*data, v, reference, sizeof reference);
    out.Plain(reference);
    out.Plain("\t");
    out.Text(VerseText(*data, v));
    out.Line();
  }
  return kFound;
}

}  // namespace

KELVANE_COMMAND(show, "show", "show [--] RANGE",
                "Prints the verses of RANGE (read as the Set Search Range dialog reads it: \"Ps 23\",\n"
                "\"Ge 1:1-3\", \"Jude\"), one per line: the short reference, a TAB and the text.\n"
                "Exit status: 0 shown, 2 \"Unrecognized Refrence\" or bad usage.\n",
                RunShowCommand);

}  // namespace kv::cli
