// Searching the notes through the real "SearchNotes" dialog of the running
// program: whole words and substrings with and without case, Find Next
// inside one note and on to later ones, no wrapping, the caret after the
// range's end, an empty text, "Range...", the text taken from the display's
// selection, and the "Searching..." box with its bar while a search runs.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "notes/note_files.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/program_win.h"
#include "shell/testing/modal_script_win.h"
#include "shell/testing/program_test_win.h"
#include "testing/note_set_bytes.h"

namespace kv {
namespace {

using wintest::ClickButton;
using wintest::ItemText;
using wintest::ModalScript;
using wintest::WindowText;
using Notes = std::map<VerseIndex, std::string>;

// Verses 10, 20 and 30 of the set "Study" (Ge 1:11, 1:21, 1:31).
const Notes kNotes = {
    {10, "Grace be with you."},
    {20, "He spoke gracefully."},
    {30, "grace upon grace\r\nand truth: grace"},
};

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, f) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

void WriteSet(const std::string& dir, const std::string& name, const Notes& notes) {
  const testing::NoteSetBytes set = testing::NoteSetBytesOf(notes);
  WriteFileBytes(dir + "\\" + name + ".nmd", set.data);
  WriteFileBytes(dir + "\\" + name + ".nmi", set.index);
}

// What the notes display shows: the verse, its selection and text.
struct Shown {
  VerseIndex verse = kNoVerse;
  DWORD start = 0, end = 0;
  bool operator==(const Shown& other) const {
    return verse == other.verse && start == other.start && end == other.end;
  }
};

std::ostream& operator<<(std::ostream& out, const Shown& shown) {
  return out << "verse " << shown.verse << " [" << shown.start << ", " << shown.end << ")";
}

Shown ShownNow() {
  Shown shown;
  shown.verse = App().notes.current_verse;
  SendMessageA(Windows().notes_display, EM_GETSEL, reinterpret_cast<WPARAM>(&shown.start),
               reinterpret_cast<LPARAM>(&shown.end));
  return shown;
}

std::string DisplayText() {
  char text[512] = {};
  GetWindowTextA(Windows().notes_display, text, sizeof text);
  return text;
}

HWND ProgressWindow() { return FindWindowA("#32770", "Searching..."); }

// One press in the dialog: the text and boxes set, then the button.
struct Press {
  int button = IDC_NOTE_SEARCH_FIND_NEXT;
  std::string text;
  bool case_sensitive = false;
  bool substring = false;
};

Press First(std::string text, bool case_sensitive = false, bool substring = false) {
  return Press{IDC_NOTE_SEARCH_FIND_FIRST, std::move(text), case_sensitive, substring};
}
Press Next(std::string text, bool case_sensitive = false, bool substring = false) {
  return Press{IDC_NOTE_SEARCH_FIND_NEXT, std::move(text), case_sensitive, substring};
}

// What one opening of the dialog did: the display after each press, found
// or not, and the boxes shown.
struct Session {
  std::string title;
  std::string starting_text;
  bool boxes_cleared = false;
  std::vector<Shown> found;
  std::vector<std::string> boxes;  // "caption: text"
  std::vector<HWND> box_owners;
  HWND dialog = nullptr;
  // Seen while a "Text not found" box was up: the progress box and its bar.
  bool progress_visible = false;
  int progress_pos = -1, progress_low = -1, progress_high = -1;
};

// Opens the dialog, makes the presses, then Cancel. Presses listed in
// `not_found` (their positions in `presses`) are expected to end with a box.
Session RunSession(HWND main, const std::vector<Press>& presses, const std::vector<std::size_t>& not_found,
                   int command = CMD_SEARCH_NOTES) {
  Session session;
  ModalScript script;
  bool first = true;
  // The dialog as it opened, or the display after the last press.
  auto look = [&session, &first](HWND dialog) {
    if (!first) {
      session.found.push_back(ShownNow());
      return;
    }
    first = false;
    session.dialog = dialog;
    session.title = WindowText(dialog);
    session.starting_text = ItemText(dialog, IDC_NOTE_SEARCH_TEXT);
    session.boxes_cleared = !IsDlgButtonChecked(dialog, IDC_NOTE_SEARCH_CASE_SENSITIVE) &&
                            !IsDlgButtonChecked(dialog, IDC_NOTE_SEARCH_SUBSTRING);
  };
  for (std::size_t i = 0; i < presses.size(); ++i) {
    const Press press = presses[i];
    script.OnDialog([look, press](HWND dialog) {
      look(dialog);
      SetDlgItemTextA(dialog, IDC_NOTE_SEARCH_TEXT, press.text.c_str());
      CheckDlgButton(dialog, IDC_NOTE_SEARCH_CASE_SENSITIVE, press.case_sensitive ? BST_CHECKED : BST_UNCHECKED);
      CheckDlgButton(dialog, IDC_NOTE_SEARCH_SUBSTRING, press.substring ? BST_CHECKED : BST_UNCHECKED);
      ClickButton(dialog, press.button);
    });
    if (std::find(not_found.begin(), not_found.end(), i) != not_found.end()) {
      script.OnMessageBox([&session](HWND box) {
        session.boxes.push_back(WindowText(box) + ": " + wintest::MessageBoxText(box));
        session.box_owners.push_back(GetWindow(box, GW_OWNER));
        if (HWND progress = ProgressWindow()) {
          session.progress_visible = IsWindowVisible(progress) != FALSE;
          HWND bar = GetDlgItem(progress, IDC_SEARCH_PROGRESS_BAR);
          session.progress_pos = static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0));
          session.progress_low = static_cast<int>(SendMessageA(bar, PBM_GETRANGE, TRUE, 0));
          session.progress_high = static_cast<int>(SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
        }
        ClickButton(box, IDOK);
      });
    }
  }
  script.OnDialog([look](HWND dialog) {
    look(dialog);
    ClickButton(dialog, IDCANCEL);
  });
  SendMessageA(main, WM_COMMAND, command, 0);
  EXPECT_TRUE(script.Ok()) << script.Describe();
  EXPECT_EQ(ProgressWindow(), nullptr) << "the progress box is gone";
  EXPECT_EQ(Windows().modeless, nullptr);
  return session;
}

