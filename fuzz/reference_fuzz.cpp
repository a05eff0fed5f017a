// The reference parser on any typed text, as one verse and as a range. The
// dialogs hand it a NUL-terminated buffer of at most 199 characters that it
// may shorten in place.
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "store/reference_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const kv::BibleData& bible = kv::fuzz::RealBible();
  constexpr std::size_t kTextSize = 200;
  if (size >= kTextSize) size = kTextSize - 1;
  char text[kTextSize];
  std::memcpy(text, bytes, size);
  text[size] = '\0';
  char range_text[kTextSize];
  std::memcpy(range_text, text, sizeof text);

  kv::VerseIndex first = -7;
  if (kv::ParseReference(bible, text, &first)) {
    KV_FUZZ_CHECK(first >= 0 && first <= kv::kLastVerse);
  } else {
    KV_FUZZ_CHECK(first == -7);
  }
  KV_FUZZ_CHECK(std::strlen(text) <= size);

  kv::VerseIndex low = -7, high = -9;
  if (kv::ParseReference(bible, range_text, &low, &high)) {
    KV_FUZZ_CHECK(low >= 0 && low <= high && high <= kv::kLastVerse);
  } else {
    KV_FUZZ_CHECK(low == -7 && high == -9);
  }
  return 0;
}
