// Win32 files: CreateFileA / ReadFile / WriteFile and read-only mappings.
#include <windows.h>

#include <algorithm>

#include "platform/files.h"
#include "platform/text_util.h"

namespace kv {
namespace {

HANDLE AsHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

class WinFiles final : public Files {
 public:
  explicit WinFiles(std::string folder) : folder_(std::move(folder)) {}

  FileHandle Open(const std::string& name, OpenMode mode) override {
    DWORD access = GENERIC_READ, share = FILE_SHARE_READ, disposition = OPEN_EXISTING;
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    switch (mode) {
      case OpenMode::ReadSequential: flags = FILE_FLAG_SEQUENTIAL_SCAN; break;
      case OpenMode::ReadRandom: flags = FILE_FLAG_RANDOM_ACCESS; break;
      case OpenMode::ReadNoLink: {
        DWORD attributes = GetFileAttributesA(PathOf(name).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return kNoFile;
        flags = FILE_FLAG_SEQUENTIAL_SCAN;
        break;
      }
      case OpenMode::ReadWrite: access = GENERIC_READ | GENERIC_WRITE; share = 0; break;
      case OpenMode::CreateNew:
        access = GENERIC_READ | GENERIC_WRITE;
        share = 0;
        disposition = CREATE_ALWAYS;
        break;
      case OpenMode::CreateExclusive:
        access = GENERIC_READ | GENERIC_WRITE;
        share = 0;
        disposition = CREATE_NEW;
        break;
    }
    HANDLE h = CreateFileA(PathOf(name).c_str(), access, share, nullptr, disposition, flags, nullptr);
    if (h == INVALID_HANDLE_VALUE) return kNoFile;
    return reinterpret_cast<FileHandle>(h);
  }

  void Close(FileHandle file) override {
    if (file != kNoFile) CloseHandle(AsHandle(file));
  }

  std::int64_t Size(FileHandle file) override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(AsHandle(file), &size)) return -1;
    return size.QuadPart;
  }

  bool Read(FileHandle file, void* buffer, std::size_t size, std::size_t* got) override {
    auto* p = static_cast<unsigned char*>(buffer);
    *got = 0;
    while (*got < size) {
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - *got, 1u << 30));
      DWORD n = 0;
      if (!ReadFile(AsHandle(file), p + *got, chunk, &n, nullptr)) return false;
      if (n == 0) break;
      *got += n;
    }
    return true;
  }

  bool Write(FileHandle file, const void* buffer, std::size_t size) override {
    auto* p = static_cast<const unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
      DWORD n = 0;
      if (!WriteFile(AsHandle(file), p + done, chunk, &n, nullptr) || n == 0) return false;
      done += n;
    }
    return true;
  }

  bool Seek(FileHandle file, std::int64_t offset) override {
    LARGE_INTEGER to;
    to.QuadPart = offset;
    return SetFilePointerEx(AsHandle(file), to, nullptr, FILE_BEGIN) != 0;
  }

  bool Flush(FileHandle file) override { return FlushFileBuffers(AsHandle(file)) != 0; }

  bool Remove(const std::string& name) override { return DeleteFileA(PathOf(name).c_str()) != 0; }

  bool Discard(const std::string& name) override {
    // DeleteFileA takes a symbolic link away itself, not what it points to.
    if (DeleteFileA(PathOf(name).c_str())) return true;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }

  bool Rename(const std::string& from, const std::string& to) override {
    return MoveFileA(PathOf(from).c_str(), PathOf(to).c_str()) != 0;
  }

  bool Replace(const std::string& from, const std::string& to) override {
    return MoveFileExA(PathOf(from).c_str(), PathOf(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  bool Exists(const std::string& name) override {
    return GetFileAttributesA(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  bool List(const std::string& suffix, std::vector<std::string>* names) override {
    names->clear();
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(PathOf("*" + suffix).c_str(), &found);
    // A folder that holds no match answers "file not found"; a folder that
    // is not there or cannot be read answers anything else.
    if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
      std::string name = found.cFileName;
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name.size() >= suffix.size() &&
          EqualsIgnoringAsciiCase(name.c_str() + name.size() - suffix.size(), suffix.c_str()))
        names->push_back(name);
    } while (FindNextFileA(find, &found));
    bool ok = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(find);
    if (!ok) names->clear();
    return ok;
  }

  bool Map(const std::string& name, OpenMode hint, Mapping* mapping) override {
    *mapping = Mapping{};
    FileHandle file = Open(name, hint);
    if (file == kNoFile) return false;
    std::int64_t size = Size(file);
    if (size < 0) {
      Close(file);
      return false;
    }
    if (size == 0) {  // an empty file cannot be mapped; it has nothing to show
      Close(file);
      return true;
    }
    HANDLE map = CreateFileMappingA(AsHandle(file), nullptr, PAGE_READONLY, 0, 0, nullptr);
    Close(file);
    if (!map) return false;
    void* view = MapViewOfFile(map, FILE_MAP_READ, 0, 0, 0);
    if (!view) {
      CloseHandle(map);
      return false;
    }
    mapping->data = static_cast<const unsigned char*>(view);
    mapping->size = static_cast<std::size_t>(size);
    mapping->token = reinterpret_cast<std::intptr_t>(map);
    return true;
  }

  void Unmap(Mapping* mapping) override {
    if (mapping->data) UnmapViewOfFile(mapping->data);
    if (mapping->token) CloseHandle(reinterpret_cast<HANDLE>(mapping->token));
    *mapping = Mapping{};
  }

 private:
  std::string PathOf(const std::string& name) const {
    if (folder_.empty() || (name.size() > 1 && name[1] == ':') || (!name.empty() && name[0] == '\\'))
      return name;
    return folder_ + "\\" + name;
  }

  std::string folder_;
};

}  // namespace

std::unique_ptr<Files> MakeSystemFiles(const std::string& folder) {
  return std::make_unique<WinFiles>(folder);
}

}  // namespace kv
