// The passage selection as text: for the clipboard (Copy Selected Text) and,
// cut down to letters and blanks, as the starting text of the word, phrase
// and note searches. The text is built from the stored verses, not from the
// screen: it follows Paragraph Format but not the Italics option or the note
// markers, so supplied words keep their brackets.
#pragma once

#include <cstddef>
#include <string>

#include "output/copy_block.h"
#include "passage/passage_state.h"
#include "platform/clipboard.h"
#include "platform/user_services.h"
#include "store/bible_data.h"

namespace kv {


extern const char* const kPassageCopyErrorCaption;  // "Error"
extern const char* const kPassageCopyErrorText;     // "ReadWndCopyError -- Please notify the author!!"

// The size of the block the text of a selection is built in.
std::size_t PassageCopyBlockSize(const OrderedSelection& selection);

// Builds the text of the selection from its start to its end point into
// `block` (PassageCopyBlockSize bytes), NUL-terminated. Word 0 of a verse
// stands for its prefix: the reference or verse number and the line break.
void BuildPassageSelectionText(const BibleData& bible, const OrderedSelection& selection, bool paragraph_format,
                               char* block, std::size_t size);
std::string PassageSelectionText(const BibleData& bible, const OrderedSelection& selection, bool paragraph_format);

enum class PassageCopyResult { Copied, NoSelection, NoMemory, NoClipboard };

// Copy Selected Text: the selection's text to the clipboard as CF_TEXT. Tells
// "Error" / "ReadWndCopyError -- Please notify the author!!" when the memory
// cannot be had and "Copy Error" / "Could not open Clipboard" when the
// clipboard is busy; the clipboard is then left as it was. Without a
// passage selection nothing happens.
PassageCopyResult CopyPassageSelection(const BibleData& bible, const SelectionState& selection,
                                       bool paragraph_format, Clipboard& clipboard, UserServices& user);

// Keeps the blanks and ASCII letters of the first `size` - 1 bytes of `text`
// (fewer at its NUL) in `out`, NUL-terminated.
void FillSearchPrefill(const char* text, char* out, std::size_t size);

// The starting text of a search with the selected text, into `out` of `size`
// bytes (kSearchTextSize or kNoteSearchTextSize). False without a
// passage selection or when the memory cannot be had; `out` is then unchanged.
bool PassageSearchPrefill(const BibleData& bible, const SelectionState& selection, bool paragraph_format, char* out,
                          std::size_t size);

}  // namespace kv
