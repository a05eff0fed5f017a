#include "store/bible_data.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kv {

const char* const kWordFileName = "_avwrds.dat";
const char* const kWordStartFileName = "_avwptr.dat";
const char* const kWordIndexFileName = "_avwidx.dat";
const char* const kVerseTableFileName = "_avvidx.dat";
const char* const kTextFileName = "_avtext.dat";

namespace {

// The largest sizes the files can have, so that a damaged or foreign file is
// refused by its size before it is read or mapped. No word is longer than a
// verse. A verse of at most 599 bytes holds at most 300 words, and a verse
// is listed at most once in each word's run, so the index has at most 300
// entries per verse (and perhaps one odd byte, never used).
constexpr std::int64_t kMaxWordFileBytes = static_cast<std::int64_t>(kMaxWords) * (kMaxVerseBytes + 1);
constexpr std::int64_t kMaxWordStartBytes = static_cast<std::int64_t>(kWordSlots) * 4;
constexpr std::int64_t kMaxWordIndexBytes = static_cast<std::int64_t>(kVerseCount) * (kMaxVerseBytes + 1) + 1;
constexpr std::int64_t kVerseTableBytes = static_cast<std::int64_t>(kVerseCount) * kVerseRecordBytes;
constexpr std::int64_t kMaxTextBytes = static_cast<std::int64_t>(kVerseCount) * (kMaxVerseBytes + 1);

struct SizeLimits {
  std::int64_t lowest;
  std::int64_t highest;
  LoadError outside;  // the error of a size outside [lowest, highest]
};

LoadError CheckSize(std::int64_t size, const SizeLimits& limits) {
  if (size < 0) return LoadError::MissingFile;
  return size < limits.lowest || size > limits.highest ? limits.outside : LoadError::None;
}

// The size of a file that is to be mapped, checked before it is.
LoadError CheckFileSize(Files& files, const char* name, OpenMode hint, const SizeLimits& limits) {
  FileHandle file = files.Open(name, hint);
  if (file == kNoFile) return LoadError::MissingFile;
  std::int64_t size = files.Size(file);
  files.Close(file);
  return CheckSize(size, limits);
}

// Opens a file that is to be read whole and checks its size first: a file
// outside `limits` is never read. On success the caller reads and closes it.
LoadError OpenChecked(Files& files, const char* name, const SizeLimits& limits, FileHandle* file,
                      std::size_t* size) {
  *file = files.Open(name, OpenMode::ReadSequential);
  if (*file == kNoFile) return LoadError::MissingFile;
  std::int64_t length = files.Size(*file);
  LoadError result = CheckSize(length, limits);
  if (result != LoadError::None) {
    files.Close(*file);
    *file = kNoFile;
    return result;
  }
  *size = static_cast<std::size_t>(length);
  return LoadError::None;
}

// Reads `size` bytes of an open file into `buffer`, then closes the file.
LoadError ReadAndClose(Files& files, FileHandle file, void* buffer, std::size_t size) {
  std::size_t got = 0;
  bool read = size == 0 || (files.Read(file, buffer, size, &got) && got == size);
  files.Close(file);
  return read ? LoadError::None : LoadError::MissingFile;
}

// Reads the start table straight into its fixed table; `*entries` receives
// the number of entries the file holds.
LoadError ReadWordStarts(Files& files, BibleData* data, std::size_t* entries) {
  FileHandle file;
  std::size_t size = 0;
  LoadError error = OpenChecked(files, kWordStartFileName, {0, kMaxWordStartBytes, LoadError::DamagedWordStarts},
                                &file, &size);
  if (error != LoadError::None) return error;
  if (size % 4 != 0) {
    files.Close(file);
    return LoadError::DamagedWordStarts;
  }
  *entries = size / 4;
  return ReadAndClose(files, file, data->word_starts.data(), size);
}

// Reads the verse table, leaving one all-zero record after the last verse.
LoadError ReadVerseTable(Files& files, BibleData* data) {
  FileHandle file;
  std::size_t size = 0;
  LoadError error = OpenChecked(files, kVerseTableFileName,
                                {kVerseTableBytes, kVerseTableBytes, LoadError::DamagedVerseTable}, &file, &size);
  if (error != LoadError::None) return error;
  try {
    data->verse_table.assign(size + kVerseRecordBytes, 0);
  } catch (const std::bad_alloc&) {
    files.Close(file);
    return LoadError::OutOfMemory;
  }
  return ReadAndClose(files, file, data->verse_table.data(), size);
}

// Steps 1-2: the word pointers into the mapped word file.
LoadError IndexWords(BibleData* data) {
  const unsigned char* bytes = data->word_file.data;
  std::size_t size = data->word_file.size;
  if (size > 0 && bytes[size - 1] != 0) return LoadError::DamagedWordList;
  int count = 0;
  std::size_t pos = 0;
  const char* previous = nullptr;
  // The count is kept as the table fills, so that a release after a failure
  // clears every pointer written.
  while (pos < size) {
    if (count == kMaxWords) return LoadError::DamagedWordList;
    const char* word = reinterpret_cast<const char*>(bytes + pos);
    // Lookups binary-search the list, so it must be strictly ascending.
    if (previous && std::strcmp(previous, word) >= 0) return LoadError::DamagedWordList;
    data->words[static_cast<std::size_t>(count++)] = word;
    data->word_count = count;
    previous = word;
    pos += std::strlen(word) + 1;
  }
  data->words[static_cast<std::size_t>(count)] = nullptr;
  return LoadError::None;
}

// One start per word, and perhaps a closing entry, which the loader's own
// replaces. A word list that lost or gained a NUL byte has another count,
// and every later word would be given the verses of its neighbour. Two
// merged words leave one entry more than words, like a closing entry; but
// that entry is then the start of the last word's verses, below the end of
// the index, where a closing entry is at or past it.
bool WordsMatchStarts(const BibleData& data, std::size_t entries_in_file) {
  std::size_t words = static_cast<std::size_t>(data.word_count);
  if (entries_in_file == words) return true;
  return entries_in_file == words + 1 &&
         data.word_starts[words] >= static_cast<std::int64_t>(data.word_verse_count);
}

// The starts never decrease.
LoadError CheckWordStarts(const BibleData& data) {
  std::size_t words = static_cast<std::size_t>(data.word_count);
  const auto& starts = data.word_starts;
  // Without an early exit, so that the compiler can compare many entries at
  // a time.
  bool decreasing = starts[0] < 0;
  for (std::size_t w = 0; w < words; ++w) decreasing |= starts[w] > starts[w + 1];
  return decreasing ? LoadError::DamagedWordStarts : LoadError::None;
}

// Sixteen bytes of the word index, compared eight entries at a time (the
// compiler's vector types: SSE2 registers where there are some).
using IndexLanes = std::uint16_t __attribute__((vector_size(16)));
using LaneMask = std::int16_t __attribute__((vector_size(16)));

LoadError CheckWordIndex(const BibleData& data) {
  // The index is the largest file the checks read in full: its entries are
  // compared 32 at a time, without an early exit.
  const std::uint16_t* entries = data.word_verses;
  std::size_t count = data.word_verse_count, i = 0;
  const IndexLanes last = IndexLanes{} + static_cast<std::uint16_t>(kLastVerse);
  LaneMask above{};
  for (; i + 32 <= count; i += 32) {
    IndexLanes a, b, c, d;
    std::memcpy(&a, entries + i, sizeof a);
    std::memcpy(&b, entries + i + 8, sizeof b);
    std::memcpy(&c, entries + i + 16, sizeof c);
    std::memcpy(&d, entries + i + 24, sizeof d);
    above |= (a > last) | (b > last) | (c > last) | (d > last);
  }
  bool beyond = false;
  for (; i < count; ++i) beyond |= entries[i] > kLastVerse;
  std::uint64_t halves[2];
  std::memcpy(halves, &above, sizeof halves);
  beyond |= (halves[0] | halves[1]) != 0;
  return beyond ? LoadError::DamagedWordIndex : LoadError::None;
}

bool LittleEndianHost() {
  const std::uint16_t probe = 1;
  unsigned char first;
  std::memcpy(&first, &probe, 1);
  return first == 1;
}

// The word index holds little-endian 16-bit verse numbers. Mapped pages are
// aligned, so on a little-endian host the mapping is the array itself and
// start-up reads nothing it does not need.
LoadError MapWordIndex(Files& files, BibleData* data) {
  if (!files.Map(kWordIndexFileName, OpenMode::ReadSequential, &data->index_file)) return LoadError::MissingFile;
  const unsigned char* bytes = data->index_file.data;
  std::size_t entries = data->index_file.size / 2;  // an odd last byte is never used
  if (entries > 0x7fffffff) return LoadError::DamagedWordIndex;
  data->word_verse_count = entries;
  if (entries == 0) {
    data->word_verses = data->converted_verses.data();
  } else if (LittleEndianHost() && reinterpret_cast<std::uintptr_t>(bytes) % alignof(std::uint16_t) == 0) {
    data->word_verses = reinterpret_cast<const std::uint16_t*>(bytes);
  } else {
    try {
      data->converted_verses.resize(entries);
    } catch (const std::bad_alloc&) {
      return LoadError::OutOfMemory;
    }
    for (std::size_t i = 0; i < entries; ++i)
      data->converted_verses[i] = static_cast<std::uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    data->word_verses = data->converted_verses.data();
  }
  return LoadError::None;
}

LoadError CheckVerseTable(const BibleData& data) {
  if (data.verse_table.size() != static_cast<std::size_t>(kVerseCount + 1) * kVerseRecordBytes)
    return LoadError::DamagedVerseTable;
  const unsigned char* record = data.verse_table.data();
  bool foreign = false;
  for (VerseIndex v = 0; v <= kLastVerse; ++v, record += kVerseRecordBytes)
    foreign |= static_cast<unsigned>(record[0] - 1) >= static_cast<unsigned>(kBookCount);
  return foreign ? LoadError::DamagedVerseTable : LoadError::None;
}

// The text offset of a verse table record.
inline std::int64_t OffsetOf(const unsigned char* record) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(record[3]) | static_cast<std::uint32_t>(record[4]) << 8 |
                                   static_cast<std::uint32_t>(record[5]) << 16 |
                                   static_cast<std::uint32_t>(record[6]) << 24);
}

