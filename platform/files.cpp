#include "platform/files.h"

namespace kv {

bool ReadAll(Files& files, FileHandle file, std::vector<unsigned char>* out) {
  std::int64_t size = files.Size(file);
  if (size < 0) return false;
  out->resize(static_cast<std::size_t>(size));
  std::size_t got = 0;
  if (size == 0) return true;
  return files.Read(file, out->data(), out->size(), &got) && got == out->size();
}

Files& SystemFiles() {
  static std::unique_ptr<Files> files = MakeSystemFiles("");
  return *files;
}

}  // namespace kv
