// Times the notes pane in the real program under Wine: showing a note (the
// display set and painted), switching between two note sets (the note shown
// again from the other set, the passage and verse list repainted for their
// note markers), and saving a note through the editor's Save button in a set
// that holds a note on every verse (the files rewritten, the display shown
// again). Prints the median and the spread of each; asserts nothing. Run
// under Wine (scripts/wine-env.sh) with the folder that holds the Bible data:
//   wine64 kelvane_notes_timing.exe Z:\path\to\build\native\data [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "notes/note_sets.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "shell/testing/timing_program_win.h"

namespace kv {
namespace {

using namespace timing;

constexpr int kDefaultRounds = 100;
constexpr int kWarmUpRounds = 3;

std::string NoteOf(int verse) {
  return "Note on verse " + std::to_string(verse) + ".\r\nA second line of it.\r\n#Ro 3:23 6:23";
}

bool WriteTwoFullSets() { return WriteNoteOnEveryVerse("Full One", NoteOf) && WriteNoteOnEveryVerse("Full Two", NoteOf); }

void ClickSave(HWND frame) {
  SendMessageA(frame, WM_COMMAND, MAKEWPARAM(ID_NOTE_SAVE, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(frame, ID_NOTE_SAVE)));
}

void Measure(HWND main) {
  ShowWindow(main, SW_MAXIMIZE);
  UpdateWindow(main);
  Pump();
  const ShellWindows& w = Windows();
  std::printf("%d note sets, a note on every verse of each\n", App().notes.table.count);

  int shown = 0;
  Report("show a note (display set and painted)", TimeRounds(kWarmUpRounds, Rounds(), [&] {
           ShowNote(App().notes, ShellNotesPorts(), (++shown * 977) % kVerseCount);
           UpdateWindow(w.notes_display);
           GdiFlush();
         }));
  Report("switch sets (panes painted)", TimeRounds(kWarmUpRounds, Rounds(), [&] {
           SendMessageA(main, WM_COMMAND, CMD_NEXT_NOTE_SET, 0);
           UpdateWindow(w.notes_display);
           UpdateWindow(w.passage);
           UpdateWindow(w.verse_list);
           GdiFlush();
         }));
  // Where the time of a switch goes: the notes pane and its tabs, and the
  // repaint of the two panes that mark verses with notes.
  Report("  of it: the notes pane and tabs", TimeRounds(kWarmUpRounds, Rounds(), [&] {
           StepNoteSet(App().notes, ShellNotesPorts(), +1);
           UpdateWindow(w.note_set_tab);
           UpdateWindow(w.notes_display);
           GdiFlush();
         }));
  Report("  of it: passage and verse list painted", TimeRounds(kWarmUpRounds, Rounds(), [&] {
           InvalidateRect(w.passage, nullptr, TRUE);
           InvalidateRect(w.verse_list, nullptr, TRUE);
           UpdateWindow(w.passage);
           UpdateWindow(w.verse_list);
           GdiFlush();
         }));
  ShowNote(App().notes, ShellNotesPorts(), 15000);
  Report("save a note in a full set (to display)", TimeRounds(
                                                        kWarmUpRounds, std::max(1, Rounds() / 4),
                                                        [&] {
                                                          ClickSave(w.note_editor_frame);
                                                          UpdateWindow(w.notes_display);
                                                          GdiFlush();
                                                        },
                                                        [&](int round) {
                                                          // Opening the editor and typing are not timed.
                                                          Pump();
                                                          SendMessageA(main, WM_COMMAND, CMD_EDIT_NOTE, 0);
                                                          const std::string text =
                                                              "Edited, round " + std::to_string(round) + ".\r\n#Ro 3:23";
                                                          SetWindowTextA(w.note_editor, text.c_str());
                                                        }));
  if (App().shell.note_editor_open) MarkFailed("the editor stayed open after Save");
  PostMessageA(main, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
  return kv::timing::RunTimingProgram(argc, argv, "kelvane_notes_timing", kv::kDefaultRounds, kv::Measure,
                                      kv::WriteTwoFullSets);
}
