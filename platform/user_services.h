// The user-services port: the message boxes the core needs to ask or tell
// the user something. The core never calls MessageBoxA itself, so a test can
// read every message and answer every question.
#pragma once

#include <memory>

namespace kv {

enum class MessageIcon { None, Error, Information, Exclamation };
enum class MessageButtons { Ok, RetryCancel, YesNo };
enum class MessageAnswer { Ok, Retry, Cancel, Yes, No };

struct Message {
  const char* caption = nullptr;  // null: the system's default caption
  const char* text = "";
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
};

class UserServices {
 public:
  virtual ~UserServices() = default;
  // Shows a modal box owned by the program's main window (or the open
  // dialog) and returns the button pressed.
  virtual MessageAnswer Ask(const Message& message) = 0;

  void Tell(const char* caption, const char* text, MessageIcon icon) {
    Ask(Message{caption, text, icon, MessageButtons::Ok});
  }
};

}  // namespace kv
