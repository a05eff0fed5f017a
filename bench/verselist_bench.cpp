// Laying out a full 1920x1200 verse list of the Bible's longest verses with
// the fixed-metric canvas, every "the" marked: the paint pass, the measure
// pass and a hit test at the bottom right.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "search/word_search.h"
#include "store/bible_data.h"
#include "testing/fixed_canvas.h"
#include "testing/test_support.h"
#include "verselist/verse_list_layout.h"

namespace {

// A result list of the 300 longest verses, in canonical order, after a
// search for "the".
kv::SearchState& LongVerses() {
  static kv::SearchState* state = [] {
    const kv::BibleData& bible = kv::testing::RealBible();
    std::vector<kv::VerseIndex> verses(kv::kVerseCount);
    for (kv::VerseIndex v = 0; v < kv::kVerseCount; ++v) verses[static_cast<std::size_t>(v)] = v;
    std::sort(verses.begin(), verses.end(), [&](kv::VerseIndex a, kv::VerseIndex b) {
      return std::strlen(kv::VerseText(bible, a)) > std::strlen(kv::VerseText(bible, b));
    });
    verses.resize(300);
    std::sort(verses.begin(), verses.end());
    auto* s = new kv::SearchState;
    for (std::size_t i = 0; i < verses.size(); ++i) s->verse_list[i] = verses[i];
    s->verse_list[verses.size()] = kv::kNoVerse;
    s->result_count = static_cast<std::int32_t>(verses.size());
    std::strcpy(s->search_text_prefill, "the");
    kv::NormalizeQuery(*s);
    return s;
  }();
  return *state;
}

kv::VerseListView FullWindow() {
  kv::VerseListView view;
  view.bible = &kv::testing::RealBible();
  view.search = &LongVerses();
  view.font.weight = kv::kNormalWeight;
  view.width = 1920;
  view.height = 1200;
  return view;
}

void BM_VerseListPaint(benchmark::State& state) {
  kv::VerseListView view = FullWindow();
  kv::SelectionState selection;
  for (auto _ : state) {
    kv::testing::FixedCanvas canvas;
    canvas.runs.reserve(8192);
    benchmark::DoNotOptimize(kv::PaintVerseListLayout(view, selection, canvas).bottom);
  }
}
BENCHMARK(BM_VerseListPaint)->Unit(benchmark::kMicrosecond);

void BM_VerseListMeasure(benchmark::State& state) {
  kv::VerseListView view = FullWindow();
  for (auto _ : state) {
    kv::testing::FixedCanvas canvas;
    benchmark::DoNotOptimize(kv::MeasureVerseListLayout(view, canvas).bottom);
  }
}
BENCHMARK(BM_VerseListMeasure)->Unit(benchmark::kMicrosecond);

void BM_VerseListHitTest(benchmark::State& state) {
  kv::VerseListView view = FullWindow();
  for (auto _ : state) {
    kv::testing::FixedCanvas canvas;
    kv::SelectionPoint point;
    benchmark::DoNotOptimize(kv::HitTestVerseListLayout(view, canvas, 1900, 1190, &point));
  }
}
BENCHMARK(BM_VerseListHitTest)->Unit(benchmark::kMicrosecond);

}  // namespace
