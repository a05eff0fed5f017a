#include "output/list_commands_win.h"

#include <windows.h>

#include <string>

#include "output/list_output.h"
#include "output/output_dialogs_win.h"
#include "output/save_range.h"
#include "platform/files.h"
#include "shell/app_state.h"
#include "shell/notes_view_win.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "shell/wait_cursor_win.h"

namespace kv {

void CopyVerseListCommand() {
  if (App().search.result_count == 0) return;
  WithWaitCursor([] {
    CopyVerseList(App().store.bible, App().search.verse_list, ShellClipboard(), ShellMessages());
  });
}

void CopyReferenceListCommand() {
  WithWaitCursor([] {
    CopyReferenceList(App().store.bible, App().search.verse_list, ShellClipboard(), ShellMessages());
  });
}

void SaveVerseListCommand() {
  if (App().search.result_count == 0) return;
  std::string file_name;
  if (!ChooseVerseListFile(Windows().main, &file_name)) return;
  WithWaitCursor([&] {
    SaveVerseListToFile(App().store.bible, App().search.verse_list, SystemFiles(), file_name, ShellMessages());
  });
}

}  // namespace kv
