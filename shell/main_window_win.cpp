#include "shell/main_window_win.h"

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include "notes/note_sets.h"
#include "notes/notes_window_win.h"
#include "passage/passage_window_win.h"
#include "platform/files.h"
#include "platform/font_description_win.h"
#include "platform/profile.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/book_menu_win.h"
#include "shell/bookmark_commands_win.h"
#include "shell/command_dispatch_win.h"
#include "shell/command_state_win.h"
#include "shell/command_table.h"
#include "shell/guarded_procedure_win.h"
#include "shell/help_win.h"
#include "shell/navigation.h"
#include "shell/pane_focus_win.h"
#include "shell/pane_layout.h"
#include "shell/program_win.h"
#include "shell/session_win.h"
#include "shell/settings_location_win.h"
#include "shell/shell_ports_win.h"
#include "store/verse_address.h"
#include "verselist/verse_list_window_win.h"

namespace kv {
namespace {

// The margins of the default page set-up, in the locale's unit.
constexpr LONG kDefaultMargin = 1000;

INT_PTR CALLBACK SplashProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

HWND CreateChild(DWORD ex_style, const char* class_name, DWORD style, HWND parent, int id) {
  return CreateWindowExA(ex_style, class_name, "", style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Windows().instance, nullptr);
}

HWND CreateTabControl(HWND parent, int id) {
  return CreateChild(0, WC_TABCONTROLA, WS_CHILD | WS_VISIBLE | TCS_MULTILINE, parent, id);
}

void InsertTab(HWND tabs, int position, const char* text) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(text);
  item.iImage = -1;
  SendMessageA(tabs, TCM_INSERTITEMA, position, reinterpret_cast<LPARAM>(&item));
}

// The default printer's page set-up, without a dialog. With no printer at
// all the record stays empty (and usable by a later Page Setup); no box may
// stop the start-up.
void PrepareDefaultPageSetup(HWND main) {
  PAGESETUPDLGA& setup = Windows().page_setup;
  setup = PAGESETUPDLGA{};
  setup.lStructSize = sizeof setup;
  setup.hwndOwner = main;
  setup.rtMargin = RECT{kDefaultMargin, kDefaultMargin, kDefaultMargin, kDefaultMargin};
  setup.Flags = PSD_RETURNDEFAULT | PSD_NOWARNING | PSD_INTHOUSANDTHSOFINCHES;
  PageSetupDlgA(&setup);
}

bool CreateToolbar(HWND main) {
  TBBUTTON buttons[kToolbarEntryCount] = {};
  for (std::size_t i = 0; i < kToolbarEntryCount; ++i) {
    const ToolbarEntry& entry = kToolbarEntries[i];
    // A separator's bitmap field is its width to the toolbar: 0 is the default.
    buttons[i].iBitmap = entry.style == kStyleSeparator ? 0 : entry.bitmap;
    buttons[i].idCommand = entry.command;
    buttons[i].fsState = entry.state;
    buttons[i].fsStyle = entry.style;
  }
  Windows().toolbar = CreateToolbarEx(main, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, ID_TOOLBAR,
                                      kToolbarBitmapCount, Windows().instance, IDB_TOOLBAR, buttons,
                                      static_cast<int>(kToolbarEntryCount), 0, 0, kToolbarImageSize,
                                      kToolbarImageSize, sizeof(TBBUTTON));
  return Windows().toolbar != nullptr;
}

// Puts `procedure` in front of a control's own; returns the one it replaced.
WNDPROC Subclass(HWND control, WNDPROC procedure) {
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

// Gives a subclassed control its own procedure back.
void Unsubclass(HWND control, WNDPROC* previous) {
  if (!*previous) return;
  SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*previous));
  *previous = nullptr;
}

void CreateTabControls(HWND main) {
  ShellWindows& w = Windows();
  w.status = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", main, ID_STATUS_BAR);
  w.verse_list_tab = CreateTabControl(main, ID_VERSE_LIST_TAB);
  g_verse_list_tab_previous = Subclass(w.verse_list_tab, GuardedWindowProc<VerseListTabProc>);
  w.passage_tab = CreateTabControl(main, ID_PASSAGE_TAB);
  w.note_set_tab = CreateTabControl(main, ID_NOTE_SET_TAB);
  InsertTab(w.verse_list_tab, 0, "Verse List");
  InsertTab(w.verse_list_tab, 1, "Reference List");
  InsertTab(w.passage_tab, 0, "Passage");
}

