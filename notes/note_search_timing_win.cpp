// Times Find First in the real "SearchNotes" dialog over a note set with a
// note on every verse and no match: from the press of the button to the
// "Text not found" box, plus the closing of the "Searching..." box after
// it, so the creation, the updates and the end of the progress box are all
// counted and only the time the box waits for its OK is not. Prints the
// median and the spread; asserts nothing. Run under Wine
// (scripts/wine-env.sh) with the folder that holds the Bible data:
//   wine64 kelvane_note_search_timing.exe Z:\path\to\build\native\data [rounds]
#include <windows.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/program_win.h"
#include "shell/testing/timing_program_win.h"

namespace kv {
namespace {

using namespace timing;

const char* const kSetName = "Every Verse";
constexpr int kDefaultRounds = 30;
constexpr int kWarmUpRounds = 3;
// The dialogs are driven from a 10 ms timer; this many ticks is a minute.
constexpr int kGiveUpTicks = 6000;

int g_round = 0;
int g_ticks = 0;

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

void Finish(UINT_PTR timer) {
  KillTimer(nullptr, timer);
  UnhookWindowsHookEx(g_hook);
  g_phase = Phase::Done;
  if (g_dialog) Press(g_dialog, IDCANCEL);
  PostMessageA(Windows().main, WM_CLOSE, 0, 0);
}

// The dialogs are modal, so they are driven from a timer that their own
// message loops run.
void CALLBACK Step(HWND, UINT, UINT_PTR timer, DWORD) {
  if (++g_ticks > kGiveUpTicks) {
    MarkFailed("gave up waiting for the search dialogs");
    Finish(timer);
    return;
  }
  switch (g_phase) {
    case Phase::Start:
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
      if (g_round < kWarmUpRounds + Rounds()) {
        g_phase = Phase::WaitBox;
        g_pressed = Now();
        Press(g_dialog, IDC_NOTE_SEARCH_FIND_FIRST);
        return;
      }
      Report("Find First, a note on every verse, no match", g_times);
      Finish(timer);
      return;
    case Phase::Done:
      return;
  }
}

void Measure(HWND main) {
  g_hook = SetWindowsHookExA(WH_CBT, WatchWindows, nullptr, GetCurrentThreadId());
  g_phase = Phase::WaitDialog;
  SetTimer(nullptr, 0, 10, Step);
  PostMessageA(main, WM_COMMAND, CMD_SEARCH_NOTES, 0);
}

bool WriteEveryVerseSet() {
  return WriteNoteOnEveryVerse(kSetName, [](int verse) { return "note of verse " + std::to_string(verse); });
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
  return kv::timing::RunTimingProgram(argc, argv, "kelvane_note_search_timing", kv::kDefaultRounds, kv::Measure,
                                      kv::WriteEveryVerseSet);
}
