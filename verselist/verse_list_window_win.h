// The verse list window (class VERSELIST): the entries of the VerseList with
// their texts and the searched words highlighted; its focus, selection, keys,
// scroll bar, context menu, copy and deletion. Also the verse list tab
// control's subclass, which answers double clicks in the reference list.
#pragma once

#include <windows.h>

#include "store/bible_data.h"

namespace kv {

LRESULT CALLBACK VerseListWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// ListTop <- position, unchecked; repaints the whole window with erasing.
void SetVerseListTop(int position);

// After a search made a new list of `count` entries (0: emptied): the
// scroll range 0..count - 1 and the top at the first entry.
void ShowNewVerseList(int count);

// The position the context menu, Delete and "Read Context" act on: the
// selection's anchor when the verse list owns a selection inside the rows
// shown, otherwise ListTop.
int ListCurrentEntry();

// The verse of ListCurrentEntry.
VerseIndex ListCurrentVerse();

// The verse list tab control's procedure while it is subclassed (it answers
// double clicks in the reference list); passes everything else on to
// `previous`.
LRESULT CALLBACK VerseListTabProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
extern WNDPROC g_verse_list_tab_previous;

}  // namespace kv
