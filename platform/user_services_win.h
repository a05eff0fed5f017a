// Message boxes of the program, owned by a window of the shell.
#pragma once

#include <windows.h>

#include "platform/user_services.h"

namespace kv {

// `owner` may change while the program runs (a dialog owns the boxes shown
// while it is open), so it is read at every call.
class MessageBoxServices final : public UserServices {
 public:
  explicit MessageBoxServices(HWND owner) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  MessageAnswer Ask(const Message& message) override;

 private:
  HWND owner_;
};

}  // namespace kv
