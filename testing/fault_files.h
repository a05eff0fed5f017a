// A files port that fails on command, for proving that an operation survives
// any failing call and any moment of a power cut. It passes every call to a
// real port, numbering the calls from 0:
//  - FailCall(n): call n fails (and does nothing); the others work.
//  - FailFirst(op, name): the first call `op` on `name` fails.
//  - CrashAt(n): call n and every later one fail without touching anything,
//    as if the machine had stopped there. Handles left open are closed when
//    the double goes, as the system would close them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/files.h"

namespace kv::testing {

class FaultFiles final : public Files {
 public:
  struct Call {
    std::string op;    // "Open", "Read", "Write", ...
    std::string name;  // the file the call works on
  };

  explicit FaultFiles(Files& real) : real_(real) {}
  ~FaultFiles() override {
    for (const auto& [handle, name] : open_) real_.Close(handle);
  }

  void FailCall(int n) { fail_at_ = n; }
  void FailFirst(const std::string& op, const std::string& name) { fail_first_ = Call{op, name}; }
  void CrashAt(int n) { crash_at_ = n; }
  const std::vector<Call>& calls() const { return calls_; }
  bool crashed() const { return crashed_; }

  FileHandle Open(const std::string& name, OpenMode mode) override {
    if (!Go("Open", name)) return kNoFile;
    FileHandle file = real_.Open(name, mode);
    if (file != kNoFile) open_[file] = name;
    return file;
  }
  void Close(FileHandle file) override {
    // Closing cannot fail; only a stopped machine leaves the file open.
    if (file == kNoFile) return;
    Go("Close", NameOf(file));
    if (crashed_) return;
    open_.erase(file);
    real_.Close(file);
  }
  std::int64_t Size(FileHandle file) override { return Go("Size", NameOf(file)) ? real_.Size(file) : -1; }
  bool Read(FileHandle file, void* buffer, std::size_t size, std::size_t* got) override {
    *got = 0;
    return Go("Read", NameOf(file)) && real_.Read(file, buffer, size, got);
  }
  bool Write(FileHandle file, const void* buffer, std::size_t size) override {
    return Go("Write", NameOf(file)) && real_.Write(file, buffer, size);
  }
  bool Seek(FileHandle file, std::int64_t offset) override {
    return Go("Seek", NameOf(file)) && real_.Seek(file, offset);
  }
  bool Flush(FileHandle file) override { return Go("Flush", NameOf(file)) && real_.Flush(file); }
  bool Remove(const std::string& name) override { return Go("Remove", name) && real_.Remove(name); }
  bool Discard(const std::string& name) override { return Go("Discard", name) && real_.Discard(name); }
  bool Rename(const std::string& from, const std::string& to) override {
    return Go("Rename", from) && real_.Rename(from, to);
  }
  bool Replace(const std::string& from, const std::string& to) override {
    return Go("Replace", from) && real_.Replace(from, to);
  }
  bool Exists(const std::string& name) override { return Go("Exists", name) && real_.Exists(name); }
  bool List(const std::string& suffix, std::vector<std::string>* names) override {
    names->clear();
    return Go("List", suffix) && real_.List(suffix, names);
  }
  bool Map(const std::string& name, OpenMode hint, Mapping* mapping) override {
    *mapping = Mapping{};
    return Go("Map", name) && real_.Map(name, hint, mapping);
  }
  void Unmap(Mapping* mapping) override { real_.Unmap(mapping); }

 private:
  // Numbers the call; false when it is to fail.
  bool Go(const char* op, const std::string& name) {
    int n = static_cast<int>(calls_.size());
    calls_.push_back(Call{op, name});
    if (n == crash_at_) crashed_ = true;
    if (fail_first_.op == op && fail_first_.name == name) {
      fail_first_ = Call{};
      return false;
    }
    return !crashed_ && n != fail_at_;
  }
  std::string NameOf(FileHandle file) const {
    auto found = open_.find(file);
    return found == open_.end() ? std::string() : found->second;
  }

  Files& real_;
  int fail_at_ = -1;
  int crash_at_ = -1;
  Call fail_first_;
  bool crashed_ = false;
  std::vector<Call> calls_;
  std::map<FileHandle, std::string> open_;
};

}  // namespace kv::testing
