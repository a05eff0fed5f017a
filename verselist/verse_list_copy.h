// The verse list selection as text: for the clipboard (Copy Selected Text)
// and, cut down to letters and blanks, as the starting text of the word,
// phrase and note searches. One line per entry from the stored verse, with
// the abbreviated reference before it; supplied words keep their brackets,
// and neither the key marks nor the note marker appear.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "output/copy_block.h"
#include "passage/passage_state.h"
#include "platform/clipboard.h"
#include "platform/user_services.h"
#include "search/search_state.h"
#include "store/bible_data.h"

namespace kv {

// The selection ordered and inside the list, or false when the verse list
// holds no selection with text in it.
bool UsableListSelection(const SelectionState& selection, const SearchState& search, OrderedSelection* ordered);

// Where word `word` of a copied line (`size` bytes) starts: word 0 at the
// line's start, word 1 after the third blank (past the leading blank, the
// abbreviation and chapter:verse), every later word after the next blank,
// or after a pilcrow that no blank follows, since the screen ends a word
// there too. Never beyond the line: a word past its last starts at its end.
std::size_t ListLineWordStart(const char* line, std::size_t size, std::int32_t word);

// The size of the block the text of a selection is built in: a line of
// kCopyBytesPerVerse bytes for each entry.
std::size_t ListCopyBlockSize(const OrderedSelection& selection);

// Builds the text from the start point to the end point into `block` (`size`
// bytes), NUL-terminated. Word 0 of an entry is its reference.
void BuildListSelectionText(const BibleData& bible, const SearchState& search, const OrderedSelection& selection,
                            char* block, std::size_t size);
std::string ListSelectionText(const BibleData& bible, const SearchState& search, const OrderedSelection& selection);

// Removes entry `position` from the verse list and its line from the
// reference lines: the later entries move up with the -1 end, the count
// drops by one and the occurrence count, no longer true, becomes 0. False
// (nothing changed) when `position` is not an entry of the list.
bool RemoveListEntry(SearchState& search, std::int32_t position);

enum class ListCopyResult { Copied, NoSelection, NoMemory, NoClipboard };

// Copy Selected Text: the text to the clipboard as CF_TEXT. Without memory
// for the text nothing happens and nothing is shown; a busy clipboard gives
// "Copy Error" / "Could not open Clipboard" and is left as it was.
ListCopyResult CopyListSelection(const BibleData& bible, const SearchState& search, const SelectionState& selection,
                                 Clipboard& clipboard, UserServices& user);

// The starting text of a search with the selected text, into `out` of `size`
// bytes. False without a selection or memory; `out` is then unchanged.
bool ListSearchPrefill(const BibleData& bible, const SearchState& search, const SelectionState& selection, char* out,
                       std::size_t size);

}  // namespace kv
