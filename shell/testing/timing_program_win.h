// The frame the timing programs share: the real program run over a scratch
// copy of the Bible data, a measuring function called once the main window
// shows, and the clock and report of each case. Timing programs print
// medians and spreads; they assert nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kv::timing {

// The rounds each case runs: the program's default or the command line's.
int Rounds();
// The scratch folder holding the copied data; notes and settings land there.
const std::string& ScratchFolder();

void Pump();
double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to);
// Runs `operation` `warm_up` times unmeasured, then `rounds` times measured.
std::vector<double> TimeRounds(int warm_up, int rounds, const std::function<void()>& operation);
// As above, with `before_each(round)` run before each round outside the time.
std::vector<double> TimeRounds(int warm_up, int rounds, const std::function<void()>& operation,
                               const std::function<void(int round)>& before_each);
// One line: the median and the spread of `times`.
void Report(const char* name, std::vector<double> times);

// A case that could not be measured: the program exits with status 1.
void MarkFailed(const char* why);

// Writes the note set `name` (its .nmd and .nmi) into the scratch folder with
// `note_of(verse)` on every verse. For a `prepare` function.
bool WriteNoteOnEveryVerse(const std::string& name, const std::function<std::string(int verse)>& note_of);

// main() of a timing program: usage DATA_FOLDER [ROUNDS]. Copies the data to
// a scratch folder, starts the program there and calls `measure` with the
// main window once it shows; `measure` closes the window when done. Returns
// the program's exit status: 2 for bad usage or data, 1 when the main window
// never came up or a case failed. `prepare`, when given, runs in the scratch
// folder before the program starts (note sets to read at start-up); false
// from it ends the run with status 2.
int RunTimingProgram(int argc, char** argv, const char* program_name, int default_rounds,
                     void (*measure)(HWND main), bool (*prepare)() = nullptr);

}  // namespace kv::timing