class NoteSearchDialog : public wintest::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    if (HasFatalFailure()) return;
    WriteSet(dir_, "Study", kNotes);
  }
};

const std::string kNotFound = "Search Notes: Text not found";

TEST_F(NoteSearchDialog, WholeWordsWithoutCaseStepThroughEachNoteWithoutWrapping) {
  Run([](HWND main) {
    Session s = RunSession(main, {First("grace"), Next("grace"), Next("grace"), Next("grace"), Next("grace")}, {4});
    EXPECT_EQ(s.title, "Search Note Set Study");
    EXPECT_EQ(s.starting_text, "");
    EXPECT_TRUE(s.boxes_cleared);
    // Grace at the start of a note, never gracefully, then every grace of
    // verse 30 in turn, the second line's counted with its CR LF.
    ASSERT_EQ(s.found.size(), 5u);
    EXPECT_EQ(s.found[0], (Shown{10, 0, 5}));
    EXPECT_EQ(s.found[1], (Shown{30, 0, 5}));
    EXPECT_EQ(s.found[2], (Shown{30, 11, 16}));
    EXPECT_EQ(s.found[3], (Shown{30, 29, 34}));
    EXPECT_EQ(s.found[4], (Shown{30, 29, 34})) << "no wrap: the last match stays shown";
    EXPECT_EQ(s.boxes, std::vector<std::string>{kNotFound});
    EXPECT_EQ(s.box_owners, std::vector<HWND>{s.dialog}) << "the box belongs to the dialog";
    EXPECT_EQ(DisplayText(), kNotes.at(30));
  });
}

TEST_F(NoteSearchDialog, SubstringsAndCaseChooseWhatMatches) {
  Run([](HWND main) {
    // Substring: gracefully counts, after Grace.
    Session sub = RunSession(main, {First("grace", false, true), Next("grace", false, true)}, {});
    ASSERT_EQ(sub.found.size(), 2u);
    EXPECT_EQ(sub.found[0], (Shown{10, 0, 5}));
    EXPECT_EQ(sub.found[1], (Shown{20, 9, 14}));
    EXPECT_TRUE(sub.boxes_cleared);

    // Case sensitive, whole word: Grace only at verse 10.
    Session upper = RunSession(main, {First("Grace", true), Next("Grace", true)}, {1});
    EXPECT_TRUE(upper.boxes_cleared) << "the boxes start cleared at every opening";
    ASSERT_EQ(upper.found.size(), 2u);
    EXPECT_EQ(upper.found[0], (Shown{10, 0, 5}));
    EXPECT_EQ(upper.found[1], (Shown{10, 0, 5}));
    EXPECT_EQ(upper.boxes, std::vector<std::string>{kNotFound});
    EXPECT_TRUE(App().search.options.case_sensitive) << "the boxes are the word search's options";
    EXPECT_FALSE(App().search.options.sub_string);

    // Case sensitive substring "grace" passes Grace by and finds gracefully.
    Session lower = RunSession(main, {First("grace", true, true)}, {});
    ASSERT_EQ(lower.found.size(), 1u);
    EXPECT_EQ(lower.found[0], (Shown{20, 9, 14}));
    EXPECT_TRUE(App().search.options.sub_string);
  });
}

TEST_F(NoteSearchDialog, TheTextIsKeptInLowerCaseWithoutCaseSensitive) {
  Run([](HWND main) {
    Session one = RunSession(main, {First("GRACE")}, {});
    ASSERT_EQ(one.found.size(), 1u);
    EXPECT_EQ(one.found[0], (Shown{10, 0, 5}));
    EXPECT_EQ(DisplayText(), kNotes.at(10)) << "the note shows its letters as stored";
    Session two = RunSession(main, {}, {});
    EXPECT_EQ(two.starting_text, "grace");
    EXPECT_STREQ(App().shell.note_search_prefill, "grace");
  });
}

