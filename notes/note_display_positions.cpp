#include "notes/note_display_positions.h"

namespace kv {

std::size_t StoredNoteOffset(std::string_view note, std::string_view display_prefix) {
  std::size_t stored = 0;
  std::size_t shown = 0;
  while (shown < display_prefix.size() && stored < note.size()) {
    const char c = display_prefix[shown];
    const bool stored_line_end = note[stored] == '\r' && stored + 1 < note.size() && note[stored + 1] == '\n';
    if (stored_line_end && (c == '\r' || c == '\n')) {
      // One line end of the display, in whichever of its spellings.
      shown += c == '\r' && shown + 1 < display_prefix.size() && display_prefix[shown + 1] == '\n' ? 2 : 1;
      stored += 2;
      continue;
    }
    ++shown;
    ++stored;
  }
  return stored;
}

}  // namespace kv
