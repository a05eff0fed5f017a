// The three search dialogs driven in-process in the real program: their
// starting state, the OK sequence with success and failure, the status
// texts, the history, "Case sensitive" and "Range..." taking effect for the
// same OK, "<< Add", Help and Cancel.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "search/search_dialogs_win.h"
#include "shell/app_state.h"
#include "shell/command_table.h"
#include "shell/help_win.h"
#include "shell/program_win.h"
#include "shell/testing/modal_script_win.h"
#include "shell/testing/program_test_win.h"
#include "store/verse_address.h"

namespace kv {
namespace {

using wintest::ClickButton;
using wintest::ItemText;
using wintest::ModalScript;

class SearchDialogs : public wintest::ProgramTest {
 protected:
  void TearDown() override {
    SetHelpObserver(nullptr);
    ProgramTest::TearDown();
  }
};

std::string StatusText(int part) {
  char text[256] = {};
  SendMessageA(Windows().status, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
  return text;
}

bool Greyed(int command) { return (GetMenuState(Windows().menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0; }

LRESULT ButtonState(int command) {
  return SendMessageA(Windows().toolbar, TB_GETSTATE, command, 0);
}

void ExpectResultCommands(bool enabled) {
  for (int command : kVerseListCommands) EXPECT_EQ(Greyed(command), !enabled) << command;
  for (int command : {CMD_CONTEXT, CMD_COPY_VERSE_LIST, CMD_COPY_VERSE_REFERENCES, CMD_NOTE_FOR_VERSE_LIST})
    EXPECT_EQ(ButtonState(command) & TBSTATE_INDETERMINATE, enabled ? 0 : TBSTATE_INDETERMINATE) << command;
}

std::vector<std::string> ReferenceLines() {
  std::vector<std::string> lines;
  HWND list = Windows().reference_list;
  const LRESULT n = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    char line[64] = {};
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
    lines.push_back(line);
  }
  return lines;
}

struct Query {
  int command = CMD_WORD_SEARCH;
  std::string text;
  int radio = IDC_SEARCH_ALL;
  bool case_sensitive = false;
  bool sub_string = false;
};

// Fills the dialog as a user would and presses OK.
void FillAndConfirm(HWND dialog, const Query& query) {
  SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, query.text.c_str());
  CheckDlgButton(dialog, IDC_SEARCH_CASE_SENSITIVE, query.case_sensitive ? BST_CHECKED : BST_UNCHECKED);
  if (query.command != CMD_PHRASE_SEARCH) {
    CheckDlgButton(dialog, IDC_SEARCH_SUBSTRING, query.sub_string ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dialog, IDC_SEARCH_ALL, IDC_SEARCH_ONLY_ONE, query.radio);
  }
  ClickButton(dialog, IDOK);
}

// Runs a search through its menu command; a failed one is expected to show
// the "Search Results" box, whose text lands in `*box_text`.
void Search(HWND main, const Query& query, bool expect_found, std::string* box_text = nullptr) {
  ModalScript script;
  script.OnDialog([query](HWND dialog) { FillAndConfirm(dialog, query); });
  std::string caption, text;
  if (!expect_found) {
    script.OnMessageBox([&](HWND box) {
      caption = wintest::WindowText(box);
      text = wintest::MessageBoxText(box);
      ClickButton(box, IDOK);
    });
  }
  SendMessageA(main, WM_COMMAND, query.command, 0);
  EXPECT_TRUE(script.Ok()) << script.Describe();
  if (!expect_found) {
    EXPECT_EQ(caption, kNoResultsCaption);
    if (box_text) *box_text = text;
  }
  EXPECT_EQ(GetCapture(), nullptr) << "the mouse is released";
}

int ListLength() {
  int n = 0;
  while (App().search.verse_list[n] != kNoVerse) ++n;
  return n;
}

TEST_F(SearchDialogs, RangeInsideTheDialogAppliesToThatSearch) {
  Run([](HWND main) {
    ModalScript script;
    script.OnDialog([](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, "beginning");
      ClickButton(dialog, IDC_SEARCH_RANGE);
    });
    script.OnDialog("Set Search Range", [](HWND range) {
      SetDlgItemTextA(range, IDC_RANGE_TEXT, "Ge 1:1");
      ClickButton(range, IDOK);
    });
    script.OnDialog("Word Search", [](HWND dialog) { ClickButton(dialog, IDOK); });
    SendMessageA(main, WM_COMMAND, CMD_WORD_SEARCH, 0);
    ASSERT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(StatusText(STATUS_PART_SEARCH), "1 verse, 1 occurance");
    EXPECT_EQ(StatusText(STATUS_PART_RANGE), "Ge 1:1 - Ge 1:1");
    ASSERT_EQ(ListLength(), 1);
    EXPECT_EQ(App().search.verse_list[0], 0);
    EXPECT_EQ(ReferenceLines(), std::vector<std::string>{"Genesis 1:1"});
    EXPECT_STREQ(App().search.search_history[0], "beginning ");
    ExpectResultCommands(true);
    EXPECT_EQ(App().verse_list.top, 0);
    EXPECT_EQ(GetFocus(), Windows().verse_list);
  });
}

TEST_F(SearchDialogs, EachDialogsFailureShowsTheBoxAndItsStatus) {
  Run([](HWND main) {
    struct Row {
      int command;
      const char* text;
      const char* status;
    } rows[] = {
        {CMD_WORD_SEARCH, "xyzzy", "No Matches"},
        {CMD_WORD_LIST_SEARCH, "xyzzy", "0 verses, 0 occurrences"},
        {CMD_PHRASE_SEARCH, "xyzzy plugh", "0 verses, 0 occurrences"},
        {CMD_WORD_SEARCH, "123 !!", "No Matches"},
    };
    for (const Row& row : rows) {
      SCOPED_TRACE(row.text);
      Query found;
      found.command = row.command;
      found.text = "faith";
      Search(main, found, true);
      ASSERT_GT(ListLength(), 0);
      ExpectResultCommands(true);

      Query query;
      query.command = row.command;
      query.text = row.text;
      std::string box;
      Search(main, query, false, &box);
      EXPECT_EQ(box, kNoResultsText);
      EXPECT_EQ(StatusText(STATUS_PART_SEARCH), row.status);
      EXPECT_EQ(StatusText(STATUS_PART_LIST_TOP), "");
      EXPECT_EQ(ListLength(), 0);
      EXPECT_EQ(App().search.result_count, 0);
      EXPECT_TRUE(ReferenceLines().empty());
      ExpectResultCommands(false);
      SCROLLINFO info = {};
      info.cbSize = sizeof info;
      info.fMask = SIF_RANGE;
      GetScrollInfo(Windows().verse_list, SB_VERT, &info);
      EXPECT_EQ(info.nMax, 0);
    }
    EXPECT_STREQ(App().search.search_history[0], "123 !!") << "a query without words is not rewritten";
  });
}

TEST_F(SearchDialogs, PhraseAndWordSearchesCountVersesAndOccurrences) {
  Run([](HWND main) {
    Query phrase;
    phrase.command = CMD_PHRASE_SEARCH;
    phrase.text = "In the Beginning";
    Search(main, phrase, true);
    EXPECT_TRUE(App().search.phrase_mode);
    EXPECT_STREQ(App().search.search_history[0], "In the Beginning") << "a phrase is kept as typed";
    const int n = ListLength();
    EXPECT_EQ(StatusText(STATUS_PART_SEARCH), std::to_string(n) + " verses, " +
                                                   std::to_string(App().search.occurrence_count) + " occurrences");

    Query words;
    words.text = "Faith, HOPE faith";
    words.radio = IDC_SEARCH_AT_LEAST_ONE;
    Search(main, words, true);
    EXPECT_FALSE(App().search.phrase_mode);
    EXPECT_EQ(App().search.options.boolean_type, kAnyWord);
    EXPECT_STREQ(App().search.search_history[0], "faith hope ");
    EXPECT_STREQ(App().search.search_history[1], "In the Beginning");
    EXPECT_EQ(static_cast<int>(ReferenceLines().size()), ListLength());
  });
}

TEST_F(SearchDialogs, CaseSensitiveTickedAppliesToTheSameOk) {
  Run([](HWND main) {
    Query lower;
    lower.text = "lord";
    Search(main, lower, true);
    const int any_case = ListLength();

    Query exact;
    exact.text = "LORD";
    exact.case_sensitive = true;
    Search(main, exact, true);
    EXPECT_TRUE(App().search.options.case_sensitive);
    EXPECT_STREQ(App().search.search_history[0], "LORD ") << "the query keeps its case";
    EXPECT_LT(ListLength(), any_case);
    EXPECT_GT(ListLength(), 0);
  });
}

TEST_F(SearchDialogs, ElevenSearchesPushTheFirstOutOfTheHistory) {
  Run([](HWND main) {
    const char* const words[] = {"alpha", "grace", "mercy", "peace", "faith", "hope",
                                 "love", "joy", "light", "truth", "way"};
    for (const char* word : words) {
      Query query;
      query.text = word;
      Search(main, query, true);
    }
    for (int i = 0; i < kSearchHistorySize; ++i)
      EXPECT_EQ(std::string(App().search.search_history[i]), std::string(words[10 - i]) + " ") << i;

    // The next dialog offers the ten, most recent first, under the search text.
    ModalScript script;
    std::vector<std::string> offered;
    script.OnDialog([&](HWND dialog) {
      HWND box = GetDlgItem(dialog, IDC_SEARCH_TEXT);
      const LRESULT n = SendMessageA(box, CB_GETCOUNT, 0, 0);
      for (LRESULT i = 0; i < n; ++i) {
        char line[kSearchTextSize] = {};
        SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(line));
        offered.push_back(line);
      }
      ClickButton(dialog, IDCANCEL);
    });
    SendMessageA(main, WM_COMMAND, CMD_PHRASE_SEARCH, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    ASSERT_EQ(offered.size(), 10u);
    EXPECT_EQ(offered[0], "way ");
    EXPECT_EQ(offered[9], "grace ");
  });
}

TEST_F(SearchDialogs, DialogsStartFromThePrefillAndTheOptions) {
  Run([](HWND main) {
    SearchState& state = App().search;
    std::snprintf(state.search_text_prefill, kSearchTextSize, "%s", "charity");
    state.options.case_sensitive = true;
    state.options.sub_string = true;
    state.options.boolean_type = kOneWord;
    ModalScript script;
    std::string text, caption;
    bool case_box = false, substring_box = false, only_one = false;
    script.OnDialog([&](HWND dialog) {
      caption = wintest::WindowText(dialog);
      text = ItemText(dialog, IDC_SEARCH_TEXT);
      case_box = IsDlgButtonChecked(dialog, IDC_SEARCH_CASE_SENSITIVE) == BST_CHECKED;
      substring_box = IsDlgButtonChecked(dialog, IDC_SEARCH_SUBSTRING) == BST_CHECKED;
      only_one = IsDlgButtonChecked(dialog, IDC_SEARCH_ONLY_ONE) == BST_CHECKED;
      ClickButton(dialog, IDCANCEL);
    });
    SendMessageA(main, WM_COMMAND, CMD_WORD_SEARCH, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(caption, "Word Search");
    EXPECT_EQ(text, "charity");
    EXPECT_TRUE(case_box);
    EXPECT_TRUE(substring_box);
    EXPECT_TRUE(only_one);
    // Cancel changed nothing.
    EXPECT_STREQ(state.search_text_prefill, "charity");
    EXPECT_STREQ(state.search_history[0], " ") << "a fresh settings file's history: single blanks";
    EXPECT_EQ(ListLength(), 0);
  });
}

TEST_F(SearchDialogs, WordListAddsWordsAndRefusesWhatWouldNotFit) {
  // Outlives the program, which calls the help viewer once more as it closes.
  std::vector<HelpCall> help;
  Run([&](HWND main) {
    SetHelpObserver([&](const HelpCall& call) { help.push_back(call); });
    ModalScript script;
    LRESULT words = 0;
    std::string after_add, after_double_click, after_overflow, first_word;
    script.OnDialog([&](HWND dialog) {
      HWND list = GetDlgItem(dialog, IDC_SEARCH_WORD_LIST);
      words = SendMessageA(list, CB_GETCOUNT, 0, 0);
      char word[64] = {};
      SendMessageA(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(word));
      first_word = word;
      SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, "");
      SetDlgItemTextA(dialog, IDC_SEARCH_WORD_LIST, "faith");
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_ADD_WORD, BN_CLICKED), 0);
      after_add = ItemText(dialog, IDC_SEARCH_TEXT);
      SetDlgItemTextA(dialog, IDC_SEARCH_WORD_LIST, "hope");
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_WORD_LIST, CBN_DBLCLK),
                   reinterpret_cast<LPARAM>(list));
      after_double_click = ItemText(dialog, IDC_SEARCH_TEXT);
      SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, std::string(195, 'a').c_str());
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_ADD_WORD, BN_CLICKED), 0);
      after_overflow = ItemText(dialog, IDC_SEARCH_TEXT);
      SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, after_double_click.c_str());
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HELP_BUTTON, BN_CLICKED), 0);
      CheckRadioButton(dialog, IDC_SEARCH_ALL, IDC_SEARCH_ONLY_ONE, IDC_SEARCH_ALL);
      ClickButton(dialog, IDOK);
    });
    SendMessageA(main, WM_COMMAND, CMD_WORD_LIST_SEARCH, 0);
    EXPECT_TRUE(script.Ok()) << script.Describe();
    EXPECT_EQ(words, WordCount(App().store.bible));
    EXPECT_EQ(first_word, App().store.bible.words[0]);
    EXPECT_EQ(after_add, "faith");
    EXPECT_EQ(after_double_click, "faith hope");
    EXPECT_EQ(after_overflow, std::string(195, 'a')) << "a word that would not fit is refused";
    ASSERT_EQ(help.size(), 1u);
    EXPECT_EQ(help[0].command, static_cast<UINT>(HELP_COMMAND));
    EXPECT_EQ(help[0].macro, "JumpID(\"kelva95.hlp\",\"ID_Search_WordList\")");
    EXPECT_EQ(help[0].window, main);
    EXPECT_STREQ(App().search.search_history[0], "faith hope ");
    EXPECT_GT(ListLength(), 0);
  });
}

