// The portable font descriptions of the settings as the GDI's LOGFONTA.
#pragma once

#include <windows.h>

#include "shell/settings.h"

namespace kv {

LOGFONTA ToLogFont(const FontDescription& font);
FontDescription FromLogFont(const LOGFONTA& font);

}  // namespace kv
