// The query normaliser and both engines on any search text with any
// options: the word search (all, any or one of the words, case and
// substring options) and the phrase search, over the real concordance.
#include <cstdint>
#include <cstring>
#include <memory>

#include "fuzz/fuzz_support.h"
#include "search/phrase_search.h"
#include "search/search_state.h"
#include "search/word_search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const kv::BibleData& bible = kv::fuzz::RealBible();
  static kv::SearchState* state = new kv::SearchState;
  if (size < 3) return 0;
  const std::uint8_t flags = bytes[0];
  const kv::VerseIndex start = static_cast<kv::VerseIndex>((bytes[1] * 131) % kv::kVerseCount);
  const kv::VerseIndex end = static_cast<kv::VerseIndex>(start + (bytes[2] * 977) % (kv::kVerseCount - start));
  bytes += 3;
  size -= 3;

  state->options = kv::SearchOptions{};
  state->options.boolean_type = flags % 3;
  state->options.case_sensitive = (flags & 4) != 0;
  state->options.sub_string = (flags & 8) != 0;
  state->options.start_verse = (flags & 16) ? start : 0;
  state->options.end_verse = (flags & 16) ? end : kv::kLastVerse;
  // The fixed buffer is filled to the brim and never trusted to hold its NUL
  // when the flags say so.
  std::memset(state->search_text_prefill, 0, sizeof state->search_text_prefill);
  const std::size_t room = (flags & 32) ? sizeof state->search_text_prefill : sizeof state->search_text_prefill - 1;
  std::memcpy(state->search_text_prefill, bytes, size < room ? size : room);

  if (flags & 64) {
    const bool found = kv::RunPhraseSearch(bible, *state);
    KV_FUZZ_CHECK(found == (state->result_count > 0));
    KV_FUZZ_CHECK(state->phrase_text[sizeof state->phrase_text - 1] == '\0');
  } else {
    kv::NormalizeQuery(*state);
    KV_FUZZ_CHECK(std::memchr(state->search_text_prefill, 0, sizeof state->search_text_prefill) != nullptr ||
                  (flags & 32));
    kv::RunWordSearch(bible, *state);
    KV_FUZZ_CHECK(state->query_word_count >= 0);
  }
  return 0;
}