void CreatePaneWindows() {
  ShellWindows& w = Windows();
  w.verse_list = CreateChild(WS_EX_CLIENTEDGE, CLASS_VERSE_LIST, WS_CHILD | WS_VISIBLE | WS_VSCROLL,
                             w.verse_list_tab, ID_VERSE_LIST_WINDOW);
  w.passage = CreateChild(WS_EX_CLIENTEDGE, CLASS_PASSAGE, WS_CHILD | WS_VISIBLE | WS_VSCROLL, w.passage_tab,
                          ID_PASSAGE_WINDOW);
  w.reference_list = CreateChild(
      WS_EX_CLIENTEDGE, "listbox",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_MULTIPLESEL | LBS_EXTENDEDSEL, w.verse_list_tab,
      ID_REFERENCE_LIST);
  ShowWindow(w.reference_list, SW_HIDE);
  w.notes = CreateChild(0, CLASS_NOTES, WS_CHILD, w.note_set_tab, ID_NOTES_WINDOW);
  w.notes_display = CreateChild(WS_EX_CLIENTEDGE, "RICHEDIT",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                                w.notes, ID_NOTES_DISPLAY);
  SendMessageA(w.notes_display, EM_SETEVENTMASK, 0, ENM_SELCHANGE);
  g_notes_display_previous = Subclass(w.notes_display, GuardedWindowProc<NotesDisplayProc>);
}

void CreateNoteEditor(HWND main) {
  ShellWindows& w = Windows();
  w.note_editor_frame = CreateChild(0, CLASS_NOTE_EDITOR, WS_CHILD, main, ID_NOTE_EDITOR_FRAME);
  const struct {
    const char* text;
    int id;
  } buttons[] = {{"Save", ID_NOTE_SAVE}, {"Cancel", ID_NOTE_CANCEL}, {"Help", ID_NOTE_HELP}};
  for (const auto& button : buttons) {
    HWND created = CreateChild(0, "button", WS_CHILD | WS_VISIBLE, w.note_editor_frame, button.id);
    SetWindowTextA(created, button.text);
  }
  w.note_editor = CreateChild(WS_EX_CLIENTEDGE, "RICHEDIT",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                              w.note_editor_frame, ID_NOTE_EDITOR);
  SendMessageA(w.note_editor, EM_SETEVENTMASK, 0, ENM_SELCHANGE);
  g_note_editor_previous = Subclass(w.note_editor, GuardedWindowProc<NoteEditorProc>);
}

void ReadSettings() {
  AppState& app = App();
  std::unique_ptr<Profile> profile = OpenSettingsToRead();
  SettingsContext context;
  context.note_set_count = app.notes.table.count;
  context.system_highlight_color = GetSysColor(COLOR_HIGHLIGHT);
  LoadAppSettings(app, *profile, context);
  SetCurrentVerse(app.passage.CurrentVerse);
  for (int n = 1; n <= kBookmarkCount; ++n) WriteBookmarkItem(n);
}

// The check marks and toolbar states the settings call for.
void SetMenuMarks() {
  const PassageSettings& passage = App().passage;
  const ShellSettings& s = App().shell;
  CheckCommand(CMD_PARAGRAPH_FORMAT, passage.ParagraphFormat != 0);
  CheckCommand(CMD_BIND_NOTES, App().notes.BindNotes != 0);
  if (passage.Italics <= 2) CheckCommand(CMD_ITALICS_ITALIC + passage.Italics, true);
  CheckViewCommand(CMD_VIEW_VERSE_LIST, s.VerseListWindow != 0);
  CheckViewCommand(CMD_VIEW_PASSAGE, s.ReadWindow != 0);
  CheckCommand(CMD_VIEW_TOOLBAR, s.ToolBar != 0);
  CheckViewCommand(CMD_VIEW_NOTES, s.NotesWindow != 0);
}

void CreateNoteFont() {
  ShellWindows& w = Windows();
  LOGFONTA font = ToLogFont(App().notes.NoteFont);
  w.note_font = CreateFontIndirectA(&font);
  SendMessageA(w.notes_display, WM_SETFONT, reinterpret_cast<WPARAM>(w.note_font), TRUE);
  SendMessageA(w.note_editor, WM_SETFONT, reinterpret_cast<WPARAM>(w.note_font), TRUE);
}

