#include "shell/settings_location.h"

namespace kv {
namespace {

bool PerUserExists(const SettingsLocation& location, const SettingsFileSystem& files) {
  return !location.per_user_file.empty() && files.exists(location.per_user_file);
}

bool WritePerUser(const SettingsLocation& location, const SettingsFileSystem& files) {
  if (location.per_user_file.empty()) return false;
  if (!files.make_folder_for(location.per_user_file)) return false;
  return files.write_settings(location.per_user_file);
}

}  // namespace

std::string SettingsFileToRead(const SettingsLocation& location, const SettingsFileSystem& files) {
  return PerUserExists(location, files) ? location.per_user_file : location.shared_file;
}

std::string WriteSettingsWhereTheyStay(const SettingsLocation& location, const SettingsFileSystem& files) {
  // Once the per-user file exists it is the one read, so writing anywhere
  // else would be lost.
  if (PerUserExists(location, files))
    return files.write_settings(location.per_user_file) ? location.per_user_file : std::string();
  if (files.write_settings(location.shared_file)) return location.shared_file;
  return WritePerUser(location, files) ? location.per_user_file : std::string();
}

}  // namespace kv
