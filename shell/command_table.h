// The toolbar's buttons and the commands whose menu items start greyed:
// plain tables shared by the main window and its tests.
#pragma once

#include <cstddef>

#include "resources/resource_ids.h"

namespace kv {

// Toolbar button states and styles as the common controls number them.
constexpr unsigned char kButtonEnabled = 4;        // TBSTATE_ENABLED
constexpr unsigned char kButtonChecked = 5;        // enabled and checked
constexpr unsigned char kButtonIndeterminate = 16; // TBSTATE_INDETERMINATE: shown greyed
constexpr unsigned char kStyleButton = 0;          // TBSTYLE_BUTTON
constexpr unsigned char kStyleSeparator = 1;       // TBSTYLE_SEP
constexpr unsigned char kStyleCheck = 2;           // TBSTYLE_CHECK

constexpr int kToolbarBitmapCount = 24;
constexpr int kToolbarImageSize = 16;

struct ToolbarEntry {
  int bitmap;  // -1 for a separator
  int command; // 0 for a separator
  unsigned char state;
  unsigned char style;
};

constexpr ToolbarEntry kSeparator = {-1, 0, kButtonEnabled, kStyleSeparator};

constexpr ToolbarEntry kToolbarEntries[] = {
    kSeparator,
    {0, CMD_CUT, kButtonIndeterminate, kStyleButton},
    {1, CMD_COPY, kButtonIndeterminate, kStyleButton},
    {2, CMD_PASTE, kButtonIndeterminate, kStyleButton},
    kSeparator,
    {6, CMD_COPY_VERSE, kButtonEnabled, kStyleButton},
    {7, CMD_COPY_RANGE, kButtonEnabled, kStyleButton},
    {8, CMD_COPY_VERSE_LIST, kButtonIndeterminate, kStyleButton},
    {9, CMD_COPY_VERSE_REFERENCES, kButtonIndeterminate, kStyleButton},
    kSeparator,
    {3, CMD_WORD_SEARCH, kButtonEnabled, kStyleButton},
    {4, CMD_PHRASE_SEARCH, kButtonEnabled, kStyleButton},
    {5, CMD_WORD_LIST_SEARCH, kButtonEnabled, kStyleButton},
    {18, CMD_SEARCH_NOTES, kButtonEnabled, kStyleButton},
    kSeparator,
    {12, CMD_GOTO_VERSE, kButtonEnabled, kStyleButton},
    {19, CMD_GOTO_NOTE, kButtonEnabled, kStyleButton},
    kSeparator,
    {13, CMD_CONTEXT, kButtonIndeterminate, kStyleButton},
    {21, CMD_NOTE_FOR_VERSE_LIST, kButtonIndeterminate, kStyleButton},
    {22, CMD_NOTE_FOR_PASSAGE, kButtonEnabled, kStyleButton},
    {23, CMD_VERSE_FOR_NOTE, kButtonEnabled, kStyleButton},
    kSeparator,
    {20, CMD_EDIT_NOTE, kButtonEnabled, kStyleButton},
    kSeparator,
    {14, CMD_VIEW_VERSE_LIST, kButtonChecked, kStyleCheck},
    {15, CMD_VIEW_PASSAGE, kButtonChecked, kStyleCheck},
    {16, CMD_VIEW_NOTES, kButtonChecked, kStyleCheck},
    kSeparator,
    {17, CMD_HELP_TOPICS, kButtonEnabled, kStyleButton},
};
constexpr std::size_t kToolbarEntryCount = sizeof kToolbarEntries / sizeof kToolbarEntries[0];

// Menu items greyed at start-up, until a verse list, a selection or the
// passage's focus brings them back.
constexpr int kGreyedAtStartup[] = {
    CMD_PRINT_VERSE_LIST, CMD_CUT, CMD_COPY, CMD_PASTE, CMD_COPY_VERSE_LIST,
    CMD_COPY_VERSE_REFERENCES, CMD_SAVE_VERSE_LIST, CMD_PREVIOUS_CHAPTER, CMD_NEXT_CHAPTER,
    CMD_PREVIOUS_BOOK, CMD_NEXT_BOOK, CMD_CONTEXT, CMD_NOTE_FOR_VERSE_LIST,
};

// Commands that act on the passage through the keyboard: enabled only while
// the passage window has the focus.
constexpr int kPassageFocusCommands[] = {
    CMD_PREVIOUS_CHAPTER, CMD_NEXT_CHAPTER, CMD_PREVIOUS_BOOK, CMD_NEXT_BOOK,
};

}  // namespace kv
