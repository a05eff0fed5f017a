// The passage window (class READWINDOW): the text as a continuous stream
// from CurrentVerse.
#pragma once

#include <windows.h>

#include "store/bible_data.h"

namespace kv {

LRESULT CALLBACK PassageWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Makes `verse` (held to 0..31101) the passage's top verse and repaints it;
// while notes are bound the notes window shows the verse's note.
void SetCurrentVerse(VerseIndex verse);

// The first point of the passage selection when the passage owns a
// selection inside the verses shown, otherwise CurrentVerse.
VerseIndex PassageCurrentVerse();

}  // namespace kv
