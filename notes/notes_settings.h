// What the settings file keeps for the notes: whether the notes follow the
// passage, and the font of the notes display and editor.
#pragma once

#include <cstdint>

#include "platform/font_description.h"

namespace kv {

struct NotesSettings {
  std::int32_t BindNotes = 0;  // MISC "BindNotes"
  FontDescription NoteFont;
};

}  // namespace kv
