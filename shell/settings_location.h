// Which settings file is read at start-up and which one is written at exit.
//
// The settings live in "Kelvane.Ini" in the Windows folder, where earlier
// runs kept them. A normal user often may not write that folder; then the
// settings go to a per-user file instead (in the user's application data
// folder), and once that file exists it is the one read and written, so the
// settings a user saved there are the ones the next run starts with.
#pragma once

#include <functional>
#include <string>

namespace kv {

struct SettingsLocation {
  std::string shared_file;    // "Kelvane.Ini": the Windows folder's
  std::string per_user_file;  // empty when the system names no per-user folder
};

// What the decision needs to know of the file system and the profile.
struct SettingsFileSystem {
  std::function<bool(const std::string& file)> exists;
  // Makes the folder that is to hold `file` (and its parents); true when it
  // exists afterwards.
  std::function<bool(const std::string& file)> make_folder_for;
  // Writes every setting into `file`; false when any could not be written.
  std::function<bool(const std::string& file)> write_settings;
};

// The file to read: the per-user file once it exists, else the shared one.
std::string SettingsFileToRead(const SettingsLocation& location, const SettingsFileSystem& files);

// Writes the settings where they are read from next time: into the per-user
// file when it exists; else into the shared file, and when that cannot be
// written into the per-user file, its folder made first. Returns the file that took them, or "" when
// neither could.
std::string WriteSettingsWhereTheyStay(const SettingsLocation& location, const SettingsFileSystem& files);

}  // namespace kv
