// Searches on the real data, each with its result list built and every
// listed verse marked: what the user waits for after OK.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/files.h"
#include "search/key_marker.h"
#include "search/search_results.h"
#include "search/word_search.h"
#include "store/bible_data.h"
#include "store/reference_parser.h"
#include "testing/test_support.h"

namespace {

struct Query {
  const char* text;
  kv::SearchDialog dialog;
  int boolean_type;
  bool case_sensitive;
  bool sub_string;
};

const Query kQueries[] = {
    {"the", kv::SearchDialog::WordSearch, kv::kAllWords, false, false},
    {"Emmanuel", kv::SearchDialog::WordSearch, kv::kAllWords, false, false},
    {"love", kv::SearchDialog::WordSearch, kv::kAllWords, false, true},
    {"LORD", kv::SearchDialog::WordSearch, kv::kAllWords, true, false},
    {"faith hope charity", kv::SearchDialog::WordSearch, kv::kAnyWord, false, false},
    {"and the", kv::SearchDialog::WordSearch, kv::kOneWord, false, false},
    {"e", kv::SearchDialog::WordSearch, kv::kAllWords, false, true},
    {"the LORD", kv::SearchDialog::Phrase, kv::kAllWords, false, false},
    {"of the", kv::SearchDialog::Phrase, kv::kAllWords, true, false},
    {"the", kv::SearchDialog::Phrase, kv::kAllWords, false, false},
};

void IgnoreMarkedVerse(void*, int, const char* marked, std::size_t) { benchmark::DoNotOptimize(marked); }

// A whole search: query taken, engine run, list built with its occurrence
// count; with `marked`, also every listed verse marked in full and handed
// to a sink, as the command-line tool prints a list.
void TimeSearch(benchmark::State& state, bool marked) {
  const Query& q = kQueries[state.range(0)];
  const kv::BibleData& data = kv::testing::RealBible();
  static auto* search = new kv::SearchState;
  search->options.boolean_type = q.boolean_type;
  search->options.case_sensitive = q.case_sensitive;
  search->options.sub_string = q.sub_string;
  kv::MarkedVerseSink sink = marked ? IgnoreMarkedVerse : nullptr;
  for (auto _ : state) {
    kv::TakeQuery(*search, q.dialog, q.text);
    benchmark::DoNotOptimize(kv::RunSearch(data, *search, q.dialog, sink, nullptr));
  }
  state.SetLabel(std::string(q.dialog == kv::SearchDialog::Phrase ? "phrase \"" : "words \"") + q.text + "\"" +
                 (q.case_sensitive ? " case" : "") + (q.sub_string ? " substring" : "") +
                 (marked ? ", marked" : ": " + std::to_string(search->result_count) + " verses"));
}

void BM_Search(benchmark::State& state) { TimeSearch(state, false); }
BENCHMARK(BM_Search)->DenseRange(0, sizeof kQueries / sizeof kQueries[0] - 1)->Unit(benchmark::kMillisecond);

void BM_SearchMarked(benchmark::State& state) { TimeSearch(state, true); }
BENCHMARK(BM_SearchMarked)->DenseRange(0, sizeof kQueries / sizeof kQueries[0] - 1)->Unit(benchmark::kMillisecond);

// The engine alone, without the list.
void BM_RunWordSearchThe(benchmark::State& state) {
  const kv::BibleData& data = kv::testing::RealBible();
  static auto* search = new kv::SearchState;
  kv::TakeQuery(*search, kv::SearchDialog::WordSearch, "the");
  for (auto _ : state) benchmark::DoNotOptimize(kv::RunWordSearch(data, *search));
}
BENCHMARK(BM_RunWordSearchThe)->Unit(benchmark::kMicrosecond);

// Marking one verse, as the verse list does for every verse it paints.
void BM_MarkKeysVerse(benchmark::State& state) {
  const kv::BibleData& data = kv::testing::RealBible();
  static auto* search = new kv::SearchState;
  kv::TakeQuery(*search, kv::SearchDialog::WordSearch, "lord god");
  char buffer[kv::kMarkBufferSize];
  const char* text = kv::VerseText(data, 0);
  for (auto _ : state) {
    std::snprintf(buffer, sizeof buffer, "%s", text);
    benchmark::DoNotOptimize(kv::MarkKeys(*search, buffer, sizeof buffer));
  }
}
BENCHMARK(BM_MarkKeysVerse)->Unit(benchmark::kNanosecond);

void BM_ParseReferenceRange(benchmark::State& state) {
  const kv::BibleData& data = kv::testing::RealBible();
  for (auto _ : state) {
    char text[] = "1 John 3:16 - Revelation 22:21";
    kv::VerseIndex first, last;
    benchmark::DoNotOptimize(kv::ParseReference(data, text, &first, &last));
  }
}
BENCHMARK(BM_ParseReferenceRange)->Unit(benchmark::kMicrosecond);

}  // namespace
