// Helpers shared by the native tests: the real KJV data built by our tool,
// and scratch folders.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/files.h"
#include "store/bible_data.h"

namespace kv::testing {

inline std::string DataDir() { return KELVANE_TEST_DATA_DIR; }

// The real data, loaded once per test process and never released.
inline const BibleData& RealBible() {
  static Files* files = MakeSystemFiles(DataDir()).release();
  static BibleData* data = [] {
    auto* d = new BibleData;
    std::string culprit;
    if (LoadBibleData(*files, d, &culprit) != LoadError::None) {
      std::fprintf(stderr, "cannot load the Bible data from %s (%s)\n", DataDir().c_str(), culprit.c_str());
      std::abort();
    }
    return d;
  }();
  return *data;
}

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvane-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) std::abort();
    path_ = buffer.data();
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(*this / name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(*this / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void CopyFrom(const std::string& folder, const std::string& name) const {
    std::filesystem::copy_file(folder + "/" + name, *this / name,
                               std::filesystem::copy_options::overwrite_existing);
  }

 private:
  std::string path_;
};

}  // namespace kv::testing
