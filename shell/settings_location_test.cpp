#include "shell/settings_location.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace kv {
namespace {

const char kShared[] = "C:\\WINDOWS\\Kelvane.Ini";
const char kPerUser[] = "C:\\Users\\u\\AppData\\Roaming\\Kelvane95\\Kelvane.Ini";
const char kPerUserFolder[] = "C:\\Users\\u\\AppData\\Roaming\\Kelvane95";

// A file system where some files exist, some cannot be written and some
// folders cannot be made; it records every write that took.
class FakeDisk {
 public:
  std::set<std::string> existing;
  std::set<std::string> unwritable;
  std::set<std::string> folders;
  bool folders_can_be_made = true;
  std::vector<std::string> written;

  SettingsFileSystem Ports() {
    SettingsFileSystem files;
    files.exists = [this](const std::string& file) { return existing.count(file) != 0; };
    files.make_folder_for = [this](const std::string& file) {
      const std::string folder = file.substr(0, file.rfind('\\'));
      if (folders_can_be_made) folders.insert(folder);
      return folders.count(folder) != 0;
    };
    files.write_settings = [this](const std::string& file) {
      if (unwritable.count(file)) return false;
      const std::string folder = file.substr(0, file.rfind('\\'));
      if (file == kPerUser && !folders.count(folder)) return false;  // no folder, no file
      existing.insert(file);
      written.push_back(file);
      return true;
    };
    return files;
  }
};

const SettingsLocation kLocation = {kShared, kPerUser};

TEST(SettingsLocation, TheWindowsFoldersFileWhileItCanBeWritten) {
  FakeDisk disk;
  disk.existing = {kShared};
  EXPECT_EQ(kShared, SettingsFileToRead(kLocation, disk.Ports()));
  EXPECT_EQ(kShared, WriteSettingsWhereTheyStay(kLocation, disk.Ports()));
  EXPECT_EQ(std::vector<std::string>{kShared}, disk.written);
  EXPECT_TRUE(disk.folders.empty()) << "no per-user folder is made while it is not needed";
}

TEST(SettingsLocation, AnUnwritableWindowsFileSendsTheSettingsToThePerUserFileReadFromThenOn) {
  FakeDisk disk;
  disk.existing = {kShared};
  disk.unwritable = {kShared};
  // First run: the old settings are read from the Windows folder ...
  EXPECT_EQ(kShared, SettingsFileToRead(kLocation, disk.Ports()));
  // ... and written to the per-user file, its folder made.
  EXPECT_EQ(kPerUser, WriteSettingsWhereTheyStay(kLocation, disk.Ports()));
  EXPECT_EQ(1u, disk.folders.count(kPerUserFolder));
  EXPECT_EQ(std::vector<std::string>{kPerUser}, disk.written);
  // Next run: the per-user file is read, and written again.
  EXPECT_EQ(kPerUser, SettingsFileToRead(kLocation, disk.Ports()));
  disk.written.clear();
  EXPECT_EQ(kPerUser, WriteSettingsWhereTheyStay(kLocation, disk.Ports()));
  EXPECT_EQ(std::vector<std::string>{kPerUser}, disk.written);
}

TEST(SettingsLocation, ThePerUserFileOnceThereWinsEvenOverAWritableWindowsFile) {
  FakeDisk disk;
  disk.existing = {kShared, kPerUser};
  disk.folders = {kPerUserFolder};
  EXPECT_EQ(kPerUser, SettingsFileToRead(kLocation, disk.Ports()));
  EXPECT_EQ(kPerUser, WriteSettingsWhereTheyStay(kLocation, disk.Ports()));
  EXPECT_EQ(std::vector<std::string>{kPerUser}, disk.written);
}

TEST(SettingsLocation, NoFileAtAllIsReadAsTheWindowsFoldersAndCreatedThere) {
  FakeDisk disk;
  EXPECT_EQ(kShared, SettingsFileToRead(kLocation, disk.Ports()));
  EXPECT_EQ(kShared, WriteSettingsWhereTheyStay(kLocation, disk.Ports()));
}

TEST(SettingsLocation, NowhereToWriteIsReportedAndWritesNothing) {
  struct Case {
    const char* name;
    SettingsLocation location;
    bool folders_can_be_made;
    std::set<std::string> unwritable;
  };
  const Case cases[] = {
      {"the per-user folder cannot be made", kLocation, false, {kShared}},
      {"neither file can be written", kLocation, true, {kShared, kPerUser}},
      {"the system names no per-user folder", {kShared, ""}, true, {kShared}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDisk disk;
    disk.existing = {kShared};
    disk.unwritable = c.unwritable;
    disk.folders_can_be_made = c.folders_can_be_made;
    EXPECT_EQ("", WriteSettingsWhereTheyStay(c.location, disk.Ports()));
    EXPECT_TRUE(disk.written.empty());
    EXPECT_EQ(kShared, SettingsFileToRead(c.location, disk.Ports()));
  }
}

}  // namespace
}  // namespace kv
