// The note store on the Win32 files port, under the same checks as natively:
// the port's moves and leftover removal, a save and the start-up repair after
// it with every call failing or the machine stopping there, leftovers of an
// interrupted save, index files of the wrong size, and a folder that cannot
// be listed.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "notes/note_files.h"
#include "shell/testing/program_test_win.h"
#include "testing/fault_files.h"
#include "testing/recording_user_services.h"
#include "testing/note_set_bytes.h"

namespace kv {
namespace {

using Notes = std::map<VerseIndex, std::string>;
using testing::FaultFiles;

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, f) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

bool NameExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The two files of a set holding `notes`, built without the code under test.
std::pair<std::string, std::string> SetBytes(const Notes& notes) {
  testing::NoteSetBytes set = testing::NoteSetBytesOf(notes);
  return {std::move(set.data), std::move(set.index)};
}

class NullView final : public NotesView {
 public:
  void SetText(const char*) override {}
  void SetNoteReference(const char*) override {}
  void Select(std::size_t, std::size_t) override {}
  void SetTabs(const std::vector<std::string>&, int) override {}
};

const char* const kSet = "Study";
const Notes kBefore = {{0, "precious note"}, {100, "in the middle"}, {kLastVerse, "Amen."}};
const VerseIndex kEdited = 1;
const char* const kEditedText = "second note, longer than the first";

Notes After() {
  Notes notes = kBefore;
  notes[kEdited] = kEditedText;
  return notes;
}

class NoteFilesWin : public wintest::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    if (HasFatalFailure()) return;
    files_ = MakeSystemFiles(dir_);
    ASSERT_EQ(LoadError::None, LoadBibleData(*files_, &bible_));
  }
  void TearDown() override {
    ReleaseBibleData(*files_, &bible_);
    ProgramTest::TearDown();
  }

  NotesPorts Ports(Files& files) { return NotesPorts{files, user_, view_, bible_}; }

  void WriteSet(const Notes& notes) {
    auto [data, index] = SetBytes(notes);
    WriteFileBytes(Path("Study.nmd"), data);
    WriteFileBytes(Path("Study.nmi"), index);
  }
  void RemoveSetFiles() {
    for (const char* name : {"Study.nmd", "Study.nmi", "Study.nmd.temp", "Study.nmi.temp", "My Notes.nmd",
                             "My Notes.nmi"})
      DeleteFileA(Path(name).c_str());
  }
  bool HoldsSet(const Notes& notes) {
    auto [data, index] = SetBytes(notes);
    return wintest::ReadFile(Path("Study.nmd")) == data && wintest::ReadFile(Path("Study.nmi")) == index;
  }

  // A fresh start-up: it finds the one set whole, says nothing, takes the
  // leftovers away, and the next save works.
  void ExpectStartUpFinds(const Notes& notes) {
    NotesState state;
    testing::RecordingUserServices user;
    NotesPorts ports{*files_, user, view_, bible_};
    EXPECT_TRUE(DiscoverNoteSets(state, ports));
    EXPECT_TRUE(user.messages.empty()) << (user.messages.empty() ? "" : user.messages[0].text);
    ASSERT_EQ(1, state.table.count);
    EXPECT_EQ("Study.nmd", state.current().data_file);
    EXPECT_TRUE(HoldsSet(notes));
    EXPECT_FALSE(NameExists(Path("Study.nmd.temp")));
    EXPECT_FALSE(NameExists(Path("Study.nmi.temp")));
    state.current_verse = 200;
    EXPECT_EQ(SaveResult::Saved, SaveNote(state, ports, "saved afterwards"));
    Notes next = notes;
    next[200] = "saved afterwards";
    EXPECT_TRUE(HoldsSet(next));
  }

  // The calls of a clean save of the edited note over kBefore.
  std::vector<FaultFiles::Call> SaveCalls() {
    RemoveSetFiles();
    WriteSet(kBefore);
    NotesState state;
    DiscoverNoteSets(state, Ports(*files_));
    FaultFiles faults(*files_);
    state.current_verse = kEdited;
    EXPECT_EQ(SaveResult::Saved, SaveNote(state, Ports(faults), kEditedText));
    return faults.calls();
  }

  // Runs the save of the edited note over kBefore with call `n` failing, or
  // with the machine stopped before it.
  void FaultedSave(int n, bool stop) {
    RemoveSetFiles();
    WriteSet(kBefore);
    NotesState state;
    DiscoverNoteSets(state, Ports(*files_));
    FaultFiles faults(*files_);
    if (stop) faults.CrashAt(n);
    else faults.FailCall(n);
    state.current_verse = kEdited;
    SaveNote(state, Ports(faults), kEditedText);
  }

  std::unique_ptr<Files> files_;
  BibleData bible_;
  testing::RecordingUserServices user_;
  NullView view_;
};

