// The notes display counts its characters in its own way: a rich-edit
// control of one version gives each stored CR LF two positions, another
// only one. Positions the display reports are turned into offsets in the
// stored note here, from the display's own text before the position.
#pragma once

#include <cstddef>
#include <string_view>

namespace kv {

// The offset in `note` (the stored text, lines ended by CR LF) of the place
// the display shows after `display_prefix`, its text from its start up to a
// position. A line end of the prefix given as CR LF, as a lone CR or as a
// lone LF stands for one stored CR LF. The result never passes the note's end.
std::size_t StoredNoteOffset(std::string_view note, std::string_view display_prefix);

}  // namespace kv
