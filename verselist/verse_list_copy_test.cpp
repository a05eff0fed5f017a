// The verse list selection as text: one entry, across entries, from a word
// of one entry to a word of the next, a verse opening a paragraph, and the
// clipboard and search prefill around it.
#include "verselist/verse_list_copy.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string>

#include "store/verse_address.h"
#include "testing/memory_clipboard.h"
#include "testing/recording_user_services.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::RealBible;

std::unique_ptr<SearchState> ListOf(std::initializer_list<VerseIndex> verses) {
  auto state = std::make_unique<SearchState>();
  int n = 0;
  for (VerseIndex v : verses) state->verse_list[n++] = v;
  state->verse_list[n] = kNoVerse;
  state->result_count = n;
  return state;
}

std::string Ref(VerseIndex verse) {
  VerseRecord r = RecordOf(RealBible(), verse);
  return std::string(BookAbbreviations[r.book]) + " " + std::to_string(r.chapter) + ":" + std::to_string(r.verse);
}

std::string Copied(const SearchState& state, SelectionPoint from, SelectionPoint to) {
  SelectionState selection;
  selection.owner = kVerseListOwner;
  selection.anchor = from;
  selection.end = to;
  OrderedSelection ordered;
  EXPECT_TRUE(UsableListSelection(selection, state, &ordered));
  return ListSelectionText(RealBible(), state, ordered);
}

const VerseIndex kGe1v1 = 0, kGe1v2 = 1, kGe1v6 = 5;

TEST(ListSelectionText, InsideOneEntry) {
  auto state = ListOf({kGe1v1, kGe1v2});
  EXPECT_EQ(Copied(*state, {0, 3}, {0, 5}), "beginning God created ");
  EXPECT_EQ(Copied(*state, {0, 5}, {0, 3}), "beginning God created ") << "either direction";
  EXPECT_EQ(Copied(*state, {0, 0}, {0, 0}), " " + Ref(kGe1v1) + " ");
  EXPECT_EQ(Copied(*state, {0, 0}, {0, 2}), " " + Ref(kGe1v1) + " In the ");
  // The last word keeps its blank; the line break is not copied.
  EXPECT_EQ(Copied(*state, {0, 10}, {0, 10}), "earth. ");
}

TEST(ListSelectionText, AcrossEntries) {
  auto state = ListOf({kGe1v1, kGe1v2, 2, 3});
  const std::string v2 = VerseText(RealBible(), kGe1v2), v3 = VerseText(RealBible(), 2);
  EXPECT_EQ(Copied(*state, {0, 0}, {3, 0}), " " + Ref(kGe1v1) + " " + VerseText(RealBible(), kGe1v1) + " \r\n" +
                                                " " + Ref(kGe1v2) + " " + v2 + "\r\n" + " " + Ref(2) + " " + v3 +
                                                "\r\n" + " " + Ref(3) + " ");
  // From word 2 of one entry to word 1 of the next: the rest of the first
  // line with its blank and line break, then the reference and first word.
  EXPECT_EQ(Copied(*state, {0, 2}, {1, 1}), "the beginning God created the heaven and the earth. \r\n " +
                                                Ref(kGe1v2) + " And ");
}

// A verse that opens a paragraph shows its pilcrow as word 1, a word of its
// own, on the screen and in the copy.
TEST(ListSelectionText, AVerseOpeningAParagraph) {
  ASSERT_EQ(static_cast<unsigned char>(VerseText(RealBible(), kGe1v6)[0]), 0xB6);
  auto state = ListOf({kGe1v6});
  EXPECT_EQ(Copied(*state, {0, 0}, {0, 1}), " " + Ref(kGe1v6) + " \xB6 ");
  EXPECT_EQ(Copied(*state, {0, 2}, {0, 3}), "And God ");
  EXPECT_EQ(Copied(*state, {0, 0}, {0, 99}),
            " " + Ref(kGe1v6) + " \xB6 " + std::string(VerseText(RealBible(), kGe1v6) + 1) + " \r\n")
      << "a word past the last stops at the line's end";
}

TEST(ListLineWordStart, APilcrowWithoutABlankEndsAWordAndTheLineBoundsTheSearch) {
  const std::string line = " Ge 1:1 one two\xB6three four \r\n";
  auto at = [&](int word) { return line.substr(ListLineWordStart(line.data(), line.size(), word)); };
  EXPECT_EQ(at(0), line);
  EXPECT_EQ(at(1), "one two\xB6three four \r\n");
  EXPECT_EQ(at(3), "three four \r\n");
  EXPECT_EQ(at(5), "\r\n");
  EXPECT_EQ(at(50), "") << "never past the line";
}

