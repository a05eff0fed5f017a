#include "shell/app_state.h"

namespace kv {

AppState& App() {
  static AppState state;
  return state;
}

}  // namespace kv