std::size_t MoveOf(const std::vector<FaultFiles::Call>& calls, const std::string& from) {
  std::size_t i = 0;
  while (i < calls.size() && !(calls[i].op == "Replace" && calls[i].name == from)) ++i;
  return i;
}

TEST_F(NoteFilesWin, ThePortMovesInOneStepAndTakesNamesAway) {
  WriteFileBytes(Path("a"), "new");
  WriteFileBytes(Path("b"), "old");
  EXPECT_FALSE(files_->Rename("a", "b"));
  EXPECT_EQ("old", wintest::ReadFile(Path("b")));
  EXPECT_TRUE(files_->Replace("a", "b"));
  EXPECT_EQ("new", wintest::ReadFile(Path("b")));
  EXPECT_FALSE(NameExists(Path("a")));

  EXPECT_EQ(kNoFile, files_->Open("b", OpenMode::CreateExclusive));
  EXPECT_EQ("new", wintest::ReadFile(Path("b")));
  EXPECT_TRUE(files_->Discard("b"));
  EXPECT_FALSE(NameExists(Path("b")));
  EXPECT_TRUE(files_->Discard("b"));  // a name that is not there is gone

  // A second name goes by itself; the file keeps its first name.
  WriteFileBytes(Path("c"), "kept");
  ASSERT_TRUE(CreateHardLinkA(Path("d").c_str(), Path("c").c_str(), nullptr));
  EXPECT_TRUE(files_->Discard("d"));
  EXPECT_EQ("kept", wintest::ReadFile(Path("c")));

  std::vector<std::string> names{"stale"};
  EXPECT_TRUE(files_->List(".nmi", &names));
  EXPECT_TRUE(names.empty());
  auto missing = MakeSystemFiles(Path("missing"));
  names = {"stale"};
  EXPECT_FALSE(missing->List(".nmi", &names));
  EXPECT_TRUE(names.empty());
}

TEST_F(NoteFilesWin, ASaveKeepsTheOldOrTheNewNoteWhicheverCallFailsOrWhereverItStops) {
  std::vector<FaultFiles::Call> calls = SaveCalls();
  const std::size_t moved = MoveOf(calls, "Study.nmd.temp");
  ASSERT_LT(moved, calls.size());
  ASSERT_LT(MoveOf(calls, "Study.nmi.temp"), calls.size());
  for (std::size_t i = 0; i <= calls.size(); ++i) {
    for (bool stop : {false, true}) {
      SCOPED_TRACE(::testing::Message() << (stop ? "stopped before call " : "failing call ") << i
                                        << (i < calls.size() ? " " + calls[i].op + " " + calls[i].name : ""));
      if (!stop && i == calls.size()) continue;
      FaultedSave(static_cast<int>(i), stop);
      // A failed move of the data file changes nothing; every later failure
      // leaves the new note.
      bool new_note = stop ? i > moved : i > moved || (i < calls.size() && calls[i].op == "Close");
      ExpectStartUpFinds(new_note ? After() : kBefore);
    }
  }
}