// Runs the creation sequence; false makes CreateWindowExA fail, and the
// program entry then reports "Initialization failure".
bool MainWindow_OnCreate(HWND hwnd, LPCREATESTRUCT) {
  ShellWindows& windows = Windows();
  AppState& app = App();
  windows.main = hwnd;
  windows.menu = GetMenu(hwnd);
  InsertGoToBookMenu(windows.menu);
  InitCommonControls();

  windows.splash =
      CreateDialogParamA(windows.instance, RES_SPLASH_DIALOG, hwnd, GuardedDialogProc<SplashProc>, 0);

  windows.rich_edit = LoadLibraryExA("RICHED32.DLL", nullptr, 0);
  if (!windows.rich_edit) return false;

  PrepareDefaultPageSetup(hwnd);

  windows.accelerators = LoadAcceleratorsA(windows.instance, RES_ACCELERATORS);

  app.shell.note_search_prefill[0] = '\0';
  for (VerseIndex& entry : app.search.verse_list) entry = kNoVerse;

  if (!CreateToolbar(hwnd)) return false;
  CreateTabControls(hwnd);
  DiscoverNoteSets(app.notes, ShellNotesPorts());
  CreatePaneWindows();
  // The note buffer is the notes state's own, allocated with it; a
  // shortfall would have ended the program before the window existed.
  if (app.notes.buffer.size() != kNoteBufferSize) return false;
  CreateNoteEditor(hwnd);

  if (LoadBibleData(SystemFiles(), &app.store.bible) != LoadError::None) return false;

  ReadSettings();
  SetMenuMarks();
  for (int command : kGreyedAtStartup) EnableCommand(command, false);

  app.shell.startup_complete = true;
  CreateNoteFont();
  UpdateStatusParts();
  SelectNoteSet(app.notes, ShellNotesPorts(), app.notes.current_set);
  return true;
}

void MainWindow_OnDestroy(HWND) {
  ShellWindows& w = Windows();
  AppState& app = App();
  ReleaseBibleData(SystemFiles(), &app.store.bible);
  Unsubclass(w.notes_display, &g_notes_display_previous);
  Unsubclass(w.note_editor, &g_note_editor_previous);
  Unsubclass(w.verse_list_tab, &g_verse_list_tab_previous);
  CallHelp(w.main, HELP_QUIT);
  for (int i = 0; i < app.notes.table.count; ++i) app.notes.table.sets[static_cast<std::size_t>(i)] = NoteSet{};
  app.notes.table.count = 0;
  SaveSettingsOnce();
  app.shell.startup_complete = false;
  app.shell.settings_saved = false;
  w.main = nullptr;
  PostQuitMessage(0);
}

void MainWindow_OnSize(HWND, UINT state, int cx, int cy) { LayoutPanes(state, cx, cy); }

// Exit, Alt+F4 and the close box: an edited note is never dropped unasked.
void MainWindow_OnClose(HWND hwnd) {
  if (ConfirmNoteEditorClose(hwnd)) DestroyWindow(hwnd);
}

// Hides the window of the tab that was shown, shows the new tab's.
void SwitchVerseListTab() {
  ShellWindows& w = Windows();
  ShellState& shell = App().shell;
  if (shell.verse_list_tab_index == 1) {
    ShowWindow(w.reference_list, SW_HIDE);
  } else {
    ShowWindow(w.verse_list, SW_HIDE);
    SendMessageA(w.status, SB_SETTEXTA, STATUS_PART_LIST_TOP, reinterpret_cast<LPARAM>(""));
  }
  shell.verse_list_tab_index = static_cast<int>(SendMessageA(w.verse_list_tab, TCM_GETCURSEL, 0, 0));
  ShowWindow(shell.verse_list_tab_index == 1 ? w.reference_list : w.verse_list, SW_SHOW);
}

void AnswerTooltip(NMHDR* header) {
  auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
  const AppState& app = App();
  TipContext context;
  context.bible = &app.store.bible;
  context.result_count = app.search.result_count;
  context.list_verse = app.search.result_count ? ListCurrentVerse() : 0;
  context.passage_verse = PassageCurrentVerse();
  if (const char* tip = ToolbarTip(static_cast<int>(header->idFrom), context, Windows().tip_text))
    info->lpszText = const_cast<char*>(tip);
}

LRESULT MainWindow_OnNotify(HWND hwnd, int id, NMHDR* header) {
  if (header->code == TTN_NEEDTEXTA) {
    AnswerTooltip(header);
  } else if (header->code == static_cast<UINT>(TCN_SELCHANGE) && id == ID_NOTE_SET_TAB) {
    AppState& app = App();
    SelectNoteSet(app.notes, ShellNotesPorts(),
                  static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
    InvalidateRect(Windows().verse_list, nullptr, TRUE);
    InvalidateRect(Windows().passage, nullptr, TRUE);
  } else if (header->code == static_cast<UINT>(TCN_SELCHANGE) && id == ID_VERSE_LIST_TAB) {
    SwitchVerseListTab();
  }
  return DefWindowProcA(hwnd, WM_NOTIFY, id, reinterpret_cast<LPARAM>(header));
}

void MoveTo(HWND window, const PaneRect& rect) {
  MoveWindow(window, rect.x, rect.y, rect.width, rect.height, TRUE);
}

// Moves `tabs` to `rect` and `inside` to its display area.
void PlaceTabPane(HWND tabs, const PaneRect& rect, HWND inside, HWND inside_too = nullptr) {
  MoveTo(tabs, rect);
  RECT area = {0, 0, rect.width, rect.height};
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  const PaneRect display = {area.left, area.top, area.right - area.left, area.bottom - area.top};
  MoveTo(inside, display);
  if (inside_too) MoveTo(inside_too, display);
  ShowWindow(tabs, SW_SHOW);
}

}  // namespace

