// Times Find First in the real "SearchNotes" dialog over a note set with a
// note on every verse and no match: from the press of the button to the
// "Text not found" box, plus the closing of the "Searching..." box after
// it, so the creation, the updates and the end of the progress box are all
// counted and only the time the box waits for its OK is not. Prints the
// median and the spread; asserts nothing. Run under Wine
// (scripts/wine-env.sh) with the folder that holds the Bible data:
//   wine64 kelvane_note_search_timing.exe Z:\path\to\build\native\data [rounds]
// Everything happens in a scratch folder that is removed afterwards.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/program_win.h"

namespace kv {
namespace {

const char* const kDataFiles[] = {"_avwrds.dat", "_avwptr.dat", "_avwidx.dat", "_avvidx.dat", "_avtext.dat"};
const char* const kSetName = "Every Verse";
constexpr int kDefaultRounds = 30;
constexpr int kWarmUpRounds = 3;

int g_rounds = kDefaultRounds;
int g_round = 0;
int g_ticks = 0;
bool g_failed = false;

enum class Phase { Start, WaitDialog, WaitBox, WaitEnd, Done };
Phase g_phase = Phase::Start;

LARGE_INTEGER g_pressed, g_box_created, g_box_closed, g_progress_closed;
HWND g_box = nullptr, g_progress = nullptr, g_dialog = nullptr;
std::vector<double> g_times;
HHOOK g_hook = nullptr;

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool NameIs(const CREATESTRUCTA* cs, const char* name) {
  return cs->lpszName && !IS_INTRESOURCE(cs->lpszName) && std::string(cs->lpszName) == name;
}

// Notes the moments the two boxes come and go.
LRESULT CALLBACK WatchWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    // The box gets its caption only later: it is the one window the dialog
    // comes to own.
    if (g_dialog && cs->hwndParent == g_dialog && !(cs->style & WS_CHILD)) {
      g_box = reinterpret_cast<HWND>(wParam);
      g_box_created = Now();
    } else if (NameIs(cs, "Searching...")) {
      g_progress = reinterpret_cast<HWND>(wParam);
    }
  } else if (code == HCBT_DESTROYWND) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (window == g_box) {
      g_box_closed = Now();
      g_box = nullptr;
    } else if (window == g_progress) {
      g_progress_closed = Now();
      g_progress = nullptr;
    }
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Report() {
  std::sort(g_times.begin(), g_times.end());
  const std::size_t n = g_times.size();
  std::printf("Find First, a note on every verse, no match: median %7.2f ms  (min %7.2f, 90%% %7.2f, max %7.2f; "
              "%zu rounds)\n",
              g_times[n / 2], g_times[0], g_times[n * 9 / 10], g_times[n - 1], n);
}

void CALLBACK Step(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND main = Windows().main;
  if (++g_ticks > 6000) {
    std::printf("gave up in phase %d\n", static_cast<int>(g_phase));
    g_failed = true;
    KillTimer(nullptr, timer);
    PostQuitMessage(1);
    return;
  }
  switch (g_phase) {
    case Phase::Start:
      if (!main || !IsWindowVisible(main)) return;
      g_hook = SetWindowsHookExA(WH_CBT, WatchWindows, nullptr, GetCurrentThreadId());
      PostMessageA(main, WM_COMMAND, CMD_SEARCH_NOTES, 0);
      g_phase = Phase::WaitDialog;
      return;
    case Phase::WaitDialog:
      g_dialog = FindWindowA("#32770", (std::string("Search Note Set ") + kSetName).c_str());
      if (!g_dialog || !IsWindowEnabled(g_dialog)) return;
      SetDlgItemTextA(g_dialog, IDC_NOTE_SEARCH_TEXT, "nowhere in any note");
      g_phase = Phase::WaitBox;
      g_pressed = Now();
      Press(g_dialog, IDC_NOTE_SEARCH_FIND_FIRST);
      return;
    case Phase::WaitBox:
      if (!g_box) return;
      Press(g_box, IDOK);
      g_phase = Phase::WaitEnd;
      return;
    case Phase::WaitEnd:
      if (g_box || g_progress || !IsWindowEnabled(g_dialog)) return;
      if (g_round++ >= kWarmUpRounds)
        g_times.push_back(Milliseconds(g_pressed, g_box_created) + Milliseconds(g_box_closed, g_progress_closed));
      if (g_round < kWarmUpRounds + g_rounds) {
        g_phase = Phase::WaitBox;
        g_pressed = Now();
        Press(g_dialog, IDC_NOTE_SEARCH_FIND_FIRST);
        return;
      }
      Report();
      g_phase = Phase::Done;
      Press(g_dialog, IDCANCEL);
      PostMessageA(main, WM_CLOSE, 0, 0);
      KillTimer(nullptr, timer);
      UnhookWindowsHookEx(g_hook);
      return;
    case Phase::Done:
      return;
  }
}

// The set's two files: "note of verse N" on every verse.
bool WriteEveryVerseSet(const std::string& folder) {
  std::string data, index;
  for (VerseIndex v = 0; v < kVerseCount; ++v) {
    auto u = static_cast<std::uint32_t>(data.size());
    for (int shift = 0; shift < 32; shift += 8) index += static_cast<char>((u >> shift) & 0xFF);
    data += "note of verse " + std::to_string(v);
    data += '\0';
  }
  for (const auto& [suffix, bytes] : {std::pair<const char*, const std::string*>{".nmd", &data}, {".nmi", &index}}) {
    FILE* f = std::fopen((folder + "\\" + kSetName + suffix).c_str(), "wb");
    if (!f) return false;
    std::fwrite(bytes->data(), 1, bytes->size(), f);
    std::fclose(f);
  }
  return true;
}

std::string ScratchFolder() {
  char temp[MAX_PATH], name[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  GetTempFileNameA(temp, "kvn", 0, name);
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
    std::printf("usage: kelvane_note_search_timing DATA_FOLDER [ROUNDS]\n");
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
  if (!WriteEveryVerseSet(scratch)) {
    std::printf("cannot write the note set\n");
    RemoveFolder(scratch);
    return 2;
  }
  SetCurrentDirectoryA(scratch.c_str());
  App().shell.settings_file = scratch + "\\Kelvane.Ini";
  SetTimer(nullptr, 0, 10, Step);
  RunProgram(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
  SetCurrentDirectoryA("\\");
  RemoveFolder(scratch);
  std::fflush(stdout);
  return g_failed ? 1 : 0;
}
