// A user-services double: remembers every message and answers questions from
// a queue (Cancel, No or OK when the queue is empty).
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/user_services.h"

namespace kv::testing {

struct ShownMessage {
  bool has_caption = false;
  std::string caption;
  std::string text;
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
};

class RecordingUserServices final : public UserServices {
 public:
  MessageAnswer Ask(const Message& message) override {
    ShownMessage shown;
    shown.has_caption = message.caption != nullptr;
    shown.caption = message.caption ? message.caption : "";
    shown.text = message.text;
    shown.icon = message.icon;
    shown.buttons = message.buttons;
    messages.push_back(shown);
    if (!answers.empty()) {
      MessageAnswer answer = answers.front();
      answers.pop_front();
      return answer;
    }
    switch (message.buttons) {
      case MessageButtons::RetryCancel: return MessageAnswer::Cancel;
      case MessageButtons::YesNo: return MessageAnswer::No;
      case MessageButtons::Ok: break;
    }
    return MessageAnswer::Ok;
  }

  // The texts shown so far, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& m : messages) texts.push_back(m.text);
    return texts;
  }

  // (caption, text) of each message so far, in order.
  std::vector<std::pair<std::string, std::string>> CaptionsAndTexts() const {
    std::vector<std::pair<std::string, std::string>> shown;
    for (const ShownMessage& m : messages) shown.emplace_back(m.caption, m.text);
    return shown;
  }

  std::vector<ShownMessage> messages;
  std::deque<MessageAnswer> answers;
};

}  // namespace kv::testing
