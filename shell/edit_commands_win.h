// The Edit menu's Cut, Copy and Paste: each goes to the window that holds
// the program's one selection.
#pragma once

namespace kv {

// Command 161: cuts the note editor's selection; nothing elsewhere.
void CutCommand();
// Command 162: the selection's owner copies it (the verse list, the
// passage, the notes display or the note editor).
void CopyCommand();
// Command 163: pastes into the note editor.
void PasteCommand();

}  // namespace kv