// Every verse must end with a NUL inside the text file and fit the 600-byte
// work buffers. Since the texts are back to back, it is enough that the
// offsets rise by 1 to 600 bytes from each verse to the next (and from the
// last to the end of the file), and that the byte before each next verse's
// offset is a NUL. The offsets are checked first, from the verse table
// alone; then the text is read at only those bytes, all of them without an
// early exit, so that their reads overlap.
LoadError CheckText(const BibleData& data) {
  const unsigned char* text = data.text_file.data;
  std::int64_t size = static_cast<std::int64_t>(data.text_file.size);
  if (size == 0 || text[size - 1] != 0) return LoadError::DamagedText;
  const unsigned char* table = data.verse_table.data();
  std::int64_t start = OffsetOf(table);
  bool bad = start < 0;
  for (VerseIndex v = 1; v <= kVerseCount; ++v) {
    std::int64_t end = v < kVerseCount ? OffsetOf(table + static_cast<std::size_t>(v) * kVerseRecordBytes) : size;
    std::int64_t length = end - start;  // the text and its NUL
    bad |= static_cast<std::uint64_t>(length - 1) > static_cast<std::uint64_t>(kMaxVerseBytes);
    start = end;
  }
  if (bad) return LoadError::DamagedText;
  unsigned char ends = 0;
  for (VerseIndex v = 1; v < kVerseCount; ++v)
    ends |= text[OffsetOf(table + static_cast<std::size_t>(v) * kVerseRecordBytes) - 1];
  return ends != 0 ? LoadError::DamagedText : LoadError::None;
}

