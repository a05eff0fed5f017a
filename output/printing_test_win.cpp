// Printing from the window onto the test printer: the Print Range dialog's
// paths, the print dialog, "Printing..." and its Cancel, the failures, and
// the PostScript each job leaves in a file. The PrintedPages tests write
// their documents into the build folder's "printing" folder, where
// output/printed_pages_test.sh reads them back as text with Ghostscript.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "output/printing_win.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/program_win.h"
#include "shell/testing/modal_script_win.h"
#include "shell/testing/program_test_win.h"
#include "store/verse_address.h"

namespace kv {
namespace {

using wintest::ClickButton;
using wintest::ModalScript;

VerseIndex V(int book, int chapter, int verse) { return FindVerse(App().store.bible, book, chapter, verse); }

constexpr DWORD kPrintWatchdogMs = 20000;

std::string PrintedFolder() { return std::string(KELVANE_BINARY_DIR) + "\\printing"; }

// The "%%Page:" comments of a PostScript document: one per page.
int PageCount(const std::string& postscript) {
  int pages = 0;
  for (std::size_t at = postscript.find("%%Page:"); at != std::string::npos;
       at = postscript.find("%%Page:", at + 1))
    ++pages;
  return pages;
}

// A document the printer finished: its trailer came after the last page.
bool Finished(const std::string& postscript) {
  return postscript.rfind("%!PS", 0) == 0 && postscript.find("%%EOF") != std::string::npos;
}

// A picture of a dialog in the build folder, for a person to look at.
void SaveShot(HWND dialog, const char* name) {
  RECT rect;
  GetWindowRect(dialog, &rect);
  wintest::SaveScreenRect(rect, std::string(KELVANE_BINARY_DIR) + "\\" + name);
}

class Printing : public wintest::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    output_ = Path("printed.ps");
    SetPrintOutputFile(output_);
  }
  void TearDown() override {
    SetPrintOutputFile("");
    ProgramTest::TearDown();
  }

  // A note set in the program's folder with these notes, by verse index.
  void WriteNoteSet(const std::string& name, const std::map<VerseIndex, std::string>& notes) {
    std::string data;
    std::string index;
    for (VerseIndex v = 0; v < kVerseCount; ++v) {
      const auto offset = static_cast<std::uint32_t>(data.size());
      for (int b = 0; b < 4; ++b) index.push_back(static_cast<char>((offset >> (8 * b)) & 0xFF));
      auto it = notes.find(v);
      if (it != notes.end()) data += it->second;
      data.push_back('\0');
    }
    WriteBytes(Path(name + ".nmd"), data);
    WriteBytes(Path(name + ".nmi"), index);
  }
  static void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(bytes.size(), written);
  }

  // Answers the Print Range dialog with `range`, notes of the set at
  // `note_set` (-1: the box left cleared).
  static void AnswerPrintRange(ModalScript& script, const std::string& range, int note_set) {
    script.OnDialog("Print Range", [range, note_set](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_OUTPUT_RANGE, range.c_str());
      if (note_set >= 0) {
        CheckDlgButton(dialog, IDC_OUTPUT_INCLUDE_NOTES, BST_CHECKED);
        SendDlgItemMessageA(dialog, IDC_OUTPUT_NOTE_SET, CB_SETCURSEL, note_set, 0);
      }
      ClickButton(dialog, IDOK);
    });
  }
  // The print dialog confirmed. "Printing..." is left to the job, which
  // ends it long before anyone would have to answer it, unless its Cancel
  // is to be pressed as soon as it shows.
  static void AnswerPrintDialogs(ModalScript& script) {
    // The printer driver takes its time over the first page's fonts.
    script.SetWatchdogTimeout(kPrintWatchdogMs);
    script.OnDialog("Print", [](HWND dialog) { ClickButton(dialog, IDOK); });
  }
  // Cancel in "Printing..." once the job has been through some verses: the
  // dialog is answered only on a tick of the job's own message pump, which
  // it runs before each verse, so the clicks wait out that many of them.
  static void CancelPrintingLater(ModalScript& script, int ticks) {
    script.OnDialog("Printing...", [&script, ticks](HWND dialog) {
      if (ticks > 0) {
        CancelPrintingLater(script, ticks - 1);
      } else {
        SaveShot(dialog, "printing_dialog.bmp");
        ClickButton(dialog, IDC_ABORT_CANCEL);
      }
    });
  }
  // The windows met but "Printing...", which shows only when the job runs
  // long enough for the script to see it.
  static std::vector<wintest::SeenWindow> Boxes(const ModalScript& script) {
    std::vector<wintest::SeenWindow> seen;
    for (const wintest::SeenWindow& window : script.Seen())
      if (window.caption != "Printing...") seen.push_back(window);
    return seen;
  }

  // After a job: the main window takes input again and "Printing..." is gone.
  static void ExpectJobOver(HWND main) {
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(nullptr, Windows().modeless);
    EXPECT_EQ(nullptr, FindWindowA("#32770", "Printing..."));
  }

  std::string output_;
};

