// The help topics as written in the repository (resources/help/), and the
// reader of that plain 8-bit text format:
//
//   title: Kelvane95 Help          the help file's title (first line)
//   == ID_Search_Word Word Search  a topic: its context id, then its title
//   Lines of text. A blank line ends a paragraph; the lines of one
//   paragraph are joined by one blank. {Go To Verse|ID_Read_GoToVerse}
//   is a jump: the text shown, then the id of the topic it opens.
//   # a comment line (outside or inside a topic)
//
// The first topic is the contents. Text is kept byte for byte (8-bit,
// Windows-1252), so the help shows the program's own spellings.
#pragma once

#include <string>
#include <vector>

namespace kv::helpbuild {

// A run of a paragraph: plain text, or the text of a jump to `target`.
struct Span {
  std::string text;
  std::string target;  // context id; empty for plain text
};

struct Paragraph {
  std::vector<Span> spans;
  std::string Text() const;  // the spans' texts joined
};

struct Topic {
  std::string id;     // "ID_Search_Word"
  std::string title;  // "Word Search"
  std::vector<Paragraph> paragraphs;
};

struct HelpSource {
  std::string title;
  std::vector<Topic> topics;  // topics[0] is the contents
};

// Reads `text`. On failure returns false and puts one line naming the line
// number and the fault into `error`. Checks that ids are unique, that every
// jump names a topic of the file and that no text holds a control byte.
bool ParseHelpSource(const std::string& text, HelpSource* source, std::string* error);

}  // namespace kv::helpbuild