TEST_F(NoteSearchDialog, FindNextStartsAtTheShownCaret) {
  Run([](HWND main) {
    // The caret of the shown note, inside verse 30's second grace.
    App().notes.current_verse = 29;
    SendMessageA(main, WM_COMMAND, CMD_NEXT_NOTE, 0);
    ASSERT_EQ(App().notes.current_verse, 30);
    SendMessageA(Windows().notes_display, EM_SETSEL, 12, 12);
    Session s = RunSession(main, {Next("grace")}, {});
    ASSERT_EQ(s.found.size(), 1u);
    EXPECT_EQ(s.found[0], (Shown{30, 29, 34}));
  });
}

TEST_F(NoteSearchDialog, ACaretAfterTheRangesEndFindsNothingAtOnce) {
  Run([](HWND main) {
    App().search.options.start_verse = 0;
    App().search.options.end_verse = 24;  // Ge 1:1 - Ge 1:25
    App().notes.current_verse = 29;
    SendMessageA(main, WM_COMMAND, CMD_NEXT_NOTE, 0);
    ASSERT_EQ(App().notes.current_verse, 30);
    Session s = RunSession(main, {Next("grace"), First("grace"), Next("grace")}, {0, 2});
    ASSERT_EQ(s.found.size(), 3u);
    EXPECT_EQ(s.found[0], (Shown{30, 0, 0})) << "nothing found, the note stays";
    EXPECT_EQ(s.found[1], (Shown{10, 0, 5})) << "Find First starts at the range";
    EXPECT_EQ(s.found[2], (Shown{10, 0, 5})) << "verse 30 lies outside the range";
    EXPECT_EQ(s.boxes, (std::vector<std::string>{kNotFound, kNotFound}));
  });
}

TEST_F(NoteSearchDialog, RangeChangesTheVersesOfTheNextFind) {
  Run([](HWND main) {
    ModalScript script;
    std::vector<Shown> found;
    script.OnDialog([](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_NOTE_SEARCH_TEXT, "grace");
      ClickButton(dialog, IDC_NOTE_SEARCH_RANGE);
    });
    script.OnDialog("Set Search Range", [](HWND range) {
      SetDlgItemTextA(range, IDC_RANGE_TEXT, "Ge 1:15 - Ge 50:26");
      ClickButton(range, IDOK);
    });
    script.OnDialog([](HWND dialog) { ClickButton(dialog, IDC_NOTE_SEARCH_FIND_FIRST); });
    script.OnDialog([&](HWND dialog) {
      found.push_back(ShownNow());
      ClickButton(dialog, IDCANCEL);
    });
    SendMessageA(main, WM_COMMAND, CMD_SEARCH_NOTES, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(App().search.options.start_verse, 14);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], (Shown{30, 0, 5}));
  });
}

TEST_F(NoteSearchDialog, AnEmptyTextClosesTheDialogWithoutSearching) {
  Run([](HWND main) {
    std::strcpy(App().shell.note_search_prefill, "grace");
    const Shown before = ShownNow();
    ModalScript script;
    script.OnDialog([](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_NOTE_SEARCH_TEXT, "");
      ClickButton(dialog, IDC_NOTE_SEARCH_FIND_FIRST);
    });
    SendMessageA(main, WM_COMMAND, CMD_SEARCH_NOTES, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    ASSERT_EQ(script.Seen().size(), 1u) << "no box, no second dialog";
    EXPECT_EQ(ShownNow(), before);
    EXPECT_STREQ(App().shell.note_search_prefill, "");
  });
}

TEST_F(NoteSearchDialog, TheProgressBoxSpansTheRangeWhileSearchingAndThenGoes) {
  Run([](HWND main) {
    App().search.options.start_verse = 5;
    App().search.options.end_verse = 31000;
    Session s = RunSession(main, {First("nowhere in the notes")}, {0});
    EXPECT_EQ(s.boxes, std::vector<std::string>{kNotFound});
    EXPECT_TRUE(s.progress_visible);
    EXPECT_EQ(s.progress_low, 5);
    EXPECT_EQ(s.progress_high, 31000);
    EXPECT_EQ(s.progress_pos, 31000) << "the bar reached the range's last verse";
  });
}

TEST_F(NoteSearchDialog, TheDisplaysSelectionBecomesTheText) {
  Run([](HWND main) {
    App().notes.current_verse = 19;
    SendMessageA(main, WM_COMMAND, CMD_NEXT_NOTE, 0);
    ASSERT_EQ(App().notes.current_verse, 20);
    SendMessageA(Windows().notes_display, EM_SETSEL, 9, 19);  // "gracefully"
    Session s = RunSession(main, {First("gracefully")}, {}, CMD_SEARCH_NOTES_SELECTED);
    EXPECT_EQ(s.starting_text, "gracefully");
    ASSERT_EQ(s.found.size(), 1u);
    EXPECT_EQ(s.found[0], (Shown{20, 9, 19}));
  });
}

}  // namespace
}  // namespace kv
