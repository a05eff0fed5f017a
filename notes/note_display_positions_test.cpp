#include "notes/note_display_positions.h"

#include <gtest/gtest.h>

#include <string>

namespace kv {
namespace {

const std::string kNote = "First line\r\nSecond\r\n#Ro 3:23 6:23";
const std::size_t kHashOffset = kNote.find('#');

TEST(StoredNoteOffset, LineEndsCountedAsOneOrTwoPositionsReachTheSameStoredOffset) {
  // A display that keeps CR LF: its positions are the stored offsets.
  EXPECT_EQ(kHashOffset, StoredNoteOffset(kNote, kNote.substr(0, kHashOffset)));
  // A display that shows each line end as one CR is two positions short by
  // the third line.
  const std::string one_cr = "First line\rSecond\r";
  EXPECT_EQ(kHashOffset, StoredNoteOffset(kNote, one_cr));
  EXPECT_EQ(kHashOffset + 4, StoredNoteOffset(kNote, one_cr + "#Ro "));
  // And one that shows them as LF.
  EXPECT_EQ(kHashOffset, StoredNoteOffset(kNote, "First line\nSecond\n"));
}

TEST(StoredNoteOffset, FirstLineAndEmptyPrefix) {
  EXPECT_EQ(0u, StoredNoteOffset(kNote, ""));
  EXPECT_EQ(5u, StoredNoteOffset(kNote, "First"));
  EXPECT_EQ(0u, StoredNoteOffset("", "anything"));
}

TEST(StoredNoteOffset, NeverPastTheNoteEnd) {
  // The display's closing paragraph mark has no stored counterpart.
  EXPECT_EQ(kNote.size(), StoredNoteOffset(kNote, kNote + "\r\n"));
  EXPECT_EQ(3u, StoredNoteOffset("abc", "abcdef"));
}

TEST(StoredNoteOffset, EmptyLinesAndABareLineFeedInTheNote) {
  // Two line ends in a row, shown as two CRs.
  const std::string blank = "a\r\n\r\n#5";
  EXPECT_EQ(blank.find('#'), StoredNoteOffset(blank, "a\r\r"));
  // A stored LF without CR is one character like any other.
  const std::string bare = "a\nb\r\nc";
  EXPECT_EQ(bare.find('c'), StoredNoteOffset(bare, "a\nb\r"));
}

}  // namespace
}  // namespace kv
