// Where the program's settings file is on this machine: the Windows
// folder's "Kelvane.Ini", or the per-user one in the user's application
// data folder once the Windows folder's cannot be written.
#pragma once

#include <memory>
#include <string>

#include "platform/profile.h"
#include "shell/settings_location.h"

namespace kv {

// <application data>\Kelvane95\Kelvane.Ini (SHGetFolderPathA,
// CSIDL_APPDATA); "" when the system names no such folder.
std::string SystemPerUserSettingsFile();

// The shell's two files: its settings file and its per-user file (the
// system's unless the shell names one of its own).
SettingsLocation ProgramSettingsLocation();

// The profile the settings are read from at start-up.
std::unique_ptr<Profile> OpenSettingsToRead();

// Writes every setting of `app` where the next run reads them; the file
// written, or "" when none could be.
struct AppState;
std::string WriteSettingsToTheirFile(AppState& app);

}  // namespace kv
