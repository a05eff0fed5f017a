#include "shell/settings_location_win.h"

#include <windows.h>
#include <shlobj.h>

#include "shell/app_state.h"

namespace kv {
namespace {

constexpr char kPerUserFolder[] = "Kelvane95";
constexpr char kSettingsName[] = "Kelvane.Ini";

bool FileExists(const std::string& file) {
  const DWORD attributes = GetFileAttributesA(file.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& folder) {
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Makes each missing folder on the way to the one holding `file`.
bool MakeFolderFor(const std::string& file) {
  const std::size_t last = file.find_last_of("\\/");
  if (last == std::string::npos) return true;
  const std::string folder = file.substr(0, last);
  for (std::size_t at = folder.find_first_of("\\/", 3); ; at = folder.find_first_of("\\/", at + 1)) {
    const std::string part = folder.substr(0, at);
    if (!FolderExists(part)) CreateDirectoryA(part.c_str(), nullptr);
    if (at == std::string::npos) break;
  }
  return FolderExists(folder);
}

}  // namespace

std::string SystemPerUserSettingsFile() {
  char folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)) || !folder[0])
    return "";
  return std::string(folder) + "\\" + kPerUserFolder + "\\" + kSettingsName;
}

SettingsLocation ProgramSettingsLocation() {
  const ShellState& shell = App().shell;
  SettingsLocation location;
  location.shared_file = shell.settings_file;
  location.per_user_file = shell.per_user_settings_file.empty() ? SystemPerUserSettingsFile()
                                                                : shell.per_user_settings_file;
  return location;
}

std::unique_ptr<Profile> OpenSettingsToRead() {
  SettingsFileSystem files;
  files.exists = FileExists;
  return MakeSystemProfile(SettingsFileToRead(ProgramSettingsLocation(), files));
}

std::string WriteSettingsToTheirFile(AppState& app) {
  SettingsFileSystem files;
  files.exists = FileExists;
  files.make_folder_for = MakeFolderFor;
  files.write_settings = [&app](const std::string& file) {
    std::unique_ptr<Profile> profile = MakeSystemProfile(file);
    return SaveAppSettings(app, *profile);
  };
  return WriteSettingsWhereTheyStay(ProgramSettingsLocation(), files);
}

}  // namespace kv
