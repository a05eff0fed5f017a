// kelvane save: the file Save Range writes.
#include "output/range_output.h"
#include "tools/kelvane/output_args.h"

namespace kv::cli {
namespace {

int RunSave(Args& args) {
  FormatOptions options;
  if (!TakeFormatOptions(args, &options)) return kUsageError;
  std::string set;
  if (TakeOption(args, "--notes", &set))
    return UsageError("--notes " + set + ": saving with notes needs the note store, not in this build yet");
  if (RejectUnknownOptions(args)) return kUsageError;
  if (args.words.size() < 2) return UsageError("save needs a range and a file name");
  const BibleData* data = LoadData(args);
  if (!data) return kUsageError;
  std::string file_name = args.words.back();
  args.words.pop_back();
  std::string typed;
  for (const std::string& word : args.words) typed += (typed.empty() ? "" : " ") + word;
  VerseIndex first = 0, last = 0;
  if (!ParseTypedReference(*data, typed, &first, &last)) return kUsageError;

  std::unique_ptr<Files> files = MakeSystemFiles("");
  TerminalUserServices messages;
  return SaveRangeToFile(*data, options, first, last, *files, file_name, nullptr, messages) ? kFound
                                                                                             : kUsageError;
}

}  // namespace

KELVANE_COMMAND(save, "save", "save [format options] [--notes SET] RANGE FILE",
                "Writes FILE as Save Range does: the lines of `kelvane copy`, each verse's note\n"
                "from note set SET after it, and one NUL byte at the end. Format options:\n"
                "--first, --next, --after, --no-breaks, --no-marks as for `kelvane copy`.\n",
                RunSave);

}  // namespace kv::cli
