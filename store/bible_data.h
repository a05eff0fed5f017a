// The Bible text store: the five read-only data files, loaded once at start-up
// and alive until exit. Everything else reads the text and the concordance
// through the accessors below.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"

namespace kv {

// 0..31101 name the verses in canonical order; -1 means no verse.
using VerseIndex = std::int32_t;
constexpr VerseIndex kNoVerse = -1;
constexpr int kVerseCount = 31102;
constexpr VerseIndex kLastVerse = kVerseCount - 1;
constexpr int kBookCount = 66;

constexpr int kMaxWords = 12561;
constexpr int kWordSlots = kMaxWords + 1;  // one more for the sentinel
constexpr int kMaxVerseBytes = 599;        // a verse and its NUL fit 600 bytes
constexpr int kVerseRecordBytes = 7;

extern const char* const kWordFileName;
extern const char* const kWordStartFileName;
extern const char* const kWordIndexFileName;
extern const char* const kVerseTableFileName;
extern const char* const kTextFileName;

struct VerseRecord {
  int book = 0;     // 1..66
  int chapter = 0;  // from 1
  int verse = 0;    // from 1
  std::int32_t offset = 0;
};

// A word's verses in the concordance: [begin, end).
struct WordRun {
  const std::uint16_t* begin = nullptr;
  const std::uint16_t* end = nullptr;
  std::size_t size() const { return static_cast<std::size_t>(end - begin); }
};

struct BibleData {
  Mapping word_file;
  Mapping text_file;
  int word_count = 0;
  // One pointer per word into the mapped word file, then a null pointer.
  std::array<const char*, kWordSlots> words{};
  // Start of each word's run in word_verses; the entry at word_count is the
  // sentinel (the number of entries in word_verses).
  std::array<std::int32_t, kWordSlots> word_starts{};
  // The concordance: the verse numbers of every word's run, back to back,
  // `word_verse_count` of them. On a little-endian host they are read in
  // place from the mapped word index file; elsewhere from a converted copy.
  const std::uint16_t* word_verses = nullptr;
  std::size_t word_verse_count = 0;
  Mapping index_file;
  std::vector<std::uint16_t> converted_verses;
  // The verse table, followed by one all-zero record.
  std::vector<unsigned char> verse_table;
  bool loaded = false;
};

enum class LoadError {
  None,
  MissingFile,       // a file cannot be opened or mapped
  OutOfMemory,
  DamagedWordList,   // too large, too many words, unterminated, not ascending,
                     // or not as many words as the start table has entries
  DamagedWordStarts, // too large, decreasing, or past the index
  DamagedWordIndex,  // too large, or a verse number above 31101
  DamagedVerseTable, // not 31102 records, or a book outside 1..66
  DamagedText,       // empty or too large, offsets outside the text, texts not back to back, too long
};

// Loads the five files through `files`. The files are checked just enough
// that nothing later can read outside them, and that every word has its own
// run of verses; a damaged or foreign file fails the load. A file's size is
// checked before it is read or mapped, so a file far too large is refused
// without being read. `failed_file` (optional) receives the name of the
// culprit.
LoadError LoadBibleData(Files& files, BibleData* data, std::string* failed_file = nullptr);
void ReleaseBibleData(Files& files, BibleData* data);

// Record of a verse 0..31101; record 31102 is the all-zero record.
inline VerseRecord RecordOf(const BibleData& data, VerseIndex verse) {
  const unsigned char* r = data.verse_table.data() + static_cast<std::size_t>(verse) * kVerseRecordBytes;
  VerseRecord record;
  record.book = r[0];
  record.chapter = r[1];
  record.verse = r[2];
  record.offset = static_cast<std::int32_t>(static_cast<std::uint32_t>(r[3]) |
                                            static_cast<std::uint32_t>(r[4]) << 8 |
                                            static_cast<std::uint32_t>(r[5]) << 16 |
                                            static_cast<std::uint32_t>(r[6]) << 24);
  return record;
}

inline int BookOf(const BibleData& data, VerseIndex verse) {
  return data.verse_table[static_cast<std::size_t>(verse) * kVerseRecordBytes];
}

// The NUL-terminated text of a verse. The texts are stored back to back, so
// the text of verse v+1 starts right after the NUL of verse v.
inline const char* VerseText(const BibleData& data, VerseIndex verse) {
  return reinterpret_cast<const char*>(data.text_file.data) + RecordOf(data, verse).offset;
}

inline const char* WordAt(const BibleData& data, int word) { return data.words[static_cast<std::size_t>(word)]; }

inline WordRun WordVersesOf(const BibleData& data, int word) {
  const std::uint16_t* base = data.word_verses;
  return WordRun{base + data.word_starts[static_cast<std::size_t>(word)],
                 base + data.word_starts[static_cast<std::size_t>(word) + 1]};
}

inline int WordCount(const BibleData& data) { return data.word_count; }

}  // namespace kv
