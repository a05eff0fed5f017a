// Times Copy Range of the whole Bible (Ge 1:1 - Re 22:21) in the real
// program, as the Copy Range dialog's OK runs it: the formatter's lines into
// one clipboard block, handed to the system clipboard, with the wait cursor.
// Also times the same range saved to a file. Prints the median and the
// spread of each; asserts nothing. Run under Wine (scripts/wine-env.sh) with
// the folder that holds the Bible data:
//   wine64 kelvane_copy_timing.exe Z:\path\to\build\native\data [rounds]
// The data files are copied to a scratch folder first, so the note set and
// settings the program writes never land next to them.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "output/range_output.h"
#include "output/save_range.h"
#include "platform/files.h"
#include "shell/app_state.h"
#include "shell/command_dispatch_win.h"
#include "shell/notes_view_win.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "shell/testing/timing_program_win.h"
#include "shell/wait_cursor_win.h"
#include "testing/memory_clipboard.h"

namespace kv {
namespace {

using namespace timing;

constexpr int kDefaultRounds = 20;
constexpr int kWarmUpRounds = 2;

void Time(const char* name, const std::function<void()>& operation) {
  Report(name, TimeRounds(kWarmUpRounds, Rounds(), operation));
}

std::size_t ClipboardLength() {
  std::size_t length = 0;
  if (!OpenClipboard(nullptr)) return 0;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) length = std::strlen(p);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return length;
}

void Measure(HWND main) {
  AppState& app = App();
  Time("Copy Range Ge 1:1 - Re 22:21", [&app] {
    WithWaitCursor([&app] {
      CopyRangeToClipboard(app.store.bible, app.output.Format, 0, kLastVerse, ShellClipboard(), ShellMessages());
    });
  });
  std::printf("clipboard text: %zu bytes\n", ClipboardLength());
  // The parts of it: the formatting alone, into a block in memory, and the
  // system clipboard's share.
  Time("  the lines into a block in memory", [&app] {
    testing::MemoryClipboard memory;
    UserServices& messages = ShellMessages();
    CopyRangeToClipboard(app.store.bible, app.output.Format, 0, kLastVerse, memory, messages);
  });
  const std::string file = ScratchFolder() + "\\bible.txt";
  Time("Save Range Ge 1:1 - Re 22:21, no notes", [&app, &file] {
    WithWaitCursor([&app, &file] {
      SaveRangeWithNotes(app.store.bible, app.output.Format, 0, kLastVerse, file, kNoNoteSet, app.notes,
                         ShellNotesPorts());
    });
  });
  PostMessageA(main, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
  return kv::timing::RunTimingProgram(argc, argv, "kelvane_copy_timing", kv::kDefaultRounds, kv::Measure);
}
