#include "notes/note_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "notes/notes_test_support.h"
#include "testing/fault_files.h"

namespace kv {
namespace {

using testing::FaultFiles;
using testing::Notes;
using testing::NotesFixture;
using testing::ReadSet;
using testing::WriteSet;

std::vector<std::int32_t> EmptyIndexForTest() {
  std::vector<std::int32_t> index;
  for (int i = 0; i < kVerseCount; ++i) index.push_back(i);
  return index;
}

// --- Finding the sets at start-up -------------------------------------------

TEST(DiscoverNoteSets, CreatesMyNotesWhenTheFolderHasNoSet) {
  NotesFixture f;
  f.Discover();
  ASSERT_EQ(1, f.state.table.count);
  EXPECT_EQ("My Notes.nmd", f.state.current().data_file);
  EXPECT_EQ(std::string(kVerseCount, '\0'), f.dir.Read("My Notes.nmd"));
  EXPECT_EQ(testing::IndexBytes(EmptyIndexForTest()), f.dir.Read("My Notes.nmi"));
  EXPECT_EQ(std::vector<std::string>{"My Notes"}, f.view.tabs);
  EXPECT_TRUE(f.user.messages.empty());
}

TEST(DiscoverNoteSets, LoadsAtMostThirtySets) {
  NotesFixture f;
  for (int i = 0; i < 31; ++i) WriteSet(f.dir, "Set" + std::to_string(i), {{i, "note"}});
  f.Discover();
  EXPECT_EQ(kMaxNoteSets, f.state.table.count);
  EXPECT_EQ(30u, f.view.tabs.size());
  EXPECT_FALSE(f.dir.Read("My Notes.nmi").size());
}

TEST(DiscoverNoteSets, NamesTheSetByItsIndexFileCutAtTheLastDot) {
  NotesFixture f;
  WriteSet(f.dir, "My.Notes", {{7, "seven"}});
  f.Discover();
  ASSERT_EQ(1, f.state.table.count);
  EXPECT_EQ("My.Notes.nmd", f.state.current().data_file);
  EXPECT_EQ("My.Notes.nmi", IndexFileOf(f.state.current().data_file));
  EXPECT_EQ(std::vector<std::string>{"My.Notes"}, f.view.tabs);
  // A save rewrites the index named after the data file.
  f.state.current_verse = 8;
  ASSERT_EQ(SaveResult::Saved, SaveNote(f.state, f.Ports(), "eight"));
  EXPECT_EQ((Notes{{7, "seven"}, {8, "eight"}}), ReadSet(f.dir, "My.Notes"));
}

struct DamagedCase {
  const char* name;
  void (*damage)(const testing::ScratchDir& dir);
};

TEST(DiscoverNoteSets, LeavesASetThatCannotBeMadeWholeUntouched) {
  const DamagedCase cases[] = {
      {"index too short", [](const testing::ScratchDir& d) { d.Write("Bad.nmi", d.Read("Bad.nmi").substr(4)); }},
      {"data file missing", [](const testing::ScratchDir& d) { std::remove((d / "Bad.nmd").c_str()); }},
      {"data file cut short", [](const testing::ScratchDir& d) { d.Write("Bad.nmd", d.Read("Bad.nmd").substr(1)); }},
      {"a NUL inside a note",
       [](const testing::ScratchDir& d) {
         std::string data = d.Read("Bad.nmd");
         data[1] = '\0';
         d.Write("Bad.nmd", data);
       }},
      {"entries decrease",
       [](const testing::ScratchDir& d) {
         std::string index = d.Read("Bad.nmi");
         index[400] = '\0';
         index[401] = '\0';
         d.Write("Bad.nmi", index);
       }},
      {"stale temporary index that fits no better",
       [](const testing::ScratchDir& d) {
         d.Write("Bad.nmi.temp", d.Read("Bad.nmi"));
         d.Write("Bad.nmd", d.Read("Bad.nmd") + "x");
       }},
  };
  for (const DamagedCase& c : cases) {
    SCOPED_TRACE(c.name);
    NotesFixture f;
    WriteSet(f.dir, "Good", {{3, "kept"}});
    WriteSet(f.dir, "Bad", {{0, "abc"}, {200, "def"}});
    c.damage(f.dir);
    std::string data = f.dir.Read("Bad.nmd"), index = f.dir.Read("Bad.nmi");
    f.Discover();
    ASSERT_EQ(1, f.state.table.count);
    EXPECT_EQ("Good.nmd", f.state.current().data_file);
    ASSERT_EQ(1u, f.user.messages.size());
    EXPECT_NE(std::string::npos, f.user.messages[0].text.find("\"Bad.nmi\""));
    EXPECT_NE(std::string::npos, f.user.messages[0].text.find("\"Bad.nmd\""));
    EXPECT_EQ(data, f.dir.Read("Bad.nmd"));
    EXPECT_EQ(index, f.dir.Read("Bad.nmi"));
  }
}

TEST(DiscoverNoteSets, FinishesASaveThatStoppedHalfWay) {
  const Notes old_notes = {{0, "old"}, {9, "nine"}};
  const Notes new_notes = {{0, "new and longer"}, {9, "nine"}};
  struct Case {
    const char* name;
    bool data_moved;  // the new data file already has its name
  } cases[] = {{"data file still in .temp", false}, {"index still in .temp", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NotesFixture f;
    WriteSet(f.dir, "New", new_notes);
    WriteSet(f.dir, "Set", old_notes);
    f.dir.Write("Set.nmi.temp", f.dir.Read("New.nmi"));
    if (c.data_moved) f.dir.Write("Set.nmd", f.dir.Read("New.nmd"));
    else {
      f.dir.Write("Set.nmd.temp", f.dir.Read("New.nmd"));
      std::remove((f.dir / "Set.nmd").c_str());
    }
    std::remove((f.dir / "New.nmd").c_str());
    std::remove((f.dir / "New.nmi").c_str());
    f.Discover();
    EXPECT_TRUE(f.user.messages.empty());
    ASSERT_EQ(1, f.state.table.count);
    EXPECT_EQ(new_notes, ReadSet(f.dir, "Set"));
    EXPECT_TRUE(HasNote(f.state, 0));
  }
}

TEST(DiscoverNoteSets, KeepsAValidIndexOverALeftoverTemporaryOne) {
  NotesFixture f;
  WriteSet(f.dir, "Other", {{0, "from an abandoned save"}});
  WriteSet(f.dir, "Set", {{0, "current"}});
  f.dir.Write("Set.nmi.temp", f.dir.Read("Other.nmi"));
  std::remove((f.dir / "Other.nmi").c_str());
  f.Discover();
  EXPECT_EQ((Notes{{0, "current"}}), ReadSet(f.dir, "Set"));
  EXPECT_TRUE(f.user.messages.empty());
}

TEST(DiscoverNoteSets, NeverSavesOverFilesThatBlockTheDefaultSet) {
  NotesFixture f;
  f.dir.Write("My Notes.nmd", "not ours");
  f.Discover();
  ASSERT_EQ(1, f.state.table.count);
  ASSERT_EQ(1u, f.user.messages.size());
  EXPECT_EQ("Error creating note files", f.user.messages[0].text);
  EXPECT_FALSE(f.user.messages[0].has_caption);
  EXPECT_EQ(SaveResult::Cancelled, SaveNote(f.state, f.Ports(), "text"));
  EXPECT_EQ("not ours", f.dir.Read("My Notes.nmd"));
  EXPECT_FALSE(f.dir.Read("My Notes.nmi").size());
}

// --- Showing notes and the presence test ------------------------------------

TEST(ShowNote, ShowsTheNoteOrNoNoteWithItsReference) {
  NotesFixture f;
  WriteSet(f.dir, "Set", {{0, "first"}, {kLastVerse, "last"}});
  f.Discover();
  const struct {
    VerseIndex verse;
    const char* text;
    const char* reference;
  } rows[] = {{0, "first", "Ge 1:1"}, {1, "No note.", "Ge 1:2"}, {kLastVerse, "last", "Re 22:21"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.reference);
    ASSERT_TRUE(ShowNote(f.state, f.Ports(), row.verse));
    EXPECT_EQ(row.verse, f.state.current_verse);
    EXPECT_EQ(row.text, f.view.text);
    EXPECT_STREQ(row.text, f.state.buffer.data());
    EXPECT_EQ(row.reference, f.view.reference);
  }
}

TEST(ShowNote, AnUnreadableDataFileKeepsTheShownNote) {
  NotesFixture f;
  WriteSet(f.dir, "Set", {{0, "first"}});
  f.Discover();
  ASSERT_TRUE(ShowNote(f.state, f.Ports(), 0));
  std::remove((f.dir / "Set.nmd").c_str());
  EXPECT_FALSE(ShowNote(f.state, f.Ports(), 5));
  EXPECT_EQ(0, f.state.current_verse);
  EXPECT_EQ("first", f.view.text);
  ASSERT_EQ(1u, f.user.messages.size());
  EXPECT_EQ("Error reading note file", f.user.messages[0].text);
  EXPECT_EQ("Error", f.user.messages[0].caption);
}

TEST(HasNote, NeedsAtLeastOneCharacter) {
  NotesFixture f;
  WriteSet(f.dir, "Set", {{0, "a"}, {kLastVerse, "only the last"}});
  f.Discover();
  EXPECT_TRUE(HasNote(f.state, 0));
  EXPECT_FALSE(HasNote(f.state, 1));
  EXPECT_FALSE(HasNote(f.state, kLastVerse - 1));
  // The last note ends at the end of the data file, which no entry records.
  EXPECT_TRUE(HasNote(f.state, kLastVerse));
}

// --- Saving ----------------------------------------------------------------

TEST(SaveNote, ShiftsTheLaterEntriesByTheChangeOfLength) {
  const struct {
    const char* name;
    VerseIndex verse;
    std::string text;
  } rows[] = {
      {"Genesis 1:1 has no prefix", 0, "a longer first note"},
      {"a middle verse", 1000, "mid"},
      {"Revelation 22:21 has no suffix", kLastVerse, "the end, longer than before"},
      {"an empty note", 5, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    NotesFixture f;
    const Notes before = {{0, "first"}, {5, "five"}, {1000, "thousand"}, {kLastVerse, "last"}};
    WriteSet(f.dir, "Set", before);
    f.Discover();
    std::vector<std::int32_t> old_index = f.state.current().index;
    std::int64_t old_size = f.state.current().data_size;
    f.state.current_verse = row.verse;
    ASSERT_EQ(SaveResult::Saved, SaveNote(f.state, f.Ports(), row.text));
    Notes after = before;
    if (row.text.empty()) after.erase(row.verse);
    else after[row.verse] = row.text;
    EXPECT_EQ(after, ReadSet(f.dir, "Set"));
    // Entries up to the verse keep their value; the later ones move by d.
    std::int64_t old_length =
        (row.verse < kLastVerse ? old_index[static_cast<std::size_t>(row.verse) + 1] : old_size) -
        old_index[static_cast<std::size_t>(row.verse)];
    std::int64_t d = static_cast<std::int64_t>(row.text.size()) + 1 - old_length;
    const std::vector<std::int32_t>& index = f.state.current().index;
    for (VerseIndex v = 0; v < kVerseCount; ++v) {
      std::int64_t shift = v > row.verse ? d : 0;
      ASSERT_EQ(old_index[static_cast<std::size_t>(v)] + shift, index[static_cast<std::size_t>(v)]) << v;
    }
    EXPECT_EQ(row.text, f.view.text);  // shown as saved, even when empty
    EXPECT_FALSE(f.dir.Read("Set.nmd.temp").size());
    EXPECT_FALSE(f.dir.Read("Set.nmi.temp").size());
  }
}

TEST(SaveNote, AnEmptyNoteIsASingleNul) {
  NotesFixture f;
  WriteSet(f.dir, "Set", {{2, "gone soon"}});
  f.Discover();
  f.state.current_verse = 2;
  ASSERT_EQ(SaveResult::Saved, SaveNote(f.state, f.Ports(), ""));
  EXPECT_FALSE(HasNote(f.state, 2));
  EXPECT_EQ(std::string(kVerseCount, '\0'), f.dir.Read("Set.nmd"));
  ASSERT_TRUE(ShowNote(f.state, f.Ports(), 2));
  EXPECT_EQ("No note.", f.view.text);
}

TEST(SaveNote, TakesTheTextAsTheEditorHandsItOver) {
  NotesFixture f;
  f.Discover();
  f.state.current_verse = 3;
  ASSERT_EQ(SaveResult::Saved, SaveNote(f.state, f.Ports(), std::string("before\0after", 12)));
  EXPECT_EQ((Notes{{3, "before"}}), ReadSet(f.dir, "My Notes"));
  ASSERT_EQ(SaveResult::Saved, SaveNote(f.state, f.Ports(), std::string(70000, 'x')));
  EXPECT_EQ((Notes{{3, std::string(kMaxNoteChars, 'x')}}), ReadSet(f.dir, "My Notes"));
  ASSERT_TRUE(ShowNote(f.state, f.Ports(), 3));
  EXPECT_EQ(kMaxNoteChars, f.view.text.size());
}

TEST(SaveNote, RetriesALockedDataFileUntilCancelled) {
  NotesFixture f;
  WriteSet(f.dir, "Set", {});
  f.Discover();
  f.state.current_verse = 4;
  {
    FaultFiles faults(*f.files);
    faults.FailFirst("Open", "Set.nmd");
    f.user.answers = {MessageAnswer::Retry};
    EXPECT_EQ(SaveResult::Saved, SaveNote(f.state, f.Ports(faults), "after a retry"));
  }
  ASSERT_EQ(1u, f.user.messages.size());
  EXPECT_EQ(MessageButtons::RetryCancel, f.user.messages[0].buttons);
  EXPECT_EQ(MessageIcon::Error, f.user.messages[0].icon);
  EXPECT_FALSE(f.user.messages[0].has_caption);
  EXPECT_EQ((Notes{{4, "after a retry"}}), ReadSet(f.dir, "Set"));
}

TEST(SaveNote, RefusesADataFileChangedBehindItsBack) {
  NotesFixture f;
  WriteSet(f.dir, "Set", {{1, "one"}});
  f.Discover();
  WriteSet(f.dir, "Set", {{1, "one, changed elsewhere"}});
  f.state.current_verse = 0;
  EXPECT_EQ(SaveResult::NotSaved, SaveNote(f.state, f.Ports(), "text"));
  EXPECT_EQ((Notes{{1, "one, changed elsewhere"}}), ReadSet(f.dir, "Set"));
}

// --- Creating the files of a set ---------------------------------------------

TEST(CreateNoteSetFiles, NeverTouchesExistingFiles) {
  const char* const existing[] = {"Taken.nmd", "Taken.nmi"};
  for (const char* name : existing) {
    SCOPED_TRACE(name);
    NotesFixture f;
    f.Discover();
    f.dir.Write(name, "mine");
    EXPECT_FALSE(CreateNoteSetFiles(f.state, f.Ports(), "Taken"));
    EXPECT_EQ(1, f.state.table.count);
    ASSERT_EQ(1u, f.user.messages.size());
    EXPECT_EQ("Error creating note files", f.user.messages[0].text);
    EXPECT_EQ("mine", f.dir.Read(name));
    // The other file of the pair is not left behind either.
    EXPECT_EQ(3u, testing::Listed(*f.files, ".nmd").size() + testing::Listed(*f.files, ".nmi").size());
  }
}

TEST(CreateNoteSetFiles, AddsAnEmptySetWithoutSelectingIt) {
  NotesFixture f;
  f.Discover();
  ASSERT_TRUE(CreateNoteSetFiles(f.state, f.Ports(), "Second"));
  EXPECT_EQ(2, f.state.table.count);
  EXPECT_EQ(0, f.state.current_set);
  EXPECT_EQ((std::vector<std::string>{"My Notes", "Second"}), f.view.tabs);
  EXPECT_EQ(Notes{}, ReadSet(f.dir, "Second"));
}


// --- Leftovers, sizes and folders that cannot be read -----------------------

struct stat StatOf(const std::string& path) {
  struct stat st = {};
  if (::lstat(path.c_str(), &st) != 0) ADD_FAILURE() << "no " << path;
  return st;
}

void ExpectNoTemporaries(const testing::ScratchDir& dir) {
  for (const char* temp : {"Study.nmd.temp", "Study.nmi.temp"}) {
    struct stat st;
    EXPECT_NE(0, ::lstat((dir / temp).c_str(), &st)) << temp << " is left";
  }
}

TEST(SaveNote, TakesALeftoverSecondNameOfTheDataFileAwayInsteadOfWritingIntoIt) {
  NotesFixture f;
  WriteSet(f.dir, "Study", {{0, "precious note"}});
  f.Discover();
  ASSERT_EQ(0, ::link((f.dir / "Study.nmd").c_str(), (f.dir / "Study.nmd.temp").c_str()));
  ASSERT_EQ(0, ::link((f.dir / "Study.nmi").c_str(), (f.dir / "Study.nmi.temp").c_str()));
  f.state.current_verse = 20000;
  EXPECT_EQ(SaveResult::Saved, SaveNote(f.state, f.Ports(), "second note"));
  EXPECT_TRUE(f.user.messages.empty());
  EXPECT_EQ((Notes{{0, "precious note"}, {20000, "second note"}}), ReadSet(f.dir, "Study"));
  EXPECT_EQ(1u, StatOf(f.dir / "Study.nmd").st_nlink);
  EXPECT_EQ(1u, StatOf(f.dir / "Study.nmi").st_nlink);
  ExpectNoTemporaries(f.dir);
}

TEST(SaveNote, TakesALeftoverSymbolicLinkAwayInsteadOfWritingThroughIt) {
  NotesFixture f;
  WriteSet(f.dir, "Study", {{0, "precious note"}});
  f.dir.Write("victim.txt", "not a note");
  f.Discover();
  ASSERT_EQ(0, ::symlink("victim.txt", (f.dir / "Study.nmd.temp").c_str()));
  ASSERT_EQ(0, ::symlink("victim.txt", (f.dir / "Study.nmi.temp").c_str()));
  f.state.current_verse = 1;
  EXPECT_EQ(SaveResult::Saved, SaveNote(f.state, f.Ports(), "x"));
  EXPECT_EQ("not a note", f.dir.Read("victim.txt"));
  EXPECT_TRUE(S_ISREG(StatOf(f.dir / "Study.nmd").st_mode));
  EXPECT_TRUE(S_ISREG(StatOf(f.dir / "Study.nmi").st_mode));
  EXPECT_EQ((Notes{{0, "precious note"}, {1, "x"}}), ReadSet(f.dir, "Study"));
  ExpectNoTemporaries(f.dir);
}

TEST(DiscoverNoteSets, LeavesNoSecondNameOnALiveFile) {
  // What a move made of a second name and a removal left when it stopped
  // between the two: the new data under both names, the new index waiting.
  NotesFixture f;
  WriteSet(f.dir, "New", {{0, "new and longer"}});
  WriteSet(f.dir, "Study", {{0, "old"}});
  f.dir.Write("Study.nmd", f.dir.Read("New.nmd"));
  f.dir.Write("Study.nmi.temp", f.dir.Read("New.nmi"));
  ASSERT_EQ(0, ::link((f.dir / "Study.nmd").c_str(), (f.dir / "Study.nmd.temp").c_str()));
  std::remove((f.dir / "New.nmd").c_str());
  std::remove((f.dir / "New.nmi").c_str());
  f.Discover();
  EXPECT_TRUE(f.user.messages.empty());
  EXPECT_EQ((Notes{{0, "new and longer"}}), ReadSet(f.dir, "Study"));
  EXPECT_EQ(1u, StatOf(f.dir / "Study.nmd").st_nlink);
  ExpectNoTemporaries(f.dir);
  f.state.current_verse = 1;
  EXPECT_EQ(SaveResult::Saved, SaveNote(f.state, f.Ports(), "then another"));
  EXPECT_EQ((Notes{{0, "new and longer"}, {1, "then another"}}), ReadSet(f.dir, "Study"));
}

TEST(DiscoverNoteSets, NeverReadsThroughALeftoverSymbolicLink) {
  // The index in the link would fit the data: it is still not taken.
  NotesFixture f;
  WriteSet(f.dir, "New", {{0, "new and longer"}});
  WriteSet(f.dir, "Study", {{0, "old"}});
  f.dir.Write("Study.nmd", f.dir.Read("New.nmd"));
  f.dir.Write("outside.bin", f.dir.Read("New.nmi"));
  ASSERT_EQ(0, ::symlink("outside.bin", (f.dir / "Study.nmi.temp").c_str()));
  std::remove((f.dir / "New.nmd").c_str());
  std::remove((f.dir / "New.nmi").c_str());
  std::string index = f.dir.Read("Study.nmi");
  f.Discover();
  EXPECT_EQ(1, f.state.table.count);
  EXPECT_FALSE(f.state.current().has_files);
  ASSERT_EQ(1u, f.user.messages.size());
  EXPECT_NE(std::string::npos, f.user.messages[0].text.find("\"Study.nmi\" and \"Study.nmd\" do not match"));
  EXPECT_EQ(index, f.dir.Read("Study.nmi"));
  EXPECT_TRUE(S_ISLNK(StatOf(f.dir / "Study.nmi.temp").st_mode));
}

TEST(DiscoverNoteSets, RefusesFilesOfTheWrongSizeUnreadAndLoadsTheOthers) {
  NotesFixture f;
  WriteSet(f.dir, "Good", {{3, "kept"}});
  WriteSet(f.dir, "Long", {{0, "a"}});
  WriteSet(f.dir, "Huge", {{0, "a"}});
  WriteSet(f.dir, "Vast", {{0, "a"}});
  f.dir.Write("Long.nmi", f.dir.Read("Long.nmi") + std::string(4, '\0'));
  ASSERT_EQ(0, ::truncate((f.dir / "Huge.nmi").c_str(), std::int64_t{1} << 31));
  // More than 32-bit offsets can reach.
  ASSERT_EQ(0, ::truncate((f.dir / "Vast.nmd").c_str(), (std::int64_t{1} << 31) + 10));
  FaultFiles watched(*f.files);
  DiscoverNoteSets(f.state, f.Ports(watched));
  ASSERT_EQ(1, f.state.table.count);
  EXPECT_EQ("Good.nmd", f.state.current().data_file);
  std::vector<std::string> messages = f.user.Texts();
  ASSERT_EQ(3u, messages.size());
  for (const char* set : {"Long", "Huge", "Vast"}) {
    SCOPED_TRACE(set);
    std::string text = std::string("The note set files \"") + set + ".nmi\" and \"" + set +
                       ".nmd\" do not match and could not be repaired. The set was not loaded; both files are left "
                       "unchanged.";
    EXPECT_EQ(1, std::count(messages.begin(), messages.end(), text));
  }
  for (const FaultFiles::Call& call : watched.calls()) {
    // Only the pairs whose sizes fit are read; Vast.nmi fits.
    if (call.op == "Read") {
      EXPECT_TRUE(call.name.rfind("Good.", 0) == 0 || call.name == "Vast.nmi") << "read " << call.name;
    }
  }
  EXPECT_EQ(std::int64_t{1} << 31, StatOf(f.dir / "Huge.nmi").st_size);
  EXPECT_EQ((std::int64_t{1} << 31) + 10, StatOf(f.dir / "Vast.nmd").st_size);
}

TEST(DiscoverNoteSets, AFolderThatCannotBeListedIsReportedAndNothingIsMade) {
  {
    SCOPED_TRACE("a folder that is not there");
    testing::ScratchDir dir;
    auto files = MakeSystemFiles(dir / "missing");
    testing::RecordingUserServices user;
    testing::RecordingNotesView view;
    NotesState state;
    NotesPorts ports{*files, user, view, testing::RealBible()};
    EXPECT_FALSE(DiscoverNoteSets(state, ports));
    ASSERT_EQ(1u, user.messages.size());
    EXPECT_EQ("Error reading the folder of the note files: no note set was loaded", user.messages[0].text);
    // The program still has its one set, in memory only.
    ASSERT_EQ(1, state.table.count);
    EXPECT_EQ(std::vector<std::string>{"My Notes"}, view.tabs);
    EXPECT_EQ(SaveResult::Cancelled, SaveNote(state, ports, "text"));
    struct stat st;
    EXPECT_NE(0, ::lstat((dir / "missing").c_str(), &st));
  }
  {
    SCOPED_TRACE("a folder whose listing fails");
    NotesFixture f;
    WriteSet(f.dir, "Study", {{0, "precious note"}});
    FaultFiles faults(*f.files);
    faults.FailCall(0);
    EXPECT_FALSE(DiscoverNoteSets(f.state, f.Ports(faults)));
    EXPECT_EQ(std::vector<std::string>{"Error reading the folder of the note files: no note set was loaded"},
              f.user.Texts());
    EXPECT_EQ(std::vector<std::string>{"Study.nmi"}, testing::Listed(*f.files, ".nmi"));
    EXPECT_EQ(std::vector<std::string>{"Study.nmd"}, testing::Listed(*f.files, ".nmd"));
  }
}

TEST(DiscoverNoteSets, MakesNoDefaultSetBesideSetsThatCannotBeLoaded) {
  NotesFixture f;
  WriteSet(f.dir, "Study", {{0, "precious note"}});
  f.dir.Write("Study.nmd", f.dir.Read("Study.nmd").substr(1));
  EXPECT_TRUE(DiscoverNoteSets(f.state, f.Ports()));
  ASSERT_EQ(1, f.state.table.count);
  EXPECT_FALSE(f.state.current().has_files);
  EXPECT_EQ(std::vector<std::string>{"Study.nmi"}, testing::Listed(*f.files, ".nmi"));
}

}  // namespace
}  // namespace kv
