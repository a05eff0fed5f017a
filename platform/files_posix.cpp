// POSIX files: open/read/write and mmap, for the native build and tests.
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>  // renameat2

#include "platform/files.h"
#include "platform/text_util.h"

namespace kv {
namespace {

class PosixFiles final : public Files {
 public:
  explicit PosixFiles(std::string folder) : folder_(std::move(folder)) {}

  FileHandle Open(const std::string& name, OpenMode mode) override {
    int flags = O_RDONLY;
    if (mode == OpenMode::ReadNoLink) flags = O_RDONLY | O_NOFOLLOW;
    if (mode == OpenMode::ReadWrite) flags = O_RDWR;
    if (mode == OpenMode::CreateNew) flags = O_RDWR | O_CREAT | O_TRUNC;
    if (mode == OpenMode::CreateExclusive) flags = O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW;
    int fd = ::open(PathOf(name).c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) return kNoFile;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      return kNoFile;
    }
    if (mode == OpenMode::ReadSequential || mode == OpenMode::ReadNoLink) ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    if (mode == OpenMode::ReadRandom) ::posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM);
    return fd;
  }

  void Close(FileHandle file) override {
    if (file != kNoFile) ::close(static_cast<int>(file));
  }

  std::int64_t Size(FileHandle file) override {
    struct stat st;
    if (::fstat(static_cast<int>(file), &st) != 0) return -1;
    return st.st_size;
  }

  bool Read(FileHandle file, void* buffer, std::size_t size, std::size_t* got) override {
    auto* p = static_cast<unsigned char*>(buffer);
    *got = 0;
    while (*got < size) {
      ssize_t n = ::read(static_cast<int>(file), p + *got, size - *got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) break;
      *got += static_cast<std::size_t>(n);
    }
    return true;
  }

  bool Write(FileHandle file, const void* buffer, std::size_t size) override {
    auto* p = static_cast<const unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
      ssize_t n = ::write(static_cast<int>(file), p + done, size - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  }

  bool Seek(FileHandle file, std::int64_t offset) override {
    return ::lseek(static_cast<int>(file), static_cast<off_t>(offset), SEEK_SET) == offset;
  }

  bool Flush(FileHandle file) override { return ::fsync(static_cast<int>(file)) == 0; }

  bool Remove(const std::string& name) override { return ::unlink(PathOf(name).c_str()) == 0; }

  bool Discard(const std::string& name) override {
    return ::unlink(PathOf(name).c_str()) == 0 || errno == ENOENT;
  }

  bool Rename(const std::string& from, const std::string& to) override {
    // MoveFile semantics: never replace an existing file.
    const std::string source = PathOf(from), target = PathOf(to);
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
    // A file system without an exclusive rename: a second name, then the
    // first one goes; if it cannot, the second goes again.
    if (::link(source.c_str(), target.c_str()) != 0) return false;
    if (::unlink(source.c_str()) == 0) return true;
    ::unlink(target.c_str());
    return false;
  }

  bool Replace(const std::string& from, const std::string& to) override {
    return ::rename(PathOf(from).c_str(), PathOf(to).c_str()) == 0;
  }

  bool Exists(const std::string& name) override {
    struct stat st;
    return ::stat(PathOf(name).c_str(), &st) == 0;
  }

  bool List(const std::string& suffix, std::vector<std::string>* names) override {
    names->clear();
    DIR* dir = ::opendir(folder_.empty() ? "." : folder_.c_str());
    if (!dir) return false;
    bool ok = true;
    for (;;) {
      errno = 0;
      dirent* entry = ::readdir(dir);
      if (!entry) {
        ok = errno == 0;
        break;
      }
      std::string name = entry->d_name;
      if (name.size() < suffix.size() ||
          !EqualsIgnoringAsciiCase(name.c_str() + name.size() - suffix.size(), suffix.c_str()))
        continue;
      if (entry->d_type == DT_REG) {
        names->push_back(name);
        continue;
      }
      if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) continue;
      // A link to a file counts as the file; a name that vanished or leads
      // nowhere is none; a name that cannot be looked at spoils the list.
      struct stat st;
      if (::stat(PathOf(name).c_str(), &st) == 0) {
        if (S_ISREG(st.st_mode)) names->push_back(name);
      } else if (errno != ENOENT) {
        ok = false;
        break;
      }
    }
    ::closedir(dir);
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
    if (size > 0) {
      void* view = ::mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_PRIVATE,
                          static_cast<int>(file), 0);
      if (view == MAP_FAILED) {
        Close(file);
        return false;
      }
      mapping->data = static_cast<const unsigned char*>(view);
      mapping->size = static_cast<std::size_t>(size);
    }
    Close(file);
    return true;
  }

  void Unmap(Mapping* mapping) override {
    if (mapping->data) ::munmap(const_cast<unsigned char*>(mapping->data), mapping->size);
    *mapping = Mapping{};
  }

 private:
  std::string PathOf(const std::string& name) const {
    if (folder_.empty() || (!name.empty() && name[0] == '/')) return name;
    return folder_ + "/" + name;
  }

  std::string folder_;
};

}  // namespace

std::unique_ptr<Files> MakeSystemFiles(const std::string& folder) {
  return std::make_unique<PosixFiles>(folder);
}

}  // namespace kv
