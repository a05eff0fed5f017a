// Creating, renaming and deleting note sets through the real dialogs and
// boxes of the running program: the titles and texts, the refusals of names
// that cannot be file names and of names already taken, who owns each box,
// the tabs following every change, and the files on disk afterwards.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "notes/note_files.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/notes_view_win.h"
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

const char* const kCreateFailed = "Error creating note files";
const char* const kRenameFailed = "Rename failed. Make sure the note set files are not in use by another program.";
const char* const kOnlyOneSet =
    "You only have one note set remaining. You must have at least one note set in Kelvane. Create a new note set "
    "before deleting this set.";

// The two files of a set holding `notes`, built without the code under test.
std::pair<std::string, std::string> SetBytes(const Notes& notes) {
  testing::NoteSetBytes set = testing::NoteSetBytesOf(notes);
  return {std::move(set.data), std::move(set.index)};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, f) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> TabTexts() { return kv::TabTexts(Windows().note_set_tab); }

int SelectedTab() { return static_cast<int>(SendMessageA(Windows().note_set_tab, TCM_GETCURSEL, 0, 0)); }

std::string DisplayText() {
  char text[512] = {};
  GetWindowTextA(Windows().notes_display, text, sizeof text);
  return text;
}

// The names of every file in the folder, for "nothing else was made".
std::vector<std::string> FolderFiles(const std::string& dir) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(find, &found));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

// A box the script met: caption, text and the window that owned it.
struct Box {
  std::string caption, text;
  HWND owner = nullptr;
};

ModalScript::WindowAction Answer(Box* box, int button) {
  return [box, button](HWND window) {
    box->caption = WindowText(window);
    box->text = wintest::MessageBoxText(window);
    box->owner = GetWindow(window, GW_OWNER);
    ClickButton(window, button);
  };
}

class NoteSetDialogs : public wintest::ProgramTest {
 protected:
  void WriteSet(const std::string& name, const Notes& notes) {
    auto [data, index] = SetBytes(notes);
    WriteFileBytes(Path(name + ".nmd"), data);
    WriteFileBytes(Path(name + ".nmi"), index);
  }
  bool HoldsSet(const std::string& name, const Notes& notes) {
    auto [data, index] = SetBytes(notes);
    return wintest::ReadFile(Path(name + ".nmd")) == data && wintest::ReadFile(Path(name + ".nmi")) == index;
  }
  // Creates a set through the dialog, expecting it to close at once.
  void CreateThroughDialog(HWND main, const std::string& name) {
    ModalScript script;
    script.OnDialog([name](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_NOTE_SET_NAME, name.c_str());
      ClickButton(dialog, IDOK);
    });
    SendMessageA(main, WM_COMMAND, CMD_CREATE_NOTE_SET, 0);
    EXPECT_TRUE(script.Ok()) << name << ": " << script.Describe();
  }
};

int TabOf(const std::string& label) {
  std::vector<std::string> tabs = TabTexts();
  for (std::size_t i = 0; i < tabs.size(); ++i)
    if (tabs[i] == label) return static_cast<int>(i);
  return -1;
}

