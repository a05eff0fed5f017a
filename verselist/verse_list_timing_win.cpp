// Times the verse list in the real program: the whole OK of a Word Search
// (from the OK button to the painted list and status text) and full
// repaints of the list, with the main window maximised on the desktop.
// Prints the median and the spread of each; asserts nothing. Run under Wine
// (scripts/wine-env.sh) with the folder that holds the Bible data:
//   wine64 kelvane_verse_list_timing.exe Z:\path\to\build\native\data [rounds]
// The data files are copied to a scratch folder first, so the note set and
// settings the program writes never land next to them.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "search/search_dialogs_win.h"
#include "shell/app_state.h"
#include "shell/program_win.h"
#include "verselist/verse_list_window_win.h"

namespace kv {
namespace {

const char* const kDataFiles[] = {"_avwrds.dat", "_avwptr.dat", "_avwidx.dat", "_avvidx.dat", "_avtext.dat"};
constexpr int kDefaultRounds = 30;
constexpr int kWarmUpRounds = 2;

int g_rounds = kDefaultRounds;
int g_ticks = 0;
bool g_failed = false;
const char* g_query = "the";
LARGE_INTEGER g_ok_pressed;

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

void Report(const char* name, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  std::printf("%-40s median %7.2f ms  (min %7.2f, 90%% %7.2f, max %7.2f; %zu rounds)\n", name, times[n / 2],
              times[0], times[n * 9 / 10], times[n - 1], n);
}

// Inside the dialog's modal loop: the query typed, the clock started, OK.
void CALLBACK PressOk(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowA("#32770", "Word Search");
  if (!dialog) return;
  KillTimer(nullptr, timer);
  SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, g_query);
  CheckRadioButton(dialog, IDC_SEARCH_ALL, IDC_SEARCH_ONLY_ONE, IDC_SEARCH_ALL);
  CheckDlgButton(dialog, IDC_SEARCH_CASE_SENSITIVE, BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_SEARCH_SUBSTRING, BST_UNCHECKED);
  QueryPerformanceCounter(&g_ok_pressed);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void TimeWordSearchOk(const char* query) {
  g_query = query;
  std::vector<double> times;
  for (int round = 0; round < kWarmUpRounds + g_rounds; ++round) {
    SetTimer(nullptr, 0, 1, PressOk);
    SendMessageA(Windows().main, WM_COMMAND, CMD_WORD_SEARCH, 0);
    UpdateWindow(Windows().verse_list);
    UpdateWindow(Windows().status);
    GdiFlush();
    LARGE_INTEGER done;
    QueryPerformanceCounter(&done);
    if (round >= kWarmUpRounds) times.push_back(Milliseconds(g_ok_pressed, done));
    Pump();
  }
  char name[96];
  std::snprintf(name, sizeof name, "Word Search OK, \"%s\" (%d verses)", query, App().search.result_count);
  Report(name, times);
}

// The same search without the dialog: what the OK costs beyond closing it.
void TimeSearchAlone(const char* query) {
  std::vector<double> times;
  SearchState& state = App().search;
  for (int round = 0; round < kWarmUpRounds + g_rounds; ++round) {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    TakeQuery(state, SearchDialog::WordSearch, query);
    RunSearchAndShow(SearchDialog::WordSearch);
    UpdateWindow(Windows().verse_list);
    UpdateWindow(Windows().status);
    GdiFlush();
    QueryPerformanceCounter(&after);
    if (round >= kWarmUpRounds) times.push_back(Milliseconds(before, after));
    Pump();
  }
  char name[96];
  std::snprintf(name, sizeof name, "the same without the dialog, \"%s\"", query);
  Report(name, times);
}

// Refilling the hidden reference list box alone with the list's lines.
void TimeReferenceFill() {
  std::vector<double> times;
  HWND box = Windows().reference_list;
  const SearchState& state = App().search;
  for (int round = 0; round < kWarmUpRounds + g_rounds; ++round) {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    SendMessageA(box, LB_INITSTORAGE, state.reference_count, state.reference_count * kReferenceLineSize);
    for (int i = 0; i < state.reference_count; ++i)
      SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(state.reference_list[i]));
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
    QueryPerformanceCounter(&after);
    if (round >= kWarmUpRounds) times.push_back(Milliseconds(before, after));
  }
  Report("reference list box filled alone", times);
}

void TimeRepaints(const char* name) {
  HWND list = Windows().verse_list;
  std::vector<double> times;
  for (int round = 0; round < kWarmUpRounds + 10 * g_rounds; ++round) {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
    QueryPerformanceCounter(&after);
    if (round >= kWarmUpRounds) times.push_back(Milliseconds(before, after));
  }
  Report(name, times);
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
  GetClientRect(Windows().verse_list, &client);
  std::printf("desktop %ldx%ld, verse list client %ldx%ld\n", desktop.right - desktop.left,
              desktop.bottom - desktop.top, client.right, client.bottom);
  TimeWordSearchOk("the");
  TimeSearchAlone("the");
  TimeReferenceFill();
  TimeRepaints("verse list repaint after \"the\"");
  TimeWordSearchOk("faith");
  TimeRepaints("verse list repaint after \"faith\"");
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
    std::printf("usage: kelvane_verse_list_timing DATA_FOLDER [ROUNDS]\n");
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
