#include "shell/bookmark_commands_win.h"

#include <windows.h>

#include <string>

#include "passage/passage_window_win.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/navigation.h"
#include "shell/program_win.h"

namespace kv {

void GoToBookmarkCommand(int n) { SetCurrentVerse(BookmarkVerse(App().shell.Bookmarks, n)); }

void SetBookmarkCommand(int n) {
  SetBookmark(&App().shell.Bookmarks, n, PassageCurrentVerse());
  WriteBookmarkItem(n);
}

void WriteBookmarkItem(int n) {
  const std::string text = BookmarkMenuText(App().store.bible, App().shell.Bookmarks, n);
  const UINT command = static_cast<UINT>(CMD_GOTO_BOOKMARK_FIRST + n - 1);
  ModifyMenuA(Windows().menu, command, MF_BYCOMMAND | MF_STRING, command, text.c_str());
}

}  // namespace kv
