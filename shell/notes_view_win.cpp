#include "shell/notes_view_win.h"

#include <commctrl.h>
#include <richedit.h>

#include <cstring>

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

void NotesWindowView::SetTabs(const std::vector<std::string>& labels, int selected) {
  HWND tabs = Windows().note_set_tab;
  SendMessageA(tabs, TCM_DELETEALLITEMS, 0, 0);
  for (std::size_t i = 0; i < labels.size(); ++i) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(labels[i].c_str());
    item.iImage = -1;
    SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(tabs, TCM_SETCURSEL, selected, 0);
  // The tabs may take another number of rows, which moves the display.
  if (App().shell.startup_complete) Relayout();
}

// The copies size their block for the longest lines they could have, and
// the system copies every byte of a block it is handed: only the text and
// its NUL go over (a whole Bible's block is 28 MB, its text 4 MB). Leaves
// the block unlocked.
void SystemClipboard::ShrinkToText() {
  const SIZE_T size = GlobalSize(block_);
  const char* text = static_cast<const char*>(GlobalLock(block_));  // locked once more
  const void* end = text ? std::memchr(text, '\0', size) : nullptr;
  const SIZE_T used = end ? static_cast<SIZE_T>(static_cast<const char*>(end) - text) + 1 : size;
  GlobalUnlock(block_);
  if (text) GlobalUnlock(block_);
  if (used < size)
    if (HGLOBAL smaller = GlobalReAlloc(block_, used, GMEM_MOVEABLE)) block_ = smaller;
}

bool SystemClipboard::Open() { return OpenClipboard(Windows().main) != FALSE; }

void SystemClipboard::Empty() { EmptyClipboard(); }

char* SystemClipboard::Allocate(std::size_t size) {
  block_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
  return block_ ? static_cast<char*>(GlobalLock(block_)) : nullptr;
}

void SystemClipboard::Hand() {
  if (!block_) return;
  ShrinkToText();
  // Once handed over the clipboard owns the block; only a refused one is ours to free.
  if (!SetClipboardData(CF_TEXT, block_)) GlobalFree(block_);
  block_ = nullptr;
}

void SystemClipboard::Close() {
  if (block_) {
    GlobalUnlock(block_);
    GlobalFree(block_);
    block_ = nullptr;
  }
  CloseClipboard();
}

UserServices& ShellMessages() {
  static MessageBoxServices services(nullptr);
  services.SetOwner(Windows().main);
  return services;
}

Clipboard& ShellClipboard() {
  static SystemClipboard clipboard;
  return clipboard;
}

NotesPorts ShellNotesPorts() {
  static NotesWindowView view;
  return NotesPorts{SystemFiles(), ShellMessages(), view, App().store.bible};
}

}  // namespace kv
