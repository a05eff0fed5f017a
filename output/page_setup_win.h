// Page Setup (command 184): the printer's paper and margins, kept in the
// shell's page set-up record for the print jobs.
#pragma once

namespace kv {

// The system's page set-up dialog over the main window, started from (and
// on OK written back to) the record; margins in thousandths of an inch.
void PageSetupCommand();

}  // namespace kv
