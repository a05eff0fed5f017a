// Tests of the Bible data builder: the five files it wrote for this build,
// read raw and checked against each other (the concordance is recomputed here
// from the texts); the OSIS normaliser on crafted markup; and the tool itself
// on damaged copies of the module.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/databuild/osis_text.h"

namespace {

constexpr std::size_t kVerses = 31102;
constexpr std::size_t kRecordBytes = 7;
constexpr std::size_t kMaxVerseBytes = 599;
constexpr std::size_t kMaxWords = 12561;
constexpr int kPsalms = 19;
constexpr int kJohn = 43;
constexpr int k1John = 62;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

unsigned Byte(const std::string& bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }

std::uint32_t U32(const std::string& bytes, std::size_t at) {
  return Byte(bytes, at) | Byte(bytes, at + 1) << 8 | Byte(bytes, at + 2) << 16 |
         static_cast<std::uint32_t>(Byte(bytes, at + 3)) << 24;
}

// Letters here are written out independently of the tool and the program.
bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); }

struct Record {
  int book, chapter, verse;
  std::int32_t offset;
};

// ---------------------------------------------------------------------------
// The data files of this build

class DatabuildData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string dir = KELVANE_TEST_DATA_DIR;
    words_ = new std::string(ReadBytes(dir + "/_avwrds.dat"));
    starts_ = new std::string(ReadBytes(dir + "/_avwptr.dat"));
    index_ = new std::string(ReadBytes(dir + "/_avwidx.dat"));
    table_ = new std::string(ReadBytes(dir + "/_avvidx.dat"));
    text_ = new std::string(ReadBytes(dir + "/_avtext.dat"));
    records_ = new std::vector<Record>;
    for (std::size_t at = 0; at + kRecordBytes <= table_->size(); at += kRecordBytes)
      records_->push_back({static_cast<int>(Byte(*table_, at)), static_cast<int>(Byte(*table_, at + 1)),
                           static_cast<int>(Byte(*table_, at + 2)),
                           static_cast<std::int32_t>(U32(*table_, at + 3))});
  }

  // The text of verse n, up to its NUL; empty when the offset is unusable.
  static std::string Text(std::size_t n) {
    std::int32_t offset = (*records_)[n].offset;
    if (offset < 0 || static_cast<std::size_t>(offset) >= text_->size()) return {};
    std::size_t end = text_->find('\0', static_cast<std::size_t>(offset));
    if (end == std::string::npos) return {};
    return text_->substr(static_cast<std::size_t>(offset), end - static_cast<std::size_t>(offset));
  }

  static std::size_t Find(int book, int chapter, int verse) {
    for (std::size_t n = 0; n < records_->size(); ++n) {
      const Record& r = (*records_)[n];
      if (r.book == book && r.chapter == chapter && r.verse == verse) return n;
    }
    ADD_FAILURE() << "no record for " << book << " " << chapter << ":" << verse;
    return 0;
  }

  static std::string Text(int book, int chapter, int verse) { return Text(Find(book, chapter, verse)); }

  static inline std::string* words_;
  static inline std::string* starts_;
  static inline std::string* index_;
  static inline std::string* table_;
  static inline std::string* text_;
  static inline std::vector<Record>* records_;
};

TEST_F(DatabuildData, VerseTableHoldsOneSevenByteRecordPerVerse) {
  EXPECT_EQ(table_->size(), kVerses * kRecordBytes);
  ASSERT_EQ(records_->size(), kVerses);
}

