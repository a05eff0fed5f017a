#include "passage/passage_words.h"

#include "passage/passage_layout.h"

namespace kv {

WordEnd CutWord(const unsigned char** p, bool keep_brackets, char* word, std::size_t capacity, std::size_t* size) {
  std::size_t n = 0;
  auto append = [&](unsigned char c) {
    if (n < capacity) word[n++] = static_cast<char>(c);
  };
  const unsigned char* at = *p;
  WordEnd end;
  for (;;) {
    const unsigned char c = *at++;
    if (c == kPilcrow) {
      append(kPilcrow);
      append(' ');
      end = WordEnd::Pilcrow;
      break;
    }
    if (c == 0) {
      append(' ');
      end = WordEnd::Verse;
      break;
    }
    if (c == ' ') {
      append(' ');
      end = WordEnd::Blank;
      break;
    }
    if ((c == '[' || c == ']') && !keep_brackets) continue;
    append(c);
  }
  *p = at;
  *size = n;
  return end;
}

}  // namespace kv
