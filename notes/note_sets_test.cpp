#include "notes/note_sets.h"

#include <gtest/gtest.h>

#include "notes/notes_test_support.h"
#include "testing/fault_files.h"

namespace kv {
namespace {

using testing::FaultFiles;
using testing::Notes;
using testing::NotesFixture;
using testing::ReadSet;
using testing::WriteSet;

const char* const kRenameFailed = "Rename failed. Make sure the note set files are not in use by another program.";

TEST(NoteSetNames, OnlyPlainFileNamesInTheFolder) {
  const struct {
    std::string name;
    bool valid;
  } rows[] = {
      {"Romans study", true}, {"My.Notes", true},     {std::string(98, 'n'), true}, {"", false},
      {std::string(99, 'n'), false}, {"../up", false}, {"a/b", false}, {"a\\b", false},
      {"C:notes", false},     {"what?", false},       {"a*", false},  {"\"q\"", false},
      {"<x>", false},         {"a|b", false},         {"tab\there", false}, {"trailing.", false},
      {"trailing ", false},   {"CON", false},         {"lpt1.x", false},    {"Console", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.valid, IsValidNoteSetName(row.name));
  }
}

TEST(CreateNoteSet, RefusesBadNamesAndAFullTable) {
  NotesFixture f;
  f.Discover();
  EXPECT_FALSE(CreateNoteSet(f.state, f.Ports(), "../escape"));
  ASSERT_EQ(1u, f.user.messages.size());
  EXPECT_EQ("Error creating note files", f.user.messages[0].text);
  EXPECT_EQ(2u, testing::Listed(*f.files, ".nmd").size() + testing::Listed(*f.files, ".nmi").size());

  for (int i = 1; i < kMaxNoteSets; ++i) ASSERT_TRUE(CreateNoteSet(f.state, f.Ports(), "Set" + std::to_string(i)));
  f.user.messages.clear();
  EXPECT_FALSE(CreateNoteSet(f.state, f.Ports(), "One too many"));
  EXPECT_EQ(kMaxNoteSets, f.state.table.count);
  ASSERT_EQ(1u, f.user.messages.size());
  EXPECT_NE(std::string::npos, f.user.messages[0].text.find("30"));
  EXPECT_FALSE(f.dir.Read("One too many.nmd").size());
}

TEST(RenameCurrentNoteSet, MovesBothFilesAndRelabelsTheTabs) {
  NotesFixture f;
  WriteSet(f.dir, "A", {{1, "a"}});
  f.Discover();
  ASSERT_TRUE(CreateNoteSet(f.state, f.Ports(), "B"));
  ASSERT_TRUE(RenameCurrentNoteSet(f.state, f.Ports(), "Acts"));
  EXPECT_EQ("Acts.nmd", f.state.current().data_file);
  EXPECT_EQ((Notes{{1, "a"}}), ReadSet(f.dir, "Acts"));
  EXPECT_FALSE(f.dir.Read("A.nmi").size());
  EXPECT_EQ((std::vector<std::string>{"Acts", "B"}), f.view.tabs);
  EXPECT_EQ(0, f.view.selected_tab);
}

TEST(RenameCurrentNoteSet, AFailedMoveLeavesTheTableNamingRealFiles) {
  const struct {
    const char* name;
    std::string new_name;
    int fail_call;  // -1: none
    const char* blocker;
  } rows[] = {
      {"the data file cannot move", "New", 0, nullptr},
      {"the index file cannot move", "New", 1, nullptr},
      {"the new index name is taken", "New", -1, "New.nmi"},
      {"a name with a separator", "a/b", -1, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    NotesFixture f;
    WriteSet(f.dir, "Old", {{1, "kept"}});
    f.Discover();
    if (row.blocker) f.dir.Write(row.blocker, "someone else's");
    {
      FaultFiles faults(*f.files);
      faults.FailCall(row.fail_call);
      EXPECT_FALSE(RenameCurrentNoteSet(f.state, f.Ports(faults), row.new_name));
    }
    ASSERT_EQ(1u, f.user.messages.size());
    EXPECT_EQ(kRenameFailed, f.user.messages[0].text);
    EXPECT_EQ("Error", f.user.messages[0].caption);
    EXPECT_EQ("Old.nmd", f.state.current().data_file);
    EXPECT_EQ((Notes{{1, "kept"}}), ReadSet(f.dir, "Old"));
    EXPECT_FALSE(f.dir.Read("New.nmd").size());
  }
}

TEST(DeleteCurrentNoteSet, RefusesTheOnlySet) {
  NotesFixture f;
  f.Discover();
  EXPECT_FALSE(DeleteCurrentNoteSet(f.state, f.Ports()));
  ASSERT_EQ(1u, f.user.messages.size());
  EXPECT_EQ("Delete Note Set", f.user.messages[0].caption);
  EXPECT_EQ(MessageIcon::Information, f.user.messages[0].icon);
  EXPECT_EQ(1, f.state.table.count);
}

TEST(DeleteCurrentNoteSet, AsksWithTheNameAndAQuestionMark) {
  NotesFixture f;
  WriteSet(f.dir, "My.Study", {});
  f.Discover();
  ASSERT_TRUE(CreateNoteSet(f.state, f.Ports(), "Other"));
  f.user.answers = {MessageAnswer::No};
  EXPECT_FALSE(DeleteCurrentNoteSet(f.state, f.Ports()));
  ASSERT_EQ(1u, f.user.messages.size());
  EXPECT_EQ("Are you SURE you want to delete the note set My.Study?", f.user.messages[0].text);
  EXPECT_EQ(MessageButtons::YesNo, f.user.messages[0].buttons);
  EXPECT_EQ(MessageIcon::Exclamation, f.user.messages[0].icon);
  EXPECT_TRUE(ReadSet(f.dir, "My.Study").has_value());
  EXPECT_EQ(2, f.state.table.count);
}

TEST(DeleteCurrentNoteSet, ClosesTheGapAndSelectsTheFirstSet) {
  for (int deleted = 0; deleted < 3; ++deleted) {
    SCOPED_TRACE(deleted);
    NotesFixture f;
    f.Discover();  // My Notes
    WriteSet(f.dir, "B", {{42, "b's note"}});
    WriteSet(f.dir, "C", {{42, "c's note"}});
    ASSERT_TRUE(CreateNoteSet(f.state, f.Ports(), "Empty"));
    f.Discover();
    ASSERT_EQ(4, f.state.table.count);
    std::vector<std::string> names = f.view.tabs;
    f.state.current_set = deleted;
    f.state.current_verse = 42;
    f.user.answers = {MessageAnswer::Yes};
    ASSERT_TRUE(DeleteCurrentNoteSet(f.state, f.Ports()));
    EXPECT_FALSE(f.dir.Read(names[static_cast<std::size_t>(deleted)] + ".nmi").size());
    EXPECT_FALSE(f.dir.Read(names[static_cast<std::size_t>(deleted)] + ".nmd").size());
    names.erase(names.begin() + deleted);
    EXPECT_EQ(names, f.view.tabs);
    EXPECT_EQ(0, f.state.current_set);
    EXPECT_EQ(0, f.view.selected_tab);
    EXPECT_EQ(42, f.state.current_verse);
    EXPECT_EQ("Ge 2:12", f.view.reference);
  }
}

TEST(DeleteCurrentNoteSet, AnIndexThatCannotBeDeletedKeepsTheSet) {
  NotesFixture f;
  WriteSet(f.dir, "A", {});
  WriteSet(f.dir, "B", {});
  f.Discover();
  f.user.answers = {MessageAnswer::Yes};
  {
    FaultFiles faults(*f.files);
    faults.FailCall(0);
    EXPECT_FALSE(DeleteCurrentNoteSet(f.state, f.Ports(faults)));
  }
  EXPECT_EQ(2, f.state.table.count);
  ASSERT_EQ(2u, f.user.messages.size());
  EXPECT_EQ("Delete failed. Make sure the note files are not in use by any other programs.", f.user.messages[1].text);
  EXPECT_EQ(2u, testing::Listed(*f.files, ".nmd").size());
}

TEST(StepNoteSet, WrapsAroundTheTable) {
  NotesFixture f;
  WriteSet(f.dir, "A", {});
  WriteSet(f.dir, "B", {});
  WriteSet(f.dir, "C", {});
  f.Discover();
  const struct {
    int from, direction, to;
  } rows[] = {{0, -1, 2}, {2, +1, 0}, {1, +1, 2}, {1, -1, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.from << " " << row.direction);
    f.state.current_set = row.from;
    StepNoteSet(f.state, f.Ports(), row.direction);
    EXPECT_EQ(row.to, f.state.current_set);
    EXPECT_EQ(row.to, f.view.selected_tab);
  }
}

}  // namespace
}  // namespace kv