TEST_F(DatabuildData, RecordsRunThroughBooksChaptersAndVersesInOrder) {
  ASSERT_EQ(records_->size(), kVerses);
  const Record& first = records_->front();
  EXPECT_EQ(first.book * 10000 + first.chapter * 100 + first.verse, 10101);
  const Record& last = records_->back();
  EXPECT_EQ(last.book, 66);
  EXPECT_EQ(last.chapter, 22);
  EXPECT_EQ(last.verse, 21);
  int books = 1;
  int chapters = 1;
  for (std::size_t n = 1; n < records_->size(); ++n) {
    const Record& a = (*records_)[n - 1];
    const Record& b = (*records_)[n];
    SCOPED_TRACE("record " + std::to_string(n));
    if (b.book != a.book) {
      ASSERT_EQ(b.book, a.book + 1);
      ASSERT_EQ(b.chapter, 1);
      ASSERT_EQ(b.verse, 1);
      ++books;
      ++chapters;
    } else if (b.chapter != a.chapter) {
      ASSERT_EQ(b.chapter, a.chapter + 1);
      ASSERT_EQ(b.verse, 1);
      ++chapters;
    } else {
      ASSERT_EQ(b.verse, a.verse + 1);
    }
  }
  EXPECT_EQ(books, 66);
  EXPECT_EQ(chapters, 1189);
}

TEST_F(DatabuildData, PsalmsHaveTheirKjvShape) {
  std::map<int, int> verses_of_psalm;
  for (const Record& r : *records_)
    if (r.book == kPsalms) ++verses_of_psalm[r.chapter];
  EXPECT_EQ(verses_of_psalm.size(), 150u);
  EXPECT_EQ(verses_of_psalm[119], 176);
  EXPECT_EQ(verses_of_psalm[117], 2);
}

TEST_F(DatabuildData, TextsLieBackToBackEachEndedByNul) {
  ASSERT_EQ(records_->size(), kVerses);
  EXPECT_EQ(records_->front().offset, 0);
  for (std::size_t n = 0; n + 1 < records_->size(); ++n) {
    SCOPED_TRACE("verse " + std::to_string(n));
    std::string text = Text(n);
    ASSERT_EQ((*records_)[n + 1].offset, (*records_)[n].offset + static_cast<std::int32_t>(text.size()) + 1);
  }
  std::string last = Text(kVerses - 1);
  EXPECT_EQ(static_cast<std::size_t>(records_->back().offset) + last.size() + 1, text_->size());
  ASSERT_FALSE(text_->empty());
  EXPECT_EQ(text_->back(), '\0');
}

TEST_F(DatabuildData, EveryVerseKeepsTheByteRules) {
  ASSERT_EQ(records_->size(), kVerses);
  for (std::size_t n = 0; n < kVerses; ++n) {
    const std::string text = Text(n);
    SCOPED_TRACE("verse " + std::to_string(n) + ": " + text);
    ASSERT_GE(text.size(), 1u);
    ASSERT_LE(text.size(), kMaxVerseBytes);
    ASSERT_EQ(text.find_first_of("{}"), std::string::npos);
    ASSERT_NE(text.front(), ' ');
    ASSERT_NE(text.back(), ' ');
    ASSERT_EQ(text.find("  "), std::string::npos);
    for (std::size_t i = 0; i < text.size(); ++i) {
      unsigned c = Byte(text, i);
      if (c == 0xB6) {
        ASSERT_EQ(i, 0u) << "pilcrow inside the verse";
        ASSERT_GT(text.size(), 1u);
        ASSERT_NE(text[1], ' ');
      } else {
        ASSERT_TRUE((c >= 0x20 && c <= 0x7E) || c == 0x97) << "byte " << c << " at " << i;
      }
    }
  }
}

// The displays and the output turn italics on at '[' and off at ']': every
// verse has its brackets in pairs, one pair at a time.
TEST_F(DatabuildData, EveryVerseHasItsBracketsInSinglePairs) {
  ASSERT_EQ(records_->size(), kVerses);
  std::size_t pairs = 0;
  for (std::size_t n = 0; n < kVerses; ++n) {
    const std::string text = Text(n);
    SCOPED_TRACE("verse " + std::to_string(n) + ": " + text);
    bool open = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '[') {
        ASSERT_FALSE(open) << "'[' inside brackets at " << i;
        open = true;
      } else if (text[i] == ']') {
        ASSERT_TRUE(open) << "']' without its '[' at " << i;
        ASSERT_NE(text[i - 1], '[') << "empty brackets at " << i;
        open = false;
        ++pairs;
      }
    }
    ASSERT_FALSE(open) << "'[' never closed";
  }
  // The text has thousands of supplied runs; none lost on the way.
  EXPECT_GT(pairs, 10000u);
}

