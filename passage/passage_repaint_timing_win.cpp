// Times full repaints of the passage window in the real program: the main
// window maximised on the desktop, the whole passage invalidated and painted
// at once, many times over, in each italics mode and with Paragraph Format
// on. Prints the median and the spread of each; asserts nothing. Run under
// Wine (scripts/wine-env.sh) with the folder that holds the Bible data:
//   wine64 kelvane_passage_timing.exe Z:\path\to\build\native\data [rounds]
// The data files are copied to a scratch folder first, so the note set and
// settings the program writes never land next to them.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "passage/passage_layout.h"
#include "passage/passage_window_win.h"
#include "shell/app_state.h"
#include "shell/program_win.h"

namespace kv {
namespace {

const char* const kDataFiles[] = {"_avwrds.dat", "_avwptr.dat", "_avwidx.dat", "_avvidx.dat", "_avtext.dat"};
constexpr int kDefaultRounds = 200;
constexpr int kWarmUpRounds = 5;

int g_rounds = kDefaultRounds;
int g_ticks = 0;
bool g_failed = false;

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One case: the passage at `top` with these options, repainted g_rounds times.
void TimeRepaints(const char* name, VerseIndex top, int paragraph, int italics) {
  HWND passage = Windows().passage;
  App().passage.ParagraphFormat = static_cast<std::uint8_t>(paragraph);
  App().passage.Italics = static_cast<std::uint8_t>(italics);
  SetCurrentVerse(top);
  UpdateWindow(passage);
  Pump();
  LARGE_INTEGER frequency, before, after;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int round = 0; round < kWarmUpRounds + g_rounds; ++round) {
    QueryPerformanceCounter(&before);
    RedrawWindow(passage, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
    QueryPerformanceCounter(&after);
    if (round >= kWarmUpRounds) times.push_back(Milliseconds(before, after, frequency));
  }
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  std::printf("%-34s median %6.2f ms  (min %6.2f, 90%% %6.2f, max %6.2f; %zu rounds)\n", name, times[n / 2], times[0],
              times[n * 9 / 10], times[n - 1], n);
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
    std::printf("usage: kelvane_passage_timing DATA_FOLDER [ROUNDS]\n");
    return 2;
  }
  if (argc > 2) g_rounds = std::max(1, std::atoi(argv[2]));
  const std::string scratch = ScratchFolder();
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
  App().shell.per_user_settings_file = scratch + "\\PerUser\\Kelvane.Ini";
  SetTimer(nullptr, 0, 20, Measure);
  RunProgram(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
  SetCurrentDirectoryA("\\");
  RemoveFolder(scratch);
  std::fflush(stdout);
  return g_failed ? 1 : 0;
}
