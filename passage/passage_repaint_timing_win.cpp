// Times full repaints of the passage window in the real program: the main
// window maximised on the desktop, the whole passage invalidated and painted
// at once, many times over, in each italics mode and with Paragraph Format
// on. Prints the median and the spread of each; asserts nothing. Run under
// Wine (scripts/wine-env.sh) with the folder that holds the Bible data:
//   wine64 kelvane_passage_timing.exe Z:\path\to\build\native\data [rounds]
// The data files are copied to a scratch folder first, so the note set and
// settings the program writes never land next to them.
#include <windows.h>

#include <cstdio>

#include "passage/passage_layout.h"
#include "passage/passage_window_win.h"
#include "shell/app_state.h"
#include "shell/program_win.h"
#include "shell/testing/timing_program_win.h"

namespace kv {
namespace {

using namespace timing;

constexpr int kDefaultRounds = 200;
constexpr int kWarmUpRounds = 5;

// One case: the passage at `top` with these options, repainted Rounds() times.
void TimeRepaints(const char* name, VerseIndex top, int paragraph, int italics) {
  HWND passage = Windows().passage;
  App().passage.ParagraphFormat = static_cast<std::uint8_t>(paragraph);
  App().passage.Italics = static_cast<std::uint8_t>(italics);
  SetCurrentVerse(top);
  UpdateWindow(passage);
  Pump();
  Report(name, TimeRounds(kWarmUpRounds, Rounds(), [passage] {
    RedrawWindow(passage, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
  }));
}

void Measure(HWND main) {
  ShowWindow(main, SW_MAXIMIZE);
  UpdateWindow(main);
  Pump();
  RECT desktop, client;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetClientRect(Windows().passage, &client);
  std::printf("desktop %ldx%ld, passage client %ldx%ld\n", desktop.right - desktop.left,
              desktop.bottom - desktop.top, client.right, client.bottom);
  TimeRepaints("Genesis 1, italic type", 0, 0, kItalicsInItalicType);
  TimeRepaints("Genesis 1, brackets", 0, 0, kItalicsInBrackets);
  TimeRepaints("Genesis 1, normal type", 0, 0, kItalicsInNormalType);
  TimeRepaints("Genesis 1, paragraphs, italic type", 0, 1, kItalicsInItalicType);
  TimeRepaints("Psalm 119 (verse 15000 on), italic", 15000, 0, kItalicsInItalicType);
  TimeRepaints("Revelation 22:21, italic type", kLastVerse, 0, kItalicsInItalicType);
  PostMessageA(main, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
  return kv::timing::RunTimingProgram(argc, argv, "kelvane_passage_timing", kv::kDefaultRounds, kv::Measure);
}
