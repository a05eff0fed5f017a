// The ports of the running program, as the shell hands them to the core:
// the working folder's files, message boxes owned by the main window, the
// system clipboard opened for it, and the notes window as the notes' view.
// A dialog that raises a box while it is open gives the box to itself
// instead (MessageBoxServices(dialog)).
#pragma once

#include "notes/note_files.h"
#include "platform/clipboard.h"
#include "platform/user_services.h"

namespace kv {

NotesPorts ShellNotesPorts();
UserServices& ShellMessages();
Clipboard& ShellClipboard();

}  // namespace kv
