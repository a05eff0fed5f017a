// The files port: everything the core does with files goes through here, so
// that the same code runs on Windows, on POSIX, and against a test double
// that fails on command.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kv {

using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;

enum class OpenMode {
  ReadSequential,  // existing file, read only, read front to back
  ReadRandom,      // existing file, read only, read in arbitrary order
  ReadNoLink,      // as ReadSequential, but never through a symbolic link
  ReadWrite,       // existing file, read and write
  CreateNew,       // create or truncate, read and write
  CreateExclusive, // create a file whose name must not exist yet (not even as
                   // a symbolic link), read and write
};

// A read-only view of a whole file. An empty file maps to data == nullptr.
struct Mapping {
  const unsigned char* data = nullptr;
  std::size_t size = 0;
  std::intptr_t token = 0;  // owned by the port
};

class Files {
 public:
  virtual ~Files() = default;

  // Names are plain file names (or paths) as the program uses them; each
  // implementation resolves them against its own folder.
  virtual FileHandle Open(const std::string& name, OpenMode mode) = 0;
  virtual void Close(FileHandle file) = 0;
  // Size of an open file, or -1.
  virtual std::int64_t Size(FileHandle file) = 0;
  // Reads up to `size` bytes; `*got` is what arrived. False on an I/O error.
  virtual bool Read(FileHandle file, void* buffer, std::size_t size, std::size_t* got) = 0;
  // Writes all of `size` bytes or fails.
  virtual bool Write(FileHandle file, const void* buffer, std::size_t size) = 0;
  virtual bool Seek(FileHandle file, std::int64_t offset) = 0;
  // Makes what was written to the file survive a power failure.
  virtual bool Flush(FileHandle file) = 0;

  virtual bool Remove(const std::string& name) = 0;
  // Takes the name away if it exists: a symbolic link or a second name of a
  // file goes itself, never what it points to. True when the name is gone
  // afterwards, also when it never existed.
  virtual bool Discard(const std::string& name) = 0;
  // Moves `from` to `to` in one step; fails when `to` exists. `from` never
  // stays behind as a second name of the file.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // Moves `from` over `to` in one step: afterwards `to` is either the old or
  // the new file, never missing.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  virtual bool Exists(const std::string& name) = 0;
  // Names (without folder) of the files in the folder ending in `suffix`,
  // compared without regard to ASCII case, in the order the system lists them.
  // False when the folder cannot be read; `names` then holds nothing.
  virtual bool List(const std::string& suffix, std::vector<std::string>* names) = 0;

  virtual bool Map(const std::string& name, OpenMode hint, Mapping* mapping) = 0;
  virtual void Unmap(Mapping* mapping) = 0;
};

// Reads the whole of an open file into `out` (resized to the file size).
bool ReadAll(Files& files, FileHandle file, std::vector<unsigned char>* out);

// The system's files, resolved against `folder` ("" = the working directory).
Files& SystemFiles();
std::unique_ptr<Files> MakeSystemFiles(const std::string& folder);

}  // namespace kv
