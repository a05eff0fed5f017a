// Which rule a refused note set name breaks, for a caller that tells the
// user more than that the files could not be made.
#pragma once

#include <string>

namespace kv {

// Null for a name IsValidNoteSetName accepts; otherwise the rule it breaks,
// as a phrase: "is empty", "has more than 98 characters", ...
const char* NoteSetNameProblem(const std::string& name);

}  // namespace kv
