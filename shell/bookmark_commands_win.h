// The Bookmarks menu: going to bookmark n, setting it to the passage's
// verse, and the item that shows where it points.
#pragma once

namespace kv {

// Commands 139..148 (n 1..10): the passage moves to bookmark n.
void GoToBookmarkCommand(int n);
// Commands 149..158 (n 1..10): bookmark n becomes the passage's verse, and
// its menu item says so.
void SetBookmarkCommand(int n);

// Writes bookmark n's text (1..10) into the Bookmarks menu.
void WriteBookmarkItem(int n);

}  // namespace kv
