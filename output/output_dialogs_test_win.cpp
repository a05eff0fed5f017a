// The copy and save dialogs driven in-process in the real program: the
// Copy/Save Format dialog and its options across a restart, Copy Verse and
// Copy Range with their OK, empty, unrecognized and Cancel paths, the
// clipboard held by another window, Save Range with the file chooser and
// the notes of another set, the verse list commands, and the passage font.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "notes/note_files.h"
#include "output/list_output.h"
#include "output/text_file_chooser_win.h"
#include "output/verse_formatter.h"
#include "passage/passage_window_win.h"
#include "resources/resource_ids.h"
#include "search/search_dialogs_win.h"
#include "search/search_results.h"
#include "shell/app_state.h"
#include "shell/help_win.h"
#include "shell/program_win.h"
#include "shell/shell_ports_win.h"
#include "shell/testing/modal_script_win.h"
#include "shell/testing/program_test_win.h"
#include "store/verse_address.h"
#include "testing/note_set_bytes.h"

namespace kv {
namespace {

using wintest::ClickButton;
using wintest::ClipboardText;
using wintest::ItemText;
using wintest::ModalScript;
using wintest::ReadFile;

const char kSentinel[] = "held before the command";

class OutputDialogs : public wintest::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetHelpObserver([this](const HelpCall& call) { help.push_back(call.macro); });
  }
  void TearDown() override {
    SetHelpObserver(nullptr);
    SetFileChooserObserver(nullptr);
    App().output = OutputSettings{};
    ProgramTest::TearDown();
  }
  std::vector<std::string> help;
};

VerseIndex V(int book, int chapter, int verse) { return FindVerse(App().store.bible, book, chapter, verse); }
std::string Text(VerseIndex v) { return VerseText(App().store.bible, v); }

// The formatter's text of first..last under `options`, as every copy and
// save of a range must give it.
std::string Formatted(const FormatOptions& options, VerseIndex first, VerseIndex last) {
  RangeFormat format = StartRangeFormat(options);
  std::string out;
  char line[kVerseLineSize];
  for (VerseIndex v = first; v <= last; ++v)
    out.append(line, FormatNextRangeLine(App().store.bible, &format, v, line, sizeof line));
  return out;
}

// The size of the clipboard's text block.
SIZE_T ClipboardBlockSize() {
  SIZE_T size = 0;
  if (!OpenClipboard(nullptr)) return 0;
  if (HANDLE data = GetClipboardData(CF_TEXT)) size = GlobalSize(data);
  CloseClipboard();
  return size;
}

void SetClipboardText(const char* text) {
  ASSERT_TRUE(OpenClipboard(Windows().main));
  EmptyClipboard();
  const std::size_t size = std::strlen(text) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(block), text, size);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

