// What the search and phrase commands share: the search range option and
// the printing of a search's outcome the way the program shows it (the
// status bar text, then the verse list with its marked matches).
#pragma once

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "search/key_marker.h"
#include "search/search_results.h"
#include "store/reference_parser.h"
#include "store/verse_address.h"
#include "tools/kelvane/cli.h"
#include "tools/kelvane/large_buffer.h"

namespace kv::cli {

// The search state of the command. Its constructor clears a megabyte of
// result lists, which on fresh small pages costs a fault for every 4 KB, a
// good part of a short search; on one large page it costs one. Alive until
// the program ends.
inline SearchState& CommandSearchState() {
  static LargeBuffer memory(sizeof(SearchState));
  static SearchState* state = nullptr;
  if (!state) state = memory.data() ? new (memory.data()) SearchState : new SearchState;
  return *state;
}

inline std::string JoinWords(const std::vector<std::string>& words) {
  std::string joined;
  for (const std::string& word : words) joined += (joined.empty() ? "" : " ") + word;
  return joined;
}

// --range RANGE: the search range; the whole Bible without it. False after
// reporting an unusable range.
inline bool TakeSearchRange(const BibleData& data, const std::string& range, bool given, SearchOptions* options) {
  options->start_verse = 0;
  options->end_verse = kLastVerse;
  if (!given) return true;
  return ParseTypedReference(data, range, &options->start_verse, &options->end_verse);
}

// Collects the listed verses as the list is built, when they go out as
// stored bytes: "the" lists 24,091 verses, and marking them all a second
// time would double the work.
// Room for every verse at its longest marked: reserved, not touched, so
// only what a list really prints costs memory.
constexpr std::size_t kWholeListBytes =
    static_cast<std::size_t>(kVerseCount) * (kReferenceLineSize + kMarkBufferSize + 2);

struct VerseLines {
  const SearchState* state;
  LargeBuffer bytes;
};

inline void CollectVerseLine(void* context, int entry, const char* marked, std::size_t length) {
  auto* lines = static_cast<VerseLines*>(context);
  lines->bytes.Append(lines->state->reference_list[entry]);
  lines->bytes.Append("\t", 1);
  lines->bytes.Append(marked, length);
  lines->bytes.Append("\n", 1);
}

// Appends the short reference of `verse` and a line feed, as
// FormatShortReference writes it ("Ge 1:1"), at a fraction of the cost:
// a list of the references of "the" is 24,091 of them.
inline void AppendReferenceLine(const BibleData& data, VerseIndex verse, std::string* out) {
  VerseRecord record = RecordOf(data, verse);
  out->append(BookAbbreviations[record.book]);
  char digits[16];
  char* end = digits + sizeof digits;
  char* p = end;
  *--p = '\n';
  for (int n = record.verse; ; n /= 10) {
    *--p = static_cast<char>('0' + n % 10);
    if (n < 10) break;
  }
  *--p = ':';
  for (int n = record.chapter; ; n /= 10) {
    *--p = static_cast<char>('0' + n % 10);
    if (n < 10) break;
  }
  *--p = ' ';
  out->append(p, static_cast<std::size_t>(end - p));
}

// Prints what a search found as --refs asks: the status line on stderr and
// one short reference a line on stdout, nothing else. The texts are never
// marked for the output, only counted.
inline int SearchAndPrintReferences(const BibleData& data, SearchState& state, SearchDialog dialog,
                                    const std::string& typed) {
  TakeQuery(state, dialog, typed.c_str());
  SearchOutcome outcome = RunSearch(data, state, dialog);
  std::string lines;
  lines.reserve(static_cast<std::size_t>(state.result_count) * 12);
  for (int i = 0; state.verse_list[i] != kNoVerse; ++i) AppendReferenceLine(data, state.verse_list[i], &lines);
  std::fwrite(lines.data(), 1, lines.size(), stdout);
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n", outcome.status);
  if (outcome.found) return kFound;
  std::fprintf(stderr, "No verses matching search criteria.\n");
  return kNothingFound;
}

// Runs the dialog's search on `typed` and prints line 1 as the status bar
// shows it, then each listed verse: full reference, TAB, marked text. With
// `references_only` (--refs), as SearchAndPrintReferences does.
inline int SearchAndPrint(const Args& args, const BibleData& data, SearchState& state, SearchDialog dialog,
                          const std::string& typed, bool references_only = false) {
  if (references_only) return SearchAndPrintReferences(data, state, dialog, typed);
  Output out(args);
  bool raw = !out.utf8() && !out.color();
  VerseLines lines{&state, LargeBuffer(raw ? kWholeListBytes : 0)};
  TakeQuery(state, dialog, typed.c_str());
  SearchOutcome outcome = RunSearch(data, state, dialog, raw ? CollectVerseLine : nullptr, &lines);
  out.Plain(outcome.status);
  out.Line();
  if (raw && !lines.bytes.overflowed()) {
    out.Plain(lines.bytes.View());
  } else {
    char marked[kMarkBufferSize];
    for (int i = 0; state.verse_list[i] != kNoVerse; ++i) {
      out.Plain(state.reference_list[i]);
      out.Plain("\t");
      const char* text = VerseText(data, state.verse_list[i]);
      std::size_t length = std::strlen(text);  // at most 599 bytes, checked at load
      std::memcpy(marked, text, length + 1);
      MarkKeys(state, marked, length, sizeof marked);
      out.Marked(marked);
      out.Line();
    }
  }
  if (outcome.found) return kFound;
  std::fflush(stdout);
  std::fprintf(stderr, "No verses matching search criteria.\n");
  return kNothingFound;
}

}  // namespace kv::cli
