// The commands that copy and save the whole verse list or its reference
// list, as the main window runs them.
#pragma once

namespace kv {

// Command 131: every listed verse with its text to the clipboard; nothing
// while the list is empty.
void CopyVerseListCommand();
// Command 132: the reference list to the clipboard.
void CopyReferenceListCommand();
// Command 134: the listed verses to a text file the user chooses; nothing
// while the list is empty.
void SaveVerseListCommand();

}  // namespace kv
