// Note sets made in memory for the layout tests: which verses carry a note
// is all a layout reads of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "notes/note_files.h"
#include "store/bible_data.h"

namespace kv::testing {

// A note set in memory with a one-character note on each verse given.
inline NoteSet NotesOn(std::initializer_list<VerseIndex> verses) {
  NoteSet set;
  set.index.assign(kVerseCount, 0);
  std::vector<bool> has(kVerseCount, false);
  for (VerseIndex v : verses) has[static_cast<std::size_t>(v)] = true;
  std::int32_t offset = 0;
  for (VerseIndex v = 0; v < kVerseCount; ++v) {
    set.index[static_cast<std::size_t>(v)] = offset;
    offset += has[static_cast<std::size_t>(v)] ? 2 : 1;
  }
  set.data_size = offset;
  return set;
}

}  // namespace kv::testing
