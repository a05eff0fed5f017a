#include "notes/note_set_name_rules.h"

#include <cstring>

#include "notes/note_files.h"
#include "notes/note_sets.h"

namespace kv {

const char* NoteSetNameProblem(const std::string& name) {
  if (IsValidNoteSetName(name)) return nullptr;
  if (name.empty()) return "is empty";
  if (name.size() > kMaxNoteSetNameChars) return "has more than 98 characters";
  for (char ch : name) {
    auto c = static_cast<unsigned char>(ch);
    if (c == '/' || c == '\\') return "holds a path separator (/ or \\)";
    if (c == ':') return "holds a colon";
    if (std::strchr("*?\"<>|", c)) return "holds one of * ? \" < > |";
    if (c < 0x20 || c == 0x7F) return "holds a control character";
  }
  if (name.back() == '.') return "ends with a dot";
  if (name.back() == ' ') return "ends with a blank";
  // What is left of the refusals: the names Windows keeps for devices.
  return "is a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9)";
}

}  // namespace kv
