// kelvane copy: the clipboard text of Copy Range, on stdout.
#include "output/range_output.h"
#include "tools/kelvane/output_args.h"

namespace kv::cli {
namespace {

int RunCopy(Args& args) {
  FormatOptions options;
  if (!TakeFormatOptions(args, &options)) return kUsageError;
  if (!FinishOptions(args)) return kUsageError;
  if (args.words.empty()) return UsageError("copy needs a range, such as \"Eph 6:17-18\"");
  const BibleData* data = LoadData(args);
  if (!data) return kUsageError;
  std::string typed;
  for (const std::string& word : args.words) typed += (typed.empty() ? "" : " ") + word;
  VerseIndex first = 0, last = 0;
  if (!ParseTypedReference(*data, typed, &first, &last)) return kUsageError;

  TerminalClipboard clipboard;
  TerminalUserServices messages;
  if (!CopyRangeToClipboard(*data, options, first, last, clipboard, messages)) return kUsageError;
  Output out(args);
  out.Text(clipboard.text);
  return kFound;
}

}  // namespace

KELVANE_COMMAND(copy, "copy", "copy [--first full|partial|none] [--next ...] [--after] [--no-breaks] [--no-marks] [--] RANGE",
                "Writes the text Copy Range puts on the clipboard (CR LF kept, no NUL):\n"
                "the verses of RANGE, such as \"Eph 6:17-18\" or \"Ge 1:31 - Ex 1:2\", each with its label.\n"
                "Exit status: 0 written, 2 \"Unrecognized Refrence\", bad usage or data.\n",
                RunCopy);

}  // namespace kv::cli
