#include "platform/profile.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/test_support.h"

namespace kv {
namespace {

using testing::ScratchDir;

class IniProfileTest : public ::testing::Test {
 protected:
  ScratchDir dir;
  std::unique_ptr<Files> files = MakeSystemFiles(dir.path());
  std::unique_ptr<Profile> profile = MakeIniProfile(*files, "Test.Ini");
};

TEST_F(IniProfileTest, ReadingTexts) {
  dir.Write("Test.Ini",
            "stray=before any section\r\n"
            "[Misc]\r\n"
            "  Name =  padded value  \r\n"
            "Empty=\r\n"
            "; Comment=not a key\r\n"
            "Quoted=\"kept blanks \"\r\n"
            "Half=\"open\r\n"
            "Name=second of the same name\r\n"
            "[Other]\n"
            "Name=other section\n");
  struct Row {
    const char* section;
    const char* key;
    std::string expected;
  } rows[] = {
      {"MISC", "name", "padded value"},  // names match without case, blanks go
      {"Misc", "Empty", ""},             // present and empty is not missing
      {"Misc", "Missing", "dflt"},
      {"Misc", "; Comment", "dflt"},
      {"Misc", "Quoted", "kept blanks "},
      {"Misc", "Half", "\"open"},
      {"Other", "Name", "other section"},  // LF alone ends a line too
      {"Nowhere", "stray", "dflt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.section) + "/" + row.key);
    EXPECT_EQ(profile->GetString(row.section, row.key, "dflt", 100), row.expected);
  }
  EXPECT_EQ(profile->GetString("Misc", "Name", "dflt", 5), "padd");
  EXPECT_EQ(profile->GetString("Misc", "Missing", "a long default", 3), "a ");
}

TEST_F(IniProfileTest, ReadingNumbers) {
  dir.Write("Test.Ini",
            "[N]\r\nPlain=42\r\nBlanks=  \t-17\r\nPlus=+8\r\nTail=12abc\r\nWord=abc\r\nEmpty=\r\n"
            "Huge=99999999999\r\nMinusOne=4294967295\r\n");
  struct Row {
    const char* key;
    int expected;
  } rows[] = {{"Plain", 42}, {"Blanks", -17}, {"Plus", 8},   {"Tail", 12},      {"Word", 0},
              {"Empty", 7},  {"Missing", 7},  {"Huge", -1},  {"MinusOne", -1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key);
    EXPECT_EQ(profile->GetInt("N", row.key, 7), row.expected);
  }
}

TEST(ProfileNumber, ReadsSignAndDigitsOnly) {
  std::int64_t value = 99;
  EXPECT_FALSE(ReadProfileNumber("", &value));
  EXPECT_FALSE(ReadProfileNumber("-", &value));
  EXPECT_FALSE(ReadProfileNumber(" x1", &value));
  EXPECT_EQ(value, 99);
  EXPECT_TRUE(ReadProfileNumber(" -0012x", &value));
  EXPECT_EQ(value, -12);
}

TEST_F(IniProfileTest, WritingKeepsTheRestOfTheFile) {
  dir.Write("Test.Ini", "; my comment\r\n[A]\r\nOne=1\r\n\r\n[B]\r\nTwo=2\r\n");
  EXPECT_TRUE(profile->WriteString("a", "ONE", "uno"));
  EXPECT_TRUE(profile->WriteString("A", "Three", "3"));
  EXPECT_TRUE(profile->WriteString("C", "Four", "4"));
  EXPECT_EQ(dir.Read("Test.Ini"),
            "; my comment\r\n[A]\r\nOne=uno\r\nThree=3\r\n\r\n[B]\r\nTwo=2\r\n\r\n[C]\r\nFour=4\r\n");
}

TEST_F(IniProfileTest, WritingStartsAMissingFileAndCannotForgeKeys) {
  EXPECT_TRUE(profile->WriteString("S", "Key", "value\r\n[MISC]\r\nReadVerse=5"));
  EXPECT_TRUE(profile->WriteString("S", "Empty", ""));
  EXPECT_EQ(dir.Read("Test.Ini"), "[S]\r\nKey=value\r\nEmpty=\r\n");
  EXPECT_EQ(profile->GetString("MISC", "ReadVerse", "none", 10), "none");
  EXPECT_EQ(profile->GetString("S", "Empty", "none", 10), "");

  auto nowhere = MakeIniProfile(*files, "no/such/folder/x.ini");
  EXPECT_FALSE(nowhere->WriteString("S", "Key", "v"));
}

}  // namespace
}  // namespace kv
