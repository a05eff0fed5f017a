#include "output/save_range.h"

#include <gtest/gtest.h>

#include "notes/notes_test_support.h"
#include "output/list_output.h"
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

// Two sets, "Other" current, "Study" chosen for the save; the notes window
// shows Other's note of Ephesians 6:17.
class SaveRange : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSet(f.dir, "Other", {{eph17, "other's note"}});
    WriteSet(f.dir, "Study", {{eph17, "the sword"}, {eph17 + 1, "pray"}});
    f.Discover();
    ASSERT_EQ(2, f.state.table.count);
    study = f.state.table.sets[0].data_file == "Study.nmd" ? 0 : 1;
    other = 1 - study;
    f.state.current_set = other;
    ASSERT_TRUE(ShowNote(f.state, f.Ports(), eph17));
    f.view.text = "overwritten by the test";
  }
  bool Save(const NotesPorts& ports, int set, const std::string& file = "out.txt") {
    return SaveRangeWithNotes(RealBible(), options, eph17, eph17 + 1, file, set, f.state, ports);
  }
  void ExpectCurrentNoteShown() {
    EXPECT_EQ(f.state.current_set, other);
    EXPECT_EQ(f.state.current_verse, eph17);
    EXPECT_EQ(f.view.text, "other's note");
    EXPECT_EQ(f.view.reference, "Eph 6:17");
  }

  NotesFixture f;
  int study = 0, other = 1;
  VerseIndex eph17 = V(49, 6, 17);
  FormatOptions options;
  std::string lines = " Eph 6:17 " + Text(eph17) + "\r\n" + " 18 " + Text(eph17 + 1) + "\r\n";
};

TEST_F(SaveRange, NotesOfAnotherSetAndTheCurrentNoteShownAgain) {
  ASSERT_TRUE(Save(f.Ports(), study));
  EXPECT_EQ(f.dir.Read("out.txt"), " Eph 6:17 " + Text(eph17) + "\r\n\r\n\r\nthe sword\r\n\r\n" + " 18 " +
                                       Text(eph17 + 1) + "\r\n\r\n\r\npray\r\n\r\n" + std::string(1, '\0'));
  ExpectCurrentNoteShown();
  EXPECT_TRUE(f.user.messages.empty());
}

TEST_F(SaveRange, WithoutASetNoNotesAreWritten) {
  ASSERT_TRUE(Save(f.Ports(), kNoNoteSet));
  EXPECT_EQ(f.dir.Read("out.txt"), lines + std::string(1, '\0'));
  ExpectCurrentNoteShown();
  // A set number the table does not hold is no set either.
  ASSERT_TRUE(Save(f.Ports(), 7, "seven.txt"));
  EXPECT_EQ(f.dir.Read("seven.txt"), lines + std::string(1, '\0'));
}

TEST_F(SaveRange, AFailedSaveLeavesNoFileBehind) {
  struct Row {
    const char* name;
    const char* op;
    std::string file;
    const char* message;
  } rows[] = {
      {"a line cannot be written", "Write", "out.txt", "Error in writing to file"},
      {"the notes cannot be opened", "Open", "Study.nmd", "Could not open notes file"},
      {"a note cannot be read", "Read", "Study.nmd", "Could not open notes file"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    f.dir.Write("out.txt", "an older file the user agreed to replace");
    f.user.messages.clear();
    FaultFiles faults(*f.files);
    faults.FailFirst(row.op, row.file);
    EXPECT_FALSE(Save(f.Ports(faults), study));
    EXPECT_FALSE(f.files->Exists("out.txt"));
    EXPECT_EQ(f.user.CaptionsAndTexts(), (Told{{"Save Error", row.message}}));
    ExpectCurrentNoteShown();
  }
}

TEST_F(SaveRange, AFileThatCannotBeMadeIsLeftAlone) {
  f.dir.Write("out.txt", "kept");
  FaultFiles faults(*f.files);
  faults.FailFirst("Open", "out.txt");
  EXPECT_FALSE(Save(f.Ports(faults), study));
  EXPECT_EQ(f.dir.Read("out.txt"), "kept");
  EXPECT_EQ(f.user.CaptionsAndTexts(), (Told{{"Save Error", "Could not open file for writing"}}));
  ExpectCurrentNoteShown();
}

TEST_F(SaveRange, NeverOverANoteSetsFile) {
  const std::string study_data = f.dir.Read("Study.nmd");
  const VerseIndex list[] = {eph17, kNoVerse};
  for (const char* name : {"Study.nmd", "study.NMI", "Study.nmd.temp", "x.NMI.TEMP", "Study.nmd. .", "sub/Other.nmd"}) {
    SCOPED_TRACE(name);
    f.user.messages.clear();
    EXPECT_TRUE(NamesNoteSetFile(name));
    EXPECT_FALSE(Save(f.Ports(), study, name));
    EXPECT_FALSE(SaveVerseListToFile(RealBible(), list, *f.files, name, f.user));
    EXPECT_EQ(f.user.CaptionsAndTexts(), (Told{{"Save Error", "Could not open file for writing"},
                                               {"Save Error", "Could not open file for writing"}}));
  }
  EXPECT_EQ(f.dir.Read("Study.nmd"), study_data);
  for (const char* name : {"Study.txt", "nmd", "Study.nmdx", "Study.nm"}) EXPECT_FALSE(NamesNoteSetFile(name)) << name;
}

TEST_F(SaveRange, AVerseListSaveThatFailsLeavesNoFileBehind) {
  const VerseIndex list[] = {eph17, eph17 + 1, kNoVerse};
  ASSERT_TRUE(SaveVerseListToFile(RealBible(), list, *f.files, "list.txt", f.user));
  EXPECT_EQ(f.dir.Read("list.txt").back(), '\0');
  for (PartialFile partial : {PartialFile::Keep, PartialFile::Remove}) {
    FaultFiles faults(*f.files);
    faults.FailFirst("Write", "list.txt");
    EXPECT_FALSE(SaveVerseList(RealBible(), list, faults, "list.txt", f.user, partial));
    EXPECT_EQ(f.files->Exists("list.txt"), partial == PartialFile::Keep);
  }
  {
    FaultFiles faults(*f.files);
    faults.FailCall(2);  // the second line: the first is in the file
    EXPECT_FALSE(SaveVerseListToFile(RealBible(), list, faults, "cut.txt", f.user));
    EXPECT_EQ(faults.calls().at(2).op, "Write");
    EXPECT_FALSE(f.files->Exists("cut.txt"));
  }
  FaultFiles faults(*f.files);
  f.dir.Write("kept.txt", "kept");
  faults.FailFirst("Open", "kept.txt");
  EXPECT_FALSE(SaveVerseListToFile(RealBible(), list, faults, "kept.txt", f.user));
  EXPECT_EQ(f.dir.Read("kept.txt"), "kept");
}

}  // namespace
}  // namespace kv
