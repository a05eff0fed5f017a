// Times the verse list in the real program: the whole OK of a Word Search
// (from the OK button to the painted list and status text) and full
// repaints of the list, with the main window maximised on the desktop.
// Prints the median and the spread of each; asserts nothing. Run under Wine
// (scripts/wine-env.sh) with the folder that holds the Bible data:
//   wine64 kelvane_verse_list_timing.exe Z:\path\to\build\native\data [rounds]
// The data files are copied to a scratch folder first, so the note set and
// settings the program writes never land next to them.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "resources/resource_ids.h"
#include "search/search_dialogs_win.h"
#include "shell/app_state.h"
#include "shell/program_win.h"
#include "shell/testing/timing_program_win.h"
#include "verselist/verse_list_window_win.h"

namespace kv {
namespace {

using namespace timing;

constexpr int kDefaultRounds = 30;
constexpr int kWarmUpRounds = 2;

const char* g_query = "the";
LARGE_INTEGER g_ok_pressed;

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
  for (int round = 0; round < kWarmUpRounds + Rounds(); ++round) {
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
  for (int round = 0; round < kWarmUpRounds + Rounds(); ++round) {
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
  HWND box = Windows().reference_list;
  const SearchState& state = App().search;
  Report("reference list box filled alone", TimeRounds(kWarmUpRounds, Rounds(), [box, &state] {
    SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    SendMessageA(box, LB_INITSTORAGE, state.reference_count, state.reference_count * kReferenceLineSize);
    for (int i = 0; i < state.reference_count; ++i)
      SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(state.reference_list[i]));
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
  }));
}

void TimeRepaints(const char* name) {
  HWND list = Windows().verse_list;
  Report(name, TimeRounds(kWarmUpRounds, 10 * Rounds(), [list] {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
  }));
}

void Measure(HWND main) {
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

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
  return kv::timing::RunTimingProgram(argc, argv, "kelvane_verse_list_timing", kv::kDefaultRounds, kv::Measure);
}
