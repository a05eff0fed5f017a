// The word rules the text panes share: a verse text is cut into words, each
// carrying its trailing blank, a pilcrow becoming a word of its own (the
// pilcrow and a blank) and the verse's end closing its last word with a
// blank. The passage and the verse list count words this way, and copying
// counts the same blank-separated words, so a selection copies what it shows.
#pragma once

#include <cstddef>

namespace kv {

enum class WordEnd {
  Blank,    // the word ended at a blank
  Pilcrow,  // the word is a pilcrow and a blank
  Verse,    // the verse's NUL ended it: it is the verse's last word
};

// Cuts the next word from `*p` into `word` (`capacity` bytes, not
// NUL-terminated; bytes beyond it are dropped), with its size in `*size`,
// and moves `*p` past it (past the NUL at a verse's end). The brackets of
// supplied words are kept or dropped.
WordEnd CutWord(const unsigned char** p, bool keep_brackets, char* word, std::size_t capacity, std::size_t* size);

}  // namespace kv