TEST_F(Printing, PrintRangeDialogStartsAtThePassageAndCancelPrintsNothing) {
  WriteNoteSet("Study", {});
  Run([&](HWND main) {
    App().passage.CurrentVerse = V(43, 3, 16);
    ModalScript script;
    std::string text, set;
    LRESULT selected = -1, items = 0;
    UINT checked = 1;
    script.OnDialog("Print Range", [&](HWND dialog) {
      text = wintest::ItemText(dialog, IDC_OUTPUT_RANGE);
      items = SendDlgItemMessageA(dialog, IDC_OUTPUT_NOTE_SET, CB_GETCOUNT, 0, 0);
      selected = SendDlgItemMessageA(dialog, IDC_OUTPUT_NOTE_SET, CB_GETCURSEL, 0, 0);
      char name[64] = {};
      SendDlgItemMessageA(dialog, IDC_OUTPUT_NOTE_SET, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(name));
      set = name;
      checked = IsDlgButtonChecked(dialog, IDC_OUTPUT_INCLUDE_NOTES);
      SaveShot(dialog, "print_range_dialog.bmp");
      ClickButton(dialog, IDCANCEL);
    });
    SendMessageA(main, WM_COMMAND, CMD_PRINT_RANGE, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    ASSERT_EQ(1u, script.Seen().size()) << script.Describe();
    EXPECT_EQ(main, script.Seen()[0].owner);
    EXPECT_EQ("Joh 3:16 -", text);
    EXPECT_EQ(App().notes.table.count, items);
    EXPECT_EQ(App().notes.current_set, selected);
    EXPECT_EQ("Study", set);
    EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), checked);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(output_.c_str()));
  });
}

TEST_F(Printing, EmptyRangeClosesTheDialogWithoutPrinting) {
  Run([&](HWND main) {
    ModalScript script;
    AnswerPrintRange(script, "", -1);
    SendMessageA(main, WM_COMMAND, CMD_PRINT_RANGE, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(1u, script.Seen().size()) << script.Describe();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(output_.c_str()));
  });
}

