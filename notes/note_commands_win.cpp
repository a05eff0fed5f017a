#include "notes/note_commands_win.h"

#include <windows.h>

#include "notes/note_set_dialogs_win.h"
#include "notes/note_sets.h"
#include "notes/note_stepping.h"
#include "notes/notes_window_win.h"
#include "passage/passage_window_win.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/command_state_win.h"
#include "shell/main_window_win.h"
#include "shell/notes_view_win.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "shell/view_commands_win.h"
#include "verselist/verse_list_window_win.h"

namespace kv {
namespace {

// After a dialog of the notes: the notes pane shown, the display focused.
void AfterNotesDialog() {
  EnsurePaneVisible(CMD_VIEW_NOTES);
  SetFocus(Windows().notes_display);
}

// The panes draw a marker by each verse with a note of the current set.
void RepaintNoteMarkers() {
  InvalidateRect(Windows().verse_list, nullptr, TRUE);
  InvalidateRect(Windows().passage, nullptr, TRUE);
}

void ShowNoteOf(VerseIndex verse) { ShowNote(App().notes, ShellNotesPorts(), verse); }

}  // namespace

void GotoNoteCommand() {
  RunGotoNoteDialog(Windows().main);
  AfterNotesDialog();
}

void StepNoteCommand(int direction) {
  EnsurePaneVisible(CMD_VIEW_NOTES);
  StepNote(App().notes, ShellNotesPorts(), direction);
}

void StepNoteSetCommand(int direction) {
  EnsurePaneVisible(CMD_VIEW_NOTES);
  StepNoteSet(App().notes, ShellNotesPorts(), direction);
  RepaintNoteMarkers();
}

void NoteForVerseListCommand() {
  EnsurePaneVisible(CMD_VIEW_NOTES);
  if (App().search.result_count != 0) ShowNoteOf(ListCurrentVerse());
}

void NoteForPassageCommand() {
  EnsurePaneVisible(CMD_VIEW_NOTES);
  ShowNoteOf(PassageCurrentVerse());
}

void EditNoteCommand() {
  EnsurePaneVisible(CMD_VIEW_NOTES);
  App().shell.note_editor_open = true;
  SendMessageA(Windows().note_editor_frame, WM_COMMAND, CMD_EDIT_NOTE, 0);
  Relayout();
}

void BindNotesCommand() {
  NotesSettings& notes = App().notes;
  if (notes.BindNotes == 0) {
    notes.BindNotes = 1;
    CheckCommand(CMD_BIND_NOTES, true);
    SendMessageA(Windows().main, WM_COMMAND, CMD_NOTE_FOR_PASSAGE, 0);
  } else {
    notes.BindNotes = 0;
    CheckCommand(CMD_BIND_NOTES, false);
  }
}

void CreateNoteSetCommand() {
  RunCreateNoteSetDialog(Windows().main);
  AfterNotesDialog();
}

void RenameNoteSetCommand() {
  RunRenameNoteSetDialog(Windows().main);
  AfterNotesDialog();
}

void DeleteNoteSetCommand() {
  if (DeleteCurrentNoteSet(App().notes, ShellNotesPorts())) RepaintNoteMarkers();
}

}  // namespace kv
