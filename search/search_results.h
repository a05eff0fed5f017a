// What happens when a search dialog is confirmed, short of the windows:
// the query is taken over and remembered, the dialog's engine runs, and the
// verses found become the verse list, the reference list and the counts
// shown in the status bar. Also the verse behind a selected result.
#pragma once

#include <cstddef>

#include "search/search_state.h"
#include "store/bible_data.h"

namespace kv {

enum class SearchDialog {
  WordSearch,  // "Word Search": status stays "No Matches" after a failure
  WordList,    // the Word List search
  Phrase,      // "Phrase Search"
};

// Takes the dialog's text (at most 198 characters of it) into the search
// text, normalizes it for the word dialogs (with the options already in
// state.options) and pushes it onto the history.
void TakeQuery(SearchState& state, SearchDialog dialog, const char* typed);

// The word list search's "<< Add": the text becomes `word` when it is empty,
// otherwise `word` joins it after a blank. An addition that would make the
// text longer than the 198 characters OK reads is refused whole, so no word
// is ever cut in two: false, and `text` is left as it was. `text` holds
// kSearchTextSize bytes.
constexpr int kListWordLimit = 48;  // what "<< Add" takes from the word list box
bool AddListWord(char* text, const char* word);

// Entries 0..8 move to 1..9 and entry 0 becomes the search text. Repeats
// and empty texts are kept like any other.
void PushSearchHistory(SearchState& state);

// Walks the search range and takes every verse the last search counted
// into the verse list (ended by -1) and the reference list; marks each
// verse's text to count the occurrences. Word searches count result_count
// here; a phrase search has counted it already.
//
// `sink` (optional) receives each listed verse's marked text, so a caller
// that shows the texts need not mark them a second time.
using MarkedVerseSink = void (*)(void* context, int entry, const char* marked, std::size_t length);
void BuildResults(const BibleData& data, SearchState& state, MarkedVerseSink sink = nullptr,
                  void* context = nullptr);

struct SearchOutcome {
  bool found = false;
  // What part 0 of the status bar shows afterwards.
  char status[kStatusTextSize] = {};
};

// Runs the dialog's engine on the query already taken, then either builds
// the results or empties the list. A query without words finds nothing,
// whatever the engine answered.
SearchOutcome RunSearch(const BibleData& data, SearchState& state, SearchDialog dialog,
                        MarkedVerseSink sink = nullptr, void* context = nullptr);

// "12 verses, 15 occurrences", "1 verse, 1 occurance".
void FormatSearchStatus(std::int32_t results, std::int32_t occurrences, char* out, std::size_t size);

// The full reference "Genesis 1:1" of a verse, as the reference list holds
// it; `out` has kReferenceLineSize bytes.
void FormatReferenceLine(const BibleData& data, VerseIndex verse, char (&out)[kReferenceLineSize]);

// The verse to show for the selected result: line `selected` of the
// reference list read back with ReadListReference when the "Reference List"
// tab is shown (tab 1), otherwise entry `selected` of the verse list. -1
// when nothing is selected or the position holds no result.
VerseIndex SelectedResultVerse(const BibleData& data, const SearchState& state, int tab_index, int selected);

}  // namespace kv