TEST_F(SearchDialogs, LimitsQueriesAtTheirEdges) {
  Run([](HWND main) {
    // 199 characters typed: OK takes 198 of them.
    std::string typed;
    while (typed.size() < 199) typed += "faith ";
    typed.resize(199);
    Query long_query;
    long_query.text = typed;
    Search(main, long_query, true);
    EXPECT_STREQ(App().search.search_history[0], "faith ");

    // A word of 40 letters matches nothing; the list is emptied.
    Query long_word;
    long_word.text = std::string(40, 'q');
    Search(main, long_word, false);
    EXPECT_EQ(StatusText(STATUS_PART_SEARCH), "No Matches");

    // The vowels as substrings, any of them: every verse.
    Query every;
    every.text = "a e i o u";
    every.sub_string = true;
    every.radio = IDC_SEARCH_AT_LEAST_ONE;
    Search(main, every, true);
    EXPECT_EQ(ListLength(), kVerseCount);
    EXPECT_EQ(static_cast<int>(ReferenceLines().size()), kVerseCount);
    const std::string status = StatusText(STATUS_PART_SEARCH);
    EXPECT_EQ(status.rfind("31102 verses, ", 0), 0u) << status;
    EXPECT_EQ(status.substr(status.size() - 12), " occurrences") << status;
  });
}

}  // namespace
}  // namespace kv
