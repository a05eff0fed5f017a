// The search range as the user sets it: Search > Set Range and the Range...
// buttons of the search dialogs.
#pragma once

#include <windows.h>

namespace kv {

// The "Set Search Range" dialog over `owner`; on OK the new range is the
// search range and status part 4 shows it.
void SetSearchRange(HWND owner);

}  // namespace kv
