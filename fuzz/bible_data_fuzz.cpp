// The Bible data loader on damaged copies of the real files, in memory. The
// first byte picks one of the five files and how it is damaged: replaced by
// the input, cut at a point the input gives, or overwritten there by the
// input's bytes. A load that succeeds must leave every verse text and every
// word's run readable without reading outside the files.
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "fuzz/fuzz_support.h"
#include "store/bible_data.h"
#include "testing/memory_files.h"

namespace {

const std::map<std::string, std::string>& RealFiles() {
  static auto* files = [] {
    auto* loaded = new std::map<std::string, std::string>;
    static kv::Files& disk = *kv::MakeSystemFiles(KELVANE_FUZZ_DATA_DIR).release();
    for (const char* name : {kv::kWordFileName, kv::kWordStartFileName, kv::kWordIndexFileName,
                             kv::kVerseTableFileName, kv::kTextFileName}) {
      kv::FileHandle file = disk.Open(name, kv::OpenMode::ReadSequential);
      std::vector<unsigned char> bytes;
      KV_FUZZ_CHECK(file != kv::kNoFile && kv::ReadAll(disk, file, &bytes));
      disk.Close(file);
      (*loaded)[name] = std::string(bytes.begin(), bytes.end());
    }
    return loaded;
  }();
  return *files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size < 5) return 0;
  static const char* const names[] = {kv::kWordFileName, kv::kWordStartFileName, kv::kWordIndexFileName,
                                      kv::kVerseTableFileName, kv::kTextFileName};
  const std::uint8_t choice = bytes[0];
  std::uint32_t at;
  std::memcpy(&at, bytes + 1, 4);
  const std::string patch(reinterpret_cast<const char*>(bytes + 5), size - 5);

  kv::testing::MemoryFiles files;
  files.files = RealFiles();
  std::string& target = files.files[names[choice % 5]];
  switch (choice / 5 % 4) {
    case 0:
      target = patch;
      break;
    case 1:
      target.resize(target.empty() ? 0 : at % target.size());
      break;
    case 2:
      files.files.erase(names[choice % 5]);
      break;
    default: {
      const std::size_t from = target.empty() ? 0 : at % target.size();
      if (target.size() < from + patch.size()) target.resize(from + patch.size());
      std::memcpy(&target[from], patch.data(), patch.size());
      break;
    }
  }

  kv::BibleData data;
  std::string culprit;
  const kv::LoadError result = kv::LoadBibleData(files, &data, &culprit);
  if (result == kv::LoadError::None) {
    KV_FUZZ_CHECK(data.word_count >= 0 && data.word_count <= kv::kMaxWords);
    std::size_t letters = 0;
    for (kv::VerseIndex v = 0; v < kv::kVerseCount; ++v) {
      const int book = kv::BookOf(data, v);
      KV_FUZZ_CHECK(book >= 1 && book <= kv::kBookCount);
      letters += std::strlen(kv::VerseText(data, v));
    }
    KV_FUZZ_CHECK(letters > 0);
    for (int w = 0; w < data.word_count; ++w) {
      KV_FUZZ_CHECK(std::strlen(kv::WordAt(data, w)) < 1000);
      for (const std::uint16_t* p = kv::WordVersesOf(data, w).begin; p != kv::WordVersesOf(data, w).end; ++p)
        KV_FUZZ_CHECK(*p < kv::kVerseCount);
    }
    kv::ReleaseBibleData(files, &data);
  } else {
    KV_FUZZ_CHECK(!culprit.empty() || result == kv::LoadError::OutOfMemory);
    kv::ReleaseBibleData(files, &data);
  }
  return 0;
}
