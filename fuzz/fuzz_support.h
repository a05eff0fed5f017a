// Shared by the fuzz harnesses: the real Bible data, loaded once per process
// from the native build's data folder, and the check that stops a run when a
// promise of the code under test is broken (libFuzzer records a crash).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "store/bible_data.h"

namespace kv::fuzz {

inline const BibleData& RealBible() {
  static Files* files = MakeSystemFiles(KELVANE_FUZZ_DATA_DIR).release();
  static BibleData* data = [] {
    auto* d = new BibleData;
    std::string culprit;
    if (LoadBibleData(*files, d, &culprit) != LoadError::None) {
      std::fprintf(stderr, "cannot load the Bible data from %s (%s)\n", KELVANE_FUZZ_DATA_DIR, culprit.c_str());
      std::abort();
    }
    return d;
  }();
  return *data;
}

#define KV_FUZZ_CHECK(condition)                                                  \
  do {                                                                            \
    if (!(condition)) {                                                           \
      std::fprintf(stderr, "%s:%d: broken promise: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                               \
    }                                                                             \
  } while (0)

}  // namespace kv::fuzz
