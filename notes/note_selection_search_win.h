// The notes display's selection as the text of a search: commands 188 to 190
// of its context menu.
#pragma once

#include <cstddef>

namespace kv {

// The display's selected bytes of the note shown, at most `limit` of them,
// become `prefill` (limit + 1 bytes with its NUL); then `search_command`
// (105, 106 or 177) opens its dialog with them.
void SearchWithNoteSelection(char* prefill, std::size_t limit, int search_command);

}  // namespace kv
