#include "verselist/verse_list_copy.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "output/output_messages.h"
#include "passage/passage_copy.h"
#include "passage/passage_layout.h"
#include "store/verse_address.h"

namespace kv {
namespace {

// One entry's line: " Ge 1:1 text \r\n", with "¶ " before a text that
// opens a paragraph.
struct Line {
  char text[kCopyBytesPerVerse];
  std::size_t size = 0;
};

void BuildLine(const BibleData& bible, VerseIndex verse, bool edge, Line* line) {
  const VerseRecord record = RecordOf(bible, verse);
  const char* text = VerseText(bible, verse);
  const bool paragraph = static_cast<unsigned char>(text[0]) == kPilcrow;
  if (paragraph) ++text;
  int n = std::snprintf(line->text, sizeof line->text, paragraph ? " %s %d:%d \xB6 %s%s" : " %s %d:%d %s%s",
                        BookAbbreviations[record.book], record.chapter, record.verse, text,
                        edge ? " \r\n" : "\r\n");
  line->size = n < 0 ? 0 : static_cast<std::size_t>(n) < sizeof line->text ? static_cast<std::size_t>(n)
                                                                            : sizeof line->text - 1;
}

void Append(char* block, std::size_t size, std::size_t* used, const char* text, std::size_t n) {
  if (*used + n >= size) n = size - 1 - *used;
  std::memcpy(block + *used, text, n);
  *used += n;
}

}  // namespace

std::size_t ListLineWordStart(const char* line, std::size_t size, std::int32_t word) {
  if (word <= 0) return 0;
  std::size_t i = 0;
  int blanks = 0;
  while (i < size && blanks < 3)
    if (line[i++] == ' ') ++blanks;
  for (std::int32_t w = 1; w < word && i < size; ++w) {
    while (i < size) {
      const unsigned char c = static_cast<unsigned char>(line[i++]);
      if (c == ' ') break;
      if (c == kPilcrow && i < size && line[i] != ' ') break;
    }
  }
  return i;
}

bool RemoveListEntry(SearchState& search, std::int32_t position) {
  const std::int32_t count = search.result_count;
  if (position < 0 || position >= count || count > kVerseCount) return false;
  std::memmove(&search.verse_list[position], &search.verse_list[position + 1],
               sizeof search.verse_list[0] * static_cast<std::size_t>(count - position));
  search.verse_list[count - 1] = kNoVerse;
  if (position < search.reference_count) {
    std::memmove(search.reference_list[position], search.reference_list[position + 1],
                 sizeof search.reference_list[0] * static_cast<std::size_t>(search.reference_count - position - 1));
    --search.reference_count;
  }
  search.result_count = count - 1;
  search.occurrence_count = 0;
  return true;
}

bool UsableListSelection(const SelectionState& selection, const SearchState& search, OrderedSelection* ordered) {
  if (selection.owner != kVerseListOwner || selection.anchor.item < 0 || selection.end.item < 0) return false;
  *ordered = Ordered(selection);
  return ordered->end.item < search.result_count && ordered->start.word >= 0 && ordered->end.word >= 0;
}

std::size_t ListCopyBlockSize(const OrderedSelection& selection) {
  return static_cast<std::size_t>(selection.end.item - selection.start.item) * kCopyBytesPerVerse +
         kCopyBytesPerVerse;
}

void BuildListSelectionText(const BibleData& bible, const SearchState& search, const OrderedSelection& selection,
                            char* block, std::size_t size) {
  if (size == 0) return;
  std::size_t used = 0;
  const std::int32_t si = selection.start.item, ei = selection.end.item;
  Line line;
  BuildLine(bible, search.verse_list[si], true, &line);
  std::size_t from = ListLineWordStart(line.text, line.size, selection.start.word);
  if (si == ei) {
    std::size_t to = ListLineWordStart(line.text, line.size, selection.end.word + 1);
    if (to > from) Append(block, size, &used, line.text + from, to - from);
  } else {
    Append(block, size, &used, line.text + from, line.size - from);
    for (std::int32_t i = si + 1; i < ei; ++i) {
      BuildLine(bible, search.verse_list[i], false, &line);
      Append(block, size, &used, line.text, line.size);
    }
    BuildLine(bible, search.verse_list[ei], true, &line);
    Append(block, size, &used, line.text, ListLineWordStart(line.text, line.size, selection.end.word + 1));
  }
  block[used] = '\0';
}

std::string ListSelectionText(const BibleData& bible, const SearchState& search, const OrderedSelection& selection) {
  std::vector<char> block(ListCopyBlockSize(selection), '\0');
  BuildListSelectionText(bible, search, selection, block.data(), block.size());
  return block.data();
}

ListCopyResult CopyListSelection(const BibleData& bible, const SearchState& search, const SelectionState& selection,
                                 Clipboard& clipboard, UserServices& user) {
  OrderedSelection ordered;
  if (!UsableListSelection(selection, search, &ordered)) return ListCopyResult::NoSelection;
  // The clipboard is opened before the block is taken, so that a busy
  // clipboard leaves no block behind.
  if (!clipboard.Open()) {
    user.Tell(kCopyErrorCaption, kNoClipboardText, MessageIcon::Error);
    return ListCopyResult::NoClipboard;
  }
  const std::size_t size = ListCopyBlockSize(ordered);
  char* block = clipboard.Allocate(size);
  if (!block) {
    clipboard.Close();
    return ListCopyResult::NoMemory;
  }
  BuildListSelectionText(bible, search, ordered, block, size);
  clipboard.Empty();
  clipboard.Hand();
  clipboard.Close();
  return ListCopyResult::Copied;
}

bool ListSearchPrefill(const BibleData& bible, const SearchState& search, const SelectionState& selection, char* out,
                       std::size_t size) {
  OrderedSelection ordered;
  if (!UsableListSelection(selection, search, &ordered)) return false;
  std::vector<char> block;
  try {
    block.assign(ListCopyBlockSize(ordered), '\0');
  } catch (const std::bad_alloc&) {
    return false;
  }
  BuildListSelectionText(bible, search, ordered, block.data(), block.size());
  FillSearchPrefill(block.data(), out, size);
  return true;
}

}  // namespace kv
