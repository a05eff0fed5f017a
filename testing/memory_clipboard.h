// A clipboard double in memory: what was handed over is in `text` (up to its
// NUL), and it can be made to fail opening or allocating.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/clipboard.h"

namespace kv::testing {

class MemoryClipboard final : public Clipboard {
 public:
  bool Open() override {
    if (fail_open) return false;
    is_open = true;
    return true;
  }

  void Empty() override {
    text.clear();
    handed = false;
  }

  char* Allocate(std::size_t size) override {
    if (fail_allocate) return nullptr;
    block_.assign(size, '\x7f');  // not zero, so a missing NUL shows
    block_size = size;
    return block_.data();
  }

  void Hand() override {
    std::size_t length = 0;
    while (length < block_.size() && block_[length] != '\0') ++length;
    text.assign(block_.data(), length);
    handed = true;
  }

  void Close() override { is_open = false; }

  bool fail_open = false;
  bool fail_allocate = false;
  bool is_open = false;
  bool handed = false;
  std::size_t block_size = 0;
  std::string text;

 private:
  std::vector<char> block_;
};

}  // namespace kv::testing
