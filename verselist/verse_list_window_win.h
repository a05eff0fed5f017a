// The verse list window (class VERSELIST): the entries of the VerseList with
// their texts.
#pragma once

#include <windows.h>

#include "store/bible_data.h"

namespace kv {

LRESULT CALLBACK VerseListWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The verse of ListCurrentEntry: the selection's first point when the verse
// list owns a selection inside the rows shown, otherwise the top row's.
VerseIndex ListCurrentVerse();

}  // namespace kv

namespace kv {

// The verse list tab control's procedure while it is subclassed (it answers
// double clicks in the reference list); passes everything else on to
// `previous`.
LRESULT CALLBACK VerseListTabProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
extern WNDPROC g_verse_list_tab_previous;

}  // namespace kv
