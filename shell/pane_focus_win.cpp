#include "shell/pane_focus_win.h"

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/command_state_win.h"
#include "shell/program_win.h"

namespace kv {

HWND FirstShownPane() {
  const ShellWindows& w = Windows();
  const ShellState& shell = App().shell;
  if (shell.ReadWindow && w.passage) return w.passage;
  if (shell.VerseListWindow) {
    HWND list = shell.verse_list_tab_index == 1 ? w.reference_list : w.verse_list;
    if (list) return list;
  }
  if (shell.NotesWindow) {
    // The open editor only once it has been given room to type in.
    RECT editor = {};
    const bool editor_usable = shell.note_editor_open && w.note_editor && GetClientRect(w.note_editor, &editor) &&
                               editor.right > 0 && editor.bottom > 0;
    HWND notes = editor_usable ? w.note_editor : shell.note_editor_open ? nullptr : w.notes_display;
    if (notes) return notes;
  }
  return w.main;
}

void FocusFirstShownPane() {
  if (HWND pane = FirstShownPane()) SetFocus(pane);
}

void MoveFocusOffHiddenPanes() {
  HWND focus = GetFocus();
  if (!focus || focus == Windows().main) return;
  if (!IsWindowVisible(focus)) FocusFirstShownPane();
}

void DropSelection() {
  SelectionState& selection = App().selection;
  selection.owner = kNoSelectionOwner;
  selection.dragging = false;
  EnableCommand(CMD_COPY, false);
}

}  // namespace kv
