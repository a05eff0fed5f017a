// What the output commands need from the user's desktop besides message
// boxes (platform/user_services.h): the clipboard. The shell implements both
// with message boxes and the Win32 clipboard; the tests and the command-line
// tool implement them in memory.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "platform/user_services.h"

namespace kv {

// Captions and texts of the output failures.
extern const char* const kCopyErrorCaption;       // "Copy Error"
extern const char* const kSaveErrorCaption;       // "Save Error"
extern const char* const kNoClipboardText;        // "Could not open Clipboard"
extern const char* const kNoCopyMemoryText;       // "Could not allocate memory for copy text"
extern const char* const kCopyIncompleteText;     // "Copy incomplete: insufficient memory allocation."
extern const char* const kCannotCreateFileText;   // "Could not open file for writing"
extern const char* const kCannotOpenNotesText;    // "Could not open notes file"
extern const char* const kWriteErrorText;         // "Error in writing to file"

// What a save does with a file it made but could not finish. Keep leaves the
// lines written so far, without the closing NUL of a finished save; Remove
// takes the file away again, so that nothing that looks like a finished save
// is left behind. A file that could not be made is never touched.
enum class PartialFile { Keep, Remove };

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

// A clipboard in memory: what was handed over is in `text` (up to its NUL).
// Used by the tests and by the command-line tool; each can be made to fail.
class MemoryClipboard : public Clipboard {
 public:
  bool Open() override;
  void Empty() override;
  char* Allocate(std::size_t size) override;
  void Hand() override;
  void Close() override;

  bool fail_open = false;
  bool fail_allocate = false;
  bool is_open = false;
  bool handed = false;
  std::size_t block_size = 0;
  std::string text;

 private:
  std::vector<char> block_;
};

}  // namespace kv
