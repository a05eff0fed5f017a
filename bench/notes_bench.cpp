// Note sets at their heaviest: a set with a note on every verse of the Bible
// (the verse's own text, several MB of data file).
#include <benchmark/benchmark.h>

#include <cstring>

#include "notes/note_files.h"
#include "notes/note_search.h"
#include "notes/note_set_source.h"
#include "notes/notes_test_support.h"

namespace {

using kv::testing::NotesFixture;

struct FullSet {
  FullSet() {
    kv::testing::Notes notes;
    for (kv::VerseIndex v = 0; v < kv::kVerseCount; ++v) notes[v] = kv::VerseText(kv::testing::RealBible(), v);
    kv::testing::WriteSet(fixture.dir, "Full", notes);
    fixture.Discover();
  }
  NotesFixture fixture;
};

void BM_SaveNoteInFullSet(benchmark::State& state) {
  FullSet set;
  set.fixture.state.current_verse = 15000;
  bool longer = false;
  for (auto _ : state) {
    longer = !longer;
    if (kv::SaveNote(set.fixture.state, set.fixture.Ports(), longer ? "a longer note than before" : "short") !=
        kv::SaveResult::Saved) {
      state.SkipWithError("save failed");
      break;
    }
  }
  state.counters["data_bytes"] = static_cast<double>(set.fixture.state.current().data_size);
}
BENCHMARK(BM_SaveNoteInFullSet)->Unit(benchmark::kMillisecond);

void BM_HasNoteEveryVerse(benchmark::State& state) {
  FullSet set;
  const kv::NotesState& notes = set.fixture.state;
  for (auto _ : state) {
    int count = 0;
    for (kv::VerseIndex v = 0; v < kv::kVerseCount; ++v) count += kv::HasNote(notes, v);
    benchmark::DoNotOptimize(count);
  }
  state.SetItemsProcessed(state.iterations() * kv::kVerseCount);
}
BENCHMARK(BM_HasNoteEveryVerse)->Unit(benchmark::kMicrosecond);

void BM_SearchFullSetForMissingWord(benchmark::State& state) {
  FullSet set;
  set.fixture.state.current_verse = 0;
  for (auto _ : state) {
    char text[kv::kNoteSearchTextSize] = "xylophone";
    kv::NoteSearchPosition position;
    set.fixture.user.messages.clear();
    if (kv::FindFirstNoteText(set.fixture.state, set.fixture.Ports(), text, kv::NoteSearchOptions{}, &position) !=
        kv::NoteSearchResult::NotFound) {
      state.SkipWithError("found a missing word");
      break;
    }
  }
}
BENCHMARK(BM_SearchFullSetForMissingWord)->Unit(benchmark::kMillisecond);

// Save Range of the whole Bible with the notes of the full set: one seek and
// one read per note, every verse followed by its note.
void BM_SaveWholeBibleWithFullSet(benchmark::State& state) {
  FullSet set;
  kv::FormatOptions options;
  for (auto _ : state) {
    kv::NoteSetSource notes(*set.fixture.files, set.fixture.state.current());
    set.fixture.user.messages.clear();
    if (!kv::SaveRangeToFile(kv::testing::RealBible(), options, 0, kv::kLastVerse, *set.fixture.files, "out.txt",
                             &notes, set.fixture.user)) {
      state.SkipWithError("save failed");
      break;
    }
  }
}
BENCHMARK(BM_SaveWholeBibleWithFullSet)->Unit(benchmark::kMillisecond);

}  // namespace
