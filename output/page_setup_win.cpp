#include "output/page_setup_win.h"

#include <windows.h>
#include <commdlg.h>

#include "shell/program_win.h"

namespace kv {

void PageSetupCommand() {
  PAGESETUPDLGA& setup = Windows().page_setup;
  setup.hwndOwner = Windows().main;
  // Margins in thousandths of an inch whatever the locale's unit, as
  // printing reads them.
  setup.Flags = PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES;
  PageSetupDlgA(&setup);
}

}  // namespace kv
