// The clipboard port over the Win32 clipboard: the copy's block is global
// memory handed over as CF_TEXT.
#include "platform/clipboard_win.h"

#include <cstring>

namespace kv {

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

bool SystemClipboard::Open() { return OpenClipboard(owner_) != FALSE; }

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

}  // namespace kv
