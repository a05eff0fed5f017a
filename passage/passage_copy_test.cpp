// The passage selection as text on the real Bible: the line formats, word
// ranges, headings, the clipboard copy with its two failures, and the search
// prefills.
#include "passage/passage_copy.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "notes/note_search.h"
#include "passage/passage_layout.h"
#include "search/search_state.h"
#include "store/verse_address.h"
#include "testing/fixed_canvas.h"
#include "testing/memory_clipboard.h"
#include "testing/recording_user_services.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::RealBible;

const VerseIndex kGenesis1v1 = 0;
const VerseIndex kGenesis1v5 = 4;
const VerseIndex kGenesis1v6 = 5;  // opens a paragraph
const VerseIndex kGenesis1v31 = 30;
const VerseIndex kGenesis50v26 = 1532;

OrderedSelection Range(VerseIndex sv, int sw, VerseIndex ev, int ew) { return {{sv, sw}, {ev, ew}}; }

std::string Text(VerseIndex verse) { return VerseText(RealBible(), verse); }
std::string AfterPilcrow(VerseIndex verse) { return Text(verse).substr(1); }
std::string Ge() { return BookAbbreviations[1]; }

SelectionState PassageSelection(SelectionPoint anchor, SelectionPoint end) {
  SelectionState selection;
  selection.owner = kPassageOwner;
  selection.anchor = anchor;
  selection.end = end;
  return selection;
}

TEST(PassageCopyText, EveryLineFormat) {
  // Each row: the first verse alone (word 0 of it to its last word) and a
  // later verse (word 0 of the verse before to word 0 of it).
  struct Row {
    const char* name;
    VerseIndex verse;
    bool paragraph;
    std::string first;
    std::string later;
  } rows[] = {
      {"pilcrow, paragraph on", kGenesis1v6, true, "    " + Ge() + " 1:6 " + AfterPilcrow(kGenesis1v6) + " ",
       "\r\n    6 "},
      {"pilcrow, paragraph off", kGenesis1v6, false, " " + Ge() + " 1:6 \xB6 " + AfterPilcrow(kGenesis1v6) + " ",
       "\r\n 6 "},
      {"plain, paragraph on", kGenesis1v5, true, Ge() + " 1:5 " + Text(kGenesis1v5) + " ", "5 "},
      {"plain, paragraph off", kGenesis1v5, false, " " + Ge() + " 1:5 " + Text(kGenesis1v5) + " ", "\r\n 5 "},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(PassageSelectionText(RealBible(), Range(row.verse, 0, row.verse, 500), row.paragraph), row.first);
    std::string before =
        PassageSelectionText(RealBible(), Range(row.verse - 1, 0, row.verse - 1, 500), row.paragraph);
    EXPECT_EQ(PassageSelectionText(RealBible(), Range(row.verse - 1, 0, row.verse, 0), row.paragraph),
              before + row.later);
  }
}

TEST(PassageCopyText, WordRangesInsideAndAcrossVerses) {
  // "In the beginning God created the heaven and the earth."
  EXPECT_EQ(PassageSelectionText(RealBible(), Range(kGenesis1v1, 3, kGenesis1v1, 5), false),
            "beginning God created ");
  EXPECT_EQ(PassageSelectionText(RealBible(), Range(kGenesis1v1, 0, kGenesis1v1 + 1, 0), false),
            " " + Ge() + " 1:1 " + Text(kGenesis1v1) + " \r\n 2 ");
  EXPECT_EQ(PassageSelectionText(RealBible(), Range(kGenesis1v1, 10, kGenesis1v1 + 1, 2), false),
            "earth. \r\n 2 And the ");
  // With Paragraph Format off the pilcrow is word 1 of its verse.
  EXPECT_EQ(PassageSelectionText(RealBible(), Range(kGenesis1v6, 1, kGenesis1v6, 2), false), "\xB6 And ");
  EXPECT_EQ(PassageSelectionText(RealBible(), Range(kGenesis1v6, 1, kGenesis1v6, 2), true), "And God ");
}

