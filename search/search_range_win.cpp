#include "search/search_range_win.h"

#include "shell/app_state.h"
#include "shell/main_window_win.h"
#include "store/reference_dialogs_win.h"

namespace kv {

void SetSearchRange(HWND owner) {
  if (RunSetRangeDialog(owner, App().store.bible, &App().search.options)) ShowSearchRange();
}

}  // namespace kv
