// The bytes of a note set's two files built without the code under test: the
// .nmd holds every verse's note with its NUL, the .nmi each note's offset as
// 32-bit little-endian. For tests and timing programs that need a set on disk.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "store/bible_data.h"

namespace kv::testing {

struct NoteSetBytes {
  std::string data;   // the .nmd file
  std::string index;  // the .nmi file
};

inline NoteSetBytes NoteSetBytesOf(const std::function<std::string(VerseIndex)>& note_of) {
  NoteSetBytes set;
  for (VerseIndex v = 0; v < kVerseCount; ++v) {
    const auto offset = static_cast<std::uint32_t>(set.data.size());
    for (int shift = 0; shift < 32; shift += 8) set.index += static_cast<char>((offset >> shift) & 0xFF);
    set.data += note_of(v);
    set.data += '\0';
  }
  return set;
}

// Every verse's note empty but those in `notes`.
inline NoteSetBytes NoteSetBytesOf(const std::map<VerseIndex, std::string>& notes) {
  return NoteSetBytesOf([&notes](VerseIndex v) {
    const auto found = notes.find(v);
    return found == notes.end() ? std::string() : found->second;
  });
}

}  // namespace kv::testing
