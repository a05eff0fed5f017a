#include "shell/book_menu_win.h"

#include "resources/resource_ids.h"
#include "store/verse_address.h"

namespace kv {
namespace {

// Books that open a new column: Ecclesiastes, Matthew and James, which gives
// four columns.
bool StartsBookColumn(int book) { return book == 21 || book == 40 || book == 59; }

}  // namespace

HMENU CreateGoToBookMenu() {
  HMENU menu = CreatePopupMenu();
  for (int book = 1; book <= kBookCount; ++book) {
    const UINT flags = MF_STRING | (StartsBookColumn(book) ? MF_MENUBARBREAK : 0);
    AppendMenuA(menu, flags, CMD_GOTO_BOOK_FIRST + book - 1, BookNames[book]);
  }
  return menu;
}

void InsertGoToBookMenu(HMENU menu_bar) {
  const int menus = GetMenuItemCount(menu_bar);
  for (int m = 0; m < menus; ++m) {
    HMENU popup = GetSubMenu(menu_bar, m);
    const int items = popup ? GetMenuItemCount(popup) : 0;
    for (int i = 0; i < items; ++i) {
      if (GetMenuItemID(popup, i) != CMD_GOTO_VERSE) continue;
      InsertMenuA(popup, static_cast<UINT>(i + 1), MF_BYPOSITION | MF_POPUP | MF_STRING,
                  reinterpret_cast<UINT_PTR>(CreateGoToBookMenu()), "Go to &Book");
      return;
    }
  }
}

}  // namespace kv
