#include "output/output_messages.h"

namespace kv {

const char* const kCopyErrorCaption = "Copy Error";
const char* const kSaveErrorCaption = "Save Error";
const char* const kNoClipboardText = "Could not open Clipboard";
const char* const kNoCopyMemoryText = "Could not allocate memory for copy text";
const char* const kCopyIncompleteText = "Copy incomplete: insufficient memory allocation.";
const char* const kCannotCreateFileText = "Could not open file for writing";
const char* const kCannotOpenNotesText = "Could not open notes file";
const char* const kWriteErrorText = "Error in writing to file";

bool MemoryClipboard::Open() {
  if (fail_open) return false;
  is_open = true;
  return true;
}

void MemoryClipboard::Empty() {
  text.clear();
  handed = false;
}

char* MemoryClipboard::Allocate(std::size_t size) {
  if (fail_allocate) return nullptr;
  block_.assign(size, '\x7f');  // not zero, so a missing NUL shows
  block_size = size;
  return block_.data();
}

void MemoryClipboard::Hand() {
  std::size_t length = 0;
  while (length < block_.size() && block_[length] != '\0') ++length;
  text.assign(block_.data(), length);
  handed = true;
}

void MemoryClipboard::Close() { is_open = false; }

}  // namespace kv
