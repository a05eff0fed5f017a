#include "shell/settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "testing/test_support.h"

namespace kv {
namespace {

using testing::ScratchDir;

constexpr std::uint32_t kSystemHighlight = 0x00C06A2B;

class SettingsTest : public ::testing::Test {
 protected:
  Settings Load(int note_sets = 2) {
    SettingsContext context;
    context.note_set_count = note_sets;
    context.system_highlight_color = kSystemHighlight;
    return LoadSettings(*profile, context);
  }
  Settings LoadFrom(const std::string& ini, int note_sets = 2) {
    dir.Write(kSettingsFileName, ini);
    return Load(note_sets);
  }

  ScratchDir dir;
  std::unique_ptr<Files> files = MakeSystemFiles(dir.path());
  std::unique_ptr<Profile> profile = MakeIniProfile(*files, kSettingsFileName);
};

void ExpectFont(const FontDescription& font, int height, int weight, const char* face) {
  EXPECT_EQ(font.height, height);
  EXPECT_EQ(font.weight, weight);
  EXPECT_STREQ(font.face_name, face);
  EXPECT_EQ(font.out_precision, kOutStrokePrecision);
  EXPECT_EQ(font.clip_precision, kClipStrokePrecision);
  EXPECT_EQ(font.quality, 0);
  EXPECT_EQ(font.width, 0);
  EXPECT_EQ(font.italic, 0);
  EXPECT_EQ(font.underline, 0);
  EXPECT_EQ(font.strike_out, 0);
  EXPECT_EQ(font.char_set, 0);
  EXPECT_EQ(font.pitch_and_family, 0);
}

TEST_F(SettingsTest, NoFileGivesEveryDefault) {
  Settings s = Load();
  EXPECT_EQ(s.CurrentVerse, 0);
  EXPECT_EQ(s.CurrentNoteSet, 0);
  EXPECT_EQ(s.CurrentNoteVerse, 0);
  EXPECT_EQ(s.BindNotes, 0);
  EXPECT_EQ(s.BooleanType, 0);
  EXPECT_EQ(s.CaseSensitive, 0);
  EXPECT_EQ(s.SubString, 0);
  EXPECT_EQ(s.Proximity, 0);
  EXPECT_EQ(s.StartVerse, 0);
  EXPECT_EQ(s.EndVerse, 31101);
  for (const auto& slot : s.SearchHistory) EXPECT_STREQ(slot.data(), " ");
  EXPECT_EQ(s.Format.FirstVerseStyle, 0);
  EXPECT_EQ(s.Format.SubsequentVerseStyle, 1);
  EXPECT_EQ(s.Format.Location, 0);
  EXPECT_EQ(s.Format.LineBreaks, 1);
  EXPECT_EQ(s.Format.ParagraphMarks, 1);
  EXPECT_EQ(s.VerseListWindow, 1);
  EXPECT_EQ(s.ReadWindow, 1);
  EXPECT_EQ(s.NotesWindow, 1);
  EXPECT_EQ(s.ToolBar, 1);
  for (VerseIndex bookmark : s.Bookmarks) EXPECT_EQ(bookmark, 0);
  EXPECT_EQ(s.ParagraphFormat, 0);
  EXPECT_EQ(s.Italics, 0);
  EXPECT_EQ(s.KeyHighlightColor, kSystemHighlight);
  ExpectFont(s.ReadWindowFont, -16, 400, "Times New Roman");
  ExpectFont(s.VerseListFont, -16, 400, "Times New Roman");
  ExpectFont(s.NoteFont, -12, 400, "Courier New");
  EXPECT_FALSE(files->Exists(kSettingsFileName));  // reading never writes
}

// A state far from the defaults in every field.
Settings Unusual() {
  Settings s;
  s.CurrentVerse = 31101;
  s.CurrentNoteSet = 1;
  s.CurrentNoteVerse = 1234;
  s.BindNotes = 1;
  s.BooleanType = 2;
  s.CaseSensitive = 1;
  s.SubString = 1;
  s.Proximity = 3;
  s.StartVerse = 23145;
  s.EndVerse = 30000;
  for (int i = 0; i < kSearchHistorySize; ++i) std::snprintf(s.SearchHistory[i].data(), kSearchTextSize, "word%d love", i);
  s.Format.FirstVerseStyle = 2;
  s.Format.SubsequentVerseStyle = 0;
  s.Format.Location = 1;
  s.Format.LineBreaks = 0;
  s.Format.ParagraphMarks = 0;
  s.VerseListWindow = 0;
  s.ReadWindow = 0;
  s.NotesWindow = 0;
  s.ToolBar = 0;
  for (int i = 0; i < kBookmarkCount; ++i) s.Bookmarks[i] = 1000 * (i + 1);
  s.ParagraphFormat = 1;
  s.Italics = 2;
  s.KeyHighlightColor = 0x00FFFFFF;
  s.ReadWindowFont.height = -20;
  s.ReadWindowFont.weight = 700;
  std::strcpy(s.ReadWindowFont.face_name, "Arial");
  s.VerseListFont.height = -9;
  s.VerseListFont.weight = 100;
  std::strcpy(s.VerseListFont.face_name, "Georgia");
  s.NoteFont.height = -30;
  s.NoteFont.weight = 900;
  std::strcpy(s.NoteFont.face_name, "Lucida Console");
  return s;
}

TEST_F(SettingsTest, AWrittenFileReadsBackTheSameState) {
  ASSERT_TRUE(SaveSettings(*profile, Unusual()));
  const std::string written = dir.Read(kSettingsFileName);
  Settings back = Load();
  EXPECT_EQ(back.CurrentVerse, 31101);
  EXPECT_EQ(back.CurrentNoteSet, 1);
  EXPECT_EQ(back.StartVerse, 23145);
  EXPECT_STREQ(back.SearchHistory[9].data(), "word9 love");
  EXPECT_EQ(back.Bookmarks[9], 10000);
  EXPECT_EQ(back.KeyHighlightColor, 0x00FFFFFFu);
  ExpectFont(back.NoteFont, -30, 900, "Lucida Console");
  // Everything else: writing what was read gives the same file again.
  dir.Write(kSettingsFileName, "");
  ASSERT_TRUE(SaveSettings(*profile, back));
  EXPECT_EQ(dir.Read(kSettingsFileName), written);
}

TEST_F(SettingsTest, KeysAreWrittenInTheirOrder) {
  ASSERT_TRUE(SaveSettings(*profile, Settings{}));
  std::string file = dir.Read(kSettingsFileName);
  std::vector<std::string> names;
  for (std::size_t at = 0; at < file.size();) {
    std::size_t end = file.find("\r\n", at);
    std::string line = file.substr(at, end - at);
    at = end + 2;
    if (!line.empty()) names.push_back(line.substr(0, line.find('=')));
  }
  std::vector<std::string> expected = {"[SEARCH]", "BooleanType", "CaseSensitive", "SubString", "Proximity",
                                        "StartVerse", "EndVerse"};
  for (int i = 0; i < 10; ++i) expected.push_back("PreviousSearch" + std::to_string(i));
  for (const char* key : {"[FORMAT]", "FirstVerseStyle", "SubsequentVerseStyle", "Location", "LineBreaks",
                          "ParagraphMarks", "[VIEW]", "VerseListWindow", "ReadWindow", "NotesWindow", "ToolBar",
                          "[BOOKMARKS]"})
    expected.push_back(key);
  for (int i = 1; i <= 10; ++i) expected.push_back(std::to_string(i));
  for (const char* key : {"[OPTIONS]", "Paragraph Format", "Italics", "KeyHighlightColor", "ReadWindowFontHeight",
                          "ReadWindowFontWeight", "ReadWindowFontName", "VerseListFontHeight", "VerseListFontWeight",
                          "VerseListFontName", "NoteFontHeight", "NoteFontWeight", "NoteFontName", "[MISC]",
                          "ReadVerse", "Note", "NoteVerse", "BindNotes"})
    expected.push_back(key);
  EXPECT_EQ(names, expected);
}

TEST_F(SettingsTest, ValueFormats) {
  Settings s;
  s.Format.FirstVerseStyle = 200;
  s.Italics = 255;
  s.KeyHighlightColor = 0x00FF8000;
  s.ReadWindowFont.height = -12;
  s.ReadWindowFont.weight = -700;
  s.NoteFont.height = 14;
  ASSERT_TRUE(SaveSettings(*profile, s));
  std::string file = dir.Read(kSettingsFileName);
  for (const char* line : {"\r\nFirstVerseStyle=-56\r\n", "\r\nItalics=-1\r\n", "\r\nKeyHighlightColor=16744448\r\n",
                           "\r\nReadWindowFontHeight=12\r\n", "\r\nReadWindowFontWeight=700\r\n",
                           "\r\nNoteFontHeight=14\r\n", "\r\nEndVerse=31101\r\n"}) {
    SCOPED_TRACE(line);
    EXPECT_NE(file.find(line), std::string::npos);
  }
  Settings back = Load();
  EXPECT_EQ(back.Format.FirstVerseStyle, 200);
  EXPECT_EQ(back.Italics, 255);
}

TEST_F(SettingsTest, ChecksOnReading) {
  struct Row {
    const char* name;
    std::string ini;
    std::function<std::int64_t(const Settings&)> get;
    std::int64_t expected;
  } rows[] = {
      {"ReadVerse beyond the Bible", "[MISC]\nReadVerse=31102\n", [](const Settings& s) { return s.CurrentVerse; }, 0},
      {"ReadVerse the last verse", "[MISC]\nReadVerse=31101\n", [](const Settings& s) { return s.CurrentVerse; },
       31101},
      {"ReadVerse negative", "[MISC]\nReadVerse=-4\n", [](const Settings& s) { return s.CurrentVerse; }, 0},
      {"ReadVerse no number", "[MISC]\nReadVerse=Genesis\n", [](const Settings& s) { return s.CurrentVerse; }, 0},
      {"Note beyond the sets", "[MISC]\nNote=3\n", [](const Settings& s) { return s.CurrentNoteSet; }, 0},
      {"Note the last set", "[MISC]\nNote=1\n", [](const Settings& s) { return s.CurrentNoteSet; }, 1},
      {"Note negative", "[MISC]\nNote=-1\n", [](const Settings& s) { return s.CurrentNoteSet; }, 0},
      {"NoteVerse beyond the Bible", "[MISC]\nNoteVerse=99999\n", [](const Settings& s) { return s.CurrentNoteVerse; },
       0},
      {"bookmark 10 beyond the Bible", "[BOOKMARKS]\n10=31102\n", [](const Settings& s) { return s.Bookmarks[9]; },
       0},
      {"bookmark 3 negative", "[BOOKMARKS]\n3=-1\n", [](const Settings& s) { return s.Bookmarks[2]; }, 0},
      {"bookmark 3 kept", "[BOOKMARKS]\n3=555\n", [](const Settings& s) { return s.Bookmarks[2]; }, 555},
      {"Italics out of range is kept", "[OPTIONS]\nItalics=5\n", [](const Settings& s) { return s.Italics; }, 5},
      {"Italics keeps the low byte", "[OPTIONS]\nItalics=258\n", [](const Settings& s) { return s.Italics; }, 2},
      {"EndVerse no number", "[SEARCH]\nEndVerse=end\n", [](const Settings& s) { return s.EndVerse; }, 31101},
      {"EndVerse beyond the Bible", "[SEARCH]\nEndVerse=40000\n", [](const Settings& s) { return s.EndVerse; }, 31101},
      {"search range backwards", "[SEARCH]\nStartVerse=500\nEndVerse=100\n",
       [](const Settings& s) { return s.StartVerse * 100000 + s.EndVerse; }, 31101},
      {"LineBreaks empty", "[FORMAT]\nLineBreaks=\n", [](const Settings& s) { return s.Format.LineBreaks; }, 1},
      {"SubsequentVerseStyle no number", "[FORMAT]\nSubsequentVerseStyle=x\n",
       [](const Settings& s) { return s.Format.SubsequentVerseStyle; }, 1},
      {"colour with blanks and a tail", "[OPTIONS]\nKeyHighlightColor=  255 red\n",
       [](const Settings& s) { return s.KeyHighlightColor; }, 255},
      {"colour no number", "[OPTIONS]\nKeyHighlightColor=red\n", [](const Settings& s) { return s.KeyHighlightColor; },
       kSystemHighlight},
      {"font height no number", "[OPTIONS]\nNoteFontHeight=big\n", [](const Settings& s) { return s.NoteFont.height; },
       -12},
      {"font height negative", "[OPTIONS]\nNoteFontHeight=-10\n", [](const Settings& s) { return s.NoteFont.height; },
       10},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.get(LoadFrom(row.ini)), row.expected);
  }
  // With no note sets at all, the first position is still what is read.
  EXPECT_EQ(LoadFrom("[MISC]\nNote=0\n", 0).CurrentNoteSet, 0);
}

TEST_F(SettingsTest, HistoryKeys) {
  std::string long_text(250, 'x');
  Settings s = LoadFrom("[SEARCH]\nPreviousSearch0=\nPreviousSearch1=faith hope\nPreviousSearch3=" + long_text + "\n");
  EXPECT_STREQ(s.SearchHistory[0].data(), "");   // present and empty
  EXPECT_STREQ(s.SearchHistory[1].data(), "faith hope");
  EXPECT_STREQ(s.SearchHistory[2].data(), " ");  // missing
  EXPECT_EQ(std::string(s.SearchHistory[3].data()), long_text.substr(0, 199));

  // A blank slot is written as a blank, which the profile functions read
  // back without its blanks: after one run the unused slots are empty.
  dir.Write(kSettingsFileName, "");
  ASSERT_TRUE(SaveSettings(*profile, Load()));
  EXPECT_NE(dir.Read(kSettingsFileName).find("\r\nPreviousSearch9= \r\n"), std::string::npos);
  EXPECT_STREQ(Load().SearchHistory[9].data(), "");
}

TEST_F(SettingsTest, FontsKeepHeightWeightAndFaceOnly) {
  Settings s;
  s.VerseListFont.height = -16;
  s.VerseListFont.weight = 700;
  s.VerseListFont.italic = 1;
  s.VerseListFont.underline = 1;
  s.VerseListFont.char_set = 2;
  s.VerseListFont.out_precision = 0;
  std::strcpy(s.VerseListFont.face_name, "Book Antiqua");
  ASSERT_TRUE(SaveSettings(*profile, s));
  ExpectFont(Load().VerseListFont, -16, 700, "Book Antiqua");

  Settings long_face = LoadFrom("[OPTIONS]\nNoteFontName=" + std::string(40, 'F') + "\n");
  EXPECT_EQ(std::string(long_face.NoteFont.face_name), std::string(31, 'F'));
}

}  // namespace
}  // namespace kv
