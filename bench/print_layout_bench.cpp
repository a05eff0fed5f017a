// Laying out the printed pages of the whole Bible: Print Range Genesis 1:1
// to Revelation 22:21 with a note on every verse, and Print Verse List of
// every verse, on the fixed-metric canvas (the layout's own cost, without a
// printer driver behind it).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "output/page_layout.h"
#include "testing/fixed_canvas.h"
#include "testing/test_support.h"

namespace {

// A note for every verse, read as the note store hands them on.
class EveryVerseNotes final : public kv::NoteSource {
 public:
  bool Open() override { return true; }
  Read ReadNote(kv::VerseIndex, std::string* text) override {
    *text = "A note of a few words,\r\nwith a second line and a cross-reference # Joh 3:16.";
    return Read::Note;
  }
  void Close() override {}
};

class CountingDocument final : public kv::PrintDocument {
 public:
  bool StartPage() override {
    ++pages;
    return true;
  }
  void EndPage() override {}
  bool KeepPrinting() override { return true; }
  int pages = 0;
};

// Counts what would be drawn, so the runs are not kept.
class CountingSink final : public kv::LayoutSink {
 public:
  bool Place(const kv::PlacedItem& item) override {
    bytes += item.size;
    return true;
  }
  std::size_t bytes = 0;
};

kv::PrintLayoutOptions Letter() {
  kv::PrintLayoutOptions options;
  options.area = kv::PageAreaOf(kv::PrinterPage{2550, 3300, 300, 300}, kv::PrintMargins{});
  options.verse_font.height = -50;
  return options;
}

void BM_PrintRangeWholeBibleWithNotes(benchmark::State& state) {
  const kv::BibleData& bible = kv::testing::RealBible();
  EveryVerseNotes notes;
  kv::PrintRangeOptions options;
  static_cast<kv::PrintLayoutOptions&>(options) = Letter();
  options.notes_font.height = -40;
  options.notes = &notes;
  for (auto _ : state) {
    kv::testing::FixedCanvas canvas;
    CountingSink sink;
    CountingDocument document;
    kv::LayOutRangePages(bible, 0, kv::kLastVerse, options, canvas, sink, document);
    benchmark::DoNotOptimize(sink.bytes);
    state.counters["pages"] = document.pages;
  }
}
BENCHMARK(BM_PrintRangeWholeBibleWithNotes)->Unit(benchmark::kMillisecond);

void BM_PrintVerseListWholeBible(benchmark::State& state) {
  const kv::BibleData& bible = kv::testing::RealBible();
  std::vector<kv::VerseIndex> list;
  for (kv::VerseIndex v = 0; v <= kv::kLastVerse; ++v) list.push_back(v);
  list.push_back(kv::kNoVerse);
  for (auto _ : state) {
    kv::testing::FixedCanvas canvas;
    CountingSink sink;
    CountingDocument document;
    kv::LayOutVerseListPages(bible, list.data(), kv::kVerseCount, Letter(), canvas, sink, document);
    benchmark::DoNotOptimize(sink.bytes);
    state.counters["pages"] = document.pages;
  }
}
BENCHMARK(BM_PrintVerseListWholeBible)->Unit(benchmark::kMillisecond);

}  // namespace
