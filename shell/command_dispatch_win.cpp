#include "shell/command_dispatch_win.h"

#include "notes/note_commands_win.h"
#include "notes/note_search_dialog_win.h"
#include "notes/note_selection_search_win.h"
#include "output/list_commands_win.h"
#include "output/output_dialogs_win.h"
#include "output/page_setup_win.h"
#include "output/printing_win.h"
#include "passage/reading_commands_win.h"
#include "resources/resource_ids.h"
#include "search/search_dialogs_win.h"
#include "search/search_range_win.h"
#include "shell/about_dialog_win.h"
#include "shell/app_state.h"
#include "shell/bookmark_commands_win.h"
#include "shell/display_options_win.h"
#include "shell/edit_commands_win.h"
#include "shell/help_win.h"
#include "shell/navigation.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "shell/view_commands_win.h"
#include "store/reference_dialogs_win.h"
#include "store/verse_address.h"
#include "verselist/verse_list_window_win.h"

namespace kv {
namespace {

HWND Main() { return Windows().main; }

void DispatchSingle(int command) {
  AppState& a = App();
  switch (command) {
    // File
    case CMD_SAVE_RANGE: RunSaveRangeDialog(Main()); break;
    case CMD_SAVE_VERSE_LIST: SaveVerseListCommand(); break;
    case CMD_PAGE_SETUP: PageSetupCommand(); break;
    case CMD_PRINT_RANGE: RunPrintRangeDialog(Main()); break;
    case CMD_PRINT_VERSE_LIST: PrintVerseList(Main()); break;
    case CMD_EXIT: SendMessageA(Main(), WM_CLOSE, 0, 0); break;
    // Edit
    case CMD_CUT: CutCommand(); break;
    case CMD_COPY: CopyCommand(); break;
    case CMD_PASTE: PasteCommand(); break;
    case CMD_COPY_VERSE: RunCopyVerseDialog(Main()); break;
    case CMD_COPY_RANGE: RunCopyRangeDialog(Main()); break;
    case CMD_COPY_VERSE_LIST: CopyVerseListCommand(); break;
    case CMD_COPY_VERSE_REFERENCES: CopyReferenceListCommand(); break;
    case CMD_FORMAT: RunFormatDialog(Main()); break;
    // Search
    case CMD_WORD_SEARCH: RunWordSearchDialog(Main()); break;
    case CMD_PHRASE_SEARCH: RunPhraseSearchDialog(Main()); break;
    case CMD_WORD_LIST_SEARCH: RunWordListSearchDialog(Main()); break;
    case CMD_SET_RANGE: SetSearchRange(Main()); break;
    case CMD_SEARCH_NOTES: RunSearchNotesDialog(Main()); break;
    // Read
    case CMD_CONTEXT: ShowContextCommand(); break;
    case CMD_VERSE_FOR_NOTE: VerseForNoteCommand(); break;
    case CMD_GOTO_VERSE: GotoVerseCommand(); break;
    case CMD_PREVIOUS_CHAPTER: MovePassageCommand(PreviousChapter); break;
    case CMD_NEXT_CHAPTER: MovePassageCommand(NextChapter); break;
    case CMD_PREVIOUS_BOOK: MovePassageCommand(PreviousBook); break;
    case CMD_NEXT_BOOK: MovePassageCommand(NextBook); break;
    case CMD_TODAYS_PROVERB: TodaysProverbCommand(); break;
    // Notes
    case CMD_GOTO_NOTE: GotoNoteCommand(); break;
    case CMD_PREVIOUS_NOTE: StepNoteCommand(-1); break;
    case CMD_NEXT_NOTE: StepNoteCommand(+1); break;
    case CMD_PREVIOUS_NOTE_SET: StepNoteSetCommand(-1); break;
    case CMD_NEXT_NOTE_SET: StepNoteSetCommand(+1); break;
    case CMD_NOTE_FOR_VERSE_LIST: NoteForVerseListCommand(); break;
    case CMD_NOTE_FOR_PASSAGE: NoteForPassageCommand(); break;
    case CMD_EDIT_NOTE: EditNoteCommand(); break;
    case CMD_BIND_NOTES: BindNotesCommand(); break;
    case CMD_CREATE_NOTE_SET: CreateNoteSetCommand(); break;
    case CMD_RENAME_NOTE_SET: RenameNoteSetCommand(); break;
    case CMD_DELETE_NOTE_SET: DeleteNoteSetCommand(); break;
    // Options
    case CMD_PARAGRAPH_FORMAT: ToggleParagraphFormat(); break;
    case CMD_ITALICS_ITALIC:
    case CMD_ITALICS_BRACKETS:
    case CMD_ITALICS_NORMAL: SetItalicsMode(command - CMD_ITALICS_ITALIC); break;
    case CMD_FONT_VERSE_LIST: ChooseVerseListFont(); break;
    case CMD_FONT_PASSAGE: ChoosePassageFont(); break;
    case CMD_FONT_NOTES: ChooseNotesFont(); break;
    case CMD_KEY_HIGHLIGHT_COLOR: ChooseKeyHighlightColor(); break;
    // View
    case CMD_VIEW_VERSE_LIST:
    case CMD_VIEW_PASSAGE:
    case CMD_VIEW_NOTES: ToggleViewCommand(command); break;
    case CMD_VIEW_TOOLBAR: ToggleToolbarCommand(); break;
    // Help
    case CMD_HELP_TOPICS: CallHelp(Main(), HELP_CONTENTS); break;
    case CMD_HELP_RANGE: ShowHelpTopic(Main(), "ID_SpecifyRange"); break;
    case CMD_HELP_PREFACE: ShowHelpTopic(Main(), "ID_Preface"); break;
    case CMD_ABOUT: RunAboutDialog(Main()); break;
    // Keys and context menus without a menu item
    case CMD_FOCUS_VERSE_LIST: FocusVerseListCommand(); break;
    case CMD_FOCUS_PASSAGE: FocusPassageCommand(); break;
    case CMD_CONTEXT_MENU: OpenContextMenuCommand(); break;
    case CMD_WORD_SEARCH_SELECTED:
      SearchWithNoteSelection(a.search.search_text_prefill, kSearchTextSize - 1, CMD_WORD_SEARCH);
      break;
    case CMD_PHRASE_SEARCH_SELECTED:
      SearchWithNoteSelection(a.search.search_text_prefill, kSearchTextSize - 1, CMD_PHRASE_SEARCH);
      break;
    case CMD_SEARCH_NOTES_SELECTED:
      SearchWithNoteSelection(a.shell.note_search_prefill, kNoteSearchTextSize - 1, CMD_SEARCH_NOTES);
      break;
    // 187 is the verse list window's own; the rest of the range is unused.
  }
}

}  // namespace

void DispatchCommand(int command, HWND, UINT) {
  if (command >= CMD_GOTO_BOOK_FIRST && command <= CMD_GOTO_BOOK_LAST) {
    GoToBookCommand(command - CMD_GOTO_BOOK_FIRST + 1);
  } else if (command >= CMD_GOTO_BOOKMARK_FIRST && command <= CMD_GOTO_BOOKMARK_LAST) {
    GoToBookmarkCommand(command - CMD_GOTO_BOOKMARK_FIRST + 1);
  } else if (command >= CMD_SET_BOOKMARK_FIRST && command <= CMD_SET_BOOKMARK_LAST) {
    SetBookmarkCommand(command - CMD_SET_BOOKMARK_FIRST + 1);
  } else if (command >= CMD_SINGLE_FIRST && command <= CMD_SINGLE_LAST) {
    DispatchSingle(command);
  }
}

}  // namespace kv
