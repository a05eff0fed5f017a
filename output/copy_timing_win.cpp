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

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "output/range_output.h"
#include "output/save_range.h"
#include "platform/files.h"
#include "shell/app_state.h"
#include "shell/command_dispatch_win.h"
#include "shell/notes_view_win.h"
#include "shell/program_win.h"

namespace kv {
namespace {

const char* const kDataFiles[] = {"_avwrds.dat", "_avwptr.dat", "_avwidx.dat", "_avvidx.dat", "_avtext.dat"};
constexpr int kDefaultRounds = 20;
constexpr int kWarmUpRounds = 2;

int g_rounds = kDefaultRounds;
int g_ticks = 0;
bool g_failed = false;
std::string g_scratch;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Time(const char* name, const std::function<void()>& operation) {
  LARGE_INTEGER frequency, before, after;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int round = 0; round < kWarmUpRounds + g_rounds; ++round) {
    QueryPerformanceCounter(&before);
    operation();
    QueryPerformanceCounter(&after);
    if (round >= kWarmUpRounds) times.push_back(Milliseconds(before, after, frequency));
  }
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  std::printf("%-40s median %7.2f ms  (min %7.2f, 90%% %7.2f, max %7.2f; %zu rounds)\n", name, times[n / 2], times[0],
              times[n * 9 / 10], times[n - 1], n);
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

void CALLBACK Measure(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND main = Windows().main;
  if (!main || !IsWindowVisible(main)) {
    if (++g_ticks > 300) {
      KillTimer(nullptr, timer);
      std::printf("the main window never came up\n");
      g_failed = true;
      PostQuitMessage(1);
    }
    return;
  }
  KillTimer(nullptr, timer);
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
    MemoryClipboard memory;
    UserServices& messages = ShellMessages();
    CopyRangeToClipboard(app.store.bible, app.output.Format, 0, kLastVerse, memory, messages);
  });
  const std::string file = g_scratch + "\\bible.txt";
  Time("Save Range Ge 1:1 - Re 22:21, no notes", [&app, &file] {
    WithWaitCursor([&app, &file] {
      SaveRangeWithNotes(app.store.bible, app.output.Format, 0, kLastVerse, file, kNoNoteSet, app.notes,
                         ShellNotesPorts());
    });
  });
  PostMessageA(main, WM_CLOSE, 0, 0);
}

std::string ScratchFolder() {
  char temp[MAX_PATH], name[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  GetTempFileNameA(temp, "kvt", 0, name);
  DeleteFileA(name);
  CreateDirectoryA(name, nullptr);
  return name;
}

void RemoveFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do DeleteFileA((folder + "\\" + found.cFileName).c_str());
    while (FindNextFileA(find, &found));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
  using namespace kv;
  if (argc < 2) {
    std::printf("usage: kelvane_copy_timing DATA_FOLDER [ROUNDS]\n");
    return 2;
  }
  if (argc > 2) g_rounds = std::max(1, std::atoi(argv[2]));
  const std::string scratch = ScratchFolder();
  g_scratch = scratch;
  for (const char* file : kDataFiles) {
    const std::string from = std::string(argv[1]) + "\\" + file, to = scratch + "\\" + file;
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
      std::printf("cannot copy %s\n", from.c_str());
      RemoveFolder(scratch);
      return 2;
    }
  }
  SetCurrentDirectoryA(scratch.c_str());
  App().shell.settings_file = scratch + "\\Kelvane.Ini";
  SetTimer(nullptr, 0, 20, Measure);
  RunProgram(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
  SetCurrentDirectoryA("\\");
  RemoveFolder(scratch);
  std::fflush(stdout);
  return g_failed ? 1 : 0;
}