TEST(PassageCopyText, ChapterAndBookHeadingsBetweenTheirVerses) {
  struct Row {
    VerseIndex last;
    const char* heading;
  } rows[] = {{kGenesis1v31, "\r\n\r\nGenesis chapter 2\r\n"}, {kGenesis50v26, "\r\n\r\nExodus chapter 1\r\n"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.heading);
    std::string text = PassageSelectionText(RealBible(), Range(row.last, 1, row.last + 1, 1), false);
    std::string::size_type at = text.find(row.heading);
    ASSERT_NE(at, std::string::npos) << text;
    EXPECT_EQ(text.substr(0, at), Text(row.last) + " ");
    std::string next = Text(row.last + 1);
    EXPECT_EQ(text.substr(at + std::string(row.heading).size()), "\r\n 1 " + next.substr(0, next.find(' ') + 1));
  }
}

TEST(PassageCopyText, SuppliedWordsKeepTheirBrackets) {
  // Genesis 1:2 "... darkness [was] upon ..."
  std::string text = PassageSelectionText(RealBible(), Range(kGenesis1v1 + 1, 1, kGenesis1v1 + 1, 500), true);
  EXPECT_NE(text.find("darkness [was] upon"), std::string::npos) << text;
}

// The copied words are the highlighted ones: the inverted runs of a paint
// (brackets shown) read as the copied text without its line breaks.
TEST(PassageCopyText, MatchesTheHighlightedRange) {
  struct Row {
    SelectionPoint start, end;
    bool paragraph;
  } rows[] = {
      {{kGenesis1v31 - 1, 0}, {kGenesis1v31 + 2, 4}, false},
      {{kGenesis1v31 - 1, 3}, {kGenesis1v31 + 1, 0}, true},
      {{kGenesis1v6 - 1, 7}, {kGenesis1v6 + 3, 2}, true},
      {{kGenesis50v26, 2}, {kGenesis50v26 + 2, 3}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.start.item << ":" << row.start.word << " paragraph " << row.paragraph);
    PassageView view;
    view.bible = &RealBible();
    view.top = row.start.item;
    view.paragraph_format = row.paragraph;
    view.italics = kItalicsInBrackets;
    view.width = 700;
    view.height = 1000;
    testing::FixedCanvas canvas;
    PaintPassageLayout(view, PassageSelection(row.end, row.start), canvas);
    std::string highlighted;
    for (const testing::DrawnRun& run : canvas.runs)
      if (run.colors == TextColors::Inverse) highlighted += run.text;
    std::string copied = PassageSelectionText(RealBible(), {row.start, row.end}, row.paragraph);
    std::string flat;
    for (char c : copied)
      if (c != '\r' && c != '\n') flat += c;
    EXPECT_EQ(flat, highlighted);
  }
}

TEST(PassageCopy, CopiesTheTextToTheClipboard) {
  testing::MemoryClipboard clipboard;
  testing::RecordingUserServices user;
  SelectionState selection = PassageSelection({kGenesis1v1, 5}, {kGenesis1v1, 3});
  EXPECT_EQ(CopyPassageSelection(RealBible(), selection, false, clipboard, user), PassageCopyResult::Copied);
  EXPECT_TRUE(clipboard.handed);
  EXPECT_FALSE(clipboard.is_open);
  EXPECT_EQ(clipboard.text, "beginning God created ");
  EXPECT_EQ(clipboard.block_size, kCopyBytesPerVerse);
  EXPECT_TRUE(user.messages.empty());
}

