#include "search/candidate_finder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/text_util.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::RealBible;

// The whole text of the Bible as the marker sees it, verse after verse,
// with room after its end for the longest word a finder may look ahead.
std::vector<unsigned char> WholeText() {
  const BibleData& bible = RealBible();
  const char* first = VerseText(bible, 0);
  const char* last = VerseText(bible, kLastVerse);
  const std::size_t size = static_cast<std::size_t>(last + std::strlen(last) + 1 - first);
  std::vector<unsigned char> text(first, first + size);
  text.resize(size + kFinderBlock + 64, 0);
  return text;
}

struct FinderCase {
  const char* word;  // as the marker gives it: lower case when it folds
  bool fold;
};

// Whether the word stands in full at `p`, in either case when folding.
bool WordAt(const unsigned char* p, const FinderCase& c) {
  for (std::size_t i = 0; c.word[i]; ++i) {
    const unsigned char want = static_cast<unsigned char>(c.word[i]);
    const bool same = c.fold ? ToLowerAscii(p[i]) == want : p[i] == want;
    if (!same) return false;
  }
  return true;
}

const FinderCase kCases[] = {
    {"the", true},   {"LORD", false}, {"god", true}, {"a", true}, {"e", false},
    {"jesus", true}, {"Amen", false}, {"and", true}, {"x", true}, {"righteousness", true},
};

// A filter that misses one occurrence would leave a word unmarked: every
// place the word stands in the real text has its bit.
TEST(CandidateFinder, PortableFinderMissesNoOccurrenceInTheRealText) {
  const std::vector<unsigned char> text = WholeText();
  for (const FinderCase& c : kCases) {
    SCOPED_TRACE(c.word);
    const std::size_t n = std::strlen(c.word);
    const PortableCandidateFinder finder(c.fold ? 0x20 : 0, static_cast<unsigned char>(c.word[0]),
                                         static_cast<unsigned char>(c.word[n - 1]), n - 1);
    std::size_t occurrences = 0, candidates = 0;
    for (std::size_t base = 0; base + kFinderBlock + n <= text.size(); base += kFinderBlock) {
      const unsigned bits = finder.Bits(text.data() + base);
      candidates += static_cast<std::size_t>(__builtin_popcount(bits));
      for (std::size_t i = 0; i < kFinderBlock; ++i) {
        if (!WordAt(text.data() + base + i, c)) continue;
        ++occurrences;
        ASSERT_TRUE(bits & (1u << i)) << "missed at " << base + i;
      }
    }
    EXPECT_GT(occurrences, 0u);
    EXPECT_GE(candidates, occurrences);
  }
}

#if defined(__SSE2__)
// The finder of the 64-bit builds answers as the 32-bit release's does, at
// every offset (aligned or not) of the real text.
TEST(CandidateFinder, Sse2FinderAgreesWithThePortableOneOverTheRealText) {
  const std::vector<unsigned char> text = WholeText();
  for (const FinderCase& c : kCases) {
    SCOPED_TRACE(c.word);
    const std::size_t n = std::strlen(c.word);
    const unsigned char fold = c.fold ? 0x20 : 0;
    const unsigned char first = static_cast<unsigned char>(c.word[0]);
    const unsigned char final = static_cast<unsigned char>(c.word[n - 1]);
    const PortableCandidateFinder portable(fold, first, final, n - 1);
    const Sse2CandidateFinder sse2(fold, first, final, n - 1);
    for (std::size_t at = 0; at + kFinderBlock + n <= text.size(); at += 7) {
      ASSERT_EQ(portable.Bits(text.data() + at), sse2.Bits(text.data() + at)) << "offset " << at;
    }
  }
}

#endif

}  // namespace
}  // namespace kv