TEST_F(NoteSetDialogs, CreateAddsAnEmptySetAndItsTabAtTheEnd) {
  Run([this](HWND main) {
    ASSERT_EQ(TabTexts(), std::vector<std::string>{"My Notes"});
    std::string caption, label;
    HWND owner = nullptr;
    ModalScript script;
    script.OnDialog([&](HWND dialog) {
      caption = WindowText(dialog);
      label = ItemText(dialog, IDC_NOTE_SET_NAME);
      owner = GetWindow(dialog, GW_OWNER);
      SetDlgItemTextA(dialog, IDC_NOTE_SET_NAME, "Romans study");
      ClickButton(dialog, IDOK);
    });
    SendMessageA(main, WM_COMMAND, CMD_CREATE_NOTE_SET, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(caption, "Create New Note Set");
    EXPECT_EQ(label, "");
    EXPECT_EQ(owner, main);
    EXPECT_EQ(TabTexts(), (std::vector<std::string>{"My Notes", "Romans study"}));
    EXPECT_EQ(SelectedTab(), 0) << "the current set stays";
    EXPECT_EQ(App().notes.current_set, 0);
    EXPECT_EQ(App().notes.table.count, 2);
    EXPECT_TRUE(HoldsSet("Romans study", {}));
    EXPECT_TRUE(IsWindowVisible(Windows().notes_display));
    EXPECT_EQ(GetFocus(), Windows().notes_display);
    // The new set is one a save can write to.
    SendMessageA(main, WM_COMMAND, CMD_NEXT_NOTE_SET, 0);
    EXPECT_EQ(SelectedTab(), 1);
    EXPECT_EQ(DisplayText(), kNoNoteText);
  });
}

TEST_F(NoteSetDialogs, CreateRefusesATakenNameInsideTheDialogAndTouchesNothing) {
  WriteFileBytes(Path("Study.nmd"), "someone else's file");
  Run([this](HWND main) {
    const std::vector<std::string> before = FolderFiles(dir_);
    Box box;
    HWND dialog_seen = nullptr;
    std::string kept;
    ModalScript script;
    script.OnDialog([&](HWND dialog) {
      dialog_seen = dialog;
      SetDlgItemTextA(dialog, IDC_NOTE_SET_NAME, "Study");
      ClickButton(dialog, IDOK);
    });
    script.OnMessageBox(Answer(&box, IDOK));
    script.OnDialog([&](HWND dialog) {
      kept = ItemText(dialog, IDC_NOTE_SET_NAME);
      ClickButton(dialog, IDCANCEL);
    });
    SendMessageA(main, WM_COMMAND, CMD_CREATE_NOTE_SET, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(box.text, kCreateFailed);
    EXPECT_EQ(box.owner, dialog_seen) << "the box belongs to the dialog";
    EXPECT_EQ(kept, "Study") << "the dialog stays open with the name typed";
    EXPECT_EQ(wintest::ReadFile(Path("Study.nmd")), "someone else's file");
    EXPECT_EQ(FolderFiles(dir_), before);
    EXPECT_EQ(TabTexts(), std::vector<std::string>{"My Notes"});
    EXPECT_EQ(App().notes.table.count, 1);
  });
}

TEST_F(NoteSetDialogs, CreateRefusesNamesThatAreNoPlainFileNamesThenTakesAGoodOne) {
  Run([this](HWND main) {
    const std::vector<std::string> before = FolderFiles(dir_);
    const std::vector<std::string> bad = {"", "a\\b", "a/b", "x:y", "what?", "star*", "CON", "lpt1.txt", "dot.",
                                          "blank "};
    std::vector<Box> boxes(bad.size());
    ModalScript script;
    for (std::size_t i = 0; i < bad.size(); ++i) {
      script.OnDialog([name = bad[i]](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_NOTE_SET_NAME, name.c_str());
        ClickButton(dialog, IDOK);
      });
      script.OnMessageBox(Answer(&boxes[i], IDOK));
    }
    script.OnDialog([&](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_NOTE_SET_NAME, "Good one");
      ClickButton(dialog, IDOK);
    });
    SendMessageA(main, WM_COMMAND, CMD_CREATE_NOTE_SET, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    for (std::size_t i = 0; i < bad.size(); ++i) {
      SCOPED_TRACE("name \"" + bad[i] + "\"");
      EXPECT_EQ(boxes[i].text, kCreateFailed);
    }
    std::vector<std::string> after = before;
    after.push_back("Good one.nmd");
    after.push_back("Good one.nmi");
    std::sort(after.begin(), after.end());
    EXPECT_EQ(FolderFiles(dir_), after) << "no refused name left a file";
    EXPECT_EQ(TabTexts(), (std::vector<std::string>{"My Notes", "Good one"}));
  });
}

TEST_F(NoteSetDialogs, ThirtySetsFillSeveralTabRowsAndTheThirtyFirstIsRefused) {
  Run([this](HWND main) {
    for (int n = 2; n <= kMaxNoteSets; ++n) CreateThroughDialog(main, "Study set " + std::to_string(n));
    ASSERT_EQ(App().notes.table.count, kMaxNoteSets);
    std::vector<std::string> tabs = TabTexts();
    ASSERT_EQ(tabs.size(), static_cast<std::size_t>(kMaxNoteSets));
    EXPECT_EQ(tabs[0], "My Notes");
    for (int n = 2; n <= kMaxNoteSets; ++n) {
      SCOPED_TRACE(n);
      EXPECT_EQ(tabs[static_cast<std::size_t>(n) - 1], "Study set " + std::to_string(n));
      EXPECT_TRUE(HoldsSet("Study set " + std::to_string(n), {}));
    }
    EXPECT_GT(SendMessageA(Windows().note_set_tab, TCM_GETROWCOUNT, 0, 0), 1);

    Box full;
    ModalScript script;
    script.OnDialog([](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_NOTE_SET_NAME, "One too many");
      ClickButton(dialog, IDOK);
    });
    script.OnMessageBox(Answer(&full, IDOK));
    script.OnDialog([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    SendMessageA(main, WM_COMMAND, CMD_CREATE_NOTE_SET, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(full.caption, "Error");
    EXPECT_NE(full.text.find("30 note sets"), std::string::npos) << full.text;
    EXPECT_FALSE(Exists(Path("One too many.nmd")));
    EXPECT_FALSE(Exists(Path("One too many.nmi")));
    EXPECT_EQ(TabTexts().size(), static_cast<std::size_t>(kMaxNoteSets));
  });
}

TEST_F(NoteSetDialogs, RenameShowsTheSetsNameAndMovesBothFiles) {
  const Notes beta = {{0, "In the beginning"}, {kLastVerse, "Amen."}};
  WriteSet("Alpha", {});
  WriteSet("Beta", beta);
  Run([&](HWND main) {
    const int beta_tab = TabOf("Beta");
    ASSERT_GE(beta_tab, 0);
    while (App().notes.current_set != beta_tab) SendMessageA(main, WM_COMMAND, CMD_NEXT_NOTE_SET, 0);
    std::string caption, shown;
    ModalScript script;
    script.OnDialog([&](HWND dialog) {
      caption = WindowText(dialog);
      shown = ItemText(dialog, IDC_NOTE_SET_NAME);
      SetDlgItemTextA(dialog, IDC_NOTE_SET_NAME, "Gamma");
      ClickButton(dialog, IDOK);
    });
    SendMessageA(main, WM_COMMAND, CMD_RENAME_NOTE_SET, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(caption, "Change name of note set Beta");
    EXPECT_EQ(shown, "Beta");
    EXPECT_TRUE(HoldsSet("Gamma", beta));
    EXPECT_FALSE(Exists(Path("Beta.nmd")));
    EXPECT_FALSE(Exists(Path("Beta.nmi")));
    EXPECT_EQ(App().notes.current().data_file, "Gamma.nmd");
    EXPECT_EQ(TabOf("Gamma"), beta_tab);
    EXPECT_EQ(TabOf("Beta"), -1);
    EXPECT_EQ(TabTexts().size(), 2u);
    EXPECT_EQ(SelectedTab(), beta_tab);
    EXPECT_EQ(GetFocus(), Windows().notes_display);
    // The renamed set goes on working: its note is read from the new files.
    App().notes.current_verse = 0;
    SendMessageA(main, WM_COMMAND, CMD_PREVIOUS_NOTE, 0);
    SendMessageA(main, WM_COMMAND, CMD_NEXT_NOTE, 0);
    EXPECT_EQ(DisplayText(), "In the beginning");
  });
}

TEST_F(NoteSetDialogs, RenameOntoATakenNameFailsInsideTheDialogAndChangesNothing) {
  const Notes alpha = {{5, "alpha's"}};
  const Notes beta = {{7, "beta's"}};
  WriteSet("Alpha", alpha);
  WriteSet("Beta", beta);
  Run([&](HWND main) {
    const std::vector<std::string> tabs = TabTexts();
    const std::string current = DisplayNameOf(App().notes.current().data_file);
    const std::string other = current == "Alpha" ? "Beta" : "Alpha";
    Box box;
    HWND dialog_seen = nullptr;
    ModalScript script;
    script.OnDialog([&](HWND dialog) {
      dialog_seen = dialog;
      SetDlgItemTextA(dialog, IDC_NOTE_SET_NAME, other.c_str());
      ClickButton(dialog, IDOK);
    });
    script.OnMessageBox(Answer(&box, IDOK));
    script.OnDialog([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    SendMessageA(main, WM_COMMAND, CMD_RENAME_NOTE_SET, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.text, kRenameFailed);
    EXPECT_EQ(box.owner, dialog_seen);
    EXPECT_TRUE(HoldsSet("Alpha", alpha));
    EXPECT_TRUE(HoldsSet("Beta", beta));
    EXPECT_EQ(TabTexts(), tabs);
    EXPECT_EQ(App().notes.current().data_file, current + ".nmd");
  });
}

TEST_F(NoteSetDialogs, DeleteRefusesTheOnlySet) {
  Run([this](HWND main) {
    Box box;
    ModalScript script;
    script.OnMessageBox(Answer(&box, IDOK));
    SendMessageA(main, WM_COMMAND, CMD_DELETE_NOTE_SET, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(box.caption, "Delete Note Set");
    EXPECT_EQ(box.text, kOnlyOneSet);
    EXPECT_EQ(box.owner, main);
    EXPECT_TRUE(HoldsSet("My Notes", {}));
    EXPECT_EQ(TabTexts(), std::vector<std::string>{"My Notes"});
  });
}

TEST_F(NoteSetDialogs, DeleteAsksWithTheNameThenLeavesTheFirstSetShowingTheSameVerse) {
  WriteSet("Alpha", {{42, "Alpha on verse 42"}});
  WriteSet("Beta", {{42, "Beta on verse 42"}});
  WriteSet("Gamma", {{42, "Gamma on verse 42"}});
  Run([this](HWND main) {
    ASSERT_EQ(TabTexts().size(), 3u);
    // The last set in the table is the one to go.
    while (App().notes.current_set != 2) SendMessageA(main, WM_COMMAND, CMD_NEXT_NOTE_SET, 0);
    App().notes.current_verse = 41;
    SendMessageA(main, WM_COMMAND, CMD_NEXT_NOTE, 0);
    ASSERT_EQ(App().notes.current_verse, 42);
    const std::string doomed = TabTexts()[2];
    const std::string first = TabTexts()[0];
    const std::string second = TabTexts()[1];

    Box no, yes;
    {
      ModalScript refuse;
      refuse.OnMessageBox(Answer(&no, IDNO));
      SendMessageA(main, WM_COMMAND, CMD_DELETE_NOTE_SET, 0);
      ASSERT_TRUE(refuse.Ok()) << refuse.Describe();
    }
    EXPECT_EQ(no.caption, "Delete Note Set");
    EXPECT_EQ(no.text, "Are you SURE you want to delete the note set " + doomed + "?");
    EXPECT_EQ(no.owner, main);
    EXPECT_TRUE(Exists(Path(doomed + ".nmd")));
    EXPECT_TRUE(Exists(Path(doomed + ".nmi")));
    EXPECT_EQ(TabTexts().size(), 3u);
    EXPECT_EQ(App().notes.current_set, 2);

    {
      ModalScript confirm;
      confirm.OnMessageBox(Answer(&yes, IDYES));
      SendMessageA(main, WM_COMMAND, CMD_DELETE_NOTE_SET, 0);
      ASSERT_TRUE(confirm.Ok()) << confirm.Describe();
    }
    EXPECT_EQ(yes.text, no.text);
    EXPECT_FALSE(Exists(Path(doomed + ".nmd")));
    EXPECT_FALSE(Exists(Path(doomed + ".nmi")));
    EXPECT_EQ(TabTexts(), (std::vector<std::string>{first, second}));
    EXPECT_EQ(App().notes.current_set, 0);
    EXPECT_EQ(SelectedTab(), 0);
    EXPECT_EQ(App().notes.current_verse, 42);
    EXPECT_EQ(DisplayText(), first + " on verse 42");
  });
}

}  // namespace
}  // namespace kv