TEST_F(Printing, BadRangeIsRefusedAndTheDialogStays) {
  Run([&](HWND main) {
    ModalScript script;
    HWND dialog_seen = nullptr;
    script.OnDialog("Print Range", [&](HWND dialog) {
      dialog_seen = dialog;
      SetDlgItemTextA(dialog, IDC_OUTPUT_RANGE, "Hezekiah 1:1");
      ClickButton(dialog, IDOK);
    });
    script.AnswerMessageBox(IDOK);
    script.OnDialog("Print Range", [&](HWND dialog) {
      EXPECT_EQ(dialog_seen, dialog);
      EXPECT_EQ("Hezekiah 1:1", wintest::ItemText(dialog, IDC_OUTPUT_RANGE));
      ClickButton(dialog, IDCANCEL);
    });
    SendMessageA(main, WM_COMMAND, CMD_PRINT_RANGE, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    ASSERT_GE(script.Seen().size(), 2u) << script.Describe();
    EXPECT_EQ(wintest::ModalKind::MessageBox, script.Seen()[1].kind);
    EXPECT_EQ("Error", script.Seen()[1].caption);
    EXPECT_EQ("Unrecognized Refrence", script.Seen()[1].text);
    EXPECT_EQ(dialog_seen, script.Seen()[1].owner) << "the box is the dialog's";
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(output_.c_str()));
  });
}

