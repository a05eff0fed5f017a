// The Copy/Save Format dialog ("Format"): the labels, their place, the line
// breaks and the paragraph marks of copies, saves and prints.
#pragma once

#include <windows.h>

#include "output/format_options.h"

namespace kv {

// Shows `*options` and, on OK, writes the user's choice back into it; true
// then. Cancel changes nothing. Owned by `owner` (the main window or the
// output dialog whose "Format..." button opened it), placed over the main
// window.
bool EditFormatOptions(HWND owner, FormatOptions* options);

}  // namespace kv
