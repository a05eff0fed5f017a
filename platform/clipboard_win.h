// The clipboard port over the system clipboard, opened for a window of the
// shell.
#pragma once

#include <windows.h>

#include "platform/clipboard.h"

namespace kv {

// `owner` may change while the program runs (the main window is made anew),
// so it is read at every Open.
class SystemClipboard final : public Clipboard {
 public:
  explicit SystemClipboard(HWND owner) : owner_(owner) {}
  SystemClipboard(const SystemClipboard&) = delete;
  SystemClipboard& operator=(const SystemClipboard&) = delete;
  void SetOwner(HWND owner) { owner_ = owner; }

  bool Open() override;
  void Empty() override;
  char* Allocate(std::size_t size) override;
  void Hand() override;
  void Close() override;

 private:
  void ShrinkToText();
  HWND owner_;
  HGLOBAL block_ = nullptr;
};

}  // namespace kv