TEST(CopyListSelection, ToTheClipboardOrAMessageWhenItIsBusy) {
  auto state = ListOf({kGe1v1});
  SelectionState selection;
  selection.owner = kVerseListOwner;
  selection.anchor = {0, 1};
  selection.end = {0, 2};
  testing::MemoryClipboard clipboard;
  testing::RecordingUserServices user;
  EXPECT_EQ(CopyListSelection(RealBible(), *state, selection, clipboard, user), ListCopyResult::Copied);
  EXPECT_EQ(clipboard.text, "In the ");
  EXPECT_EQ(clipboard.block_size, kCopyBytesPerVerse);
  EXPECT_FALSE(clipboard.is_open);

  testing::MemoryClipboard busy;
  busy.fail_open = true;
  EXPECT_EQ(CopyListSelection(RealBible(), *state, selection, busy, user), ListCopyResult::NoClipboard);
  ASSERT_EQ(user.messages.size(), 1u);
  EXPECT_EQ(user.messages[0].caption, "Copy Error");
  EXPECT_EQ(user.messages[0].text, "Could not open Clipboard");

  testing::MemoryClipboard no_memory;
  no_memory.fail_allocate = true;
  EXPECT_EQ(CopyListSelection(RealBible(), *state, selection, no_memory, user), ListCopyResult::NoMemory);
  EXPECT_EQ(user.messages.size(), 1u) << "nothing is shown";
  EXPECT_FALSE(no_memory.is_open);

  // No selection of the verse list, or one past the list's end.
  selection.owner = kPassageOwner;
  EXPECT_EQ(CopyListSelection(RealBible(), *state, selection, clipboard, user), ListCopyResult::NoSelection);
  selection.owner = kVerseListOwner;
  selection.end = {1, 0};
  EXPECT_EQ(CopyListSelection(RealBible(), *state, selection, clipboard, user), ListCopyResult::NoSelection);
}

TEST(ListSearchPrefill, KeepsLettersAndBlanks) {
  auto state = ListOf({kGe1v1, kGe1v2});
  SelectionState selection;
  selection.owner = kVerseListOwner;
  selection.anchor = {0, 9};
  selection.end = {1, 2};
  char prefill[kSearchTextSize] = "unchanged";
  ASSERT_TRUE(ListSearchPrefill(RealBible(), *state, selection, prefill, sizeof prefill));
  // "the earth. \r\n Ge 1:2 And the " without its digits and punctuation.
  EXPECT_EQ(std::string(prefill), "the earth  " + std::string(BookAbbreviations[1]) + "  And the ");
  selection.owner = kNoSelectionOwner;
  char untouched[kSearchTextSize] = "unchanged";
  EXPECT_FALSE(ListSearchPrefill(RealBible(), *state, selection, untouched, sizeof untouched));
  EXPECT_STREQ(untouched, "unchanged");
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST(RemoveListEntry, MovesTheLaterEntriesAndLinesUp) {
  SearchState state;
  for (int i = 0; i < 3; ++i) {
    state.verse_list[i] = 10 + i;
    std::snprintf(state.reference_list[i], kReferenceLineSize, "line %d", i);
  }
  state.verse_list[3] = kNoVerse;
  state.result_count = state.reference_count = 3;
  state.occurrence_count = 9;
  EXPECT_FALSE(RemoveListEntry(state, 3));
  EXPECT_FALSE(RemoveListEntry(state, -1));
  EXPECT_EQ(state.occurrence_count, 9);
  ASSERT_TRUE(RemoveListEntry(state, 1));
  EXPECT_EQ(state.verse_list[0], 10);
  EXPECT_EQ(state.verse_list[1], 12);
  EXPECT_EQ(state.verse_list[2], kNoVerse);
  EXPECT_STREQ(state.reference_list[1], "line 2");
  EXPECT_EQ(state.result_count, 2);
  EXPECT_EQ(state.reference_count, 2);
  EXPECT_EQ(state.occurrence_count, 0);
  ASSERT_TRUE(RemoveListEntry(state, 1));
  ASSERT_TRUE(RemoveListEntry(state, 0));
  EXPECT_EQ(state.verse_list[0], kNoVerse);
  EXPECT_EQ(state.result_count, 0);
  EXPECT_FALSE(RemoveListEntry(state, 0));
}

}  // namespace
}  // namespace kv