TEST_F(DatabuildData, KnownVersesReadAsTheKjvPrintsThem) {
  const std::string pilcrow = "\xB6";
  EXPECT_EQ(Text(1, 1, 1), "In the beginning God created the heaven and the earth.");
  // Added words are bracketed; footnotes are gone.
  EXPECT_NE(Text(1, 1, 4).find("that [it was] good"), std::string::npos);
  EXPECT_NE(Text(1, 1, 2).find("darkness [was] upon the face of the deep"), std::string::npos);
  EXPECT_EQ(Text(1, 1, 4).find("Heb."), std::string::npos);
  // A paragraph mark joins the first word.
  std::string john = Text(kJohn, 3, 16);
  if (john.compare(0, 1, pilcrow) == 0) john.erase(0, 1);
  EXPECT_EQ(john.compare(0, 26, "For God so loved the world"), 0) << john;
  // Psalm titles and the closing notes of the epistles are not verse text.
  EXPECT_EQ(Text(kPsalms, 3, 1).rfind("LORD, how are they increased", 0), 0u) << Text(kPsalms, 3, 1);
  EXPECT_EQ(Text(kPsalms, 119, 1).rfind("Blessed", 0), 0u) << Text(kPsalms, 119, 1);
  EXPECT_EQ(Text(45, 16, 27), "To God only wise, [be] glory through Jesus Christ for ever. Amen.");
  // The characters beyond ASCII.
  EXPECT_NE(Text(2, 6, 3).find("by my name JEHOVAH was I not known"), std::string::npos) << Text(2, 6, 3);
  EXPECT_NE(Text(2, 32, 32).find("their sin\x97; and if not"), std::string::npos) << Text(2, 32, 32);
  EXPECT_NE(Text(kJohn, 3, 23).find("baptizing in Aenon near to Salim"), std::string::npos);
  // The module brackets "but" a second time inside this added run.
  EXPECT_EQ(Text(k1John, 2, 23),
            "Whosoever denieth the Son, the same hath not the Father: [but he that acknowledgeth the Son hath the "
            "Father also].");
}

TEST_F(DatabuildData, WordListIsSortedDistinctLowerCase) {
  ASSERT_FALSE(words_->empty());
  ASSERT_EQ(words_->back(), '\0');
  std::vector<std::string> list;
  for (std::size_t at = 0; at < words_->size();) {
    std::size_t end = words_->find('\0', at);
    list.push_back(words_->substr(at, end - at));
    at = end + 1;
  }
  EXPECT_LE(list.size(), kMaxWords);
  EXPECT_EQ(starts_->size(), 4 * list.size());
  for (std::size_t k = 0; k < list.size(); ++k) {
    SCOPED_TRACE("word " + std::to_string(k) + " '" + list[k] + "'");
    ASSERT_FALSE(list[k].empty());
    for (char c : list[k]) ASSERT_TRUE(c >= 'a' && c <= 'z');
    if (k > 0) {
      const std::string& before = list[k - 1];
      const std::string& word = list[k];
      auto unsigned_less = [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); };
      ASSERT_TRUE(std::lexicographical_compare(before.begin(), before.end(), word.begin(), word.end(), unsigned_less))
          << "after '" << before << "'";
    }
  }
}

