#include "shell/shell_ports_win.h"

#include "platform/clipboard_win.h"
#include "platform/files.h"
#include "platform/user_services_win.h"
#include "shell/app_state.h"
#include "shell/notes_view_win.h"
#include "shell/program_win.h"

namespace kv {

// The main window is made anew by the tests, so each port is pointed at the
// one there is now whenever it is handed out.

UserServices& ShellMessages() {
  static MessageBoxServices services(nullptr);
  services.SetOwner(Windows().main);
  return services;
}

Clipboard& ShellClipboard() {
  static SystemClipboard clipboard(nullptr);
  clipboard.SetOwner(Windows().main);
  return clipboard;
}

NotesPorts ShellNotesPorts() {
  static NotesWindowView view;
  return NotesPorts{SystemFiles(), ShellMessages(), view, App().store.bible};
}

}  // namespace kv
