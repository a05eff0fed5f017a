#include "store/bible_data.h"

#include <cstring>
#include <new>

namespace kv {

const char* const kWordFileName = "_avwrds.dat";
const char* const kWordStartFileName = "_avwptr.dat";
const char* const kWordIndexFileName = "_avwidx.dat";
const char* const kVerseTableFileName = "_avvidx.dat";
const char* const kTextFileName = "_avtext.dat";

namespace {

// Reads a whole file into `out`, leaving `extra` zero bytes after its content.
LoadError ReadFileInto(Files& files, const char* name, std::size_t extra,
                       std::vector<unsigned char>* out) {
  FileHandle file = files.Open(name, OpenMode::ReadSequential);
  if (file == kNoFile) return LoadError::MissingFile;
  LoadError result = LoadError::None;
  std::int64_t size = files.Size(file);
  std::size_t got = 0;
  if (size < 0) {
    result = LoadError::MissingFile;
  } else {
    try {
      out->assign(static_cast<std::size_t>(size) + extra, 0);
    } catch (const std::bad_alloc&) {
      result = LoadError::OutOfMemory;
    }
    if (result == LoadError::None && size > 0 &&
        (!files.Read(file, out->data(), static_cast<std::size_t>(size), &got) ||
         got != static_cast<std::size_t>(size)))
      result = LoadError::MissingFile;
  }
  files.Close(file);
  return result;
}

// Steps 1-2: the word pointers into the mapped word file.
LoadError IndexWords(BibleData* data) {
  const unsigned char* bytes = data->word_file.data;
  std::size_t size = data->word_file.size;
  if (size > 0 && bytes[size - 1] != 0) return LoadError::DamagedWordList;
  int count = 0;
  std::size_t pos = 0;
  const char* previous = nullptr;
  while (pos < size) {
    if (count == kMaxWords) return LoadError::DamagedWordList;
    const char* word = reinterpret_cast<const char*>(bytes + pos);
    // Lookups binary-search the list, so it must be strictly ascending.
    if (previous && std::strcmp(previous, word) >= 0) return LoadError::DamagedWordList;
    data->words[static_cast<std::size_t>(count++)] = word;
    previous = word;
    pos += std::strlen(word) + 1;
  }
  data->word_count = count;
  data->words[static_cast<std::size_t>(count)] = nullptr;
  return LoadError::None;
}

LoadError CheckWordStarts(const BibleData& data) {
  const auto& starts = data.word_starts;
  if (starts[0] < 0) return LoadError::DamagedWordStarts;
  for (int w = 0; w < data.word_count; ++w)
    if (starts[static_cast<std::size_t>(w)] > starts[static_cast<std::size_t>(w) + 1])
      return LoadError::DamagedWordStarts;
  return LoadError::None;
}

LoadError CheckWordIndex(const BibleData& data) {
  // One pass without early exit, so that the compiler can compare many
  // entries at a time: the index is the largest file read at start-up.
  std::uint16_t highest = 0;
  for (std::size_t i = 0; i < data.word_verse_count; ++i)
    highest = data.word_verses[i] > highest ? data.word_verses[i] : highest;
  return highest > kLastVerse ? LoadError::DamagedWordIndex : LoadError::None;
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
  for (VerseIndex v = 0; v <= kLastVerse; ++v) {
    int book = BookOf(data, v);
    if (book < 1 || book > kBookCount) return LoadError::DamagedVerseTable;
  }
  return LoadError::None;
}

// Every verse must end with a NUL inside the text file and fit the 600-byte
// work buffers; since the texts are back to back, it is enough to look at the
// byte before each next verse's offset.
LoadError CheckText(const BibleData& data) {
  const unsigned char* text = data.text_file.data;
  std::size_t size = data.text_file.size;
  if (size == 0 || text[size - 1] != 0) return LoadError::DamagedText;
  for (VerseIndex v = 0; v <= kLastVerse; ++v) {
    std::int64_t start = RecordOf(data, v).offset;
    std::int64_t end = v < kLastVerse ? RecordOf(data, v + 1).offset : static_cast<std::int64_t>(size);
    if (start < 0 || end <= start || end > static_cast<std::int64_t>(size)) return LoadError::DamagedText;
    if (end - start > kMaxVerseBytes + 1 || text[end - 1] != 0) return LoadError::DamagedText;
  }
  return LoadError::None;
}

LoadError Load(Files& files, BibleData* data, std::string* failed_file) {
  auto fail = [&](LoadError error, const char* name) {
    if (failed_file) *failed_file = name;
    return error;
  };
  LoadError error;

  if (!files.Map(kWordFileName, OpenMode::ReadSequential, &data->word_file))
    return fail(LoadError::MissingFile, kWordFileName);
  if ((error = IndexWords(data)) != LoadError::None) return fail(error, kWordFileName);

  std::vector<unsigned char> starts;
  if ((error = ReadFileInto(files, kWordStartFileName, 0, &starts)) != LoadError::None)
    return fail(error, kWordStartFileName);
  if (starts.size() > sizeof data->word_starts) return fail(LoadError::DamagedWordStarts, kWordStartFileName);
  data->word_starts.fill(0);
  if (!starts.empty()) std::memcpy(data->word_starts.data(), starts.data(), starts.size());

  if ((error = MapWordIndex(files, data)) != LoadError::None) return fail(error, kWordIndexFileName);
  data->word_starts[static_cast<std::size_t>(data->word_count)] = static_cast<std::int32_t>(data->word_verse_count);
  if ((error = CheckWordStarts(*data)) != LoadError::None) return fail(error, kWordStartFileName);
  if ((error = CheckWordIndex(*data)) != LoadError::None) return fail(error, kWordIndexFileName);

  if ((error = ReadFileInto(files, kVerseTableFileName, kVerseRecordBytes, &data->verse_table)) != LoadError::None)
    return fail(error, kVerseTableFileName);
  if ((error = CheckVerseTable(*data)) != LoadError::None) return fail(error, kVerseTableFileName);

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
  data->word_count = 0;
  data->words.fill(nullptr);
  data->word_starts.fill(0);
  data->word_verses = nullptr;
  data->word_verse_count = 0;
  std::vector<std::uint16_t>().swap(data->converted_verses);
  std::vector<unsigned char>().swap(data->verse_table);
  data->loaded = false;
}

}  // namespace kv
