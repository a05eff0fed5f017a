#include "shell/toolbar_tips.h"

#include <gtest/gtest.h>

#include <string>

#include "resources/resource_ids.h"
#include "store/verse_address.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using kv::testing::RealBible;

TipContext Context(int result_count, VerseIndex list_verse, VerseIndex passage_verse) {
  TipContext context;
  context.bible = &RealBible();
  context.result_count = result_count;
  context.list_verse = list_verse;
  context.passage_verse = passage_verse;
  return context;
}

std::string Tip(int command, const TipContext& context) {
  char buffer[kTipTextSize];
  const char* tip = ToolbarTip(command, context, buffer);
  return tip ? tip : "(none)";
}

TEST(ToolbarTips, ComputedTipsWithAnEmptyVerseList) {
  const VerseIndex john_3_16 = FindVerse(RealBible(), 43, 3, 16);
  TipContext empty = Context(0, 0, john_3_16);
  EXPECT_EQ("Read Context of Verse in Verse List (F12)", Tip(CMD_CONTEXT, empty));
  EXPECT_EQ("Note for Verse in Verse List (F9)", Tip(CMD_NOTE_FOR_VERSE_LIST, empty));
  EXPECT_EQ("Note for Joh 3:16 (F10)", Tip(CMD_NOTE_FOR_PASSAGE, empty));
}

TEST(ToolbarTips, ComputedTipsNameTheVerseOnceTheListHasEntries) {
  struct Row {
    VerseIndex list_verse, passage_verse;
    const char *context, *list_note, *passage_note;
  };
  const VerseIndex song_8_14 = FindVerse(RealBible(), 22, 8, 14);
  const Row rows[] = {
      {0, kLastVerse, "Read Context of Ge 1:1 (F12)", "Note for Ge 1:1 (F9)", "Note for Re 22:21 (F10)"},
      {song_8_14, 0, "Read Context of So 8:14 (F12)", "Note for So 8:14 (F9)", "Note for Ge 1:1 (F10)"},
      {FindVerse(RealBible(), 62, 5, 21), FindVerse(RealBible(), 2, 40, 38), "Read Context of 1Jo 5:21 (F12)",
       "Note for 1Jo 5:21 (F9)", "Note for Ex 40:38 (F10)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.context);
    TipContext context = Context(3, row.list_verse, row.passage_verse);
    EXPECT_EQ(row.context, Tip(CMD_CONTEXT, context));
    EXPECT_EQ(row.list_note, Tip(CMD_NOTE_FOR_VERSE_LIST, context));
    EXPECT_EQ(row.passage_note, Tip(CMD_NOTE_FOR_PASSAGE, context));
  }
}

TEST(ToolbarTips, ComputedTipsGoIntoTheCallersBuffer) {
  // The tooltip control reads the text after the notification returns, so
  // it must live in the window's buffer, not on the stack of the handler.
  char buffer[kTipTextSize];
  TipContext context = Context(1, 5, 6);
  EXPECT_EQ(buffer, ToolbarTip(CMD_CONTEXT, context, buffer));
  EXPECT_EQ(buffer, ToolbarTip(CMD_NOTE_FOR_PASSAGE, context, buffer));
}

TEST(ToolbarTips, FixedTextsAndCommandsWithoutATip) {
  TipContext context = Context(0, 0, 0);
  EXPECT_EQ("Help (F1)", Tip(CMD_HELP_TOPICS, context));
  EXPECT_EQ("Word(s) Search with word list (Alt+L)", Tip(CMD_WORD_LIST_SEARCH, context));
  EXPECT_EQ("Show/Hide Notes Window (F4)", Tip(CMD_VIEW_NOTES, context));
  EXPECT_EQ("Save a Range of verses", Tip(CMD_SAVE_RANGE, context));
  EXPECT_EQ("Read Verse for Current Note (F11)", Tip(CMD_VERSE_FOR_NOTE, context));
  EXPECT_EQ("(none)", Tip(CMD_EXIT, context));
  EXPECT_EQ("(none)", Tip(0, context));
  EXPECT_EQ("(none)", Tip(CMD_VIEW_TOOLBAR, context));
}

}  // namespace
}  // namespace kv
