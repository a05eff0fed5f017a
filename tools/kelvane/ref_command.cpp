// kelvane ref: what the reference parser makes of a typed reference.
#include <cstdio>
#include <string>

#include "store/verse_address.h"
#include "tools/kelvane/search_output.h"

namespace kv::cli {
namespace {

int RunRefCommand(Args& args) {
  bool range = TakeFlag(args, "--range");
  if (!FinishOptions(args)) return kUsageError;
  if (args.words.empty()) return UsageError("ref needs the TEXT of a reference");
  const BibleData* data = LoadData(args);
  if (!data) return kUsageError;
  VerseIndex first = kNoVerse, last = kNoVerse;
  if (!ParseTypedReference(*data, JoinWords(args.words), &first, range ? &last : nullptr)) return kUsageError;
  Output out(args);
  if (range)
    std::printf("%d\t%d\t%s", static_cast<int>(first), static_cast<int>(last), RangeText(*data, first, last).c_str());
  else
    std::printf("%d\t%s", static_cast<int>(first), ShortReference(*data, first).c_str());
  out.Line();
  return kFound;
}

}  // namespace

KELVANE_COMMAND(ref, "ref", "ref [--range] [--] TEXT...",
                "Reads TEXT as the Go To Verse dialog does (\"Ge 1:1\", \"genesis 1\", \"1 John 3:16\") and prints\n"
                "the verse number and its reference: FIRST<TAB>Ge 1:1. With --range reads it as the Set Search\n"
                "Range dialog does (\"Mt - Re\", \"Ps 23\") and prints FIRST<TAB>LAST<TAB>Ge 1:1 - Re 22:21.\n"
                "Verse numbers count from 0 (Genesis 1:1) to 31101 (Revelation 22:21).\n"
                "Exit status: 0 read, 2 \"Unrecognized Refrence\" or bad usage.\n",
                RunRefCommand);

}  // namespace kv::cli
