// The notes pane and the note editor driven in-process: the editing cycle
// with what it greys and enables, saving (and what is on disk afterwards),
// a locked data file, a note too long for the store, the question before an
// edited note is lost at exit, note and set stepping, the tabs, the display's
// selection, its context menu and cross-reference lines, the editor's
// clipboard commands and its place in the clipboard viewer chain, Go to Note
// for Verse, the notes font, and screenshots for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <map>
#include <string>
#include <vector>

#include "notes/note_files.h"
#include "passage/passage_window_win.h"
#include "platform/files.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/notes_view_win.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "shell/testing/modal_script_win.h"
#include "shell/testing/program_test_win.h"
#include "store/verse_address.h"
#include "testing/note_set_bytes.h"

namespace kv {
namespace {

using wintest::ModalScript;
using Notes = std::map<VerseIndex, std::string>;

// The two files of a set holding `notes`, built without the code under test.
void WriteSetFiles(const std::string& base, const Notes& notes) {
  const testing::NoteSetBytes set = testing::NoteSetBytesOf(notes);
  for (const auto& [suffix, bytes] :
       {std::pair<const char*, const std::string&>{".nmd", set.data}, {".nmi", set.index}}) {
    FILE* f = std::fopen((base + suffix).c_str(), "wb");
    ASSERT_NE(nullptr, f) << base << suffix;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

// The note of `verse` as the files hold it, read without the code under test.
std::string StoredNote(const std::string& base, VerseIndex verse) {
  const std::string index = wintest::ReadFile(base + ".nmi");
  const std::string data = wintest::ReadFile(base + ".nmd");
  if (index.size() != kNoteIndexBytes) return "<bad index>";
  auto entry = [&](VerseIndex v) {
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = u << 8 | static_cast<unsigned char>(index[static_cast<std::size_t>(v) * 4 + i]);
    return static_cast<std::size_t>(u);
  };
  const std::size_t start = entry(verse);
  if (start >= data.size()) return "<bad offset>";
  return std::string(data.c_str() + start);
}

std::string TextOf(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool MenuGreyed(int command) {
  return (GetMenuState(Windows().menu, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) != 0;
}

// -1: no toolbar button; else whether it is shown greyed.
int ButtonGreyed(int command) {
  if (SendMessageA(Windows().toolbar, TB_COMMANDTOINDEX, command, 0) < 0) return -1;
  return (SendMessageA(Windows().toolbar, TB_GETSTATE, command, 0) & TBSTATE_INDETERMINATE) != 0;
}

void ExpectCommand(int command, bool enabled) {
  SCOPED_TRACE(::testing::Message() << "command " << command);
  EXPECT_EQ(!enabled, MenuGreyed(command));
  const int button = ButtonGreyed(command);
  if (button >= 0) {
    EXPECT_EQ(!enabled, button != 0);
  }
}

const int kGreyedWhileEditing[] = {178, 179, 180, 138, 170, 171, 172, 173, 169, 174, 175, 176, 177};

void Command(int command) { SendMessageA(Windows().main, WM_COMMAND, command, 0); }

void ClickFrame(int id) {
  HWND frame = Windows().note_editor_frame;
  SendMessageA(frame, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(frame, id)));
}

void ShowNoteOf(VerseIndex verse) { ASSERT_TRUE(ShowNote(App().notes, ShellNotesPorts(), verse)); }

std::string StatusText(int part) {
  char text[128] = {};
  SendMessageA(Windows().status, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
  return text;
}

void SetClipboardText(const std::string& text) {
  ASSERT_TRUE(OpenClipboard(Windows().main));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
}

std::string ClipboardText() {
  if (!OpenClipboard(Windows().main)) return "<not opened>";
  std::string text;
  if (HANDLE block = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(block));
    GlobalUnlock(block);
  }
  CloseClipboard();
  return text;
}

class NotesWindow : public wintest::ProgramTest {
 protected:
  std::string Set(const std::string& name) const { return Path(name); }
  void WriteSet(const std::string& name, const Notes& notes) { WriteSetFiles(Set(name), notes); }
  // A verse's index from the scratch folder's own Bible data, before the
  // program has started.
  VerseIndex VerseOf(int book, int chapter, int verse) {
    std::unique_ptr<Files> files = MakeSystemFiles(dir_);
    BibleData bible;
    if (LoadBibleData(*files, &bible) != LoadError::None) return kNoVerse;
    VerseIndex found = FindVerse(bible, book, chapter, verse);
    ReleaseBibleData(*files, &bible);
    return found;
  }
};

const char* const kMine = "My Notes";

// `length` characters of ordinary lines of text.
std::string LongText(std::size_t length) {
  const std::string line = "And the evening and the morning were the first day.\r\n";
  std::string text;
  while (text.size() < length) text += line;
  text.resize(length);
  return text;
}

// ---- the editing cycle ----------------------------------------------------

TEST_F(NotesWindow, EditThenSaveStoresTheNoteShowsItAndEnablesTheCommandsAgain) {
  WriteSet(kMine, {{0, "old note"}, {kLastVerse, "Amen."}});
  Run([&](HWND) {
    ShellWindows& w = Windows();
    Command(CMD_EDIT_NOTE);
    EXPECT_TRUE(App().shell.note_editor_open);
    EXPECT_TRUE(IsWindowVisible(w.note_editor_frame));
    EXPECT_FALSE(IsWindowVisible(w.note_set_tab));
    EXPECT_FALSE(IsWindowVisible(w.notes_display));
    EXPECT_EQ(w.note_editor, GetFocus());
    EXPECT_EQ("old note", TextOf(w.note_editor));
    for (int command : kGreyedWhileEditing) ExpectCommand(command, false);

    // The buttons at the top right, the editor below them, placed by the paint.
    UpdateWindow(w.note_editor_frame);
    RECT frame, save, editor;
    GetClientRect(w.note_editor_frame, &frame);
    GetWindowRect(GetDlgItem(w.note_editor_frame, ID_NOTE_SAVE), &save);
    MapWindowPoints(nullptr, w.note_editor_frame, reinterpret_cast<POINT*>(&save), 2);
    GetWindowRect(w.note_editor, &editor);
    MapWindowPoints(nullptr, w.note_editor_frame, reinterpret_cast<POINT*>(&editor), 2);
    EXPECT_EQ(frame.right - 180, save.left);
    EXPECT_EQ(60, save.right - save.left);
    EXPECT_EQ(21, save.bottom - save.top);
    EXPECT_EQ(21, editor.top);
    EXPECT_EQ(frame.bottom, editor.bottom);

    SetWindowTextA(w.note_editor, "new note\r\n#Ro 3:23");
    ClickFrame(ID_NOTE_SAVE);
    EXPECT_FALSE(App().shell.note_editor_open);
    EXPECT_FALSE(IsWindowVisible(w.note_editor_frame));
    EXPECT_TRUE(IsWindowVisible(w.notes_display));
    EXPECT_EQ("new note\r\n#Ro 3:23", TextOf(w.notes_display));
    EXPECT_EQ("", TextOf(w.note_editor));
    for (int command : kGreyedWhileEditing) ExpectCommand(command, command != CMD_NOTE_FOR_VERSE_LIST);
  });
  EXPECT_EQ("new note\r\n#Ro 3:23", StoredNote(Set(kMine), 0));
  EXPECT_EQ("Amen.", StoredNote(Set(kMine), kLastVerse));
}

TEST_F(NotesWindow, CancelDropsTheEditAndLeavesTheFilesAlone) {
  WriteSet(kMine, {{0, "old note"}});
  const std::string before = wintest::ReadFile(Set(kMine) + ".nmd");
  Run([](HWND) {
    Command(CMD_EDIT_NOTE);
    SetWindowTextA(Windows().note_editor, "changed my mind");
    ClickFrame(ID_NOTE_CANCEL);
    EXPECT_FALSE(App().shell.note_editor_open);
    EXPECT_EQ("old note", TextOf(Windows().notes_display));
    EXPECT_EQ("old note", std::string(App().notes.buffer.data()));
  });
  EXPECT_EQ(before, wintest::ReadFile(Set(kMine) + ".nmd"));
}

TEST_F(NotesWindow, AVerseWithoutANoteIsEditedEmptyAndSavedEmpty) {
  WriteSet(kMine, {{0, "first"}});
  Run([](HWND) {
    ShowNoteOf(5);
    EXPECT_EQ("No note.", TextOf(Windows().notes_display));
    Command(CMD_EDIT_NOTE);
    EXPECT_EQ("", TextOf(Windows().note_editor));
    ClickFrame(ID_NOTE_SAVE);
    EXPECT_FALSE(App().shell.note_editor_open);
    EXPECT_EQ("No note.", TextOf(Windows().notes_display));
  });
  EXPECT_EQ("", StoredNote(Set(kMine), 5));
  EXPECT_EQ("first", StoredNote(Set(kMine), 0));
  EXPECT_EQ(std::string(), wintest::ReadFile(Set(kMine) + ".nmd.temp"));
}

TEST_F(NotesWindow, ALockedDataFileAndCancelKeepTheEditorOpenWithItsText) {
  WriteSet(kMine, {{0, "old note"}});
  Run([&](HWND) {
    Command(CMD_EDIT_NOTE);
    SetWindowTextA(Windows().note_editor, "kept text");
    HANDLE held = CreateFileA((Set(kMine) + ".nmd").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ModalScript script;
    script.OnMessageBox([](HWND box) {
      EXPECT_NE(std::string::npos, wintest::MessageBoxText(box).find("My Notes.nmd"));
      EXPECT_NE(nullptr, GetDlgItem(box, IDRETRY));
      wintest::ClickButton(box, IDCANCEL);
    });
    ClickFrame(ID_NOTE_SAVE);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    CloseHandle(held);
    EXPECT_TRUE(App().shell.note_editor_open);
    EXPECT_TRUE(IsWindowVisible(Windows().note_editor_frame));
    EXPECT_EQ("kept text", TextOf(Windows().note_editor));
    EXPECT_EQ("old note", StoredNote(Set(kMine), 0));
    // Once the file is free the same text saves.
    ClickFrame(ID_NOTE_SAVE);
    EXPECT_FALSE(App().shell.note_editor_open);
  });
  EXPECT_EQ("kept text", StoredNote(Set(kMine), 0));
}

TEST_F(NotesWindow, ANoteLongerThanTheStoreHoldsIsRefusedAndNothingIsWritten) {
  WriteSet(kMine, {{0, "old note"}, {1, LongText(40000)}});
  const std::string before = wintest::ReadFile(Set(kMine) + ".nmd");
  Run([](HWND) {
    ShellWindows& w = Windows();
    // A long stored note is shown whole, and typing may go past the
    // control's usual 32767 characters.
    ShowNoteOf(1);
    EXPECT_EQ(40000, GetWindowTextLengthA(w.notes_display));
    Command(CMD_EDIT_NOTE);
    EXPECT_EQ(40000, GetWindowTextLengthA(w.note_editor));
    SendMessageA(w.note_editor, EM_SETSEL, 40000, 40000);
    SendMessageA(w.note_editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(LongText(20000).c_str()));
    EXPECT_EQ(60000, GetWindowTextLengthA(w.note_editor));
    // Past what a note holds the editor takes nothing more by typing.
    EXPECT_EQ(static_cast<LRESULT>(kMaxNoteChars), SendMessageA(w.note_editor, EM_GETLIMITTEXT, 0, 0));

    // Set past the limit (the limit does not hold for a text set whole).
    SetWindowTextA(w.note_editor, LongText(70000).c_str());
    ASSERT_GT(GetWindowTextLengthA(w.note_editor), static_cast<int>(kMaxNoteChars));
    ModalScript script;
    script.OnMessageBox([](HWND box) {
      EXPECT_EQ("Save Error", wintest::WindowText(box));
      EXPECT_NE(std::string::npos, wintest::MessageBoxText(box).find("65533"));
      wintest::ClickButton(box, IDOK);
    });
    ClickFrame(ID_NOTE_SAVE);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    EXPECT_TRUE(App().shell.note_editor_open);
    ClickFrame(ID_NOTE_CANCEL);
  });
  EXPECT_EQ(before, wintest::ReadFile(Set(kMine) + ".nmd"));
}

TEST_F(NotesWindow, WithBindOnAPassageMoveLeavesTheEditedNoteWhereItIs) {
  WriteSet(kMine, {{0, "old note"}});
  Run([&](HWND) {
    Command(CMD_BIND_NOTES);
    ASSERT_EQ(1, App().notes.BindNotes);
    Command(CMD_EDIT_NOTE);
    SetWindowTextA(Windows().note_editor, "for Genesis 1:1");
    Command(CMD_NEXT_BOOK);
    SetCurrentVerse(100);
    EXPECT_EQ(0, App().notes.current_verse);
    ClickFrame(ID_NOTE_SAVE);
  });
  EXPECT_EQ("for Genesis 1:1", StoredNote(Set(kMine), 0));
  EXPECT_EQ("", StoredNote(Set(kMine), 100));
}

// ---- closing the program with the editor open -----------------------------

struct CloseCase {
  const char* name;
  int answer;
  UINT message;  // how the close is asked for
  WPARAM wParam;
};

class CloseWithEditedNote : public NotesWindow, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseWithEditedNote, AsksAndDoesWhatTheAnswerSays) {
  const CloseCase c = GetParam();
  WriteSet(kMine, {{0, "old note"}});
  Run([&](HWND main) {
    Command(CMD_EDIT_NOTE);
    SetWindowTextA(Windows().note_editor, "edited");
    ModalScript script;
    script.OnMessageBox([&](HWND box) {
      EXPECT_EQ("Edit Note", wintest::WindowText(box));
      EXPECT_EQ("The note for Genesis 1:1 has been changed.\n\nDo you want to save it before closing?",
                wintest::MessageBoxText(box));
      EXPECT_NE(nullptr, GetDlgItem(box, IDYES));
      EXPECT_NE(nullptr, GetDlgItem(box, IDNO));
      wintest::ClickButton(box, c.answer);
    });
    SendMessageA(main, c.message, c.wParam, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    if (c.answer == IDCANCEL) {
      ASSERT_TRUE(IsWindow(main));
      EXPECT_TRUE(App().shell.note_editor_open);
      EXPECT_EQ("edited", TextOf(Windows().note_editor));
      ClickFrame(ID_NOTE_CANCEL);
    } else {
      EXPECT_FALSE(IsWindow(main));
    }
  });
  EXPECT_EQ(c.answer == IDYES ? "edited" : "old note", StoredNote(Set(kMine), 0));
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseWithEditedNote,
                         ::testing::Values(CloseCase{"YesOnExit", IDYES, WM_COMMAND, CMD_EXIT},
                                         CloseCase{"NoOnAltF4", IDNO, WM_SYSCOMMAND, SC_CLOSE},
                                         CloseCase{"CancelOnCloseBox", IDCANCEL, WM_CLOSE, 0}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

// The session's end asks as the program's close does; Cancel keeps both the
// session and the edit, Yes saves before the session may end.
TEST_F(NotesWindow, TheSessionsEndAsksAboutAnEditedNote) {
  WriteSet(kMine, {{0, "old note"}});
  Run([&](HWND main) {
    Command(CMD_EDIT_NOTE);
    SetWindowTextA(Windows().note_editor, "edited");
    for (int answer : {IDCANCEL, IDYES}) {
      ModalScript script;
      script.OnMessageBox([&](HWND box) {
        EXPECT_EQ("Edit Note", wintest::WindowText(box));
        wintest::ClickButton(box, answer);
      });
      const LRESULT may_end = SendMessageA(main, WM_QUERYENDSESSION, 0, 0);
      EXPECT_TRUE(script.Ok()) << script.Describe();
      EXPECT_EQ(answer == IDYES, may_end != 0);
      EXPECT_TRUE(IsWindow(main)) << "the query alone never closes the window";
      if (answer == IDCANCEL) {
        EXPECT_TRUE(App().shell.note_editor_open);
        EXPECT_EQ("old note", StoredNote(Set(kMine), 0));
      }
    }
    EXPECT_EQ("edited", StoredNote(Set(kMine), 0));
    ModalScript quiet;
    EXPECT_TRUE(SendMessageA(main, WM_QUERYENDSESSION, 0, 0)) << "nothing left to ask about";
    EXPECT_TRUE(quiet.Ok()) << quiet.Describe();
  });
}

// A double click on Save: the first click saves and closes, the second
// reaches the hidden button and must not save the emptied editor.
TEST_F(NotesWindow, ASecondClickOnSaveAfterTheEditorClosedKeepsTheNote) {
  WriteSet(kMine, {{0, "old note"}});
  Run([&](HWND) {
    Command(CMD_EDIT_NOTE);
    SetWindowTextA(Windows().note_editor, "saved once");
    HWND save = GetDlgItem(Windows().note_editor_frame, ID_NOTE_SAVE);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
      PostMessageA(save, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
    wintest::Pump();
    EXPECT_FALSE(App().shell.note_editor_open);
    ClickFrame(ID_NOTE_SAVE);
    ClickFrame(ID_NOTE_CANCEL);
    EXPECT_EQ("saved once", TextOf(Windows().notes_display));
  });
  EXPECT_EQ("saved once", StoredNote(Set(kMine), 0));
}

TEST_F(NotesWindow, AnUnchangedEditorClosesWithoutAQuestion) {
  WriteSet(kMine, {{0, "old note"}});
  Run([](HWND main) {
    Command(CMD_EDIT_NOTE);
    ModalScript script;
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_TRUE(script.Seen().empty()) << script.Describe();
  });
}

// ---- stepping through notes and sets ---------------------------------------

TEST_F(NotesWindow, NextAndPreviousNoteWithNoneOneAndSeveralNotes) {
  Run([](HWND) {
    // The set made at start-up holds no note.
    ShowNoteOf(0);
    Command(CMD_NEXT_NOTE);
    EXPECT_EQ(1, App().notes.current_verse);
    EXPECT_EQ("No note.", TextOf(Windows().notes_display));
    ShowNoteOf(0);
    Command(CMD_PREVIOUS_NOTE);
    EXPECT_EQ(kLastVerse, App().notes.current_verse);
    EXPECT_EQ("Re 22:21", StatusText(STATUS_PART_NOTE));
  });
}

TEST_F(NotesWindow, NextAndPreviousNoteFindTheNotesAroundTheEnds) {
  WriteSet(kMine, {{5, "five"}, {100, "hundred"}, {kLastVerse, "last"}});
  Run([](HWND) {
    ShowNoteOf(100);
    Command(CMD_PREVIOUS_NOTE);
    EXPECT_EQ(5, App().notes.current_verse);
    EXPECT_EQ("five", TextOf(Windows().notes_display));
    Command(CMD_PREVIOUS_NOTE);
    EXPECT_EQ(kLastVerse, App().notes.current_verse);
    Command(CMD_NEXT_NOTE);
    EXPECT_EQ(5, App().notes.current_verse);
    Command(CMD_NEXT_NOTE);
    EXPECT_EQ(100, App().notes.current_verse);
  });
}

TEST_F(NotesWindow, OneNoteOnlyStepsOneVerseOnFromIt) {
  WriteSet(kMine, {{100, "alone"}});
  Run([](HWND) {
    ShowNoteOf(0);
    Command(CMD_NEXT_NOTE);
    EXPECT_EQ(100, App().notes.current_verse);
    Command(CMD_NEXT_NOTE);
    EXPECT_EQ(101, App().notes.current_verse);
  });
}

std::vector<std::string> TabTexts() { return kv::TabTexts(Windows().note_set_tab); }

TEST_F(NotesWindow, SetSteppingWrapsAndATabClickShowsTheSameVerseFromTheOtherSet) {
  WriteSet("Alpha", {{0, "alpha note"}});
  WriteSet("Beta", {{0, "beta note"}});
  Run([](HWND) {
    const std::vector<std::string> tabs = TabTexts();
    ASSERT_EQ(2u, tabs.size());
    auto note_of = [&](int set) { return tabs[static_cast<std::size_t>(set)] == "Alpha" ? "alpha note" : "beta note"; };
    ShowNoteOf(0);
    const int first = App().notes.current_set;
    Command(CMD_NEXT_NOTE_SET);
    EXPECT_EQ(1 - first, App().notes.current_set);
    EXPECT_EQ(note_of(1 - first), TextOf(Windows().notes_display));
    Command(CMD_NEXT_NOTE_SET);
    EXPECT_EQ(first, App().notes.current_set);
    Command(CMD_PREVIOUS_NOTE_SET);
    EXPECT_EQ(1 - first, App().notes.current_set);
    Command(CMD_PREVIOUS_NOTE_SET);
    EXPECT_EQ(first, App().notes.current_set);
    EXPECT_EQ(first, static_cast<int>(SendMessageA(Windows().note_set_tab, TCM_GETCURSEL, 0, 0)));

    // A click on the other tab, as the mouse gives it.
    UpdateWindow(Windows().passage);
    UpdateWindow(Windows().verse_list);
    const int other = 1 - first;
    RECT item;
    SendMessageA(Windows().note_set_tab, TCM_GETITEMRECT, other, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageA(Windows().note_set_tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(Windows().note_set_tab, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(other, App().notes.current_set);
    EXPECT_EQ(0, App().notes.current_verse);
    EXPECT_EQ(note_of(other), TextOf(Windows().notes_display));
    // The note markers of the passage and the verse list are painted again.
    EXPECT_TRUE(GetUpdateRect(Windows().passage, nullptr, FALSE));
    EXPECT_TRUE(GetUpdateRect(Windows().verse_list, nullptr, FALSE));
  });
}

TEST_F(NotesWindow, ThirtySetsShowInSeveralTabRowsAboveTheDisplay) {
  for (int n = 1; n <= kMaxNoteSets; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "Study set %02d", n);
    WriteSet(name, {{0, name}});
  }
  Run([](HWND) {
    HWND tabs = Windows().note_set_tab;
    EXPECT_EQ(kMaxNoteSets, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_GT(SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0), 1);
    RECT display;
    GetWindowRect(Windows().notes_display, &display);
    for (int i = 0; i < kMaxNoteSets; ++i) {
      RECT item;
      SendMessageA(tabs, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
      MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&item), 2);
      EXPECT_LE(item.bottom, display.top) << "tab " << i;
    }
    EXPECT_GT(display.bottom - display.top, 20);
  });
}

// ---- the display: selection, context menu, cross-references ----------------

TEST_F(NotesWindow, TheDisplaysSelectionOwnsCopy) {
  WriteSet(kMine, {{0, "First line of the note"}});
  Run([](HWND) {
    HWND display = Windows().notes_display;
    SendMessageA(display, EM_SETSEL, 0, 5);
    EXPECT_EQ(kNotesDisplayOwner, App().selection.owner);
    ExpectCommand(CMD_COPY, true);
    SetClipboardText("before");
    Command(CMD_COPY);
    EXPECT_EQ("First", ClipboardText());
    SendMessageA(display, EM_SETSEL, 2, 2);
    EXPECT_EQ(kNoSelectionOwner, App().selection.owner);
    ExpectCommand(CMD_COPY, false);
  });
}

TEST_F(NotesWindow, ContextMenuItemsGreyedWithoutASelectionAndSearchingTheSelectedText) {
  WriteSet(kMine, {{0, "grace and peace"}});
  Run([](HWND) {
    HWND display = Windows().notes_display;
    std::vector<wintest::MenuItemState> items;
    {
      ModalScript script;
      script.OnMenu([&](HWND, HMENU menu) {
        items = wintest::ReadMenu(menu);
        EndMenu();
      });
      SendMessageA(display, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
      EXPECT_TRUE(script.Ok()) << script.Describe();
    }
    EXPECT_EQ(display, GetFocus());
    const struct {
      UINT id;
      const char* text;
      bool grayed;
    } want[] = {{162, "Copy Selected Text\tCtrl+C", true},
                {0, "", false},
                {176, "Edit This Note\tAlt+E", false},
                {0, "", false},
                {170, "Previous Note\tAlt+Up", false},
                {171, "Next Note\tAlt+Down", false},
                {172, "Previous Note Set\tAlt+Left", false},
                {173, "Next Note Set\tAlt+Right", false},
                {0, "", false},
                {175, "Go to Note for Verse in Verse List\tF9", true},
                {174, "Go to Note for Verse in Passage\tF10", false},
                {169, "Go to Note for Verse...\tAlt+N", false},
                {181, "Read Verse for this Note\tF11", false},
                {0, "", false},
                {183, "Bind Notes to Passage Window", false},
                {0, "", false},
                {188, "Word Search with Selected Text...", true},
                {189, "Phrase Search with Selected Text...", true},
                {190, "Search Notes with Selected Text...", true}};
    ASSERT_EQ(std::size(want), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
      SCOPED_TRACE(::testing::Message() << "item " << i);
      EXPECT_EQ(want[i].id == 0, items[i].separator);
      if (want[i].id == 0) continue;
      EXPECT_EQ(want[i].id, items[i].id);
      EXPECT_EQ(want[i].text, items[i].text);
      EXPECT_EQ(want[i].grayed, items[i].grayed);
      EXPECT_FALSE(items[i].checked);
    }

    // With a selection in the display the search starts with its text.
    SendMessageA(display, EM_SETSEL, 0, 5);
    ModalScript search;
    std::string offered;
    search.PickMenuItem(CMD_WORD_SEARCH_SELECTED);
    search.OnDialog([&](HWND dialog) {
      offered = wintest::ItemText(dialog, IDC_SEARCH_TEXT);
      wintest::ClickButton(dialog, IDCANCEL);
    });
    SendMessageA(display, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    wintest::Pump();
    EXPECT_TRUE(search.Ok()) << search.Describe();
    EXPECT_EQ("grace", offered);
  });
}

// Double-clicks the display at character `position` of what it shows.
void DoubleClickAt(LONG position) {
  HWND display = Windows().notes_display;
  POINTL point = {};
  SendMessageA(display, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), position);
  const LPARAM at = MAKELPARAM(point.x + 2, point.y + 2);
  SendMessageA(display, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(display, WM_LBUTTONUP, 0, at);
  SendMessageA(display, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(display, WM_LBUTTONUP, 0, at);
}

std::vector<std::string> ReferenceLines() {
  HWND list = Windows().reference_list;
  std::vector<std::string> lines;
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char line[64] = {};
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
    lines.push_back(line);
  }
  return lines;
}

const std::string kThreeLines = "First line\r\nSecond #line\r\n#Ro 3:23 6:23";

TEST_F(NotesWindow, ADoubleClickOnACrossReferenceLineOnTheThirdLineFillsTheVerseList) {
  WriteSet(kMine, {{0, kThreeLines}});
  Run([](HWND) {
    ShowNoteOf(0);
    const BibleData& bible = App().store.bible;
    DoubleClickAt(static_cast<LONG>(kThreeLines.find("3:23")));
    const SearchState& search = App().search;
    ASSERT_EQ(2, search.result_count);
    EXPECT_EQ(FindVerse(bible, 45, 3, 23), search.verse_list[0]);
    EXPECT_EQ(FindVerse(bible, 45, 6, 23), search.verse_list[1]);
    EXPECT_EQ(kNoVerse, search.verse_list[2]);
    EXPECT_EQ((std::vector<std::string>{"Romans 3:23", "Romans 6:23"}), ReferenceLines());
    EXPECT_EQ("x-refs for Ge 1:1", StatusText(STATUS_PART_SEARCH));
    EXPECT_EQ(0, App().verse_list.top);
    for (int command : {186, 108, 175, 132, 131}) ExpectCommand(command, true);
    EXPECT_TRUE(IsWindowVisible(Windows().verse_list));

    // The second line's "#" stands after the click: nothing changes.
    DoubleClickAt(static_cast<LONG>(kThreeLines.find("Second") + 2));
    EXPECT_EQ(2, App().search.result_count);
    EXPECT_EQ(FindVerse(bible, 45, 3, 23), search.verse_list[0]);
    // The first line has none at all.
    DoubleClickAt(2);
    EXPECT_EQ(2, App().search.result_count);
  });
}

TEST_F(NotesWindow, AfterACrossReferenceLineWithNoEntryTheListCommandsDoNoHarm) {
  WriteSet(kMine, {{0, "#Xyz 1:1"}, {3, "three"}});
  Run([](HWND) {
    ShowNoteOf(0);
    SetCurrentVerse(200);
    DoubleClickAt(2);
    EXPECT_EQ(0, App().search.result_count);
    EXPECT_EQ(kNoVerse, App().search.verse_list[0]);
    EXPECT_EQ("x-refs for Ge 1:1", StatusText(STATUS_PART_SEARCH));
    ExpectCommand(CMD_NOTE_FOR_VERSE_LIST, true);
    SetClipboardText("untouched");
    ModalScript script;  // no box, no dialog may open
    for (int command :
         {CMD_NOTE_FOR_VERSE_LIST, CMD_CONTEXT, CMD_COPY_VERSE_LIST, CMD_SAVE_VERSE_LIST, CMD_PRINT_VERSE_LIST})
      Command(command);
    wintest::Pump();
    EXPECT_TRUE(script.Seen().empty()) << script.Describe();
    EXPECT_EQ(0, App().notes.current_verse);
    EXPECT_EQ("#Xyz 1:1", TextOf(Windows().notes_display));
    EXPECT_EQ(200, App().passage.CurrentVerse);
    EXPECT_EQ("untouched", ClipboardText());
    // The references of an empty list are the bare mark, as for any empty list.
    Command(CMD_COPY_VERSE_REFERENCES);
    EXPECT_EQ("#", ClipboardText());
  });
}

// ---- the editor's clipboard commands and the viewer chain -----------------

TEST_F(NotesWindow, CutCopyAndPasteInTheEditorThroughTheMainWindow) {
  WriteSet(kMine, {{0, "abcdef"}});
  Run([](HWND) {
    ShellWindows& w = Windows();
    SetClipboardText("clip");
    Command(CMD_EDIT_NOTE);
    ASSERT_EQ(w.note_editor, GetFocus());
    ExpectCommand(CMD_PASTE, true);
    ExpectCommand(CMD_CUT, false);
    SendMessageA(w.note_editor, EM_SETSEL, 0, 3);
    EXPECT_EQ(kNoteEditorOwner, App().selection.owner);
    ExpectCommand(CMD_CUT, true);
    ExpectCommand(CMD_COPY, true);
    Command(CMD_CUT);
    EXPECT_EQ("def", TextOf(w.note_editor));
    EXPECT_EQ("abc", ClipboardText());
    SendMessageA(w.note_editor, EM_SETSEL, 3, 3);
    Command(CMD_PASTE);
    EXPECT_EQ("defabc", TextOf(w.note_editor));
    SendMessageA(w.note_editor, EM_SETSEL, 0, 2);
    Command(CMD_COPY);
    EXPECT_EQ("de", ClipboardText());
    // The focus elsewhere: nothing to paste into, no selection of the editor.
    SetFocus(w.passage);
    ExpectCommand(CMD_PASTE, false);
    ExpectCommand(CMD_CUT, false);
    EXPECT_NE(kNoteEditorOwner, App().selection.owner);
    // The clipboard emptied while the editor has the focus greys Paste.
    SetFocus(w.note_editor);
    ExpectCommand(CMD_PASTE, true);
    ASSERT_TRUE(OpenClipboard(w.main));
    EmptyClipboard();
    CloseClipboard();
    ExpectCommand(CMD_PASTE, false);
    ClickFrame(ID_NOTE_CANCEL);
  });
}

// ---- line breaks under the arrow keys ---------------------------------------

// A key pressed in `control`, with Shift held or not.
void SendKey(HWND control, UINT key, bool shift) {
  wintest::HoldModifiers(shift ? wintest::kShift : wintest::kNoModifiers);
  SendMessageA(control, WM_KEYDOWN, key, 1);
  SendMessageA(control, WM_KEYUP, key, 0xC0000001);
  wintest::HoldModifiers(wintest::kNoModifiers);
}

CHARRANGE SelectionOf(HWND control) {
  CHARRANGE selection = {};
  SendMessageA(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  return selection;
}

void Type(HWND control, const std::string& text) {
  for (unsigned char c : text) SendMessageA(control, WM_CHAR, c, 1);
}

TEST_F(NotesWindow, LeftAndRightStepOverAWholeLineBreakInTheEditorAndTheDisplay) {
  WriteSet(kMine, {{0, "ab\r\ncd"}});
  Run([](HWND) {
    ShellWindows& w = Windows();
    struct Step {
      LONG from;
      UINT key;
      bool shift;
      LONG min, max;
    };
    const Step steps[] = {{2, VK_RIGHT, false, 4, 4}, {4, VK_LEFT, false, 2, 2}, {2, VK_RIGHT, true, 2, 4},
                          {4, VK_LEFT, true, 2, 4},   {1, VK_RIGHT, false, 2, 2}, {5, VK_LEFT, false, 4, 4},
                          {6, VK_RIGHT, false, 6, 6}};
    Command(CMD_EDIT_NOTE);
    ASSERT_EQ("ab\r\ncd", TextOf(w.note_editor));
    for (HWND control : {w.note_editor, w.notes_display}) {
      for (const Step& step : steps) {
        SCOPED_TRACE(::testing::Message() << (control == w.note_editor ? "editor" : "display") << ", from "
                                          << step.from << ", key " << step.key << (step.shift ? " with Shift" : ""));
        SendMessageA(control, EM_SETSEL, step.from, step.from);
        SendKey(control, step.key, step.shift);
        const CHARRANGE selection = SelectionOf(control);
        EXPECT_EQ(step.min, selection.cpMin);
        EXPECT_EQ(step.max, selection.cpMax);
      }
      // Shift+Right at the very end selects nothing past it, and the copy
      // of what it selects comes through.
      SendMessageA(control, EM_SETSEL, 6, 6);
      SendKey(control, VK_RIGHT, true);
      EXPECT_EQ(6, SelectionOf(control).cpMax);
      SendMessageA(control, EM_SETSEL, 4, 6);
      SendMessageA(control, WM_COPY, 0, 0);
      EXPECT_EQ("cd", ClipboardText());
      if (control == w.note_editor) {
        // Typed after Right from a line's end, the text starts the next line;
        // over a line break selected with Shift+Right, it replaces the break.
        SendMessageA(control, EM_SETSEL, 2, 2);
        SendKey(control, VK_RIGHT, false);
        Type(control, "x");
        EXPECT_EQ("ab\r\nxcd", TextOf(control));
        SendMessageA(control, EM_SETSEL, 2, 2);
        SendKey(control, VK_RIGHT, true);
        Type(control, "y");
        EXPECT_EQ("abyxcd", TextOf(control));
        // Right at the very end stays there, and what follows ends the text.
        SendMessageA(control, EM_SETSEL, 6, 6);
        SendKey(control, VK_RIGHT, false);
        Type(control, "z\rw");
        EXPECT_EQ("abyxcdz\r\nw", TextOf(control));
        SetWindowTextA(control, "ab\r\ncd");
        ClickFrame(ID_NOTE_CANCEL);
      }
    }
  });
}

// What a user does often: the end of a line, Right, a few words and Return,
// and the window resized afterwards. The note keeps its lines whole, and the
// editor wraps them at every width.
TEST_F(NotesWindow, TextTypedAfterRightAtALinesEndIsSavedWithItsLinesWhole) {
  WriteSet(kMine, {{0, "first line\r\nsecond line"}});
  Run([&](HWND main) {
    HWND editor = Windows().note_editor;
    Command(CMD_EDIT_NOTE);
    SendMessageA(editor, EM_SETSEL, 10, 10);
    SendKey(editor, VK_RIGHT, false);
    Type(editor, "new words\r");
    EXPECT_EQ("first line\r\nnew words\r\nsecond line", TextOf(editor));
    RECT window;
    GetWindowRect(main, &window);
    for (int width = 700; width >= 200; width -= 37) {
      MoveWindow(main, window.left, window.top, width, window.bottom - window.top, TRUE);
      UpdateWindow(main);
    }
    ClickFrame(ID_NOTE_SAVE);
    EXPECT_FALSE(App().shell.note_editor_open);
  });
  EXPECT_EQ("first line\r\nnew words\r\nsecond line", StoredNote(Set(kMine), 0));
}

// A clipboard viewer of the test's own, counting the changes it is told of.
struct Viewer {
  HWND window = nullptr;
  HWND next = nullptr;
  bool joined = false;
  int changes = 0;
};

LRESULT CALLBACK ViewerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* viewer = reinterpret_cast<Viewer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (viewer && message == WM_DRAWCLIPBOARD) {
    ++viewer->changes;
    if (viewer->joined && viewer->next) SendMessageA(viewer->next, message, wParam, lParam);
    return 0;
  }
  if (viewer && message == WM_CHANGECBCHAIN) {
    if (reinterpret_cast<HWND>(wParam) == viewer->next) viewer->next = reinterpret_cast<HWND>(lParam);
    else if (viewer->joined && viewer->next) SendMessageA(viewer->next, message, wParam, lParam);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Join(Viewer& viewer) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ViewerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KvTestClipboardViewer";
    RegisterClassA(&wc);
    registered = true;
  }
  viewer.window = CreateWindowExA(0, "KvTestClipboardViewer", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(viewer.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&viewer));
  viewer.joined = true;
  viewer.next = SetClipboardViewer(viewer.window);
}

void Leave(Viewer& viewer) {
  ChangeClipboardChain(viewer.window, viewer.next);
  viewer.joined = false;
}

TEST_F(NotesWindow, TheEditorFrameKeepsTheViewerChainWhenAnotherLeavesAndLeavesItWhenDestroyed) {
  // Chain after start-up: the editor frame, then `leaving`, then `last`.
  Viewer last, leaving;
  Join(last);
  Join(leaving);
  Run([&](HWND) {
    ASSERT_EQ(Windows().note_editor_frame, GetClipboardViewer());
    Leave(leaving);
    const int before = last.changes;
    SetClipboardText("after one left");
    EXPECT_EQ(before + 1, last.changes);
    // The frame still hears of changes: Paste follows them in the editor.
    Command(CMD_EDIT_NOTE);
    ExpectCommand(CMD_PASTE, true);
    ClickFrame(ID_NOTE_CANCEL);
  });
  EXPECT_EQ(last.window, GetClipboardViewer());
  Leave(last);
  DestroyWindow(last.window);
  DestroyWindow(leaving.window);
}

// ---- Go to Note for Verse ----------------------------------------------------

TEST_F(NotesWindow, GoToNoteForVerseStartsAtTheNotesVerseAndRefusesAnUnknownReference) {
  WriteSet(kMine, {{VerseOf(43, 3, 16), "so loved"}});
  Run([](HWND) {
    const BibleData& bible = App().store.bible;
    ShowNoteOf(FindVerse(bible, 1, 2, 3));
    {
    ModalScript script;
    script.OnDialog([](HWND dialog) {
      EXPECT_EQ("Go to Note for Verse", wintest::WindowText(dialog));
      EXPECT_EQ("Ge 2:3", wintest::ItemText(dialog, IDC_GOTO_NOTE_REFERENCE));
      SetDlgItemTextA(dialog, IDC_GOTO_NOTE_REFERENCE, "Zzz 9:9");
      wintest::ClickButton(dialog, IDOK);
    });
    script.OnMessageBox([](HWND box) {
      EXPECT_EQ("Error", wintest::WindowText(box));
      EXPECT_EQ("Unrecognized Refrence", wintest::MessageBoxText(box));
      wintest::ClickButton(box, IDOK);
    });
    script.OnDialog([](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_GOTO_NOTE_REFERENCE, "Joh 3:16");
      wintest::ClickButton(dialog, IDOK);
    });
    Command(CMD_GOTO_NOTE);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(FindVerse(bible, 43, 3, 16), App().notes.current_verse);
    EXPECT_EQ("so loved", TextOf(Windows().notes_display));
    EXPECT_EQ(Windows().notes_display, GetFocus());
    }

    ModalScript empty;
    empty.OnDialog([](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_GOTO_NOTE_REFERENCE, "");
      wintest::ClickButton(dialog, IDOK);
    });
    Command(CMD_GOTO_NOTE);
    EXPECT_TRUE(empty.Ok()) << empty.Describe();
    EXPECT_EQ(FindVerse(bible, 43, 3, 16), App().notes.current_verse);
  });
}

// The face name a rich-edit control gives its text.
std::string FaceOf(HWND control) {
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE;
  SendMessageA(control, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  return format.szFaceName;
}

// ---- the notes font --------------------------------------------------------

TEST_F(NotesWindow, TheNotesFontGoesToBothControlsAndSurvivesARestart) {
  WriteSet(kMine, {{0, "in a new font"}});
  Run([](HWND) {
    ModalScript script;
    script.OnDialog([](HWND dialog) {
      HWND faces = GetDlgItem(dialog, 0x470);  // the chooser's face name box
      ASSERT_NE(nullptr, faces);
      const LRESULT at = SendMessageA(faces, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>("Times New Roman"));
      ASSERT_GE(at, 0);
      SendMessageA(faces, CB_SETCURSEL, at, 0);
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELCHANGE), reinterpret_cast<LPARAM>(faces));
      wintest::ClickButton(dialog, IDOK);
    });
    HFONT before = Windows().note_font;
    Command(CMD_FONT_NOTES);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    HFONT font = Windows().note_font;
    EXPECT_NE(before, font);
    EXPECT_EQ("Times New Roman", FaceOf(Windows().notes_display));
    EXPECT_EQ("Times New Roman", FaceOf(Windows().note_editor));
    LOGFONTA chosen = {};
    GetObjectA(font, sizeof chosen, &chosen);
    EXPECT_STREQ("Times New Roman", chosen.lfFaceName);
    EXPECT_EQ("in a new font", TextOf(Windows().notes_display));
  });
  Run([](HWND) {
    LOGFONTA font = {};
    GetObjectA(Windows().note_font, sizeof font, &font);
    EXPECT_STREQ("Times New Roman", font.lfFaceName);
    EXPECT_EQ("Times New Roman", FaceOf(Windows().notes_display));
    EXPECT_EQ("Times New Roman", FaceOf(Windows().note_editor));
  });
}

// ---- screenshots -----------------------------------------------------------

void SaveMainWindow(const std::string& name) {
  HWND main = Windows().main;
  RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  // The desktop shows what was drawn once the messages of the drawing are
  // through.
  const DWORD until = GetTickCount() + 300;
  while (GetTickCount() < until) wintest::Pump();
  RECT rect;
  GetWindowRect(main, &rect);
  EXPECT_TRUE(wintest::SaveScreenRect(rect, std::string(KELVANE_BINARY_DIR) + "\\" + name)) << name;
}

TEST_F(NotesWindow, ScreenshotsOfTheNotesPaneAndTheEditor) {
  WriteSet(kMine, {{0, "In the beginning: see also\r\n#Joh 1:1-3 Heb 11:3\r\nThe second line of the note."}});
  WriteSet("Sermons", {});
  Run([](HWND main) {
    MoveWindow(main, 40, 30, 940, 690, TRUE);
    ShowNoteOf(0);
    SaveMainWindow("notes_pane.bmp");
    Command(CMD_EDIT_NOTE);
    SendMessageA(Windows().note_editor, EM_SETSEL, 0, 3);
    SaveMainWindow("note_editor.bmp");
    ClickFrame(ID_NOTE_CANCEL);
  });
}

}  // namespace
}  // namespace kv
