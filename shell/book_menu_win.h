// The Go to Book submenu: the 66 books in four columns, each sending its
// CMD_GOTO_BOOK_FIRST.. command. One builder for the Read menu and the
// passage's context menu, so the two never differ.
#pragma once

#include <windows.h>

namespace kv {

// A new popup menu with every book; the caller owns it (a menu it is put in
// destroys it with itself).
HMENU CreateGoToBookMenu();

// Puts "Go to &Book" into the menu bar's Read menu, right after Go to Verse.
void InsertGoToBookMenu(HMENU menu_bar);

}  // namespace kv
