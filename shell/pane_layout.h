// Where the main window's panes go: the verse list at the upper left, the
// passage at the upper right, the notes across the bottom, at fixed
// fractions of the client area. Hidden panes give their room to the others;
// the note editor frame takes the notes pane's place while it is open.
// Pure arithmetic, so every arrangement is tested without windows.
#pragma once

#include <array>

namespace kv {

// Never changed at run time: there are no splitters to drag.
constexpr float kVerseListWidthRatio = 0.5f;
constexpr float kUpperPaneHeightRatio = 0.55f;
// The gap between the toolbar's bottom and the panes.
constexpr int kToolbarGap = 2;

struct PaneFlags {
  bool verse_list = true;   // VerseListWindow
  bool passage = true;      // ReadWindow
  bool notes = true;        // NotesWindow
  bool toolbar = true;      // ToolBar
  bool editor_open = false; // NoteEditorOpen
};

struct PaneRect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const PaneRect& a, const PaneRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
  }
};

// The places of the three tab controls (and of the editor frame) in the
// main window's client area. A pane that is not shown keeps an empty rect.
struct PaneLayout {
  int top = 0;           // TB: where the panes start
  int free_height = 0;   // FREE: the height between toolbar and status bar
  bool verse_list_shown = false;
  PaneRect verse_list;
  bool passage_shown = false;
  PaneRect passage;
  bool notes_tab_shown = false;  // the note set tab control and the notes window
  bool editor_shown = false;     // the note editor frame in the notes pane's place
  PaneRect notes;                // the notes pane, whichever of the two fills it
};

// `toolbar_bottom` is the bottom of the toolbar's client rectangle (used only
// when the toolbar is shown), `status_height` the status bar's height.
PaneLayout ComputePaneLayout(const PaneFlags& flags, int width, int height, int toolbar_bottom,
                             int status_height);

// The right edges of the five status bar parts for a status bar `width`
// pixels wide; the last part runs to the right border (-1).
std::array<int, 5> StatusPartEdges(int width);

}  // namespace kv