TEST_F(DatabuildData, ConcordanceListsExactlyTheVersesHoldingEachWord) {
  ASSERT_EQ(records_->size(), kVerses);
  // The concordance as it should be, from the texts alone.
  std::map<std::string, std::vector<std::uint16_t>> expected;
  for (std::size_t n = 0; n < kVerses; ++n) {
    const std::string text = Text(n);
    std::set<std::string> seen;
    for (std::size_t i = 0; i < text.size();) {
      if (!IsLetter(static_cast<unsigned char>(text[i]))) {
        ++i;
        continue;
      }
      std::string word;
      while (i < text.size() && IsLetter(static_cast<unsigned char>(text[i])))
        word.push_back(Lower(static_cast<unsigned char>(text[i++])));
      seen.insert(word);
    }
    for (const std::string& word : seen) expected[word].push_back(static_cast<std::uint16_t>(n));
  }

  std::vector<std::string> list;
  for (std::size_t at = 0; at < words_->size();) {
    std::size_t end = words_->find('\0', at);
    ASSERT_NE(end, std::string::npos);
    list.push_back(words_->substr(at, end - at));
    at = end + 1;
  }
  ASSERT_EQ(list.size(), expected.size());
  ASSERT_EQ(starts_->size(), 4 * list.size());
  ASSERT_EQ(index_->size() % 2, 0u);
  const std::size_t entries = index_->size() / 2;

  std::size_t k = 0;
  for (const auto& [word, verses] : expected) {
    SCOPED_TRACE("word " + std::to_string(k) + " '" + word + "'");
    ASSERT_EQ(list[k], word);
    const std::size_t begin = static_cast<std::int32_t>(U32(*starts_, 4 * k));
    const std::size_t end = k + 1 < list.size() ? static_cast<std::int32_t>(U32(*starts_, 4 * (k + 1))) : entries;
    ASSERT_LE(begin, end);
    ASSERT_LE(end, entries);
    std::vector<std::uint16_t> run;
    for (std::size_t e = begin; e < end; ++e)
      run.push_back(static_cast<std::uint16_t>(Byte(*index_, 2 * e) | Byte(*index_, 2 * e + 1) << 8));
    ASSERT_EQ(run, verses);
    ++k;
  }
  EXPECT_EQ(U32(*starts_, 0), 0u);
}

// ---------------------------------------------------------------------------
// The normaliser

using kv::databuild::NormaliseOsisVerse;

struct NormaliseRow {
  const char* what;
  const char* osis;
  const char* text;
};

