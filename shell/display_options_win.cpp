#include "shell/display_options_win.h"

#include <windows.h>
#include <commdlg.h>

#include "passage/passage_window_win.h"
#include "platform/font_description_win.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/command_dispatch_win.h"
#include "shell/command_state_win.h"
#include "shell/notes_view_win.h"
#include "shell/pane_focus_win.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "verselist/verse_list_window_win.h"

namespace kv {
namespace {

constexpr int kCustomColorCount = 16;

// The passage and the verse list lay out afresh from the state on every
// paint, so a repaint is all a display change needs.
void RepaintPassage() { SetCurrentVerse(App().passage.CurrentVerse); }
void RepaintVerseList() { SetVerseListTop(App().verse_list.top); }

// The system font chooser on `font`, which it updates on OK.
bool ChooseDisplayFont(FontDescription* font) {
  LOGFONTA chosen = ToLogFont(*font);
  CHOOSEFONTA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = Windows().main;
  choose.hDC = GetDC(Windows().main);
  choose.lpLogFont = &chosen;
  choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  choose.nFontType = SCREEN_FONTTYPE;
  const BOOL ok = ChooseFontA(&choose);
  ReleaseDC(Windows().main, choose.hDC);
  if (ok) *font = FromLogFont(chosen);
  return ok != FALSE;
}

}  // namespace

void ToggleParagraphFormat() {
  AppState& app = App();
  app.passage.ParagraphFormat = app.passage.ParagraphFormat ? 0 : 1;
  CheckCommand(CMD_PARAGRAPH_FORMAT, app.passage.ParagraphFormat != 0);
  if (app.selection.owner == kPassageOwner) DropSelection();
  RepaintPassage();
}

void SetItalicsMode(int mode) {
  std::uint8_t& italics = App().passage.Italics;
  if (italics <= 2) CheckCommand(CMD_ITALICS_ITALIC + italics, false);
  italics = static_cast<std::uint8_t>(mode);
  CheckCommand(CMD_ITALICS_ITALIC + mode, true);
  RepaintPassage();
  RepaintVerseList();
}

void ChooseVerseListFont() {
  if (ChooseDisplayFont(&App().verse_list.VerseListFont)) RepaintVerseList();
}

void ChoosePassageFont() {
  if (ChooseDisplayFont(&App().passage.ReadWindowFont)) RepaintPassage();
}

void ChooseNotesFont() {
  if (!ChooseDisplayFont(&App().notes.NoteFont)) return;
  ShellWindows& w = Windows();
  if (w.note_font) DeleteObject(w.note_font);
  LOGFONTA font = ToLogFont(App().notes.NoteFont);
  w.note_font = CreateFontIndirectA(&font);
  SendMessageA(w.notes_display, WM_SETFONT, reinterpret_cast<WPARAM>(w.note_font), TRUE);
  SendMessageA(w.note_editor, WM_SETFONT, reinterpret_cast<WPARAM>(w.note_font), TRUE);
  ShowNote(App().notes, ShellNotesPorts(), App().notes.current_verse);
}

void ChooseKeyHighlightColor() {
  // Kept for the run only, as the colour chooser's own custom colours.
  static COLORREF custom[kCustomColorCount] = {};
  CHOOSECOLORA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = Windows().main;
  choose.rgbResult = App().verse_list.KeyHighlightColor;
  choose.lpCustColors = custom;
  choose.Flags = CC_RGBINIT;
  if (!ChooseColorA(&choose)) return;
  App().verse_list.KeyHighlightColor = choose.rgbResult;
  if (App().search.result_count != 0) RepaintVerseList();
}

}  // namespace kv
