// Where the settings go when the Windows folder's file cannot be written,
// and the settings written when the Windows session ends: the real program
// under Wine, its files read back.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "passage/passage_window_win.h"
#include "shell/app_state.h"
#include "shell/program_win.h"
#include "shell/testing/program_test_win.h"
#include "store/verse_address.h"

namespace kv {
namespace {

using wintest::ReadFile;

class SettingsFiles : public wintest::ProgramTest {
 protected:
  std::string Shared() const { return App().shell.settings_file; }
  std::string PerUser() const { return Path(wintest::kPerUserFolder) + "\\Kelvane.Ini"; }
};

bool Exists(const std::string& file) { return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

int ReadVerseIn(const std::string& file) {
  return static_cast<int>(GetPrivateProfileIntA("MISC", "ReadVerse", -1, file.c_str()));
}

VerseIndex Verse(int book, int chapter, int verse) { return FindVerse(App().store.bible, book, chapter, verse); }

const char kOldSettings[] = "[MISC]\r\nReadVerse=100\r\n[BOOKMARKS]\r\n3=200\r\n";

// Makes `file` unwritable while it lives, as a normal user meets the
// Windows folder's file: the read-only attribute, and, because the tests
// may run as root (whom Wine lets write a read-only file), an open handle
// that shares reading only, so that every open for writing fails.
class WriteLock {
 public:
  explicit WriteLock(const std::string& file) : file_(file) {
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    handle_ = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  }
  ~WriteLock() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    SetFileAttributesA(file_.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  bool Holds() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  std::string file_;
  HANDLE handle_;
};

TEST_F(SettingsFiles, AnUnwritableWindowsFileSendsTheSettingsToThePerUserFileReadFromThenOn) {
  std::ofstream(Shared(), std::ios::binary) << kOldSettings;
  WriteLock lock(Shared());
  ASSERT_TRUE(lock.Holds());
  ASSERT_FALSE(WritePrivateProfileStringA("MISC", "Probe", "1", Shared().c_str()))
      << "the locked file must refuse writes for this test to mean anything";
  VerseIndex john = kNoVerse;
  Run([&john](HWND) {
    EXPECT_EQ(100, App().passage.CurrentVerse) << "the old settings are read";
    EXPECT_EQ(200, App().shell.Bookmarks[2]);
    john = Verse(43, 1, 1);
    SetCurrentVerse(john);
  });
  EXPECT_EQ(kOldSettings, ReadFile(Shared())) << "the Windows folder's file is left as it was";
  ASSERT_TRUE(Exists(PerUser())) << "the settings went to the per-user file";
  EXPECT_EQ(john, ReadVerseIn(PerUser()));
  EXPECT_EQ(200, static_cast<int>(GetPrivateProfileIntA("BOOKMARKS", "3", -1, PerUser().c_str())))
      << "every setting is in the per-user file, not only those changed";

  // The next run starts from the per-user file, and keeps writing it.
  VerseIndex acts = kNoVerse;
  Run([&](HWND) {
    EXPECT_EQ(john, App().passage.CurrentVerse);
    acts = Verse(44, 1, 1);
    SetCurrentVerse(acts);
  });
  EXPECT_EQ(acts, ReadVerseIn(PerUser()));
  EXPECT_EQ(kOldSettings, ReadFile(Shared()));
}

TEST_F(SettingsFiles, AWritableWindowsFileKeepsTheSettingsAndNoPerUserFileAppears) {
  std::ofstream(Shared(), std::ios::binary) << kOldSettings;
  VerseIndex romans = kNoVerse;
  Run([&romans](HWND) {
    romans = Verse(45, 1, 1);
    SetCurrentVerse(romans);
  });
  EXPECT_EQ(romans, ReadVerseIn(Shared()));
  EXPECT_FALSE(Exists(PerUser()));
}

// The per-user file the system names: the application data folder's
// Kelvane95\Kelvane.Ini, found here through the environment.
TEST_F(SettingsFiles, ThePerUserFileIsInTheUsersApplicationDataFolder) {
  char appdata[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableA("APPDATA", appdata, sizeof appdata), 0u);
  const std::string folder = std::string(appdata) + "\\Kelvane95";
  const std::string file = folder + "\\Kelvane.Ini";
  ASSERT_FALSE(Exists(file)) << "left over from an earlier run: " << file;
  App().shell.per_user_settings_file.clear();
  std::ofstream(Shared(), std::ios::binary) << kOldSettings;
  WriteLock lock(Shared());
  ASSERT_TRUE(lock.Holds());
  VerseIndex corinthians = kNoVerse;
  Run([&corinthians](HWND) {
    corinthians = Verse(46, 1, 1);
    SetCurrentVerse(corinthians);
  });
  EXPECT_EQ(corinthians, ReadVerseIn(file));
  DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST_F(SettingsFiles, TheSessionsEndWritesTheSettingsOnce) {
  Run([this](HWND main) {
    const VerseIndex john = Verse(43, 3, 16);
    SetCurrentVerse(john);
    EXPECT_TRUE(SendMessageA(main, WM_QUERYENDSESSION, 0, 0)) << "nothing open stops the session";
    SendMessageA(main, WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(Exists(Shared())) << "a session that goes on writes nothing";
    SendMessageA(main, WM_ENDSESSION, TRUE, 0);
    ASSERT_TRUE(Exists(Shared())) << "the session's end writes the settings";
    EXPECT_EQ(john, ReadVerseIn(Shared()));
    // Should the window still be destroyed, nothing is written again.
    DeleteFileA(Shared().c_str());
    SetCurrentVerse(Verse(44, 1, 1));
  });
  EXPECT_FALSE(Exists(Shared())) << "the settings were written a second time";
}

}  // namespace
}  // namespace kv