const NormaliseRow kNormaliseRows[] = {
    {"plain text passes", "In the beginning God created", "In the beginning God created"},
    {"a footnote goes with its content", "the darkness.<note placement=\"foot\">Heb. between the light</note> And",
     "the darkness. And"},
    {"a footnote holding tags and markers goes whole",
     "LORD:<note placement=\"foot\"><reference type=\"annotateRef\">6.2 </reference>the <divineName>LORD\\+nd*: "
     "or, <seg type=\"x-nested\"><divineName>JEHOVAH</divineName></seg></note> next",
     "LORD: next"},
    {"a psalm title goes with its content",
     "<title canonical=\"true\" type=\"psalm\">A <w lemma=\"strong:H4210\">Psalm</w> of David.</title> LORD, how",
     "LORD, how"},
    {"an acrostic heading goes before its letters are looked at",
     "<title><foreign>\xD7\x90 ALEPH.</foreign></title> Blessed", "Blessed"},
    {"a closing subscription goes", "Amen. <chapter eID=\"Gal.6\"/> <title>Unto the Galatians written from Rome.</title>",
     "Amen."},
    {"added words are bracketed", "darkness <transChange type=\"added\">was</transChange> upon", "darkness [was] upon"},
    {"nested added words keep only the outer brackets",
     "<transChange type=\"added\">it <transChange type=\"added\">was</transChange> so</transChange> good",
     "[it was so] good"},
    {"added words after nested ones open a new pair",
     "<transChange type=\"added\">a <transChange type=\"added\">b</transChange></transChange> c "
     "<transChange type=\"added\">d</transChange>",
     "[a b] c [d]"},
    {"brackets written in an added run are the run's own",
     "Father: <transChange type=\"added\">[but] <w>he that acknowledgeth</w> also</transChange>.",
     "Father: [but he that acknowledgeth also]."},
    {"written brackets outside a run stay", "that [it was] good", "that [it was] good"},
    {"written brackets inside written brackets make one pair", "[a [b] c] d [e]", "[a b c] d [e]"},
    {"an added run inside written brackets makes one pair",
     "[a <transChange type=\"added\">b</transChange>] c", "[a b] c"},
    {"written brackets inside another change are bracketed",
     "<transChange type=\"tenseChange\">went [up]</transChange>", "went [up]"},
    {"other changes are not bracketed",
     "<transChange type=\"tenseChange\">went <transChange type=\"added\">up</transChange></transChange>",
     "went [up]"},
    {"other tags go and their text stays",
     "<w lemma=\"strong:H0430\">God</w> <divineName>LORD</divineName> <q marker=\"\" who=\"Jesus\">Verily</q>",
     "God LORD Verily"},
    {"a tag inside a word does not split it", "<w lemma=\"strong:G1325\">shall more be give</w>n.",
     "shall more be given."},
    {"milestones and empty elements go",
     "<div type=\"x-milestone\" subType=\"x-preverse\" sID=\"pv1\"/><div sID=\"gen4\" type=\"x-p\"/> <div "
     "type=\"x-milestone\" subType=\"x-preverse\" eID=\"pv1\"/>And <lb type=\"x-p\"/>God",
     "And God"},
    {"a quoted attribute may hold '>'", "<milestone n=\"a>b\" type=\"x\"/>Text", "Text"},
    {"an opening marker goes with its blank", "the \\nd <w>LORD</w></divineName> hath", "the LORD hath"},
    {"a closing marker leaves the following blank", "the \\nd LORD\\nd* that", "the LORD that"},
    {"a nested closing marker goes", "the LORD\\+nd*: or", "the LORD: or"},
    {"a marker at the start goes", "\\nd LORD", "LORD"},
    {"the blank after an opening marker is the marker's", "(\\nd LORD\\nd*)", "(LORD)"},
    {"curly apostrophes become straight", "LORD\xE2\x80\x99s \xE2\x80\x98word", "LORD's 'word"},
    {"the ligatures are spelt out", "\xC3\x86non and C\xC3\xA6sar", "Aenon and Caesar"},
    {"the dash becomes byte 0x97", "their sin\xE2\x80\x94; and", "their sin\x97; and"},
    {"white space runs become one blank, ends trimmed", " \t a \r\n  b\t", "a b"},
    {"a leading pilcrow joins the first word", "\xC2\xB6 And God said", "\xB6" "And God said"},
    {"a pilcrow after markup and blanks still leads", "<div sID=\"g\" type=\"x-p\"/> \xC2\xB6  <w>And</w> he",
     "\xB6" "And he"},
    {"a pilcrow already joined stays joined", "\xC2\xB6" "And", "\xB6" "And"},
    {"character entities are read", "a &amp; b&#x2019;s &#8212; c", "a & b's \x97 c"},
    {"a chapter introduction is empty", "<div sID=\"gen12\" type=\"x-p\"/> <chapter n=\"2\" osisID=\"Gen.2\" "
                                        "sID=\"Gen.2\"/> ",
     ""},
};

TEST(DatabuildNormaliser, MarkupBecomesTheStoredText) {
  for (const NormaliseRow& row : kNormaliseRows) {
    SCOPED_TRACE(row.what);
    std::string text, error;
    ASSERT_TRUE(NormaliseOsisVerse(row.osis, &text, &error)) << error;
    EXPECT_EQ(text, row.text);
  }
}

struct RefusalRow {
  const char* what;
  const char* osis;
  const char* error_part;
};