LoadError Load(Files& files, BibleData* data, std::string* failed_file) {
  auto fail = [&](LoadError error, const char* name) {
    if (failed_file) *failed_file = name;
    return error;
  };
  LoadError error;

  if ((error = CheckFileSize(files, kWordFileName, OpenMode::ReadSequential,
                             {0, kMaxWordFileBytes, LoadError::DamagedWordList})) != LoadError::None)
    return fail(error, kWordFileName);
  if (!files.Map(kWordFileName, OpenMode::ReadSequential, &data->word_file))
    return fail(LoadError::MissingFile, kWordFileName);
  if ((error = IndexWords(data)) != LoadError::None) return fail(error, kWordFileName);

  // The table is all zeros until a load fills it, and every entry up to the
  // sentinel comes from the file, so nothing is cleared first.
  std::size_t start_entries = 0;
  if ((error = ReadWordStarts(files, data, &start_entries)) != LoadError::None) return fail(error, kWordStartFileName);

  if ((error = CheckFileSize(files, kWordIndexFileName, OpenMode::ReadSequential,
                             {0, kMaxWordIndexBytes, LoadError::DamagedWordIndex})) != LoadError::None)
    return fail(error, kWordIndexFileName);
  if ((error = MapWordIndex(files, data)) != LoadError::None) return fail(error, kWordIndexFileName);
  if (!WordsMatchStarts(*data, start_entries)) return fail(LoadError::DamagedWordList, kWordFileName);
  data->word_starts[static_cast<std::size_t>(data->word_count)] = static_cast<std::int32_t>(data->word_verse_count);
  if ((error = CheckWordStarts(*data)) != LoadError::None) return fail(error, kWordStartFileName);
  if ((error = CheckWordIndex(*data)) != LoadError::None) return fail(error, kWordIndexFileName);

  if ((error = ReadVerseTable(files, data)) != LoadError::None) return fail(error, kVerseTableFileName);
  if ((error = CheckVerseTable(*data)) != LoadError::None) return fail(error, kVerseTableFileName);

  if ((error = CheckFileSize(files, kTextFileName, OpenMode::ReadRandom, {1, kMaxTextBytes, LoadError::DamagedText})) !=
      LoadError::None)
    return fail(error, kTextFileName);
  if (!files.Map(kTextFileName, OpenMode::ReadRandom, &data->text_file))
    return fail(LoadError::MissingFile, kTextFileName);
  if ((error = CheckText(*data)) != LoadError::None) return fail(error, kTextFileName);
  return LoadError::None;
}

}  // namespace

LoadError LoadBibleData(Files& files, BibleData* data, std::string* failed_file) {
  ReleaseBibleData(files, data);
  LoadError error = Load(files, data, failed_file);
  if (error != LoadError::None) {
    ReleaseBibleData(files, data);
    return error;
  }
  data->loaded = true;
  return LoadError::None;
}

void ReleaseBibleData(Files& files, BibleData* data) {
  files.Unmap(&data->word_file);
  files.Unmap(&data->text_file);
  files.Unmap(&data->index_file);
  // Nothing reads past the sentinel, so only the entries up to it are
  // cleared: clearing both whole tables would cost a load as much time as
  // its checks of the word list.
  std::size_t used = static_cast<std::size_t>(data->word_count) + 1;
  std::fill(data->words.begin(), data->words.begin() + used, nullptr);
  std::fill(data->word_starts.begin(), data->word_starts.begin() + used, 0);
  data->word_count = 0;
  data->word_verses = nullptr;
  data->word_verse_count = 0;
  std::vector<std::uint16_t>().swap(data->converted_verses);
  std::vector<unsigned char>().swap(data->verse_table);
  data->loaded = false;
}

}  // namespace kv
