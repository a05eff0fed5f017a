#include "passage/passage_copy.h"

#include <cstring>
#include <new>
#include <vector>

#include "output/copy_block.h"
#include "output/output_messages.h"
#include "passage/passage_layout.h"
#include "passage/verse_words.h"
#include "platform/text_util.h"

namespace kv {

const char* const kPassageCopyErrorCaption = "Error";
const char* const kPassageCopyErrorText = "ReadWndCopyError -- Please notify the author!!";

std::size_t PassageCopyBlockSize(const OrderedSelection& selection) {
  return static_cast<std::size_t>(selection.end.item - selection.start.item) * kCopyBytesPerVerse +
         kCopyBytesPerVerse;
}

namespace {

// One verse for the copy: its prefix, which stands for its label, and its
// words, numbered as the passage layout numbers them and copied as stored.
class VerseCopy {
 public:
  VerseCopy(const BibleData& bible, VerseIndex verse, bool first, bool paragraph_format)
      : words_(VerseText(bible, verse), kItalicsInBrackets, false) {
    // The prefix: the verse's label as the passage shows it, without the
    // note marker, after the line break of a verse that starts a line.
    // Without Paragraph Format the pilcrow stays and is the verse's first
    // word.
    if (!first && StartsLine(bible, verse, paragraph_format)) {
      prefix_[prefix_size_++] = '\r';
      prefix_[prefix_size_++] = '\n';
    }
    const std::size_t room = sizeof prefix_ - prefix_size_;
    int length = FormatPassageLabel(bible, verse, first, paragraph_format, false, prefix_ + prefix_size_, room);
    if (length < 0) length = 0;
    if (static_cast<std::size_t>(length) >= room) length = static_cast<int>(room) - 1;
    prefix_size_ += static_cast<std::size_t>(length);
    if (paragraph_format && BeginsParagraph(bible, verse)) words_.Skip();
  }

  const char* prefix() const { return prefix_; }
  std::size_t prefix_size() const { return prefix_size_; }
  // The verse's words are all taken.
  bool done() const { return done_; }

  // Takes the next word: its stored bytes (supplied words keep their
  // brackets) and the blank that ends every word.
  void Next(CopyBlock* block) {
    words_.Next();
    done_ = words_.ended_verse();
    if (!block) return;
    // A verse's words are shorter than its text, which fits the buffer.
    char word[kMaxVerseBytes + 2];
    std::size_t size = words_.source_size() < kMaxVerseBytes ? words_.source_size() : kMaxVerseBytes;
    std::memcpy(word, words_.source(), size);
    if (size == 0 || word[size - 1] != ' ') word[size++] = ' ';
    AppendToBlock(block, word, size);
  }

 private:
  VerseWords words_;
  char prefix_[64];
  std::size_t prefix_size_ = 0;
  bool done_ = false;
};

void Append(CopyBlock* block, const char* text, std::size_t size) { AppendToBlock(block, text, size); }

}  // namespace

void BuildPassageSelectionText(const BibleData& bible, const OrderedSelection& selection, bool paragraph_format,
                               char* data, std::size_t size) {
  CopyBlock block{data, size, 0, true};
  const VerseIndex sv = selection.start.item;
  const VerseIndex ev = selection.end.item;
  const int sw = selection.start.word;
  const int ew = selection.end.word;

  VerseCopy verse(bible, sv, true, paragraph_format);
  int d = 1;
  if (sw == 0) {
    Append(&block, verse.prefix(), verse.prefix_size());
  } else {
    for (int i = 0; i < sw - 1 && !verse.done(); ++i) verse.Next(nullptr);
    d = sw;
  }

  VerseIndex v = sv;
  while (v < ev || d <= ew) {
    if (!verse.done()) {
      verse.Next(&block);
      ++d;
    }
    if (verse.done()) {
      ++v;
      if (v > ev || v > kLastVerse) break;
      if (OpensChapter(bible, v)) {
        // The heading on a line of its own after an empty line.
        char heading[kHeadingTextSize];
        int length = FormatChapterHeading(bible, v, heading, sizeof heading);
        if (length < 0) length = 0;
        if (static_cast<std::size_t>(length) >= sizeof heading) length = sizeof heading - 1;
        Append(&block, "\r\n\r\n", 4);
        Append(&block, heading, static_cast<std::size_t>(length));
        Append(&block, "\r\n", 2);
      }
      verse = VerseCopy(bible, v, false, paragraph_format);
      Append(&block, verse.prefix(), verse.prefix_size());
      d = 1;
    }
  }
  EndBlock(&block);
}

std::string PassageSelectionText(const BibleData& bible, const OrderedSelection& selection, bool paragraph_format) {
  std::vector<char> block(PassageCopyBlockSize(selection), '\0');
  BuildPassageSelectionText(bible, selection, paragraph_format, block.data(), block.size());
  return block.data();
}

namespace {

// The selection with its points inside the Bible, or false when the passage
// holds no selection with text in it.
bool UsableSelection(const SelectionState& selection, OrderedSelection* ordered) {
  if (!PassageHasSelection(selection)) return false;
  *ordered = Ordered(selection);
  return ordered->start.item <= kLastVerse && ordered->end.item <= kLastVerse && ordered->start.word >= 0 &&
         ordered->end.word >= 0;
}

}  // namespace

PassageCopyResult CopyPassageSelection(const BibleData& bible, const SelectionState& selection,
                                       bool paragraph_format, Clipboard& clipboard, UserServices& user) {
  OrderedSelection ordered;
  if (!UsableSelection(selection, &ordered)) return PassageCopyResult::NoSelection;
  // The clipboard is opened before the block is taken, so that a busy
  // clipboard leaves no block behind.
  if (!clipboard.Open()) {
    user.Tell(kCopyErrorCaption, kNoClipboardText, MessageIcon::Error);
    return PassageCopyResult::NoClipboard;
  }
  const std::size_t size = PassageCopyBlockSize(ordered);
  char* block = clipboard.Allocate(size);
  if (!block) {
    clipboard.Close();
    user.Tell(kPassageCopyErrorCaption, kPassageCopyErrorText, MessageIcon::Error);
    return PassageCopyResult::NoMemory;
  }
  std::memset(block, 0, size);
  BuildPassageSelectionText(bible, ordered, paragraph_format, block, size);
  clipboard.Empty();
  clipboard.Hand();
  clipboard.Close();
  return PassageCopyResult::Copied;
}

void FillSearchPrefill(const char* text, char* out, std::size_t size) {
  if (size == 0) return;
  std::size_t kept = 0;
  for (std::size_t i = 0; i + 1 < size && text[i] != '\0'; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == ' ' || IsAsciiLetter(c)) out[kept++] = static_cast<char>(c);
  }
  out[kept] = '\0';
}

bool PassageSearchPrefill(const BibleData& bible, const SelectionState& selection, bool paragraph_format, char* out,
                          std::size_t size) {
  OrderedSelection ordered;
  if (!UsableSelection(selection, &ordered)) return false;
  std::vector<char> block;
  try {
    block.assign(PassageCopyBlockSize(ordered), '\0');
  } catch (const std::bad_alloc&) {
    return false;
  }
  BuildPassageSelectionText(bible, ordered, paragraph_format, block.data(), block.size());
  FillSearchPrefill(block.data(), out, size);
  return true;
}

}  // namespace kv