TEST_F(Printing, CancelInThePrintDialogPrintsNothing) {
  Run([&](HWND main) {
    ModalScript script;
    AnswerPrintRange(script, "Ge 1:1 - Ge 1:3", -1);
    script.OnDialog("Print", [](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    SendMessageA(main, WM_COMMAND, CMD_PRINT_RANGE, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    ASSERT_EQ(2u, script.Seen().size()) << script.Describe();
    EXPECT_EQ(main, script.Seen()[1].owner);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(output_.c_str()));
    ExpectJobOver(main);
  });
}

TEST_F(Printing, ARangeIsOneFinishedDocument) {
  Run([&](HWND main) {
    ModalScript script;
    AnswerPrintRange(script, "Ge 1:1 - Ge 1:5", -1);
    AnswerPrintDialogs(script);
    SendMessageA(main, WM_COMMAND, CMD_PRINT_RANGE, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    ASSERT_EQ(2u, Boxes(script).size()) << script.Describe();
    EXPECT_EQ("Print", Boxes(script)[1].caption);
    EXPECT_EQ(main, Boxes(script)[1].owner);
    ExpectJobOver(main);
    const std::string printed = wintest::ReadFile(output_);
    EXPECT_TRUE(Finished(printed));
    EXPECT_EQ(1, PageCount(printed));
    EXPECT_NE(std::string::npos, printed.find("Range of Verses"));
  });
}

TEST_F(Printing, CancelInPrintingEndsTheDocumentWithThePagesSoFar) {
  Run([&](HWND main) {
    ModalScript script;
    AnswerPrintRange(script, "Ge 1:1 - Re 22:21", -1);
    AnswerPrintDialogs(script);
    CancelPrintingLater(script, 10);
    SendMessageA(main, WM_COMMAND, CMD_PRINT_RANGE, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    ExpectJobOver(main);
    const std::string printed = wintest::ReadFile(output_);
    EXPECT_TRUE(Finished(printed)) << "the document was not ended";
    const int pages = PageCount(printed);
    EXPECT_GE(pages, 1);
    // The whole Bible takes well over a thousand pages at this size.
    EXPECT_LT(pages, 100);
  });
}

TEST_F(Printing, NotesThatCannotBeOpenedAreReported) {
  WriteNoteSet("Study", {{0, "A note."}});
  Run([&](HWND main) {
    // The data file no longer matches its index: its notes are not to be trusted.
    WriteBytes(Path("Study.nmd"), std::string("short"));
    ModalScript script;
    AnswerPrintRange(script, "Ge 1:1 - Ge 1:3", 0);
    AnswerPrintDialogs(script);
    script.AnswerMessageBox(IDOK);
    SendMessageA(main, WM_COMMAND, CMD_PRINT_RANGE, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    ASSERT_EQ(3u, Boxes(script).size()) << script.Describe();
    EXPECT_EQ("Print Error", Boxes(script)[2].caption);
    EXPECT_EQ("Could not open notes file", Boxes(script)[2].text);
    ExpectJobOver(main);
    // Nothing came out of the job.
    const std::string printed = wintest::ReadFile(output_);
    EXPECT_EQ(0, PageCount(printed));
  });
}

TEST_F(Printing, PageSetupReadsMarginsInThousandthsOfAnInch) {
  Run([&](HWND main) {
    ModalScript script;
    script.OnDialog([](HWND dialog) {
      SetDlgItemTextA(dialog, edt4, "0.5");  // left
      SetDlgItemTextA(dialog, edt6, "1.999");  // right
      ClickButton(dialog, IDOK);
    });
    SendMessageA(main, WM_COMMAND, CMD_PAGE_SETUP, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    const PAGESETUPDLGA& setup = Windows().page_setup;
    EXPECT_TRUE(setup.Flags & PSD_INTHOUSANDTHSOFINCHES);
    EXPECT_EQ(500, setup.rtMargin.left);
    EXPECT_EQ(1999, setup.rtMargin.right);
    EXPECT_EQ(1000, setup.rtMargin.top);
  });
}

// The documents read back by output/printed_pages_test.sh.
class PrintedPages : public Printing {
 protected:
  void Keep(const std::string& name) {
    CreateDirectoryA(PrintedFolder().c_str(), nullptr);
    const std::string kept = PrintedFolder() + "\\" + name;
    ASSERT_TRUE(CopyFileA(output_.c_str(), kept.c_str(), FALSE)) << kept;
  }
};

TEST_F(PrintedPages, RangeWithNotes) {
  std::map<VerseIndex, std::string> notes;
  notes[0] = "Creation note.\r\nSecond line of the note.";
  notes[2] = "Light: " + std::string(150, 'L') + " end.";
  WriteNoteSet("Study", notes);
  Run([&](HWND main) {
    App().passage.Italics = 0;
    ModalScript script;
    AnswerPrintRange(script, "Ge 1:1 - Ge 1:6", 0);
    AnswerPrintDialogs(script);
    SendMessageA(main, WM_COMMAND, CMD_PRINT_RANGE, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    ExpectJobOver(main);
    const std::string printed = wintest::ReadFile(output_);
    EXPECT_TRUE(Finished(printed));
    EXPECT_EQ(1, PageCount(printed));
    Keep("range_with_notes.ps");
  });
}

// Pages two inches high, so that a few verses fill more than one: the
// printer driver writes its fonts out again for every page, which is slow.
TEST_F(PrintedPages, RangeOverSeveralPagesAndABook) {
  Run([&](HWND main) {
    Windows().page_setup.rtMargin.top = 4500;
    Windows().page_setup.rtMargin.bottom = 4500;
    ModalScript script;
    AnswerPrintRange(script, "Ge 50:25 - Ex 1:5", -1);
    AnswerPrintDialogs(script);
    SendMessageA(main, WM_COMMAND, CMD_PRINT_RANGE, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    const std::string printed = wintest::ReadFile(output_);
    EXPECT_TRUE(Finished(printed));
    EXPECT_GT(PageCount(printed), 1);
    Keep("range_pages.ps");
  });
}

TEST_F(PrintedPages, VerseList) {
  Run([&](HWND main) {
    SearchState& search = App().search;
    search.verse_list[0] = V(1, 1, 1);
    search.verse_list[1] = V(1, 1, 6);
    search.verse_list[2] = V(66, 22, 21);
    search.verse_list[3] = kNoVerse;
    search.result_count = 3;
    ModalScript script;
    AnswerPrintDialogs(script);
    SendMessageA(main, WM_COMMAND, CMD_PRINT_VERSE_LIST, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    ASSERT_EQ(1u, Boxes(script).size()) << script.Describe();
    ExpectJobOver(main);
    const std::string printed = wintest::ReadFile(output_);
    EXPECT_TRUE(Finished(printed));
    EXPECT_EQ(1, PageCount(printed));
    EXPECT_NE(std::string::npos, printed.find("Verse List"));
    Keep("verse_list.ps");
  });
}

}  // namespace
}  // namespace kv
