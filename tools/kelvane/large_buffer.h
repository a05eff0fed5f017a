// A byte buffer for the few megabytes a whole verse list prints as. Fresh
// memory costs a page fault for every 4 KB touched, which for 4 MB is as
// much time as the search itself; where the system offers large pages, the
// buffer asks for them, so the same bytes cost two faults.
#pragma once

#include <cstdlib>
#include <cstring>
#include <string_view>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace kv::cli {

class LargeBuffer {
 public:
  explicit LargeBuffer(std::size_t capacity) {
    if (capacity == 0) return;
    constexpr std::size_t kLargePage = 2u << 20;
    capacity = (capacity + kLargePage - 1) / kLargePage * kLargePage;
    void* memory = nullptr;
    if (posix_memalign(&memory, kLargePage, capacity) != 0) return;
#if defined(MADV_HUGEPAGE)
    madvise(memory, capacity, MADV_HUGEPAGE);  // only advice: fine if refused
#endif
    data_ = static_cast<char*>(memory);
    capacity_ = capacity;
  }
  ~LargeBuffer() { std::free(data_); }
  LargeBuffer(LargeBuffer&& other) noexcept
      : data_(other.data_), size_(other.size_), capacity_(other.capacity_), overflowed_(other.overflowed_) {
    other.data_ = nullptr;
    other.size_ = other.capacity_ = 0;
  }
  LargeBuffer(const LargeBuffer&) = delete;
  LargeBuffer& operator=(const LargeBuffer&) = delete;
  LargeBuffer& operator=(LargeBuffer&&) = delete;

  // False once the bytes would not fit; what fitted stays.
  bool Append(const char* bytes, std::size_t n) {
    if (n > capacity_ - size_) {
      overflowed_ = true;
      return false;
    }
    std::memcpy(data_ + size_, bytes, n);
    size_ += n;
    return true;
  }
  bool Append(const char* text) { return Append(text, std::strlen(text)); }
  bool overflowed() const { return overflowed_; }
  // The memory itself, for a caller that places an object in it; null when
  // it could not be had.
  void* data() { return data_; }
  std::string_view View() const { return std::string_view(data_ ? data_ : "", size_); }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  bool overflowed_ = false;
};

}  // namespace kv::cli
