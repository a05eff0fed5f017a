#include "shell/edit_commands_win.h"

#include <windows.h>

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/command_state_win.h"
#include "shell/command_table.h"
#include "shell/program_win.h"

namespace kv {

void CutCommand() {
  if (App().selection.owner != kNoteEditorOwner) return;
  SendMessageA(Windows().note_editor, WM_CUT, 0, 0);
  SetToolbarButtonState(CMD_PASTE, kButtonEnabled);
}

void CopyCommand() {
  switch (App().selection.owner) {
    case kVerseListOwner:
      SendMessageA(Windows().verse_list, WM_COMMAND, CMD_COPY, 0);
      break;
    case kPassageOwner:
      SendMessageA(Windows().passage, WM_COMMAND, CMD_COPY, 0);
      break;
    case kNotesDisplayOwner:
      SendMessageA(Windows().notes_display, WM_COPY, 0, 0);
      break;
    case kNoteEditorOwner:
      SendMessageA(Windows().note_editor, WM_COPY, 0, 0);
      SetToolbarButtonState(CMD_PASTE, kButtonEnabled);
      break;
  }
}

void PasteCommand() { SendMessageA(Windows().note_editor, WM_PASTE, 0, 0); }

}  // namespace kv
