// The Options menu: the three pane fonts, the key highlight colour, the
// paragraph layout and the italics mode.
#pragma once

namespace kv {

void ToggleParagraphFormat();
// 0 italic text, 1 brackets, 2 normal text.
void SetItalicsMode(int mode);
void ChooseVerseListFont();
void ChoosePassageFont();
void ChooseNotesFont();
void ChooseKeyHighlightColor();

}  // namespace kv
