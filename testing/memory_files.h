// A files port over a folder held in memory: name -> bytes. For running the
// loaders on arbitrary contents without touching a disk (the fuzz harnesses).
// Names are compared exactly; List compares the suffix without regard to
// ASCII case, as the system ports do.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/text_util.h"

namespace kv::testing {

class MemoryFiles final : public Files {
 public:
  std::map<std::string, std::string> files;

  FileHandle Open(const std::string& name, OpenMode mode) override {
    auto found = files.find(name);
    switch (mode) {
      case OpenMode::ReadSequential:
      case OpenMode::ReadRandom:
      case OpenMode::ReadNoLink:
      case OpenMode::ReadWrite:
        if (found == files.end()) return kNoFile;
        break;
      case OpenMode::CreateNew:
        files[name].clear();
        break;
      case OpenMode::CreateExclusive:
        if (found != files.end()) return kNoFile;
        files[name];
        break;
    }
    FileHandle handle = next_handle_++;
    open_[handle] = {name, 0};
    return handle;
  }
  void Close(FileHandle file) override { open_.erase(file); }
  std::int64_t Size(FileHandle file) override {
    std::string* bytes = BytesOf(file);
    return bytes ? static_cast<std::int64_t>(bytes->size()) : -1;
  }
  bool Read(FileHandle file, void* buffer, std::size_t size, std::size_t* got) override {
    *got = 0;
    std::string* bytes = BytesOf(file);
    if (!bytes) return false;
    std::size_t& at = open_[file].position;
    if (at < bytes->size()) {
      *got = std::min(size, bytes->size() - at);
      std::memcpy(buffer, bytes->data() + at, *got);
      at += *got;
    }
    return true;
  }
  bool Write(FileHandle file, const void* buffer, std::size_t size) override {
    std::string* bytes = BytesOf(file);
    if (!bytes) return false;
    std::size_t& at = open_[file].position;
    if (bytes->size() < at + size) bytes->resize(at + size);
    if (size) std::memcpy(&(*bytes)[at], buffer, size);
    at += size;
    return true;
  }
  bool Seek(FileHandle file, std::int64_t offset) override {
    if (!BytesOf(file) || offset < 0) return false;
    open_[file].position = static_cast<std::size_t>(offset);
    return true;
  }
  bool Flush(FileHandle file) override { return BytesOf(file) != nullptr; }

  bool Remove(const std::string& name) override { return files.erase(name) > 0; }
  bool Discard(const std::string& name) override {
    files.erase(name);
    return true;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    if (files.count(from) == 0 || files.count(to) > 0) return false;
    files[to] = std::move(files[from]);
    files.erase(from);
    Retarget(from, to);
    return true;
  }
  bool Replace(const std::string& from, const std::string& to) override {
    if (files.count(from) == 0) return false;
    if (from == to) return true;
    files[to] = std::move(files[from]);
    files.erase(from);
    Retarget(from, to);
    return true;
  }
  bool Exists(const std::string& name) override { return files.count(name) > 0; }
  bool List(const std::string& suffix, std::vector<std::string>* out) override {
    std::vector<std::string>& names = *out;
    names.clear();
    for (const auto& [name, bytes] : files) {
      if (name.size() < suffix.size()) continue;
      bool same = true;
      for (std::size_t i = 0; i < suffix.size() && same; ++i)
        same = ToLowerAscii(static_cast<unsigned char>(name[name.size() - suffix.size() + i])) ==
               ToLowerAscii(static_cast<unsigned char>(suffix[i]));
      if (same) names.push_back(name);
    }
    return true;
  }

  // The view is a copy, so a later write to the file leaves it as it was.
  bool Map(const std::string& name, OpenMode, Mapping* mapping) override {
    auto found = files.find(name);
    if (found == files.end()) return false;
    *mapping = Mapping{};
    if (found->second.empty()) return true;
    auto* copy = new std::vector<unsigned char>(found->second.begin(), found->second.end());
    mapping->data = copy->data();
    mapping->size = copy->size();
    mapping->token = reinterpret_cast<std::intptr_t>(copy);
    return true;
  }
  void Unmap(Mapping* mapping) override {
    delete reinterpret_cast<std::vector<unsigned char>*>(mapping->token);
    *mapping = Mapping{};
  }

 private:
  struct OpenFile {
    std::string name;
    std::size_t position = 0;
  };
  std::string* BytesOf(FileHandle file) {
    auto handle = open_.find(file);
    if (handle == open_.end()) return nullptr;
    auto found = files.find(handle->second.name);
    return found == files.end() ? nullptr : &found->second;
  }
  void Retarget(const std::string& from, const std::string& to) {
    for (auto& [handle, open] : open_)
      if (open.name == from) open.name = to;
  }
  std::map<FileHandle, OpenFile> open_;
  FileHandle next_handle_ = 3;
};

}  // namespace kv::testing
