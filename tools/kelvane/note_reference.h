// Reading the references typed on the command line of the note commands.
// They are read the way a cross-reference line of a note is read, so "Ge 1:1",
// "1Co 13:4" and "Matthew 5" mean what they mean in a note.
#pragma once

#include <string>

#include "notes/cross_references.h"

namespace kv::cli {

// The first verse `text` names; -1 when it names none.
inline VerseIndex ReadNoteReference(const BibleData& data, const std::string& text) {
  std::string line = "#" + text;
  CrossReferenceList list;
  if (!CollectCrossReferences(data, line.c_str(), line.size(), 0, 0, &list) || list.verses.empty()) return kNoVerse;
  return list.verses.front();
}

// "Ge 1:1 - Re 22:21" or "Mt 5:1-7:29": the first and the last verse named.
inline bool ReadNoteRange(const BibleData& data, const std::string& text, VerseIndex* first, VerseIndex* last) {
  std::size_t dash = text.find(" - ");
  if (dash != std::string::npos) {
    *first = ReadNoteReference(data, text.substr(0, dash));
    *last = ReadNoteReference(data, text.substr(dash + 3));
  } else {
    std::string line = "#" + text;
    CrossReferenceList list;
    CollectCrossReferences(data, line.c_str(), line.size(), 0, 0, &list);
    *first = list.verses.empty() ? kNoVerse : list.verses.front();
    *last = list.verses.empty() ? kNoVerse : list.verses.back();
  }
  return *first != kNoVerse && *last != kNoVerse && *first <= *last;
}

}  // namespace kv::cli
