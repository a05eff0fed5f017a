// The cross-reference reader on any note text, clicked anywhere in it. The
// first bytes choose the click's position and the note's own verse; the rest
// is the note, which need not end with a NUL.
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "notes/cross_references.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const kv::BibleData& bible = kv::fuzz::RealBible();
  if (size < 4) return 0;
  const std::size_t click = bytes[0] | bytes[1] << 8;
  const kv::VerseIndex note_verse = static_cast<kv::VerseIndex>((bytes[2] | bytes[3] << 8) % kv::kVerseCount);
  // A copy of exactly the note's bytes, so reading past them is caught.
  std::vector<char> note(bytes + 4, bytes + size);
  const std::size_t selection = note.empty() ? 0 : click % (note.size() + 1);
  kv::CrossReferenceList list;
  if (kv::CollectCrossReferences(bible, note.data(), note.size(), selection, note_verse, &list)) {
    KV_FUZZ_CHECK(list.verses.size() <= kv::kMaxCrossReferences);
    for (kv::VerseIndex v : list.verses) KV_FUZZ_CHECK(v >= 0 && v <= kv::kLastVerse);
  } else {
    KV_FUZZ_CHECK(list.verses.empty());
  }
  return 0;
}
