#include "shell/testing/timing_program_win.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "shell/app_state.h"
#include "shell/program_win.h"
#include "testing/note_set_bytes.h"

namespace kv::timing {
namespace {

const char* const kDataFiles[] = {"_avwrds.dat", "_avwptr.dat", "_avwidx.dat", "_avvidx.dat", "_avtext.dat"};
// How long the main window may take to show: 300 ticks of 20 ms.
constexpr int kStartTicks = 300;

int g_rounds = 1;
int g_ticks = 0;
bool g_failed = false;
std::string g_scratch;
void (*g_measure)(HWND) = nullptr;

std::string MakeScratchFolder() {
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

void CALLBACK WaitForMainWindow(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND main = Windows().main;
  if (!main || !IsWindowVisible(main)) {
    if (++g_ticks > kStartTicks) {
      KillTimer(nullptr, timer);
      std::printf("the main window never came up\n");
      g_failed = true;
      PostQuitMessage(1);
    }
    return;
  }
  KillTimer(nullptr, timer);
  g_measure(main);
}

}  // namespace

int Rounds() { return g_rounds; }
const std::string& ScratchFolder() { return g_scratch; }

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::vector<double> TimeRounds(int warm_up, int rounds, const std::function<void()>& operation) {
  return TimeRounds(warm_up, rounds, operation, nullptr);
}

std::vector<double> TimeRounds(int warm_up, int rounds, const std::function<void()>& operation,
                               const std::function<void(int round)>& before_each) {
  std::vector<double> times;
  for (int round = 0; round < warm_up + rounds; ++round) {
    if (before_each) before_each(round);
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    operation();
    QueryPerformanceCounter(&after);
    if (round >= warm_up) times.push_back(Milliseconds(before, after));
  }
  return times;
}

void Report(const char* name, std::vector<double> times) {
  if (times.empty()) return;
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  std::printf("%-40s median %7.2f ms  (min %7.2f, 90%% %7.2f, max %7.2f; %zu rounds)\n", name, times[n / 2],
              times[0], times[n * 9 / 10], times[n - 1], n);
}

void MarkFailed(const char* why) {
  std::printf("%s\n", why);
  g_failed = true;
}

bool WriteNoteOnEveryVerse(const std::string& name, const std::function<std::string(int verse)>& note_of) {
  const testing::NoteSetBytes set = testing::NoteSetBytesOf(note_of);
  for (const auto& [suffix, bytes] :
       {std::pair<const char*, const std::string*>{".nmd", &set.data}, {".nmi", &set.index}}) {
    FILE* file = std::fopen((g_scratch + "\\" + name + suffix).c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes->data(), 1, bytes->size(), file) == bytes->size();
    if (std::fclose(file) != 0 || !written) return false;
  }
  return true;
}

int RunTimingProgram(int argc, char** argv, const char* program_name, int default_rounds,
                     void (*measure)(HWND main), bool (*prepare)()) {
  if (argc < 2) {
    std::printf("usage: %s DATA_FOLDER [ROUNDS]\n", program_name);
    return 2;
  }
  g_rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : default_rounds;
  g_measure = measure;
  g_scratch = MakeScratchFolder();
  for (const char* file : kDataFiles) {
    const std::string from = std::string(argv[1]) + "\\" + file, to = g_scratch + "\\" + file;
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
      std::printf("cannot copy %s\n", from.c_str());
      RemoveFolder(g_scratch);
      return 2;
    }
  }
  SetCurrentDirectoryA(g_scratch.c_str());
  if (prepare && !prepare()) {
    std::printf("cannot prepare the scratch folder\n");
    SetCurrentDirectoryA("\\");
    RemoveFolder(g_scratch);
    return 2;
  }
  App().shell.settings_file = g_scratch + "\\Kelvane.Ini";
  App().shell.per_user_settings_file = g_scratch + "\\PerUser\\Kelvane.Ini";
  SetTimer(nullptr, 0, 20, WaitForMainWindow);
  RunProgram(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
  SetCurrentDirectoryA("\\");
  RemoveFolder(g_scratch);
  std::fflush(stdout);
  return g_failed ? 1 : 0;
}

}  // namespace kv::timing
