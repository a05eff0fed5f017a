// What the Copy Verse, Copy Range and Save Range dialogs share: the starting
// text of their reference box and the reading of what the user typed.
#pragma once

#include <windows.h>

#include <string>

#include "store/bible_data.h"

namespace kv {

// The dialogs' text boxes hold at most 98 characters.
constexpr int kRangeTextSize = 99;

// The passage's verse as "Eph 6:17", or as "Eph 6:17 -" to start a range.
std::string VerseStartText(const BibleData& data);
std::string RangeStartText(const BibleData& data);

enum class TypedRange { Empty, Unrecognized, Read };

// Reads box `edit` of `dialog` as one verse (`last` null) or as a range. An
// unrecognized text is told in a box owned by the dialog. `typed`, when
// given, receives the text as the user typed it.
TypedRange ReadTypedRange(HWND dialog, int edit, const BibleData& data, VerseIndex* first,
                          VerseIndex* last, std::string* typed = nullptr);

}  // namespace kv