const RefusalRow kRefusalRows[] = {
    {"an unknown letter beyond ASCII", "caf\xC3\xA9", "U+00E9"},
    {"a left double quotation mark", "\xE2\x80\x9CYea", "U+201C"},
    {"a no-break space", "a\xC2\xA0" "b", "U+00A0"},
    {"a pilcrow inside the verse", "And \xC2\xB6 God", "pilcrow"},
    {"a pilcrow with nothing after it", " \xC2\xB6 ", "pilcrow"},
    {"two pilcrows", "\xC2\xB6 a \xC2\xB6 b", "pilcrow"},
    {"an opening brace", "a {b", "brace"},
    {"a closing brace", "a b}", "brace"},
    {"a control character", "a\x01" "b", "control"},
    {"malformed UTF-8", "a\xC3", "UTF-8"},
    {"an overlong UTF-8 form", "a\xC0\xA0", "UTF-8"},
    {"a note never closed", "a<note>b", "note"},
    {"a title end without start", "a</title>b", "title"},
    {"an added-words end without start", "a</transChange>b", "transChange"},
    {"added words never closed", "<transChange type=\"added\">a", "transChange"},
    {"an unterminated tag", "a <w lemma=\"x\"", "tag"},
    {"a written ']' without its '['", "a] b", "']'"},
    {"a written '[' never closed", "a [b", "'['"},
    {"an added run ending inside a '[' opened in it",
     "<transChange type=\"added\">a [b</transChange> c]", "transChange"},
    {"a written ']' closing an added run", "<transChange type=\"added\">a] b</transChange>", "']'"},
    {"a lone backslash", "a \\ b", "backslash"},
    {"an unknown entity", "a &nbsp; b", "entity"},
};

TEST(DatabuildNormaliser, RefusesWhatItCannotRepresent) {
  for (const RefusalRow& row : kRefusalRows) {
    SCOPED_TRACE(row.what);
    std::string text, error;
    EXPECT_FALSE(NormaliseOsisVerse(row.osis, &text, &error)) << "gave: " << text;
    EXPECT_NE(error.find(row.error_part), std::string::npos) << "error: " << error;
  }
}

TEST(DatabuildNormaliser, BracketRuleRefusesNestedAndUnpairedBrackets) {
  using kv::databuild::CheckSuppliedBrackets;
  std::string error;
  EXPECT_TRUE(CheckSuppliedBrackets("", &error));
  EXPECT_TRUE(CheckSuppliedBrackets("[a] b [c d] e", &error)) << error;
  const char* refused[] = {"[[but] he that acknowledgeth the Son hath the Father also]", "[a [b] c]", "a] b",
                           "[a", "[a] b]", "[a] [b"};
  for (const char* text : refused) {
    SCOPED_TRACE(text);
    error.clear();
    EXPECT_FALSE(CheckSuppliedBrackets(text, &error));
    EXPECT_FALSE(error.empty());
  }
}

TEST(DatabuildNormaliser, AttributesAreMatchedByWholeName) {
  std::string_view value;
  EXPECT_FALSE(kv::databuild::FindAttribute(" canonical=\"true\" osisID=\"Gen\" type=\"book\"", "sID", &value));
  ASSERT_TRUE(kv::databuild::FindAttribute(" osisID=\"Gen.1\" sID=\"x\"", "sID", &value));
  EXPECT_EQ(value, "x");
  ASSERT_TRUE(kv::databuild::FindAttribute(" n='1' type = \"book\"", "type", &value));
  EXPECT_EQ(value, "book");
}

// ---------------------------------------------------------------------------
// The tool on damaged copies of the module

class DatabuildTool : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvane-databuild-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    std::filesystem::create_directory(dir_ / "module");
    for (const char* testament : {"ot", "nt"})
      for (const char* part : {".bzs", ".bzv", ".bzz"}) {
        const std::string name = std::string(testament) + part;
        std::filesystem::copy_file(std::string(KELVANE_KJV_MODULE_DIR) + "/" + name, dir_ / "module" / name);
      }
  }
  void TearDown() override {
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }

  // Runs the tool on the copy; returns its exit status and keeps stderr.
  int Run() {
    const std::string command = std::string("\"") + KELVANE_DATABUILD_TOOL + "\" \"" + (dir_ / "module").string() +
                                "\" \"" + (dir_ / "out").string() + "\" >\"" + (dir_ / "stdout").string() +
                                "\" 2>\"" + (dir_ / "stderr").string() + "\"";
    int status = std::system(command.c_str());
    errors_ = ReadBytes((dir_ / "stderr").string());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Swaps two 10-byte entries of a slot table.
  void SwapSlots(const char* table, std::size_t a, std::size_t b) {
    const std::string path = (dir_ / "module" / table).string();
    std::string bytes = ReadBytes(path);
    ASSERT_LE((std::max(a, b) + 1) * 10, bytes.size());
    for (std::size_t k = 0; k < 10; ++k) std::swap(bytes[a * 10 + k], bytes[b * 10 + k]);
    WriteBytes(path, bytes);
  }

  bool WroteAnything() const { return std::filesystem::exists(dir_ / "out"); }

  std::filesystem::path dir_;
  std::string errors_;
};

