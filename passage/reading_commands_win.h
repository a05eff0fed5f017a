// The Read menu's commands: where the passage goes, each bringing the
// passage pane into view.
#pragma once

#include "store/bible_data.h"

namespace kv {

// Command 116: the "GotoVerse" dialog; on OK the passage moves to the verse.
// The passage is shown and focused either way.
void GotoVerseCommand();
// Commands 119..122: the passage moves by `step` (PreviousChapter,
// NextChapter, PreviousBook, NextBook) from its current verse.
void MovePassageCommand(VerseIndex (*step)(const BibleData&, VerseIndex));
// Commands 1001..1066: the first verse of book 1..66.
void GoToBookCommand(int book);
// Command 182: the proverb of the day.
void TodaysProverbCommand();
// Command 108: the passage moves to the verse list's (or the reference
// list's) selected verse.
void ShowContextCommand();
// Command 181: the passage moves to the verse of the note shown.
void VerseForNoteCommand();

}  // namespace kv