TEST_F(NoteFilesWin, TheStartUpRepairSurvivesEveryFailingCallAndEveryStop) {
  std::vector<FaultFiles::Call> save_calls = SaveCalls();
  const int index_move = static_cast<int>(MoveOf(save_calls, "Study.nmi.temp"));
  ASSERT_LT(static_cast<std::size_t>(index_move), save_calls.size());
  FaultedSave(index_move, true);
  ASSERT_FALSE(HoldsSet(After()));
  std::vector<FaultFiles::Call> calls;
  {
    NotesState state;
    FaultFiles faults(*files_);
    DiscoverNoteSets(state, Ports(faults));
    calls = faults.calls();
    ASSERT_TRUE(HoldsSet(After()));
  }
  for (std::size_t i = 0; i <= calls.size(); ++i) {
    for (bool stop : {false, true}) {
      SCOPED_TRACE(::testing::Message() << (stop ? "stopped before call " : "failing call ") << i
                                        << (i < calls.size() ? " " + calls[i].op + " " + calls[i].name : ""));
      FaultedSave(index_move, true);
      {
        NotesState state;
        FaultFiles faults(*files_);
        if (stop) faults.CrashAt(static_cast<int>(i));
        else faults.FailCall(static_cast<int>(i));
        DiscoverNoteSets(state, Ports(faults));
      }
      EXPECT_FALSE(NameExists(Path("My Notes.nmi")));
      ExpectStartUpFinds(After());
    }
  }
}

TEST_F(NoteFilesWin, ASaveTakesALeftoverSecondNameAwayInsteadOfWritingIntoIt) {
  WriteSet(kBefore);
  NotesState state;
  DiscoverNoteSets(state, Ports(*files_));
  ASSERT_TRUE(CreateHardLinkA(Path("Study.nmd.temp").c_str(), Path("Study.nmd").c_str(), nullptr));
  state.current_verse = kEdited;
  EXPECT_EQ(SaveResult::Saved, SaveNote(state, Ports(*files_), kEditedText));
  EXPECT_TRUE(HoldsSet(After()));
  EXPECT_FALSE(NameExists(Path("Study.nmd.temp")));
  HANDLE h = CreateFileA(Path("Study.nmd").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  BY_HANDLE_FILE_INFORMATION info;
  ASSERT_TRUE(GetFileInformationByHandle(h, &info));
  CloseHandle(h);
  EXPECT_EQ(1u, info.nNumberOfLinks);
}

TEST_F(NoteFilesWin, AnIndexOfTheWrongSizeIsRefusedUnread) {
  WriteSet(kBefore);
  WriteFileBytes(Path("Study.nmi"), wintest::ReadFile(Path("Study.nmi")) + std::string(4, '\0'));
  auto [data, index] = SetBytes({{3, "kept"}});
  WriteFileBytes(Path("Good.nmd"), data);
  WriteFileBytes(Path("Good.nmi"), index);
  NotesState state;
  FaultFiles watched(*files_);
  EXPECT_TRUE(DiscoverNoteSets(state, Ports(watched)));
  ASSERT_EQ(1, state.table.count);
  EXPECT_EQ("Good.nmd", state.current().data_file);
  ASSERT_EQ(1u, user_.messages.size());
  EXPECT_EQ("The note set files \"Study.nmi\" and \"Study.nmd\" do not match and could not be repaired. The set was "
            "not loaded; both files are left unchanged.",
            user_.messages[0].text);
  for (const FaultFiles::Call& call : watched.calls()) {
    if (call.op == "Read") {
      EXPECT_EQ(0u, call.name.rfind("Good.", 0)) << call.name;
    }
  }
}

TEST_F(NoteFilesWin, AFolderThatCannotBeListedIsReportedAndNothingIsMade) {
  auto missing = MakeSystemFiles(Path("missing"));
  NotesState state;
  EXPECT_FALSE(DiscoverNoteSets(state, Ports(*missing)));
  ASSERT_EQ(1u, user_.messages.size());
  EXPECT_EQ("Error reading the folder of the note files: no note set was loaded", user_.messages[0].text);
  EXPECT_EQ(1, state.table.count);
  EXPECT_EQ(SaveResult::Cancelled, SaveNote(state, Ports(*missing), "text"));
  EXPECT_FALSE(NameExists(Path("missing")));
}

}  // namespace
}  // namespace kv
