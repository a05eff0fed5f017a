// Laying out a full 1920x1200 passage window with the fixed-metric canvas:
// the paint pass, the measure pass and a page-up search.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "passage/passage_layout.h"
#include "passage/passage_scroll.h"
#include "platform/files.h"
#include "store/bible_data.h"
#include "testing/fixed_canvas.h"
#include "testing/test_support.h"

namespace {

kv::PassageView FullWindow(kv::VerseIndex top) {
  kv::PassageView view;
  view.bible = &kv::testing::RealBible();
  view.top = top;
  view.font.weight = kv::kNormalWeight;
  view.width = 1920;
  view.height = 1200;
  return view;
}

void BM_PaintFullWindow(benchmark::State& state) {
  kv::PassageView view = FullWindow(static_cast<kv::VerseIndex>(state.range(0)));
  kv::SelectionState selection;
  for (auto _ : state) {
    kv::testing::FixedCanvas canvas;
    canvas.runs.reserve(4096);
    benchmark::DoNotOptimize(kv::PaintPassageLayout(view, selection, canvas).bottom_verse);
  }
}
BENCHMARK(BM_PaintFullWindow)->Arg(0)->Arg(15000)->Unit(benchmark::kMicrosecond);

void BM_MeasureFullWindow(benchmark::State& state) {
  kv::PassageView view = FullWindow(15000);
  for (auto _ : state) {
    kv::testing::FixedCanvas canvas;
    benchmark::DoNotOptimize(kv::MeasurePassageLayout(view, canvas).bottom_verse);
  }
}
BENCHMARK(BM_MeasureFullWindow)->Unit(benchmark::kMicrosecond);

void BM_PageUpSearch(benchmark::State& state) {
  kv::PassageView view = FullWindow(15000);
  auto bottom_of = [&view](kv::VerseIndex top) {
    kv::testing::FixedCanvas canvas;
    view.top = top;
    return kv::MeasurePassageLayout(view, canvas).bottom_verse;
  };
  kv::VerseIndex old_bottom = bottom_of(15000);
  for (auto _ : state) benchmark::DoNotOptimize(kv::PageUpTop(15000, old_bottom, bottom_of));
}
BENCHMARK(BM_PageUpSearch)->Unit(benchmark::kMicrosecond);

}  // namespace
