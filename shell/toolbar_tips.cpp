#include "shell/toolbar_tips.h"

#include <cstdio>

#include "resources/resource_ids.h"
#include "shell/navigation.h"
#include "store/verse_address.h"

namespace kv {

namespace {

struct FixedTip {
  int command;
  const char* text;
};

const FixedTip kFixedTips[] = {
    {CMD_HELP_TOPICS, "Help (F1)"},
    {CMD_WORD_SEARCH, "Word(s) Search (Alt+W)"},
    {CMD_PHRASE_SEARCH, "Phrase Search (Alt+P)"},
    {CMD_GOTO_VERSE, "Go to a Verse (Alt+G)"},
    {CMD_WORD_LIST_SEARCH, "Word(s) Search with word list (Alt+L)"},
    {CMD_VIEW_VERSE_LIST, "Show/Hide Verse List Window (F2)"},
    {CMD_VIEW_PASSAGE, "Show/Hide Passage Window (F3)"},
    {CMD_VIEW_NOTES, "Show/Hide Notes Window (F4)"},
    {CMD_COPY_VERSE, "Copy a Verse (F5)"},
    {CMD_COPY_RANGE, "Copy a Range of Verses (F6)"},
    {CMD_COPY_VERSE_LIST, "Copy the Verse List (F7)"},
    {CMD_COPY_VERSE_REFERENCES, "Copy the Reference List (F8)"},
    {CMD_SAVE_RANGE, "Save a Range of verses"},
    {CMD_SAVE_VERSE_LIST, "Save the Verse List"},
    {CMD_CUT, "Cut (Ctrl+X)"},
    {CMD_COPY, "Copy (Ctrl+C)"},
    {CMD_PASTE, "Paste (Ctrl+V)"},
    {CMD_GOTO_NOTE, "Go to a Note (Alt+N)"},
    {CMD_EDIT_NOTE, "Edit Current Note (Alt+E)"},
    {CMD_SEARCH_NOTES, "Search Notes (Alt+T)"},
    {CMD_VERSE_FOR_NOTE, "Read Verse for Current Note (F11)"},
};

// `format` with the verse's short reference in place of its "%s".
const char* FormatVerseTip(const TipContext& context, const char* format, VerseIndex verse,
                           char* buffer) {
  char reference[kTipTextSize];
  FormatShortReference(*context.bible, ClampVerse(verse), reference, sizeof reference);
  std::snprintf(buffer, kTipTextSize, format, reference);
  return buffer;
}

}  // namespace

const char* ToolbarTip(int command, const TipContext& context, char* buffer) {
  switch (command) {
    case CMD_CONTEXT:
      if (context.result_count == 0) return "Read Context of Verse in Verse List (F12)";
      return FormatVerseTip(context, "Read Context of %s (F12)", context.list_verse, buffer);
    case CMD_NOTE_FOR_VERSE_LIST:
      if (context.result_count == 0) return "Note for Verse in Verse List (F9)";
      return FormatVerseTip(context, "Note for %s (F9)", context.list_verse, buffer);
    case CMD_NOTE_FOR_PASSAGE:
      return FormatVerseTip(context, "Note for %s (F10)", context.passage_verse, buffer);
  }
  for (const FixedTip& tip : kFixedTips)
    if (tip.command == command) return tip.text;
  return nullptr;
}

}  // namespace kv
