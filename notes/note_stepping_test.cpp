#include "notes/note_stepping.h"

#include <gtest/gtest.h>

#include "notes/notes_test_support.h"

namespace kv {
namespace {

using testing::NotesFixture;
using testing::WriteSet;

TEST(NoteStepping, StepsToTheNearestOtherNoteAroundTheEnds) {
  const struct {
    const char* name;
    testing::Notes notes;
    VerseIndex from, next, previous;
  } rows[] = {
      {"between two notes", {{10, "a"}, {20, "b"}}, 15, 20, 10},
      {"from a note", {{10, "a"}, {20, "b"}}, 10, 20, 20},
      {"wrapping at the ends", {{10, "a"}, {kLastVerse - 3, "b"}}, kLastVerse - 1, 10, kLastVerse - 3},
      {"the only note is the one shown: one verse on", {{10, "a"}}, 10, 11, 9},
      {"no notes at all", {}, 500, 501, 499},
      {"no notes, from Revelation 22:21", {}, kLastVerse, 0, kLastVerse - 1},
      {"no notes, from Genesis 1:1", {}, 0, 1, kLastVerse},
      {"the only note is the last verse", {{kLastVerse, "z"}}, 0, kLastVerse, kLastVerse},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    NotesFixture f;
    WriteSet(f.dir, "Set", row.notes);
    f.Discover();
    EXPECT_EQ(row.next, NextNoteVerse(f.state.current(), row.from));
    EXPECT_EQ(row.previous, PreviousNoteVerse(f.state.current(), row.from));
  }
}

TEST(NoteStepping, ShowsTheNoteSteppedTo) {
  NotesFixture f;
  WriteSet(f.dir, "Set", {{0, "first"}, {kLastVerse, "last"}});
  f.Discover();
  f.state.current_verse = 0;
  ASSERT_TRUE(StepNote(f.state, f.Ports(), +1));
  EXPECT_EQ(kLastVerse, f.state.current_verse);
  EXPECT_EQ("last", f.view.text);
  ASSERT_TRUE(StepNote(f.state, f.Ports(), +1));
  EXPECT_EQ(0, f.state.current_verse);
  EXPECT_EQ("first", f.view.text);
}

}  // namespace
}  // namespace kv