// Slots: 0 empty, 1 header, 2 the book, 3 its first chapter, 4 the first verse.
constexpr std::size_t kFirstVerseSlot = 4;

TEST_F(DatabuildTool, BuildsFromTheUndamagedCopy) {
  EXPECT_EQ(Run(), 0) << errors_;
  EXPECT_TRUE(errors_.empty()) << errors_;
  EXPECT_EQ(ReadBytes((dir_ / "out" / "_avtext.dat").string()),
            ReadBytes(std::string(KELVANE_TEST_DATA_DIR) + "/_avtext.dat"));
}

TEST_F(DatabuildTool, RefusesAChapterMarkerOutOfPlace) {
  // Genesis 1:31 and the introduction of Genesis 2 change places.
  const std::size_t genesis_1_31 = kFirstVerseSlot + 30;
  SwapSlots("ot.bzv", genesis_1_31, genesis_1_31 + 1);
  EXPECT_EQ(Run(), 1);
  EXPECT_NE(errors_.find("Genesis 1:31"), std::string::npos) << errors_;
  EXPECT_EQ(std::count(errors_.begin(), errors_.end(), '\n'), 1) << errors_;
  EXPECT_FALSE(WroteAnything());
}

TEST_F(DatabuildTool, RefusesASlotPointingAtItsNeighboursText) {
  // Matthew 1:1 made to point at the text of 1:2: no marker lies between
  // them, so only the overlap gives it away.
  const std::string path = (dir_ / "module" / "nt.bzv").string();
  std::string bytes = ReadBytes(path);
  bytes.replace(kFirstVerseSlot * 10, 10, bytes.substr((kFirstVerseSlot + 1) * 10, 10));
  WriteBytes(path, bytes);
  EXPECT_EQ(Run(), 1);
  EXPECT_NE(errors_.find("Matthew 1:2"), std::string::npos) << errors_;
  EXPECT_FALSE(WroteAnything());
}

TEST_F(DatabuildTool, RefusesASlotTableOfTheWrongLength) {
  const std::string path = (dir_ / "module" / "nt.bzv").string();
  std::string bytes = ReadBytes(path);
  bytes.resize(bytes.size() - 10);
  WriteBytes(path, bytes);
  EXPECT_EQ(Run(), 1);
  EXPECT_NE(errors_.find("nt.bzv"), std::string::npos) << errors_;
  EXPECT_FALSE(WroteAnything());
}

TEST_F(DatabuildTool, RefusesADamagedBlock) {
  const std::string path = (dir_ / "module" / "ot.bzz").string();
  std::string bytes = ReadBytes(path);
  ASSERT_GT(bytes.size(), 100u);
  for (std::size_t k = 10; k < 60; ++k) bytes[k] = static_cast<char>(~bytes[k]);
  WriteBytes(path, bytes);
  EXPECT_EQ(Run(), 1);
  EXPECT_NE(errors_.find("ot.bzz block 0"), std::string::npos) << errors_;
  EXPECT_FALSE(WroteAnything());
}

TEST_F(DatabuildTool, ExplainsItsUsage) {
  const std::string command = std::string("\"") + KELVANE_DATABUILD_TOOL + "\" 2>\"" + (dir_ / "stderr").string() + "\"";
  int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(ReadBytes((dir_ / "stderr").string()).find("usage"), std::string::npos);
}

}  // namespace
