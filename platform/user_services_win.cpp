// Message boxes over MessageBoxA.
#include "platform/user_services_win.h"

namespace kv {

MessageAnswer MessageBoxServices::Ask(const Message& message) {
  UINT style = 0;
  switch (message.icon) {
    case MessageIcon::None: break;
    case MessageIcon::Error: style |= MB_ICONERROR; break;
    case MessageIcon::Information: style |= MB_ICONINFORMATION; break;
    case MessageIcon::Exclamation: style |= MB_ICONEXCLAMATION; break;
  }
  switch (message.buttons) {
    case MessageButtons::Ok: style |= MB_OK; break;
    case MessageButtons::RetryCancel: style |= MB_RETRYCANCEL; break;
    case MessageButtons::YesNo: style |= MB_YESNO; break;
  }
  switch (MessageBoxA(owner_, message.text, message.caption, style)) {
    case IDRETRY: return MessageAnswer::Retry;
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    case IDOK: return MessageAnswer::Ok;
    default: return MessageAnswer::Cancel;
  }
}

}  // namespace kv
