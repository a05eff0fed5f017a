// Start-up cost of the store: mapping, reading and checking the five files.
#include <benchmark/benchmark.h>

#include "platform/files.h"
#include "store/bible_data.h"
#include "store/verse_address.h"

namespace {

void BM_LoadBibleData(benchmark::State& state) {
  auto files = kv::MakeSystemFiles(KELVANE_TEST_DATA_DIR);
  kv::BibleData data;
  for (auto _ : state) {
    if (kv::LoadBibleData(*files, &data) != kv::LoadError::None) {
      state.SkipWithError("cannot load the data");
      break;
    }
    kv::ReleaseBibleData(*files, &data);
  }
}
BENCHMARK(BM_LoadBibleData)->Unit(benchmark::kMillisecond);

void BM_FindVerseRevelation(benchmark::State& state) {
  auto files = kv::MakeSystemFiles(KELVANE_TEST_DATA_DIR);
  kv::BibleData data;
  kv::LoadBibleData(*files, &data);
  for (auto _ : state) benchmark::DoNotOptimize(kv::FindVerse(data, 66, 22, 21));
  kv::ReleaseBibleData(*files, &data);
}
BENCHMARK(BM_FindVerseRevelation)->Unit(benchmark::kMicrosecond);

}  // namespace
