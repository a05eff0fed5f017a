// Message boxes of the program, owned by a window of the shell.
#pragma once

#include <windows.h>

#include "platform/user_services.h"

namespace kv {

// Every box is owned by `owner`: for the shell's own port the main window,
// which SetOwner keeps up to date; a dialog that raises a box while it is
// open makes a port of its own, so the box is the dialog's.
class MessageBoxServices final : public UserServices {
 public:
  explicit MessageBoxServices(HWND owner) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  MessageAnswer Ask(const Message& message) override;

 private:
  HWND owner_;
};

}  // namespace kv
