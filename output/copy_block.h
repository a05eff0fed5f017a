// The fixed-size clipboard block the copy commands fill line by line. The
// block is sized once up front; a line that does not fit ends the copy, and
// the text stays NUL-terminated after the last line that fitted.
#pragma once

#include <cstddef>
#include <cstring>

namespace kv {

// A copy's clipboard block is sized once at this many bytes per verse: the
// longest verse with its label or prefix and a chapter heading.
constexpr std::size_t kCopyBytesPerVerse = 900;

struct CopyBlock {
  char* data = nullptr;
  std::size_t size = 0;
  std::size_t used = 0;
  bool complete = true;  // false once a line did not fit
};

// Appends a line when it fits with room left for the final NUL; after the
// first line that does not fit nothing more is appended.
inline bool AppendToBlock(CopyBlock* block, const char* line, std::size_t length) {
  if (!block->complete) return false;
  if (block->size == 0 || length > block->size - 1 - block->used) {
    block->complete = false;
    return false;
  }
  std::memcpy(block->data + block->used, line, length);
  block->used += length;
  return true;
}

inline void EndBlock(CopyBlock* block) {
  if (block->size > 0) block->data[block->used] = '\0';
}

}  // namespace kv
