#include "shell/guarded_procedure_win.h"

#include "platform/user_services_win.h"

namespace kv {

void ReportProcedureFailure(HWND window) noexcept {
  HWND owner = window ? GetAncestor(window, GA_ROOT) : nullptr;
  MessageBoxServices(owner).Tell("Error", "Out of memory", MessageIcon::Error);
}

}  // namespace kv
