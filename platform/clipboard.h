// The clipboard port: how the copy commands hand their text to the desktop.
// The program implements it over the Win32 clipboard (clipboard_win.h); the
// tests use an in-memory double (testing/memory_clipboard.h) and the
// command-line tool keeps the text to print it.
#pragma once

#include <cstddef>

namespace kv {

// The clipboard as the copy commands use it: open, empty, fill one block of
// a size fixed up front, hand it over as CF_TEXT, close.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool Open() = 0;
  virtual void Empty() = 0;
  // A writable block of `size` bytes owned by the port, or null when the
  // memory cannot be had.
  virtual char* Allocate(std::size_t size) = 0;
  // Hands the block, holding a NUL-terminated text, to the clipboard.
  virtual void Hand() = 0;
  virtual void Close() = 0;
};

}  // namespace kv
