// Where a searched word can start in a text, 16 positions at a time: the
// key marker's first filter, run over every listed verse. Two finders that
// answer alike: the SSE2 one of the 64-bit builds, and the portable one that
// the 32-bit release runs (Windows XP machines need not have SSE2). Both are
// compiled wherever SSE2 is, so the native tests hold them to each other.
#pragma once

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kv {

constexpr std::size_t kFinderBlock = 16;  // positions looked at together

// One bit for each of kFinderBlock positions that holds the word's first
// letter and, `last` bytes further, its last letter. With `case_bit` 0x20 a
// byte matches a lower-case letter when the byte with that bit set equals
// it, which holds for that letter in either case and for no other byte, so
// the text needs no lower-cased copy. Bits(p) reads kFinderBlock + last
// bytes from p.
class PortableCandidateFinder {
 public:
  PortableCandidateFinder(unsigned char case_bit, unsigned char first_letter, unsigned char last_letter,
                          std::size_t last)
      : last_(last), case_bit_(case_bit), first_(first_letter), final_(last_letter) {}

  unsigned Bits(const unsigned char* p) const {
    unsigned bits = 0;
    for (std::size_t i = 0; i < kFinderBlock; ++i)
      bits |= static_cast<unsigned>((p[i] | case_bit_) == first_ && (p[i + last_] | case_bit_) == final_) << i;
    return bits;
  }

 private:
  std::size_t last_;
  unsigned char case_bit_, first_, final_;
};

#if defined(__SSE2__)
// The same bits from two 16-byte compares.
class Sse2CandidateFinder {
 public:
  Sse2CandidateFinder(unsigned char case_bit, unsigned char first_letter, unsigned char last_letter,
                      std::size_t last)
      : last_(last),
        fold_(_mm_set1_epi8(static_cast<char>(case_bit))),
        first_(_mm_set1_epi8(static_cast<char>(first_letter))),
        final_(_mm_set1_epi8(static_cast<char>(last_letter))) {}

  unsigned Bits(const unsigned char* p) const {
    __m128i starts = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), fold_);
    __m128i ends = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + last_)), fold_);
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(starts, first_), _mm_cmpeq_epi8(ends, final_))));
  }

 private:
  std::size_t last_;
  __m128i fold_, first_, final_;
};

using CandidateFinder = Sse2CandidateFinder;
#else
using CandidateFinder = PortableCandidateFinder;
#endif

}  // namespace kv