std::string StatusText(int part) {
  char text[256] = {};
  SendMessageA(Windows().status, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string NotesDisplayText() {
  char text[512] = {};
  GetWindowTextA(Windows().notes_display, text, sizeof text);
  return text;
}

// A picture of the dialog in the build folder, for a person to look at.
void SaveShot(HWND dialog, const char* name) {
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT rect;
  GetWindowRect(dialog, &rect);
  EXPECT_TRUE(wintest::SaveScreenRect(rect, std::string(KELVANE_BINARY_DIR) + "\\" + name)) << name;
}

// Fills the Format dialog: radios for the two styles and the place, the two
// check boxes.
void ChooseFormat(HWND dialog, int first_radio, int later_radio, int place_radio, bool breaks, bool marks) {
  CheckRadioButton(dialog, IDC_FORMAT_FIRST_FULL, IDC_FORMAT_FIRST_NONE, first_radio);
  CheckRadioButton(dialog, IDC_FORMAT_LATER_FULL, IDC_FORMAT_LATER_NONE, later_radio);
  CheckRadioButton(dialog, IDC_FORMAT_BEFORE_VERSE, IDC_FORMAT_AFTER_VERSE, place_radio);
  CheckDlgButton(dialog, IDC_FORMAT_LINE_BREAKS, breaks ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_FORMAT_PARAGRAPH_MARKS, marks ? BST_CHECKED : BST_UNCHECKED);
}

FormatOptions Options(std::uint8_t first, std::uint8_t later, std::uint8_t location, int breaks, int marks) {
  FormatOptions o;
  o.FirstVerseStyle = first;
  o.SubsequentVerseStyle = later;
  o.Location = location;
  o.LineBreaks = breaks;
  o.ParagraphMarks = marks;
  return o;
}

void ExpectOptions(const FormatOptions& got, const FormatOptions& want) {
  EXPECT_EQ(got.FirstVerseStyle, want.FirstVerseStyle);
  EXPECT_EQ(got.SubsequentVerseStyle, want.SubsequentVerseStyle);
  EXPECT_EQ(got.Location, want.Location);
  EXPECT_EQ(got.LineBreaks, want.LineBreaks);
  EXPECT_EQ(got.ParagraphMarks, want.ParagraphMarks);
}

// Which radios and boxes the Format dialog shows checked.
struct FormatShown {
  int first = 0, later = 0, place = 0;
  bool breaks = false, marks = false;
};

FormatShown ReadFormatDialog(HWND dialog) {
  FormatShown shown;
  for (int id = IDC_FORMAT_FIRST_FULL; id <= IDC_FORMAT_FIRST_NONE; ++id)
    if (Checked(dialog, id)) shown.first = id;
  for (int id = IDC_FORMAT_LATER_FULL; id <= IDC_FORMAT_LATER_NONE; ++id)
    if (Checked(dialog, id)) shown.later = id;
  for (int id = IDC_FORMAT_BEFORE_VERSE; id <= IDC_FORMAT_AFTER_VERSE; ++id)
    if (Checked(dialog, id)) shown.place = id;
  shown.breaks = Checked(dialog, IDC_FORMAT_LINE_BREAKS);
  shown.marks = Checked(dialog, IDC_FORMAT_PARAGRAPH_MARKS);
  return shown;
}

TEST_F(OutputDialogs, FormatDialogShowsTheOptionsAndOkTakesTheChoice) {
  Run([this](HWND main) {
    struct Row {
      const char* name;
      FormatOptions options;
      FormatShown shown;
    } rows[] = {
        {"the defaults", FormatOptions{},
         {IDC_FORMAT_FIRST_FULL, IDC_FORMAT_LATER_PARTIAL, IDC_FORMAT_BEFORE_VERSE, true, true}},
        {"partial, none, after, no breaks", Options(kLabelPartial, kLabelNone, kLabelAfter, 0, 1),
         {IDC_FORMAT_FIRST_PARTIAL, IDC_FORMAT_LATER_NONE, IDC_FORMAT_AFTER_VERSE, false, true}},
        {"styles beyond None show as None", Options(7, 200, 3, 1, 0),
         {IDC_FORMAT_FIRST_NONE, IDC_FORMAT_LATER_NONE, IDC_FORMAT_AFTER_VERSE, true, false}},
    };
    for (const Row& row : rows) {
      SCOPED_TRACE(row.name);
      App().output.Format = row.options;
      FormatShown shown;
      HWND owner = nullptr;
      ModalScript script;
      script.OnDialog("Copy/Save Format", [&](HWND dialog) {
        shown = ReadFormatDialog(dialog);
        owner = GetWindow(dialog, GW_OWNER);
        ClickButton(dialog, IDCANCEL);
      });
      SendMessageA(main, WM_COMMAND, CMD_FORMAT, 0);
      ASSERT_TRUE(script.Ok()) << script.Describe();
      EXPECT_EQ(script.Seen()[0].caption, "Copy/Save Format");
      EXPECT_EQ(owner, main);
      EXPECT_EQ(shown.first, row.shown.first);
      EXPECT_EQ(shown.later, row.shown.later);
      EXPECT_EQ(shown.place, row.shown.place);
      EXPECT_EQ(shown.breaks, row.shown.breaks);
      EXPECT_EQ(shown.marks, row.shown.marks);
      ExpectOptions(App().output.Format, row.options);  // Cancel changed nothing
    }

    // OK takes every control; Help leaves the dialog open.
    App().output.Format = FormatOptions{};
    ModalScript script;
    script.OnDialog("Copy/Save Format", [](HWND dialog) {
      ChooseFormat(dialog, IDC_FORMAT_FIRST_NONE, IDC_FORMAT_LATER_FULL, IDC_FORMAT_AFTER_VERSE, false, false);
      ClickButton(dialog, IDC_HELP_BUTTON);
    });
    script.OnDialog("Copy/Save Format", [](HWND dialog) {
      SaveShot(dialog, "format_dialog.bmp");
      ClickButton(dialog, IDOK);
    });
    SendMessageA(main, WM_COMMAND, CMD_FORMAT, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(script.Seen().size(), 1u) << "one dialog, still open after Help";
    ExpectOptions(App().output.Format, Options(kLabelNone, kLabelFull, kLabelAfter, 0, 0));
    EXPECT_EQ(help, std::vector<std::string>{"JumpID(\"kelva95.hlp\",\"ID_Edit_Format\")"});
  });
}

TEST_F(OutputDialogs, FormatOptionsSurviveARestart) {
  Run([](HWND main) {
    ModalScript script;
    script.OnDialog("Copy/Save Format", [](HWND dialog) {
      ChooseFormat(dialog, IDC_FORMAT_FIRST_PARTIAL, IDC_FORMAT_LATER_NONE, IDC_FORMAT_AFTER_VERSE, false, true);
      ClickButton(dialog, IDOK);
    });
    SendMessageA(main, WM_COMMAND, CMD_FORMAT, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
  });
  const std::string ini = ReadFile(App().shell.settings_file);
  for (const char* line : {"[FORMAT]", "FirstVerseStyle=1", "SubsequentVerseStyle=2", "Location=1", "LineBreaks=0",
                           "ParagraphMarks=1"})
    EXPECT_NE(ini.find(line), std::string::npos) << line << " in\n" << ini;
  App().output = OutputSettings{};  // only the settings file can bring them back
  Run([](HWND main) {
    ExpectOptions(App().output.Format, Options(kLabelPartial, kLabelNone, kLabelAfter, 0, 1));
    FormatShown shown;
    ModalScript script;
    script.OnDialog("Copy/Save Format", [&](HWND dialog) {
      shown = ReadFormatDialog(dialog);
      ClickButton(dialog, IDCANCEL);
    });
    SendMessageA(main, WM_COMMAND, CMD_FORMAT, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(shown.first, IDC_FORMAT_FIRST_PARTIAL);
    EXPECT_EQ(shown.later, IDC_FORMAT_LATER_NONE);
    EXPECT_EQ(shown.place, IDC_FORMAT_AFTER_VERSE);
    EXPECT_FALSE(shown.breaks);
    EXPECT_TRUE(shown.marks);
  });
}

// One run of a copy dialog: `text` typed (or the starting text kept when
// null), then OK.
struct CopyRun {
  std::string start;
  HWND owner = nullptr;
};

CopyRun CopyWith(HWND main, int command, int edit, const char* text, const char* shot = nullptr) {
  CopyRun run;
  ModalScript script;
  script.OnDialog([&](HWND dialog) {
    run.start = ItemText(dialog, edit);
    run.owner = GetWindow(dialog, GW_OWNER);
    if (shot) SaveShot(dialog, shot);
    if (text) SetDlgItemTextA(dialog, edit, text);
    ClickButton(dialog, IDOK);
  });
  SendMessageA(main, WM_COMMAND, command, 0);
  EXPECT_TRUE(script.Ok()) << script.Describe();
  EXPECT_EQ(GetCapture(), nullptr) << "the mouse is released";
  return run;
}

TEST_F(OutputDialogs, CopyVerseAndCopyRangePutTheFormattersText) {
  Run([](HWND main) {
    const VerseIndex eph17 = V(49, 6, 17);
    SetCurrentVerse(eph17);
    App().output.Format = Options(kLabelFull, kLabelFull, kLabelAfter, 1, 1);

    CopyRun verse = CopyWith(main, CMD_COPY_VERSE, IDC_COPY_VERSE_REFERENCE, nullptr, "copy_verse_dialog.bmp");
    EXPECT_EQ(verse.start, "Eph 6:17");
    EXPECT_EQ(verse.owner, main);
    EXPECT_EQ(ClipboardText(), Formatted(App().output.Format, eph17, eph17));
    EXPECT_EQ(ClipboardText(), " " + Text(eph17) + " Eph 6:17\r\n");

    CopyWith(main, CMD_COPY_VERSE, IDC_COPY_VERSE_REFERENCE, "ge 1:1");
    EXPECT_EQ(ClipboardText(), Formatted(App().output.Format, 0, 0));

    CopyRun range = CopyWith(main, CMD_COPY_RANGE, IDC_OUTPUT_RANGE, "Eph 6:17 - 6:20", "copy_range_dialog.bmp");
    EXPECT_EQ(range.start, "Eph 6:17 -");
    EXPECT_EQ(ClipboardText(), Formatted(App().output.Format, eph17, eph17 + 3));
    // Only the text and its NUL reach the clipboard, not the whole block
    // sized for four verses.
    EXPECT_EQ(ClipboardBlockSize(), ClipboardText().size() + 1);

    // Across a book, with partial labels and no line breaks.
    App().output.Format = Options(kLabelPartial, kLabelPartial, kLabelBefore, 0, 0);
    CopyWith(main, CMD_COPY_RANGE, IDC_OUTPUT_RANGE, "Ge 50:25 - Ex 1:2");
    const VerseIndex g5025 = V(1, 50, 25);
    EXPECT_EQ(ClipboardText(), Formatted(App().output.Format, g5025, g5025 + 3));
    EXPECT_EQ(ClipboardText().rfind(" 50:25 ", 0), 0u);
    EXPECT_NE(ClipboardText().find(" Ex 1:1 "), std::string::npos);
  });
}

TEST_F(OutputDialogs, CopyFormatButtonTakesEffectForTheSameCopy) {
  Run([](HWND main) {
    SetCurrentVerse(V(49, 6, 17));
    ModalScript script;
    HWND copy_dialog = nullptr, format_owner = nullptr;
    script.OnDialog("Copy Range", [&](HWND dialog) {
      copy_dialog = dialog;
      SetDlgItemTextA(dialog, IDC_OUTPUT_RANGE, "Eph 6:17 - 6:18");
      ClickButton(dialog, IDC_OUTPUT_FORMAT);
    });
    script.OnDialog("Copy/Save Format", [&](HWND dialog) {
      format_owner = GetWindow(dialog, GW_OWNER);
      ChooseFormat(dialog, IDC_FORMAT_FIRST_NONE, IDC_FORMAT_LATER_NONE, IDC_FORMAT_BEFORE_VERSE, true, true);
      ClickButton(dialog, IDOK);
    });
    script.OnDialog("Copy Range", [](HWND dialog) { ClickButton(dialog, IDOK); });
    SendMessageA(main, WM_COMMAND, CMD_COPY_RANGE, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(format_owner, copy_dialog);
    const VerseIndex eph17 = V(49, 6, 17);
    EXPECT_EQ(ClipboardText(), " " + Text(eph17) + "\r\n " + Text(eph17 + 1) + "\r\n");
  });
}

TEST_F(OutputDialogs, CopyDialogsEmptyUnrecognizedCancelAndHelp) {
  Run([this](HWND main) {
    struct Row {
      int command, edit;
      const char* caption;
      const char* help;
    } rows[] = {
        {CMD_COPY_VERSE, IDC_COPY_VERSE_REFERENCE, "Copy Verse", "JumpID(\"kelva95.hlp\",\"ID_Edit_CopyVerse\")"},
        {CMD_COPY_RANGE, IDC_OUTPUT_RANGE, "Copy Range", "JumpID(\"kelva95.hlp\",\"ID_Edit_CopyRange\")"},
    };
    for (const Row& row : rows) {
      SCOPED_TRACE(row.caption);
      SetClipboardText(kSentinel);
      help.clear();
      ModalScript script;
      // Empty: the dialog closes and nothing is copied.
      script.OnDialog(row.caption, [&](HWND dialog) {
        SetDlgItemTextA(dialog, row.edit, "");
        ClickButton(dialog, IDOK);
      });
      // Unrecognized: the box is the dialog's, and the dialog stays.
      HWND typed_in = nullptr;
      script.OnDialog(row.caption, [&](HWND dialog) {
        typed_in = dialog;
        SetDlgItemTextA(dialog, row.edit, "Hezekiah 3:4");
        ClickButton(dialog, IDOK);
      });
      script.AnswerMessageBox(IDOK);
      script.OnDialog(row.caption, [&](HWND dialog) {
        EXPECT_EQ(dialog, typed_in) << "the same dialog, still open";
        ClickButton(dialog, IDC_HELP_BUTTON);
      });
      script.OnDialog(row.caption, [](HWND dialog) { ClickButton(dialog, IDCANCEL); });
      SendMessageA(main, WM_COMMAND, row.command, 0);
      SendMessageA(main, WM_COMMAND, row.command, 0);
      ASSERT_TRUE(script.Ok()) << script.Describe();
      ASSERT_EQ(script.Seen().size(), 3u) << script.Describe();
      const wintest::SeenWindow& box = script.Seen()[2];
      EXPECT_EQ(box.kind, wintest::ModalKind::MessageBox);
      EXPECT_EQ(box.caption, "Error");
      EXPECT_EQ(box.text, "Unrecognized Refrence");
      EXPECT_EQ(box.owner, typed_in);
      EXPECT_EQ(help, std::vector<std::string>{row.help});
      EXPECT_EQ(ClipboardText(), kSentinel);
    }
  });
}

// Another window holding the clipboard open while this lives.
class ClipboardHolder {
 public:
  ClipboardHolder()
      : window_(CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)),
        holding_(window_ && OpenClipboard(window_)) {}
  ~ClipboardHolder() {
    if (holding_) CloseClipboard();
    if (window_) DestroyWindow(window_);
  }
  bool holding() const { return holding_; }

 private:
  HWND window_;
  bool holding_;
};

TEST_F(OutputDialogs, ClipboardHeldByAnotherWindow) {
  Run([](HWND main) {
    SetClipboardText(kSentinel);
    {
      ClipboardHolder holder;
      ASSERT_TRUE(holder.holding());
      ModalScript script;
      script.OnDialog([](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_COPY_VERSE_REFERENCE, "Joh 3:16");
        ClickButton(dialog, IDOK);
      });
      script.AnswerMessageBox(IDOK);
      SendMessageA(main, WM_COMMAND, CMD_COPY_VERSE, 0);
      ASSERT_TRUE(script.Ok()) << script.Describe();
      ASSERT_EQ(script.Seen().size(), 2u);
      EXPECT_EQ(script.Seen()[1].caption, "Copy Error");
      EXPECT_EQ(script.Seen()[1].text, "Could not open Clipboard");
      EXPECT_EQ(script.Seen()[1].owner, main) << "the dialog has closed by then";
      EXPECT_EQ(GetCapture(), nullptr);
    }
    EXPECT_EQ(ClipboardText(), kSentinel);
  });
}

// Note set files written without the code under test: every verse's note
// empty but those given.
void WriteNoteSet(const std::string& folder, const std::string& name, const std::vector<std::pair<VerseIndex, std::string>>& notes) {
  const testing::NoteSetBytes set =
      testing::NoteSetBytesOf(std::map<VerseIndex, std::string>(notes.begin(), notes.end()));
  std::ofstream(folder + "\\" + name + ".nmd", std::ios::binary) << set.data;
  std::ofstream(folder + "\\" + name + ".nmi", std::ios::binary) << set.index;
}

int SetNamed(const char* name) {
  const NoteSetTable& table = App().notes.table;
  for (int i = 0; i < table.count; ++i)
    if (DisplayNameOf(table.sets[static_cast<std::size_t>(i)].data_file) == name) return i;
  return -1;
}

// The chooser's file name box: the combo box of the newer layout, else the
// edit box.
HWND FileNameBox(HWND chooser) {
  if (HWND combo = GetDlgItem(chooser, 0x47c)) return combo;
  return GetDlgItem(chooser, 0x480);
}

struct ChooserSeen {
  bool asked = false;
  HWND owner = nullptr;
  std::string filter;
  DWORD filter_index = 0, max_file = 0, flags = 0;
  bool default_extension = true, title = true;
  std::string start;
  std::string shown_name;  // what the chooser's box showed
};

void ObserveChooser(ChooserSeen* seen) {
  SetFileChooserObserver([seen](const OPENFILENAMEA& ofn) {
    seen->asked = true;
    seen->owner = ofn.hwndOwner;
    const char* p = ofn.lpstrFilter;
    while (p && *p) {
      seen->filter += std::string(p) + "|";
      p += std::strlen(p) + 1;
    }
    seen->filter_index = ofn.nFilterIndex;
    seen->max_file = ofn.nMaxFile;
    seen->flags = ofn.Flags;
    seen->default_extension = ofn.lpstrDefExt != nullptr;
    seen->title = ofn.lpstrTitle != nullptr;
    seen->start = ofn.lpstrFile;
  });
}

void ExpectChooser(const ChooserSeen& seen, HWND owner, const std::string& start) {
  EXPECT_TRUE(seen.asked);
  EXPECT_EQ(seen.owner, owner);
  EXPECT_EQ(seen.filter, "Text Files (*.TXT)|*.txt|All Files (*.*)|*.*|");
  EXPECT_EQ(seen.filter_index, 1u);
  EXPECT_EQ(seen.max_file, 256u);
  EXPECT_EQ(seen.flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST));
  EXPECT_FALSE(seen.default_extension);
  EXPECT_FALSE(seen.title);
  EXPECT_EQ(seen.start, start);
}

// Types `path` into the chooser and confirms it.
ModalScript::WindowAction ChooseFile(const std::string& path, ChooserSeen* seen) {
  return [path, seen](HWND chooser) {
    char shown[256] = {};
    GetWindowTextA(FileNameBox(chooser), shown, sizeof shown);
    seen->shown_name = shown;
    SetWindowTextA(FileNameBox(chooser), path.c_str());
    ClickButton(chooser, IDOK);
  };
}

class SaveRangeDialog : public OutputDialogs {
 protected:
  // Two sets beside the program's own, found as at start-up: "Other" made
  // current, "Study" to save from. Their verses come from the loaded data.
  void MakeSets() {
    eph17 = V(49, 6, 17);
    WriteNoteSet(dir_, "Other", {{eph17, "other's note"}});
    WriteNoteSet(dir_, "Study", {{eph17, "the sword"}, {eph17 + 1, "pray"}});
    DiscoverNoteSets(App().notes, ShellNotesPorts());
  }
  VerseIndex eph17 = kNoVerse;
};

TEST_F(SaveRangeDialog, NotesFromAnotherSetAndTheCurrentNoteShownAgain) {
  Run([this](HWND main) {
    MakeSets();
    const int other = SetNamed("Other"), study = SetNamed("Study");
    ASSERT_GE(other, 0);
    ASSERT_GE(study, 0);
    App().notes.current_set = other;
    ASSERT_TRUE(ShowNote(App().notes, ShellNotesPorts(), eph17));
    SetCurrentVerse(eph17);
    SetWindowTextA(Windows().notes_display, "overwritten by the test");

    ChooserSeen seen;
    ObserveChooser(&seen);
    std::vector<std::string> names;
    int selected = -2;
    bool box_checked = true;
    HWND save_dialog = nullptr;
    {
      ModalScript script;
      script.OnDialog("Save Range", [&](HWND dialog) {
        save_dialog = dialog;
        HWND list = GetDlgItem(dialog, IDC_OUTPUT_NOTE_SET);
        for (LRESULT i = 0; i < SendMessageA(list, CB_GETCOUNT, 0, 0); ++i) {
          char name[64] = {};
          SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
          names.push_back(name);
        }
        selected = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
        box_checked = Checked(dialog, IDC_OUTPUT_INCLUDE_NOTES);
        EXPECT_EQ(ItemText(dialog, IDC_OUTPUT_RANGE), "Eph 6:17 -");
        SaveShot(dialog, "save_range_dialog.bmp");
        SetDlgItemTextA(dialog, IDC_OUTPUT_RANGE, "Eph 6:17 - 6:18");
        CheckDlgButton(dialog, IDC_OUTPUT_INCLUDE_NOTES, BST_CHECKED);
        SendMessageA(list, CB_SETCURSEL, study, 0);
        ClickButton(dialog, IDOK);
      });
      script.OnDialog(ChooseFile(Path("eph"), &seen));
      SendMessageA(main, WM_COMMAND, CMD_SAVE_RANGE, 0);
      ASSERT_TRUE(script.Ok()) << script.Describe();
    }
    EXPECT_EQ(GetCapture(), nullptr);

    std::vector<std::string> table;
    for (int i = 0; i < App().notes.table.count; ++i)
      table.push_back(DisplayNameOf(App().notes.table.sets[static_cast<std::size_t>(i)].data_file));
    EXPECT_EQ(names, table);
    EXPECT_EQ(selected, other);
    EXPECT_FALSE(box_checked);
    ExpectChooser(seen, save_dialog, "Eph 6:17 - 6:18");
    EXPECT_EQ(seen.shown_name, "Eph 6:17 - 6:18");

    // Saved under the name as typed, without an extension added.
    EXPECT_EQ(ReadFile(Path("eph")), " Eph 6:17 " + Text(eph17) + "\r\n\r\n\r\nthe sword\r\n\r\n 18 " + Text(eph17 + 1) +
                                         "\r\n\r\n\r\npray\r\n\r\n" + std::string(1, '\0'));
    EXPECT_EQ(GetFileAttributesA(Path("eph.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(App().notes.current_set, other);
    EXPECT_EQ(App().notes.current_verse, eph17);
    EXPECT_EQ(NotesDisplayText(), "other's note");
    EXPECT_EQ(StatusText(STATUS_PART_NOTE), "Eph 6:17");

    // The box cleared: no notes, whatever the list shows.
    ChooserSeen again;
    ObserveChooser(&again);
    ModalScript plain;
    plain.OnDialog("Save Range", [&](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_OUTPUT_RANGE, "Eph 6:17 - 6:18");
      SendDlgItemMessageA(dialog, IDC_OUTPUT_NOTE_SET, CB_SETCURSEL, study, 0);
      ClickButton(dialog, IDOK);
    });
    plain.OnDialog(ChooseFile(Path("plain.txt"), &again));
    SendMessageA(main, WM_COMMAND, CMD_SAVE_RANGE, 0);
    ASSERT_TRUE(plain.Ok()) << plain.Describe();
    EXPECT_EQ(ReadFile(Path("plain.txt")), Formatted(App().output.Format, eph17, eph17 + 1) + std::string(1, '\0'));
    EXPECT_EQ(NotesDisplayText(), "other's note");
  });
}

TEST_F(SaveRangeDialog, EmptyUnrecognizedCancelsHelpAndFormat) {
  Run([this](HWND main) {
    ChooserSeen seen;
    ObserveChooser(&seen);
    {
      ModalScript script;
      // Empty: closed without the chooser.
      script.OnDialog("Save Range", [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_OUTPUT_RANGE, "");
        ClickButton(dialog, IDOK);
      });
      // Unrecognized: the dialog's box; Help; Format...; then Cancel.
      HWND typed_in = nullptr;
      script.OnDialog("Save Range", [&](HWND dialog) {
        typed_in = dialog;
        SetDlgItemTextA(dialog, IDC_OUTPUT_RANGE, "Ge 1:1 - Hezekiah");
        ClickButton(dialog, IDOK);
      });
      script.AnswerMessageBox(IDOK);
      script.OnDialog("Save Range", [](HWND dialog) { ClickButton(dialog, IDC_HELP_BUTTON); });
      script.OnDialog("Save Range", [](HWND dialog) { ClickButton(dialog, IDC_OUTPUT_FORMAT); });
      script.OnDialog("Copy/Save Format", [](HWND dialog) {
        CheckDlgButton(dialog, IDC_FORMAT_LINE_BREAKS, BST_UNCHECKED);
        ClickButton(dialog, IDOK);
      });
      script.OnDialog("Save Range", [](HWND dialog) { ClickButton(dialog, IDCANCEL); });
      SendMessageA(main, WM_COMMAND, CMD_SAVE_RANGE, 0);
      SendMessageA(main, WM_COMMAND, CMD_SAVE_RANGE, 0);
      ASSERT_TRUE(script.Ok()) << script.Describe();
      EXPECT_FALSE(seen.asked);
      ASSERT_GE(script.Seen().size(), 3u);
      EXPECT_EQ(script.Seen()[2].caption, "Error");
      EXPECT_EQ(script.Seen()[2].text, "Unrecognized Refrence");
      EXPECT_EQ(script.Seen()[2].owner, typed_in);
      EXPECT_EQ(help, std::vector<std::string>{"JumpID(\"kelva95.hlp\",\"ID_File_SaveRange\")"});
      EXPECT_EQ(App().output.Format.LineBreaks, 0);
    }

    // Cancel in the chooser closes the dialog; nothing is written.
    ModalScript cancel;
    cancel.OnDialog("Save Range", [](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_OUTPUT_RANGE, "Ge 1");
      ClickButton(dialog, IDOK);
    });
    cancel.OnDialog([](HWND chooser) { ClickButton(chooser, IDCANCEL); });
    SendMessageA(main, WM_COMMAND, CMD_SAVE_RANGE, 0);
    ASSERT_TRUE(cancel.Ok()) << cancel.Describe();
    EXPECT_TRUE(seen.asked);
    EXPECT_EQ(seen.start, "Ge 1");
    EXPECT_EQ(FindWindowA(nullptr, "Save Range"), nullptr);
  });
}

// Save Range of Ge 1:1 onto `file`, the chooser's replace question answered
// Yes: the save is refused with the open failure, in a box the dialog owns.
void ExpectSaveRangeRefusedOnto(HWND main, const std::string& file) {
  ChooserSeen seen;
  HWND save_dialog = nullptr;
  ModalScript script;
  script.OnDialog("Save Range", [&](HWND dialog) {
    save_dialog = dialog;
    SetDlgItemTextA(dialog, IDC_OUTPUT_RANGE, "Ge 1:1");
    ClickButton(dialog, IDOK);
  });
  script.OnDialog(ChooseFile(file, &seen));
  script.AnswerMessageBox(IDYES);  // the chooser's own question: replace it?
  script.AnswerMessageBox(IDOK);
  SendMessageA(main, WM_COMMAND, CMD_SAVE_RANGE, 0);
  ASSERT_TRUE(script.Ok()) << script.Describe();
  const wintest::SeenWindow& box = script.Seen().back();
  EXPECT_EQ(box.caption, "Save Error");
  EXPECT_EQ(box.text, "Could not open file for writing");
  EXPECT_EQ(box.owner, save_dialog);
}

TEST_F(SaveRangeDialog, AFileThatCannotBeWrittenIsToldByTheDialogAndKept) {
  const std::string locked = Path("locked.txt");
  std::ofstream(locked, std::ios::binary) << "the user's own file";
  // Held open without sharing, as another program may hold it.
  HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  Run([&](HWND main) {
    ExpectSaveRangeRefusedOnto(main, locked);
    EXPECT_EQ(GetCapture(), nullptr);
  });
  CloseHandle(holder);
  EXPECT_EQ(ReadFile(locked), "the user's own file");
}

TEST_F(SaveRangeDialog, NeverWritesOverANoteSetsFile) {
  Run([this](HWND main) {
    MakeSets();
    const std::string study = ReadFile(Path("Study.nmd"));
    ExpectSaveRangeRefusedOnto(main, Path("Study.nmd"));
    EXPECT_EQ(ReadFile(Path("Study.nmd")), study);
  });
}

void SearchFor(const char* query) {
  SearchState& state = App().search;
  state.options.boolean_type = kAllWords;
  TakeQuery(state, SearchDialog::WordSearch, query);
  ASSERT_TRUE(RunSearchAndShow(SearchDialog::WordSearch)) << query;
}

std::string VerseListLines() {
  std::string lines;
  char line[kVerseLineSize];
  for (const VerseIndex* v = App().search.verse_list; *v != kNoVerse; ++v)
    lines.append(line, FormatVerseListLine(App().store.bible, *v, line, sizeof line));
  return lines;
}

TEST_F(OutputDialogs, VerseListCopiesAndSave) {
  Run([this](HWND main) {
    // Nothing happens while the list is empty; the references are "#".
    ChooserSeen seen;
    ObserveChooser(&seen);
    SetClipboardText(kSentinel);
    SendMessageA(main, WM_COMMAND, CMD_COPY_VERSE_LIST, 0);
    EXPECT_EQ(ClipboardText(), kSentinel);
    SendMessageA(main, WM_COMMAND, CMD_SAVE_VERSE_LIST, 0);
    EXPECT_FALSE(seen.asked);
    SendMessageA(main, WM_COMMAND, CMD_COPY_VERSE_REFERENCES, 0);
    EXPECT_EQ(ClipboardText(), "#");

    SearchFor("helmet salvation");
    ASSERT_GT(App().search.result_count, 1);
    SendMessageA(main, WM_COMMAND, CMD_COPY_VERSE_LIST, 0);
    EXPECT_EQ(ClipboardText(), VerseListLines());
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageA(main, WM_COMMAND, CMD_COPY_VERSE_REFERENCES, 0);
    EXPECT_EQ(ClipboardText(), ReferenceListText(App().store.bible, App().search.verse_list));
    EXPECT_EQ(GetCapture(), nullptr);

    {
      ModalScript script;
      script.OnDialog(ChooseFile(Path("helmets"), &seen));
      SendMessageA(main, WM_COMMAND, CMD_SAVE_VERSE_LIST, 0);
      ASSERT_TRUE(script.Ok()) << script.Describe();
    }
    ExpectChooser(seen, main, "");
    EXPECT_EQ(ReadFile(Path("helmets")), VerseListLines() + std::string(1, '\0'));
    EXPECT_EQ(GetCapture(), nullptr);

    // The chooser cancelled: no file.
    ModalScript cancel;
    cancel.OnDialog([](HWND chooser) { ClickButton(chooser, IDCANCEL); });
    DeleteFileA(Path("helmets").c_str());
    SendMessageA(main, WM_COMMAND, CMD_SAVE_VERSE_LIST, 0);
    ASSERT_TRUE(cancel.Ok()) << cancel.Describe();
    EXPECT_EQ(GetFileAttributesA(Path("helmets").c_str()), INVALID_FILE_ATTRIBUTES);
  });
}

// A list saved into another folder leaves the program's folder current: the
// note sets are named from it, and a note saved afterwards lands in its set.
TEST_F(OutputDialogs, SavingIntoAnotherFolderKeepsTheNotesWhereTheyAre) {
  ASSERT_TRUE(CreateDirectoryA(Path("elsewhere").c_str(), nullptr));
  Run([this](HWND main) {
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof before, before);
    SearchFor("helmet salvation");
    ChooserSeen seen;
    ObserveChooser(&seen);
    {
      ModalScript script;
      script.OnDialog(ChooseFile(Path("elsewhere\\helmets.txt"), &seen));
      SendMessageA(main, WM_COMMAND, CMD_SAVE_VERSE_LIST, 0);
      ASSERT_TRUE(script.Ok()) << script.Describe();
    }
    EXPECT_EQ(ReadFile(Path("elsewhere\\helmets.txt")), VerseListLines() + std::string(1, '\0'));
    char after[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof after, after);
    EXPECT_STREQ(before, after);
    EXPECT_EQ(SaveResult::Saved, SaveNote(App().notes, ShellNotesPorts(), "kept with its set"));
  });
  EXPECT_NE(std::string::npos, ReadFile(Path("My Notes.nmd")).find("kept with its set"));
  EXPECT_EQ("", ReadFile(Path("elsewhere\\My Notes.nmd")));
  DeleteFileA(Path("elsewhere\\helmets.txt").c_str());
  RemoveDirectoryA(Path("elsewhere").c_str());
}

// The font chooser's own controls.
constexpr int kFontStyleBox = 0x471, kFontSizeBox = 0x472;

void PickInChooser(HWND dialog, int box, const char* text) {
  HWND combo = GetDlgItem(dialog, box);
  SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(box, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

std::vector<unsigned char> PassagePixels() {
  HWND passage = Windows().passage;
  UpdateWindow(passage);
  RECT client;
  GetClientRect(passage, &client);
  // The passage holds the focus, so its blinking caret would decide the
  // comparison: it is hidden while the pixels are read.
  HideCaret(passage);
  HDC dc = GetDC(passage);
  std::vector<unsigned char> pixels = wintest::CapturePixels(dc, 0, 0, client.right, client.bottom);
  ReleaseDC(passage, dc);
  ShowCaret(passage);
  return pixels;
}

TEST_F(OutputDialogs, PassageFontChosenRepaintsAndSurvivesARestart) {
  FontDescription chosen;
  Run([&chosen](HWND main) {
    SetCurrentVerse(0);
    const FontDescription before = App().passage.ReadWindowFont;
    const std::vector<unsigned char> old_pixels = PassagePixels();
    {
      ModalScript cancel;
      cancel.OnDialog([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
      SendMessageA(main, WM_COMMAND, CMD_FONT_PASSAGE, 0);
      ASSERT_TRUE(cancel.Ok()) << cancel.Describe();
    }
    EXPECT_EQ(App().passage.ReadWindowFont.height, before.height);
    EXPECT_EQ(PassagePixels(), old_pixels) << "a cancelled chooser changes nothing";

    ModalScript script;
    script.OnDialog([](HWND dialog) {
      PickInChooser(dialog, kFontStyleBox, "Bold Italic");
      PickInChooser(dialog, kFontSizeBox, "20");
      ClickButton(dialog, IDOK);
    });
    SendMessageA(main, WM_COMMAND, CMD_FONT_PASSAGE, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    chosen = App().passage.ReadWindowFont;
    EXPECT_LT(chosen.height, before.height) << "a larger font: more negative";
    EXPECT_EQ(chosen.weight, 700);
    EXPECT_NE(chosen.italic, 0);
    EXPECT_NE(PassagePixels(), old_pixels) << "the passage shows the new font";
  });
  App().passage = PassageState{};  // only the settings file can bring it back
  Run([&chosen](HWND) {
    const FontDescription& font = App().passage.ReadWindowFont;
    EXPECT_EQ(font.height, chosen.height);
    EXPECT_EQ(font.weight, 700);
    EXPECT_STREQ(font.face_name, chosen.face_name);
    EXPECT_EQ(font.italic, 0) << "bold, but upright after a restart";
  });
}

}  // namespace
}  // namespace kv
