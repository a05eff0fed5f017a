// The KJV versification the data files are laid out in: 66 books, 1189
// chapters, 31102 verses. The module is checked against this table, never the
// other way round, so a module that shifts a verse is caught.
#pragma once

namespace kv::databuild {

struct CanonBook {
  const char* osis_id;    // as the module's markers name it ("1Sam")
  const char* name;       // for messages ("1 Samuel")
  int chapter_count;
  const int* verse_counts;  // verses of chapters 1..chapter_count
  bool new_testament;
};

constexpr int kCanonBookCount = 66;
constexpr int kCanonChapterCount = 1189;
constexpr int kCanonVerseCount = 31102;

// Indexed 0..65 (Genesis..Revelation); the data files number books from 1.
extern const CanonBook kCanon[kCanonBookCount];

}  // namespace kv::databuild
