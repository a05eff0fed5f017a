// Cross-reference lines in notes: a line holding "#" followed by references,
// such as "#Ro 3:23 6:23 Joh 3:16-18". A double click on such a line fills the
// verse list with the verses it names.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "store/bible_data.h"

namespace kv {

// The verse list holds at most this many entries before its end marker.
constexpr std::size_t kMaxCrossReferences = static_cast<std::size_t>(kVerseCount);

struct CrossReferenceList {
  std::vector<VerseIndex> verses;  // in the order the line names them
  std::string status;              // "x-refs for Ge 1:1": the note's own verse
};

// Reads the cross-reference line of `note` (its first `length` bytes) at the
// double click's selection start, with `note_verse` giving the book and
// chapter that references without them refer to. False when the click is not
// on a cross-reference line: then nothing is to change. A line whose
// references cannot be read still gives true with an empty list.
bool CollectCrossReferences(const BibleData& data, const char* note, std::size_t length,
                            std::size_t selection_start, VerseIndex note_verse, CrossReferenceList* out);

}  // namespace kv
