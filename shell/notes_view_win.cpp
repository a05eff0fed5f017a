#include "shell/notes_view_win.h"

#include <commctrl.h>
#include <richedit.h>

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/main_window_win.h"
#include "shell/program_win.h"

namespace kv {

void NotesWindowView::SetText(const char* text) {
  SetWindowTextA(Windows().notes_display, text);
  SendMessageA(Windows().notes_display, EM_SETSEL, 0, 0);
}

void NotesWindowView::SetNoteReference(const char* reference) {
  SendMessageA(Windows().status, SB_SETTEXTA, STATUS_PART_NOTE, reinterpret_cast<LPARAM>(reference));
}

void NotesWindowView::Select(std::size_t start, std::size_t end) {
  SendMessageA(Windows().notes_display, EM_SETSEL, start, end);
  SendMessageA(Windows().notes_display, EM_SCROLLCARET, 0, 0);
}

std::vector<std::string> TabTexts(HWND tabs) {
  std::vector<std::string> texts;
  const LRESULT count = SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[256] = {};  // longer than any label the tabs are given
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    texts.push_back(text);
  }
  return texts;
}

void NotesWindowView::SetTabs(const std::vector<std::string>& labels, int selected) {
  HWND tabs = Windows().note_set_tab;
  // Switching sets changes only the selection: the tabs stay, and so does
  // the layout of every pane.
  if (TabTexts(tabs) == labels) {
    SendMessageA(tabs, TCM_SETCURSEL, selected, 0);
    return;
  }
  const LRESULT rows = SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0);
  SendMessageA(tabs, TCM_DELETEALLITEMS, 0, 0);
  for (std::size_t i = 0; i < labels.size(); ++i) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(labels[i].c_str());
    item.iImage = -1;
    SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(tabs, TCM_SETCURSEL, selected, 0);
  // Another number of rows moves the display.
  if (App().shell.startup_complete && SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0) != rows) Relayout();
}

}  // namespace kv
