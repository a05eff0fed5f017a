// The Notes menu's commands as the main window runs them: each brings the
// notes pane into view, then moves the notes window or opens its dialog.
#pragma once

namespace kv {

// Command 169: "Go to Note for Verse", then the display focused.
void GotoNoteCommand();
// Commands 170 and 171: the previous (-1) or next (+1) note of the set.
void StepNoteCommand(int direction);
// Commands 172 and 173: the previous (-1) or next (+1) note set; the panes
// repaint their note markers.
void StepNoteSetCommand(int direction);
// Command 175: the note of the verse list's current verse, when the list
// has entries.
void NoteForVerseListCommand();
// Command 174: the note of the passage's verse.
void NoteForPassageCommand();
// Command 176: the note editor takes the notes pane's place.
void EditNoteCommand();
// Command 183: Bind Notes on or off; on, the note of the passage's verse is
// shown at once.
void BindNotesCommand();
// Commands 178 and 180: the "CreateNoteSet" and "RenameNoteSet" dialogs,
// then the display focused.
void CreateNoteSetCommand();
void RenameNoteSetCommand();
// Command 179: the current note set deleted once the user agrees; the
// panes repaint their note markers.
void DeleteNoteSetCommand();

}  // namespace kv
