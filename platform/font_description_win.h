// The portable font description as the GDI's LOGFONTA, and back.
#pragma once

#include <windows.h>

#include "platform/font_description.h"

namespace kv {

LOGFONTA ToLogFont(const FontDescription& font);
FontDescription FromLogFont(const LOGFONTA& font);

}  // namespace kv
