// A save must never lose or corrupt a note, whichever file call fails and
// wherever the machine stops. Each save below is run once per file call it
// makes with that call failing, and once per call stopped there as if the
// power went off; a fresh start-up must then find every note of the set, the
// edited one either old or new.
#include <gtest/gtest.h>

#include "notes/note_files.h"
#include "notes/notes_test_support.h"
#include "testing/fault_files.h"

namespace kv {
namespace {

using testing::FaultFiles;
using testing::Notes;
using testing::NotesFixture;
using testing::ReadSet;
using testing::WriteSet;

const char* const kSet = "Study";
const Notes kBefore = {
    {0, "In the beginning: see #Joh 1:1"},
    {1, "The earth\r\nwithout form"},
    {100, "a note in the middle"},
    {kLastVerse, "Amen."},
};

struct SaveCase {
  const char* name;
  VerseIndex verse;
  std::string text;
};

const SaveCase kCases[] = {
    {"longer note in the middle", 1, "The earth was without form, and void; and darkness was upon the deep."},
    {"shorter note at Genesis 1:1", 0, "Start"},
    {"deleted note at the last verse", kLastVerse, ""},
    {"new note on an empty verse", 5000, "x"},
};

Notes After(const SaveCase& c) {
  Notes notes = kBefore;
  if (c.text.empty()) notes.erase(c.verse);
  else notes[c.verse] = c.text;
  return notes;
}

// A set on disk and a session that has found it, ready to save `c`.
struct Session {
  explicit Session(const SaveCase& c) {
    WriteSet(fixture.dir, kSet, kBefore);
    fixture.Discover();
    fixture.state.current_verse = c.verse;
  }
  NotesFixture fixture;
};

// What a fresh start-up finds in the folder: the notes of the loaded set, and
// the files on disk read independently.
struct Found {
  Notes loaded;
  std::optional<Notes> on_disk;
  std::vector<std::string> messages;
};

Found StartUp(const testing::ScratchDir& dir) {
  auto files = MakeSystemFiles(dir.path());
  testing::RecordingUserServices user;
  testing::RecordingNotesView view;
  NotesState state;
  DiscoverNoteSets(state, NotesPorts{*files, user, view, testing::RealBible()});
  Found found;
  found.messages = user.Texts();
  for (VerseIndex v = 0; v < kVerseCount; ++v) {
    if (!HasNote(state, v)) continue;
    std::string text;
    if (!ReadNote(*files, state.current(), v, &text)) ADD_FAILURE() << "cannot read note " << v;
    found.loaded[v] = text;
  }
  EXPECT_EQ(1, state.table.count);
  found.on_disk = ReadSet(dir, kSet);
  return found;
}

// The message a save shows when `call` fails, and whether the new note is
// then the set's note.
struct Expected {
  std::string message;
  bool saved;
};

Expected ExpectedFor(const FaultFiles::Call& call) {
  const std::string data = std::string(kSet) + ".nmd";
  const std::string read_error = "Error reading note file";
  const std::string write_error = "Failure writing. Disk may be full!";
  const std::string create_error = "Failure saving note (file creation error)";
  bool temp = call.name.size() > 5 && call.name.compare(call.name.size() - 5, 5, ".temp") == 0;
  if (call.op == "Open" && call.name == data)
    return {"There was an error opening the file \"Study.nmd\". Please make sure this file is not being used by "
            "any other program.",
            false};
  if (call.op == "Open" && temp) return {create_error, false};
  if ((call.op == "Read" || call.op == "Seek" || call.op == "Size") && call.name == data) return {read_error, false};
  if ((call.op == "Write" || call.op == "Flush") && temp) return {write_error, false};
  if (call.op == "Discard" && temp) return {create_error, false};
  if (call.op == "Replace" && call.name == data + ".temp")
    return {"Faliure Saving Note (delete old failure):\nYou should exit Kelvane and restart.", false};
  if (call.op == "Replace" && call.name == std::string(kSet) + ".nmi.temp")
    return {"Failure saving note (index file error):\nYou should exit Kelvane and restart.", true};
  if (call.op == "Close") return {"", true};  // closing cannot fail
  ADD_FAILURE() << "unexpected call " << call.op << " " << call.name;
  return {"", false};
}

std::vector<FaultFiles::Call> CallsOfCleanSave(const SaveCase& c) {
  Session session(c);
  FaultFiles faults(*session.fixture.files);
  EXPECT_EQ(SaveResult::Saved, SaveNote(session.fixture.state, session.fixture.Ports(faults), c.text));
  EXPECT_EQ(After(c), StartUp(session.fixture.dir).loaded);
  return faults.calls();
}

TEST(SaveNoteFaults, EveryFailingCallKeepsTheOldOrTheNewNote) {
  for (const SaveCase& c : kCases) {
    std::vector<FaultFiles::Call> calls = CallsOfCleanSave(c);
    for (std::size_t i = 0; i < calls.size(); ++i) {
      SCOPED_TRACE(::testing::Message() << c.name << ": call " << i << " " << calls[i].op << " " << calls[i].name);
      Expected expected = ExpectedFor(calls[i]);
      Session session(c);
      NotesFixture& f = session.fixture;
      {
        FaultFiles faults(*f.files);
        faults.FailCall(static_cast<int>(i));
        SaveNote(f.state, f.Ports(faults), c.text);
      }
      if (expected.message.empty()) {
        EXPECT_TRUE(f.user.messages.empty());
      } else {
        ASSERT_EQ(1u, f.user.messages.size());
        EXPECT_EQ(expected.message, f.user.messages[0].text);
      }
      // The session goes on: another note saved now must land next to the
      // outcome of the failed save.
      Notes wanted = expected.saved ? After(c) : kBefore;
      f.state.current_verse = 100;
      f.user.messages.clear();
      EXPECT_EQ(SaveResult::Saved, SaveNote(f.state, f.Ports(), "saved afterwards"));
      EXPECT_TRUE(f.user.messages.empty());
      wanted[100] = "saved afterwards";
      Found found = StartUp(f.dir);
      EXPECT_TRUE(found.messages.empty());
      EXPECT_EQ(wanted, found.loaded);
      ASSERT_TRUE(found.on_disk.has_value());
      EXPECT_EQ(wanted, *found.on_disk);
    }
  }
}

TEST(SaveNoteFaults, APowerCutAtAnyCallKeepsTheOldOrTheNewNote) {
  for (const SaveCase& c : kCases) {
    std::vector<FaultFiles::Call> calls = CallsOfCleanSave(c);
    std::size_t moved = 0;
    while (moved < calls.size() && !(calls[moved].op == "Replace" && calls[moved].name == "Study.nmd.temp")) ++moved;
    ASSERT_LT(moved, calls.size());
    for (std::size_t i = 0; i <= calls.size(); ++i) {
      SCOPED_TRACE(::testing::Message() << c.name << ": stopped before call " << i);
      Session session(c);
      {
        FaultFiles faults(*session.fixture.files);
        faults.CrashAt(static_cast<int>(i));
        SaveNote(session.fixture.state, session.fixture.Ports(faults), c.text);
      }
      // Once the new data file is in place the new note is the one to keep.
      Notes wanted = i > moved ? After(c) : kBefore;
      Found found = StartUp(session.fixture.dir);
      EXPECT_TRUE(found.messages.empty());
      EXPECT_EQ(wanted, found.loaded);
      ASSERT_TRUE(found.on_disk.has_value());
      EXPECT_EQ(wanted, *found.on_disk);
    }
  }
}


// The call of a clean save that moves the new index in.
std::size_t IndexMoveOf(const std::vector<FaultFiles::Call>& calls) {
  std::size_t i = 0;
  while (i < calls.size() && !(calls[i].op == "Replace" && calls[i].name == "Study.nmi.temp")) ++i;
  return i;
}

// A folder where the save of `c` stopped with its data file moved in and its
// index still in the temporary file: the state a start-up has to finish.
struct StoppedSave {
  // `index_move`: the call of the clean save that moves the index in.
  StoppedSave(const SaveCase& c, std::size_t index_move) : session(c) {
    FaultFiles faults(*session.fixture.files);
    faults.CrashAt(static_cast<int>(index_move));
    SaveNote(session.fixture.state, session.fixture.Ports(faults), c.text);
    session.fixture.state = NotesState{};
  }
  Session session;
};

// After a start-up that failed or stopped anywhere, the next one finds the
// new note and the next save works.
void ExpectRepairedAndSavable(const SaveCase& c, NotesFixture& f) {
  Found found = StartUp(f.dir);
  EXPECT_TRUE(found.messages.empty());
  EXPECT_EQ(After(c), found.loaded);
  f.state = NotesState{};
  f.user.messages.clear();
  f.Discover();
  f.state.current_verse = 100;
  EXPECT_EQ(SaveResult::Saved, SaveNote(f.state, f.Ports(), "saved afterwards"));
  EXPECT_TRUE(f.user.messages.empty());
  Notes wanted = After(c);
  wanted[100] = "saved afterwards";
  EXPECT_EQ(wanted, ReadSet(f.dir, kSet));
  for (const char* temp : {"Study.nmd.temp", "Study.nmi.temp"}) EXPECT_EQ("", f.dir.Read(temp)) << temp;
}

TEST(StartUpRepairFaults, AFailingCallOrAStopAnywhereLeavesTheSetToTheNextStartUp) {
  for (const SaveCase& c : kCases) {
    const std::vector<FaultFiles::Call> save_calls = CallsOfCleanSave(c);
    const std::size_t index_move = IndexMoveOf(save_calls);
    ASSERT_LT(index_move, save_calls.size());
    std::vector<FaultFiles::Call> calls;
    {
      StoppedSave stopped(c, index_move);
      NotesFixture& f = stopped.session.fixture;
      FaultFiles faults(*f.files);
      f.state = NotesState{};
      DiscoverNoteSets(f.state, f.Ports(faults));
      calls = faults.calls();
      EXPECT_EQ(After(c), ReadSet(f.dir, kSet));
    }
    for (std::size_t i = 0; i <= calls.size(); ++i) {
      for (bool stop : {false, true}) {
        SCOPED_TRACE(::testing::Message() << c.name << (stop ? ": stopped before call " : ": failing call ") << i
                                          << (i < calls.size() ? " " + calls[i].op + " " + calls[i].name : ""));
        StoppedSave stopped(c, index_move);
        NotesFixture& f = stopped.session.fixture;
        {
          FaultFiles faults(*f.files);
          if (stop) faults.CrashAt(static_cast<int>(i));
          else faults.FailCall(static_cast<int>(i));
          DiscoverNoteSets(f.state, f.Ports(faults));
        }
        // Nothing was made beside the set, whatever failed.
        EXPECT_EQ(std::vector<std::string>{"Study.nmi"}, testing::Listed(*f.files, ".nmi"));
        ExpectRepairedAndSavable(c, f);
      }
    }
  }
}

}  // namespace
}  // namespace kv
