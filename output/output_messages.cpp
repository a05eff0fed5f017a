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

}  // namespace kv
