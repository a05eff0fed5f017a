// What a save does with a file it made but could not finish.
#pragma once

namespace kv {

// Keep leaves the lines written so far, without the closing NUL of a
// finished save; Remove takes the file away again, so that nothing that
// looks like a finished save is left behind. A file that could not be made
// is never touched.
enum class PartialFile { Keep, Remove };

}  // namespace kv
