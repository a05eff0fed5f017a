// The words of the verse texts as the passage counts them: word 1, 2, ... of
// a verse, each with its trailing blank. The layout draws them and the copy
// of a selection takes their stored bytes, so both number the words alike.
#pragma once

#include <cstddef>

#include "store/text_format.h"

namespace kv {

// How supplied words (the bracketed words of the text) are shown.
constexpr int kItalicsInItalicType = 0;
constexpr int kItalicsInBrackets = 1;
constexpr int kItalicsInNormalType = 2;

constexpr std::size_t kWordBufferSize = 100;

// Reads the stream of verse texts word by word. A word ends after a blank,
// after a pilcrow (which becomes the pilcrow and a blank) and at the end of a
// verse (which adds a blank; the stream then goes on with the next verse's
// text). In italic type a supplied word followed by punctuation becomes the
// word with that punctuation, to be drawn upright, and a word of the rest;
// the two count as one word.
class VerseWords {
 public:
  // `text`: where to start reading. `italics`: the Italics option; italic
  // type is used only when `italic_type` is set too (a pass that draws).
  VerseWords(const char* text, int italics, bool italic_type)
      : p_(reinterpret_cast<const unsigned char*>(text)),
        italic_type_(italic_type && italics == kItalicsInItalicType),
        brackets_(italics == kItalicsInBrackets) {}

  // Builds the next word.
  void Next();

  const char* word() const { return word_; }
  std::size_t size() const { return size_; }
  // The bytes of the stored text the word was built from.
  const char* source() const { return reinterpret_cast<const char*>(source_); }
  std::size_t source_size() const { return static_cast<std::size_t>(source_end_ - source_); }
  // The word ended its verse; the stream is now at the next verse's text.
  bool ended_verse() const { return ended_verse_; }
  // Inside a supplied word: the word's last byte, unless a blank, is drawn
  // upright and the word counts with the next one.
  bool italic() const { return italic_; }
  // The word is drawn in italic type.
  bool italic_font() const { return italic_font_; }

  // The next byte, and skipping it (the pilcrow that Paragraph Format shows
  // as a line break).
  unsigned char peek() const { return *p_; }
  void Skip() { ++p_; }
  // A verse's label is drawn upright: the next word starts in normal type.
  void UprightFont() { italic_font_ = false; }

 private:
  const unsigned char* p_;
  bool italic_type_;
  bool brackets_;
  char word_[kWordBufferSize];
  std::size_t size_ = 0;
  const unsigned char* source_ = nullptr;
  const unsigned char* source_end_ = nullptr;
  bool ended_verse_ = false;
  bool italic_ = false;
  bool italic_font_ = false;
};

// Inline: the layout builds every word of a window through it. The text
// position and the word's size are kept in locals while the word is built,
// since stores into the word buffer could otherwise change them.
inline void VerseWords::Next() {
  const unsigned char* p = p_;
  std::size_t size = 0;
  auto append = [this, &size](unsigned char c) {
    if (size < kWordBufferSize) word_[size++] = static_cast<char>(c);
  };
  ended_verse_ = false;
  source_ = p;
  for (;;) {
    const unsigned char c = *p;
    if (c == kPilcrow) {
      append(kPilcrow);
      append(' ');
      ++p;
      break;
    }
    if (c == 0) {
      append(' ');
      source_end_ = p;
      ++p;
      ended_verse_ = true;
      p_ = p;
      size_ = size;
      return;
    }
    if (c == ' ') {
      append(' ');
      ++p;
      break;
    }
    if (c == '[') {
      ++p;
      if (brackets_) {
        append('[');
      } else if (italic_type_) {
        italic_ = true;
        italic_font_ = true;
      }
      continue;
    }
    if (c == ']') {
      if (brackets_) {
        append(']');
        ++p;
        continue;
      }
      if (!italic_type_) {
        ++p;
        continue;
      }
      if (size == 0) {
        // The rest of a supplied word whose punctuation was drawn with it:
        // back to upright type, past the bracket and the punctuation. The
        // verse's end is never skipped.
        italic_ = false;
        italic_font_ = false;
        ++p;
        if (*p != 0) ++p;
        continue;
      }
      if (p[1] == 0) {
        // A supplied word that ends the verse's text: the word stays in
        // italic type and the verse ends as any other, so the next verse
        // starts upright.
        italic_ = false;
        ++p;
        continue;
      }
      // The punctuation after a supplied word joins it and is drawn upright;
      // the position stays on the bracket for the next word.
      append(p[1]);
      break;
    }
    append(c);
    ++p;
  }
  source_end_ = p;
  p_ = p;
  size_ = size;
}

}  // namespace kv
