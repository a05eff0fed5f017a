#include "notes/note_set_source.h"

#include <gtest/gtest.h>

#include "notes/notes_test_support.h"
#include "store/verse_address.h"
#include "testing/fault_files.h"

namespace kv {
namespace {

using testing::FaultFiles;
using testing::NotesFixture;
using testing::RealBible;
using testing::WriteSet;
using Told = std::vector<std::pair<std::string, std::string>>;

VerseIndex V(int book, int chapter, int verse) { return FindVerse(RealBible(), book, chapter, verse); }
std::string Text(VerseIndex v) { return VerseText(RealBible(), v); }

std::string Fenced(const std::string& note) { return "\r\n\r\n" + note + "\r\n\r\n"; }

// Two sets on disk, "Study" second in the table and not current, so each
// save reads the set it is given rather than the current one.
class SaveWithNotes : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSet(f.dir, "A Plain", {{eph17, "not this set"}});
    WriteSet(f.dir, "Study", {{0, "first verse"}, {eph17, "the sword\r\nof the Spirit"}, {kLastVerse, "amen"}});
    f.Discover();
    ASSERT_EQ(2, f.state.table.count);
    study = f.state.table.sets[0].data_file == "Study.nmd" ? 0 : 1;
    f.state.current_set = 1 - study;
  }
  const NoteSet& Study() const { return f.state.table.sets[static_cast<std::size_t>(study)]; }
  bool Save(Files& files, VerseIndex first, VerseIndex last, const std::string& out) {
    NoteSetSource notes(files, Study());
    return SaveRangeToFile(RealBible(), options, first, last, files, out, &notes, told);
  }

  NotesFixture f;
  int study = 0;
  VerseIndex eph17 = V(49, 6, 17);
  FormatOptions options;
  testing::RecordingUserServices told;
};

TEST_F(SaveWithNotes, EachNoteFollowsItsVerseSetOffByBlankLines) {
  ASSERT_TRUE(Save(*f.files, eph17, eph17 + 1, "eph.txt"));
  EXPECT_EQ(f.dir.Read("eph.txt"), " Eph 6:17 " + Text(eph17) + "\r\n" + Fenced("the sword\r\nof the Spirit") +
                                       " 18 " + Text(eph17 + 1) + "\r\n" + std::string(1, '\0'));
  EXPECT_TRUE(told.messages.empty());
}

TEST_F(SaveWithNotes, TheFirstAndTheLastVerseOfTheBible) {
  struct Row {
    const char* name;
    VerseIndex first, last;
    std::string expected;
  } rows[] = {
      {"Genesis 1:1: the note at offset 0", 0, 1,
       " Ge 1:1 " + Text(0) + "\r\n" + Fenced("first verse") + " 2 " + Text(1) + "\r\n"},
      // The last note's length comes from the data file's size.
      {"Revelation 22:21: the note that ends the file", kLastVerse - 1, kLastVerse,
       " Re 22:20 " + Text(kLastVerse - 1) + "\r\n" + " 21 " + Text(kLastVerse) + "\r\n" + Fenced("amen")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(Save(*f.files, row.first, row.last, "out.txt"));
    EXPECT_EQ(f.dir.Read("out.txt"), row.expected + std::string(1, '\0'));
  }
}

TEST_F(SaveWithNotes, ReadsANoteSavedAMomentAgo) {
  f.state.current_set = study;
  f.state.current_verse = eph17 + 1;
  ASSERT_EQ(SaveResult::Saved, SaveNote(f.state, f.Ports(), "praying always"));
  f.state.current_verse = eph17;
  ASSERT_EQ(SaveResult::Saved, SaveNote(f.state, f.Ports(), ""));
  ASSERT_TRUE(Save(*f.files, eph17, eph17 + 1, "out.txt"));
  EXPECT_EQ(f.dir.Read("out.txt"), " Eph 6:17 " + Text(eph17) + "\r\n" + " 18 " + Text(eph17 + 1) + "\r\n" +
                                       Fenced("praying always") + std::string(1, '\0'));
}

TEST_F(SaveWithNotes, RefusesADataFileTheIndexNoLongerDescribes) {
  struct Row {
    const char* name;
    void (*spoil)(const testing::ScratchDir& dir);
  } rows[] = {
      {"data file gone", [](const testing::ScratchDir& dir) { std::remove((dir / "Study.nmd").c_str()); }},
      {"data file grown behind our back",
       [](const testing::ScratchDir& dir) { dir.Write("Study.nmd", dir.Read("Study.nmd") + "more"); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    NotesFixture g;
    WriteSet(g.dir, "Study", {{eph17, "note"}});
    g.Discover();
    row.spoil(g.dir);
    NoteSetSource notes(*g.files, g.state.current());
    testing::RecordingUserServices user;
    EXPECT_FALSE(SaveRangeToFile(RealBible(), options, eph17, eph17, *g.files, "out.txt", &notes, user));
    EXPECT_EQ(g.dir.Read("out.txt"), "");
    EXPECT_EQ(user.CaptionsAndTexts(), (Told{{"Save Error", "Could not open notes file"}}));
  }
}

TEST_F(SaveWithNotes, ASetWithoutFilesHasNoNotes) {
  NoteSet memory_only;
  memory_only.data_file = "My Notes.nmd";
  for (VerseIndex v = 0; v < kVerseCount; ++v) memory_only.index.push_back(v);
  memory_only.data_size = kVerseCount;
  // Whatever holds the name is not the set's data.
  f.dir.Write("My Notes.nmd", std::string(kVerseCount + 5, 'x'));
  NoteSetSource notes(*f.files, memory_only);
  ASSERT_TRUE(SaveRangeToFile(RealBible(), options, eph17, eph17, *f.files, "out.txt", &notes, told));
  EXPECT_EQ(f.dir.Read("out.txt"), " Eph 6:17 " + Text(eph17) + "\r\n" + std::string(1, '\0'));
}

// Whichever call of a save with notes fails, the save answers false and
// says so: a file missing a note never passes for a finished save.
TEST_F(SaveWithNotes, EveryFailingCallIsReported) {
  FaultFiles counting(*f.files);
  ASSERT_TRUE(Save(counting, eph17 - 1, eph17 + 1, "out.txt"));
  const std::vector<FaultFiles::Call> calls = counting.calls();
  for (std::size_t n = 0; n < calls.size(); ++n) {
    if (calls[n].op == "Close") continue;  // closing cannot fail
    SCOPED_TRACE(calls[n].op + " " + calls[n].name + " (call " + std::to_string(n) + ")");
    FaultFiles faults(*f.files);
    faults.FailCall(static_cast<int>(n));
    told.messages.clear();
    EXPECT_FALSE(Save(faults, eph17 - 1, eph17 + 1, "out.txt"));
    ASSERT_EQ(1u, told.messages.size());
    EXPECT_EQ("Save Error", told.messages[0].caption);
  }
}

}  // namespace
}  // namespace kv
