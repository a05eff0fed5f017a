// The process-wide state record. Each group has one owner that changes it;
// windows keep no model of their own and lay out afresh from here.
#pragma once

#include <string>

#include "store/bible_data.h"

namespace kv {

struct StoreState {
  BibleData bible;
};

struct ShellState {
  // Set once the main window's creation has run to the end: only then are
  // the settings written at exit, so a broken start never overwrites them.
  bool startup_complete = false;
  // The private profile file; a bare name lands in the Windows folder.
  std::string settings_file = "Kelvane.Ini";
};

struct AppState {
  StoreState store;
  ShellState shell;
};

AppState& App();

}  // namespace kv
