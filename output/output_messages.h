// Captions and texts of the boxes the copy, save and print commands show
// when they fail.
#pragma once

namespace kv {

extern const char* const kCopyErrorCaption;       // "Copy Error"
extern const char* const kSaveErrorCaption;       // "Save Error"
extern const char* const kNoClipboardText;        // "Could not open Clipboard"
extern const char* const kNoCopyMemoryText;       // "Could not allocate memory for copy text"
extern const char* const kCopyIncompleteText;     // "Copy incomplete: insufficient memory allocation."
extern const char* const kCannotCreateFileText;   // "Could not open file for writing"
extern const char* const kCannotOpenNotesText;    // "Could not open notes file"
extern const char* const kWriteErrorText;         // "Error in writing to file"

}  // namespace kv