TEST(PassageCopy, FailuresTellAndLeaveTheClipboardAlone) {
  SelectionState selection = PassageSelection({kGenesis1v1, 1}, {kGenesis1v1 + 2, 0});
  {
    SCOPED_TRACE("clipboard busy");
    testing::MemoryClipboard clipboard;
    clipboard.text = "before";
    clipboard.fail_open = true;
    testing::RecordingUserServices user;
    EXPECT_EQ(CopyPassageSelection(RealBible(), selection, false, clipboard, user), PassageCopyResult::NoClipboard);
    EXPECT_EQ(clipboard.text, "before");
    EXPECT_FALSE(clipboard.handed);
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].caption, "Copy Error");
    EXPECT_EQ(user.messages[0].text, "Could not open Clipboard");
    EXPECT_EQ(user.messages[0].icon, MessageIcon::Error);
  }
  {
    SCOPED_TRACE("no memory");
    testing::MemoryClipboard clipboard;
    clipboard.text = "before";
    clipboard.fail_allocate = true;
    testing::RecordingUserServices user;
    EXPECT_EQ(CopyPassageSelection(RealBible(), selection, false, clipboard, user), PassageCopyResult::NoMemory);
    EXPECT_EQ(clipboard.text, "before");
    EXPECT_FALSE(clipboard.is_open);
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].caption, "Error");
    EXPECT_EQ(user.messages[0].text, "ReadWndCopyError -- Please notify the author!!");
  }
}

// A click that hits no text leaves the passage the owner of a selection of
// two empty points: that is no selection at all.
TEST(PassageCopy, AnEmptySelectionCopiesNothing) {
  struct Row {
    const char* name;
    SelectionState selection;
  } rows[] = {
      {"missed click", PassageSelection(kNoPoint, kNoPoint)},
      {"another pane's", [] {
         SelectionState s = PassageSelection({0, 1}, {0, 2});
         s.owner = kVerseListOwner;
         return s;
       }()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    testing::MemoryClipboard clipboard;
    clipboard.text = "before";
    testing::RecordingUserServices user;
    EXPECT_EQ(CopyPassageSelection(RealBible(), row.selection, false, clipboard, user),
              PassageCopyResult::NoSelection);
    EXPECT_EQ(clipboard.text, "before");
    EXPECT_TRUE(user.messages.empty());
    char prefill[kSearchTextSize] = "untouched";
    EXPECT_FALSE(PassageSearchPrefill(RealBible(), row.selection, false, prefill, sizeof prefill));
    EXPECT_STREQ(prefill, "untouched");
  }
}

TEST(PassageSearchPrefill, KeepsLettersAndBlanksOnly) {
  char prefill[kSearchTextSize];
  SelectionState selection = PassageSelection({kGenesis1v31, 0}, {kGenesis1v31 + 1, 3});
  ASSERT_TRUE(PassageSearchPrefill(RealBible(), selection, false, prefill, sizeof prefill));
  std::string text = prefill;
  EXPECT_EQ(text.substr(0, Ge().size() + 3), " " + Ge() + "  ") << "the abbreviation stays, the numbers go";
  for (char c : text) {
    SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(c)));
    EXPECT_TRUE(c == ' ' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
  }
  EXPECT_NE(text.find("Genesis chapter"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 17), "Thus the heavens ");
}

TEST(PassageSearchPrefill, LooksAtNoMoreThanTheFirstBytesOfTheText) {
  SelectionState selection = PassageSelection({kGenesis1v1, 0}, {kGenesis1v1 + 9, 0});
  std::string text = PassageSelectionText(RealBible(), Ordered(selection), false);
  ASSERT_GT(text.size(), 400u);
  struct Row {
    std::size_t size;
  } rows[] = {{kSearchTextSize}, {kNoteSearchTextSize}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.size);
    std::string expected;
    for (std::size_t i = 0; i < row.size - 1; ++i) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      if (c == ' ' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) expected += text[i];
    }
    char prefill[kSearchTextSize + 8];
    std::memset(prefill, 'x', sizeof prefill);
    ASSERT_TRUE(PassageSearchPrefill(RealBible(), selection, false, prefill, row.size));
    EXPECT_EQ(std::string(prefill), expected);
  }
}

}  // namespace
}  // namespace kv
