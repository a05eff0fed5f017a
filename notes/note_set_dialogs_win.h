// The two dialogs that name a note set: "CreateNoteSet" and "RenameNoteSet".
// Both run their operation while they are open, so the boxes it shows are
// owned by the dialog, and a refused name can be mended without typing it
// again.
#pragma once

#include <windows.h>

namespace kv {

// "Create New Note Set": on OK an empty set with the typed name joins the
// table and the tabs; the current set stays. True when a set was made.
bool RunCreateNoteSetDialog(HWND owner);

// "Change name of note set <name>" for the current set, starting with its
// name: on OK its two files take the typed name and the tabs follow. True
// when the set has the new name.
bool RunRenameNoteSetDialog(HWND owner);

}  // namespace kv
