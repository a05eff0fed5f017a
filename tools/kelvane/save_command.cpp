// kelvane save: the file Save Range writes, with the notes of a set when
// asked.
#include "notes/note_set_source.h"
#include "output/range_output.h"
#include "tools/kelvane/note_tool.h"
#include "tools/kelvane/output_args.h"

namespace kv::cli {
namespace {

int RunSave(Args& args) {
  FormatOptions options;
  if (!TakeFormatOptions(args, &options)) return kUsageError;
  std::string set_name, dir = ".";
  bool with_notes = TakeOption(args, "--notes", &set_name);
  bool has_dir = TakeOption(args, "--dir", &dir);
  if (!FinishOptions(args)) return kUsageError;
  if (has_dir && !with_notes) return UsageError("--dir names the folder of the note sets: use it with --notes");
  if (args.words.size() < 2) return UsageError("save needs a range and a file name");
  const BibleData* data = LoadData(args);
  if (!data) return kUsageError;
  std::string file_name = args.words.back();
  args.words.pop_back();
  if (IsNoteSetFileName(file_name)) return kUsageError;
  std::string typed;
  for (const std::string& word : args.words) typed += (typed.empty() ? "" : " ") + word;
  VerseIndex first = 0, last = 0;
  if (!ParseTypedReference(*data, typed, &first, &last)) return kUsageError;

  // The sets are found, and repaired, before the file is made, as the
  // program has them from its start.
  NoteTool tool;
  std::unique_ptr<NoteSetSource> notes;
  if (with_notes) {
    if (!CheckNoteFolder(dir)) return kUsageError;
    if (!tool.Discover(*data, dir)) return kUsageError;
    int set = NoteSetNamed(tool, set_name);
    if (set < 0) return kUsageError;
    notes = std::make_unique<NoteSetSource>(*tool.files, tool.state.table.sets[static_cast<std::size_t>(set)]);
  }
  std::unique_ptr<Files> files = MakeSystemFiles("");
  TerminalUserServices messages;
  return SaveRangeToFile(*data, options, first, last, *files, file_name, notes.get(), messages) ? kFound
                                                                                                 : kUsageError;
}

}  // namespace

KELVANE_COMMAND(save, "save", "save [format options] [--notes SET [--dir DIR]] [--] RANGE FILE",
                "Writes FILE as Save Range does: the lines of `kelvane copy`, each verse's note\n"
                "from note set SET after it, and one NUL byte at the end. Format options:\n"
                "--first, --next, --after, --no-breaks, --no-marks as for `kelvane copy`.\n"
                "  --notes SET   the note set whose notes go with the verses, found in DIR (default:\n"
                "                the current folder) as the program finds its sets at start-up\n"
                "Exit status: 0 written, 2 \"Unrecognized Refrence\", a file that cannot be written, a folder\n"
                "that cannot be read, no such set, bad usage or data.\n",
                RunSave);

}  // namespace kv::cli
