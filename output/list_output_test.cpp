#include "output/list_output.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/verse_formatter.h"
#include "store/verse_address.h"
#include "testing/memory_clipboard.h"
#include "testing/recording_user_services.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::RealBible;
using testing::ScratchDir;
using Told = std::vector<std::pair<std::string, std::string>>;

VerseIndex V(int book, int chapter, int verse) { return FindVerse(RealBible(), book, chapter, verse); }
std::string Text(VerseIndex v) { return VerseText(RealBible(), v); }

VerseIndex FirstParagraphVerse() {
  for (VerseIndex v = 0; v <= kLastVerse; ++v)
    if (static_cast<unsigned char>(Text(v)[0]) == kPilcrow) return v;
  return kNoVerse;
}

class ListOutput : public ::testing::Test {
 protected:
  testing::MemoryClipboard clipboard;
  testing::RecordingUserServices messages;
  ScratchDir dir;
  std::unique_ptr<Files> files = MakeSystemFiles(dir.path());
};

TEST_F(ListOutput, VerseListLinesAlwaysShowThePilcrow) {
  VerseIndex plain = V(49, 6, 17);
  VerseIndex paragraph = FirstParagraphVerse();
  ASSERT_NE(paragraph, kNoVerse);
  std::vector<VerseIndex> list = {plain, paragraph, kNoVerse};
  std::string expected = " Eph 6:17 " + Text(plain) + "\r\n" + " " + ShortReference(RealBible(), paragraph) +
                         " \xB6 " + Text(paragraph).substr(1) + "\r\n";
  EXPECT_TRUE(CopyVerseList(RealBible(), list.data(), clipboard, messages));
  EXPECT_EQ(clipboard.text, expected);
  EXPECT_EQ(clipboard.block_size, Text(plain).size() + Text(paragraph).size() + 2 * 27 + 100);

  EXPECT_TRUE(SaveVerseList(RealBible(), list.data(), *files, "list", messages));
  EXPECT_EQ(dir.Read("list"), expected + std::string(1, '\0'));
  EXPECT_TRUE(messages.CaptionsAndTexts().empty());
}

TEST_F(ListOutput, ReferenceLines) {
  struct Row {
    const char* name;
    std::vector<VerseIndex> list;
    std::string expected;
  } rows[] = {
      {"verses, chapters, books", {V(1, 1, 1), V(1, 1, 3), V(1, 2, 4), V(2, 3, 14), kNoVerse},
       "# Ge 1:1,3 2:4 Ex 3:14"},
      {"back to an earlier book", {V(1, 1, 1), V(2, 1, 1), V(1, 1, 2), kNoVerse}, "# Ge 1:1 Ex 1:1 Ge 1:2"},
      {"same chapter of another book", {V(1, 3, 1), V(2, 3, 2), kNoVerse}, "# Ge 3:1 Ex 3:2"},
      {"empty list", {kNoVerse}, "#"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    testing::MemoryClipboard board;
    EXPECT_TRUE(CopyReferenceList(RealBible(), row.list.data(), board, messages));
    EXPECT_EQ(board.text, row.expected);
    EXPECT_EQ(board.block_size, 15 * (row.list.size() - 1) + 100);
  }
  EXPECT_TRUE(messages.CaptionsAndTexts().empty());
}

TEST_F(ListOutput, EveryEntryOfALongListIsCopied) {
  std::vector<VerseIndex> list;
  for (VerseIndex v = 0; v <= kLastVerse; v += 3) list.push_back(v);
  list.push_back(kNoVerse);
  EXPECT_TRUE(CopyVerseList(RealBible(), list.data(), clipboard, messages));
  EXPECT_TRUE(messages.CaptionsAndTexts().empty());
  std::size_t lines = 0;
  for (std::size_t at = clipboard.text.find("\r\n"); at != std::string::npos; at = clipboard.text.find("\r\n", at + 2))
    ++lines;
  EXPECT_EQ(lines, list.size() - 1);
}

TEST_F(ListOutput, Failures) {
  std::vector<VerseIndex> list = {V(1, 1, 1), kNoVerse};
  clipboard.fail_open = true;
  EXPECT_FALSE(CopyVerseList(RealBible(), list.data(), clipboard, messages));
  EXPECT_FALSE(CopyReferenceList(RealBible(), list.data(), clipboard, messages));
  clipboard.fail_open = false;
  clipboard.fail_allocate = true;
  EXPECT_FALSE(CopyVerseList(RealBible(), list.data(), clipboard, messages));
  EXPECT_FALSE(clipboard.is_open);
  EXPECT_FALSE(clipboard.handed);
  EXPECT_FALSE(SaveVerseList(RealBible(), list.data(), *files, "missing/folder/list.txt", messages));
  EXPECT_EQ(messages.CaptionsAndTexts(), (Told{{"Copy Error", "Could not open Clipboard"},
                                 {"Copy Error", "Could not open Clipboard"},
                                 {"Copy Error", "Could not allocate memory for copy text"},
                                 {"Save Error", "Could not open file for writing"}}));
}

TEST_F(ListOutput, AnEntryThatIsNoVerseEndsTheList) {
  std::vector<VerseIndex> list = {V(1, 1, 1), kVerseCount + 5, V(1, 1, 2), kNoVerse};
  EXPECT_EQ(ReferenceListText(RealBible(), list.data()), "# Ge 1:1");
}

}  // namespace
}  // namespace kv
