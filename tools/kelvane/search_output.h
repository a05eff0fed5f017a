// What the search and phrase commands share: the search range option and
// the printing of a search's outcome the way the program shows it (the
// status bar text, then the verse list with its marked matches).
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "search/key_marker.h"
#include "search/search_results.h"
#include "store/reference_parser.h"
#include "tools/kelvane/cli.h"

namespace kv::cli {

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
struct VerseLines {
  const SearchState* state;
  std::string bytes;
};

inline void CollectVerseLine(void* context, int entry, const char* marked, std::size_t length) {
  auto* lines = static_cast<VerseLines*>(context);
  lines->bytes += lines->state->reference_list[entry];
  lines->bytes += '\t';
  lines->bytes.append(marked, length);
  lines->bytes += '\n';
}

// Runs the dialog's search on `typed` and prints line 1 as the status bar
// shows it, then each listed verse: full reference, TAB, marked text.
inline int SearchAndPrint(const Args& args, const BibleData& data, SearchState& state, SearchDialog dialog,
                          const std::string& typed) {
  Output out(args);
  bool raw = !out.utf8() && !out.color();
  VerseLines lines{&state, {}};
  if (raw) lines.bytes.reserve(4 << 20);
  TakeQuery(state, dialog, typed.c_str());
  SearchOutcome outcome = RunSearch(data, state, dialog, raw ? CollectVerseLine : nullptr, &lines);
  out.Plain(outcome.status);
  out.Line();
  if (raw) {
    out.Plain(lines.bytes);
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