void FreeRichEditLibrary() {
  if (Windows().rich_edit) {
    FreeLibrary(Windows().rich_edit);
    Windows().rich_edit = nullptr;
  }
}

void ShowSearchRange() {
  const AppState& app = App();
  char text[64];
  VerseSpan range = SearchRange(app.search.options);
  FormatRange(app.store.bible, range.first, range.last, text, sizeof text);
  SendMessageA(Windows().status, SB_SETTEXTA, STATUS_PART_RANGE, reinterpret_cast<LPARAM>(text));
}

void UpdateStatusParts() {
  RECT client;
  GetClientRect(Windows().status, &client);
  std::array<int, STATUS_PART_COUNT> edges = StatusPartEdges(client.right);
  SendMessageA(Windows().status, SB_SETPARTS, STATUS_PART_COUNT, reinterpret_cast<LPARAM>(edges.data()));
  ShowSearchRange();
}

void LayoutPanes(UINT type, int width, int height) {
  ShellWindows& w = Windows();
  const ShellSettings& s = App().shell;
  const LPARAM size = MAKELPARAM(width, height);
  SendMessageA(w.toolbar, WM_SIZE, type, size);
  SendMessageA(w.status, WM_SIZE, type, size);
  RECT status, toolbar;
  GetClientRect(w.status, &status);
  GetClientRect(w.toolbar, &toolbar);
  if (!s.ToolBar) ShowWindow(w.toolbar, SW_HIDE);
  UpdateStatusParts();

  PaneFlags flags;
  flags.verse_list = s.VerseListWindow != 0;
  flags.passage = s.ReadWindow != 0;
  flags.notes = s.NotesWindow != 0;
  flags.toolbar = s.ToolBar != 0;
  flags.editor_open = App().shell.note_editor_open;
  const PaneLayout layout = ComputePaneLayout(flags, width, height, toolbar.bottom, status.bottom);

  if (layout.verse_list_shown)
    PlaceTabPane(w.verse_list_tab, layout.verse_list, w.verse_list, w.reference_list);
  else
    ShowWindow(w.verse_list_tab, SW_HIDE);
  if (layout.passage_shown)
    PlaceTabPane(w.passage_tab, layout.passage, w.passage);
  else
    ShowWindow(w.passage_tab, SW_HIDE);
  if (layout.editor_shown) {
    MoveTo(w.note_editor_frame, layout.notes);
    ShowWindow(w.note_editor_frame, SW_SHOW);
    ShowWindow(w.note_set_tab, SW_HIDE);
    ShowWindow(w.notes, SW_HIDE);
    ShowWindow(w.notes_display, SW_HIDE);
  } else if (layout.notes_tab_shown) {
    ShowWindow(w.note_editor_frame, SW_HIDE);
    PlaceTabPane(w.note_set_tab, layout.notes, w.notes);
    RECT inside;
    GetClientRect(w.notes, &inside);
    MoveWindow(w.notes_display, 0, 0, inside.right, inside.bottom, TRUE);
    ShowWindow(w.notes, SW_SHOW);
    ShowWindow(w.notes_display, SW_SHOW);
  } else {
    ShowWindow(w.note_set_tab, SW_HIDE);
    ShowWindow(w.notes, SW_HIDE);
    ShowWindow(w.notes_display, SW_HIDE);
    ShowWindow(w.note_editor_frame, SW_HIDE);
  }
}

void Relayout() {
  HWND main = Windows().main;
  RECT client;
  GetClientRect(main, &client);
  SendMessageA(main, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
  InvalidateRect(main, &client, FALSE);
  MoveFocusOffHiddenPanes();
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return MainWindow_OnCreate(hwnd, reinterpret_cast<LPCREATESTRUCT>(lParam)) ? 0 : -1;
    HANDLE_MSG(hwnd, WM_DESTROY, MainWindow_OnDestroy);
    HANDLE_MSG(hwnd, WM_SIZE, MainWindow_OnSize);
    HANDLE_MSG(hwnd, WM_CLOSE, MainWindow_OnClose);
    HANDLE_MSG(hwnd, WM_QUERYENDSESSION, MainWindow_OnQueryEndSession);
    HANDLE_MSG(hwnd, WM_ENDSESSION, MainWindow_OnEndSession);
    case WM_NOTIFY:
      return MainWindow_OnNotify(hwnd, static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
      DispatchCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace kv
