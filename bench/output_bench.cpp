// The outputs that run while the user waits: copying and saving the whole
// Bible as a range and as a verse list, and the settings read and write.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "output/list_output.h"
#include "output/range_output.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "shell/settings.h"
#include "store/bible_data.h"
#include "testing/memory_clipboard.h"
#include "testing/recording_user_services.h"
#include "testing/test_support.h"

namespace {

std::string ScratchFolder() {
  auto folder = std::filesystem::temp_directory_path() / "kelvane-output-bench";
  std::filesystem::create_directories(folder);
  return folder.string();
}

void BM_CopyWholeBibleAsRange(benchmark::State& state) {
  const kv::BibleData& data = kv::testing::RealBible();
  kv::FormatOptions options;
  for (auto _ : state) {
    kv::testing::MemoryClipboard clipboard;
    kv::testing::RecordingUserServices messages;
    kv::CopyRangeToClipboard(data, options, 0, kv::kLastVerse, clipboard, messages);
    benchmark::DoNotOptimize(clipboard.text.size());
  }
}
BENCHMARK(BM_CopyWholeBibleAsRange)->Unit(benchmark::kMillisecond);

void BM_SaveWholeBibleAsRange(benchmark::State& state) {
  const kv::BibleData& data = kv::testing::RealBible();
  auto files = kv::MakeSystemFiles(ScratchFolder());
  kv::FormatOptions options;
  kv::testing::RecordingUserServices messages;
  for (auto _ : state) kv::SaveRangeToFile(data, options, 0, kv::kLastVerse, *files, "bible.txt", nullptr, messages);
}
BENCHMARK(BM_SaveWholeBibleAsRange)->Unit(benchmark::kMillisecond);

void BM_CopyWholeBibleAsVerseList(benchmark::State& state) {
  const kv::BibleData& data = kv::testing::RealBible();
  std::vector<kv::VerseIndex> list;
  for (kv::VerseIndex v = 0; v <= kv::kLastVerse; ++v) list.push_back(v);
  list.push_back(kv::kNoVerse);
  for (auto _ : state) {
    kv::testing::MemoryClipboard clipboard;
    kv::testing::RecordingUserServices messages;
    kv::CopyVerseList(data, list.data(), clipboard, messages);
    benchmark::DoNotOptimize(clipboard.text.size());
  }
}
BENCHMARK(BM_CopyWholeBibleAsVerseList)->Unit(benchmark::kMillisecond);

void BM_SaveAndLoadSettings(benchmark::State& state) {
  auto files = kv::MakeSystemFiles(ScratchFolder());
  auto profile = kv::MakeIniProfile(*files, kv::kSettingsFileName);
  kv::Settings settings;
  kv::SettingsContext context;
  context.note_set_count = 1;
  for (auto _ : state) {
    kv::SaveSettings(*profile, settings);
    benchmark::DoNotOptimize(kv::LoadSettings(*profile, context).CurrentVerse);
  }
}
BENCHMARK(BM_SaveAndLoadSettings)->Unit(benchmark::kMillisecond);

}  // namespace
