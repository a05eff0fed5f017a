#include "store/bible_data.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>

#include "testing/fault_files.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::DataDir;
using testing::RealBible;
using testing::ScratchDir;

const char* const kAllFiles[] = {kWordFileName, kWordStartFileName, kWordIndexFileName, kVerseTableFileName,
                                 kTextFileName};

std::string Le32(std::int32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[static_cast<std::size_t>(i)] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xff);
  return s;
}

std::string Le16(int v) { return std::string{static_cast<char>(v & 0xff), static_cast<char>((v >> 8) & 0xff)}; }

TEST(RealData, HasEveryVerseAndTheZeroRecordAfterTheLast) {
  const BibleData& data = RealBible();
  VerseRecord first = RecordOf(data, 0);
  EXPECT_EQ(1, first.book);
  EXPECT_EQ(1, first.chapter);
  EXPECT_EQ(1, first.verse);
  EXPECT_EQ(0, first.offset);
  VerseRecord last = RecordOf(data, kLastVerse);
  EXPECT_EQ(66, last.book);
  EXPECT_EQ(22, last.chapter);
  EXPECT_EQ(21, last.verse);
  VerseRecord after = RecordOf(data, kVerseCount);
  EXPECT_EQ(0, after.book);
  EXPECT_EQ(0, after.chapter);
  EXPECT_EQ(0, after.verse);
  EXPECT_EQ(0, after.offset);
  EXPECT_STREQ("In the beginning God created the heaven and the earth.", VerseText(data, 0));
}

TEST(RealData, TextsFollowEachOther) {
  const BibleData& data = RealBible();
  for (VerseIndex v = 0; v < kLastVerse; ++v) {
    const char* text = VerseText(data, v);
    ASSERT_EQ(text + std::strlen(text) + 1, VerseText(data, v + 1)) << "verse " << v;
  }
}

TEST(RealData, LastWordRunEndsAtTheSentinel) {
  const BibleData& data = RealBible();
  ASSERT_GT(WordCount(data), 0);
  EXPECT_EQ(static_cast<std::int32_t>(data.word_verse_count), data.word_starts[static_cast<std::size_t>(WordCount(data))]);
  EXPECT_EQ(nullptr, data.words[static_cast<std::size_t>(WordCount(data))]);
  WordRun last = WordVersesOf(data, WordCount(data) - 1);
  EXPECT_EQ(data.word_verses + data.word_verse_count, last.end);
  EXPECT_GT(last.size(), 0u);
}

// Real verse table and text, with word files made up by the test.
class CraftedData : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kAllFiles) dir_.CopyFrom(DataDir(), name);
  }
  void TearDown() override { ReleaseBibleData(*files_, &data_); }

  void WriteWords(const std::string& words, const std::string& starts, const std::string& index) {
    dir_.Write(kWordFileName, words);
    dir_.Write(kWordStartFileName, starts);
    dir_.Write(kWordIndexFileName, index);
  }

  LoadError Load() { return LoadBibleData(*files_, &data_, &culprit_); }

  ScratchDir dir_;
  std::unique_ptr<Files> files_ = MakeSystemFiles(dir_.path());
  BibleData data_;
  std::string culprit_;
};

TEST_F(CraftedData, EmptyWordFileGivesNoWordsAndTheSentinelInEntryZero) {
  WriteWords("", "", Le16(5) + Le16(6) + Le16(7));
  ASSERT_EQ(LoadError::None, Load());
  EXPECT_EQ(0, WordCount(data_));
  EXPECT_EQ(nullptr, data_.words[0]);
  EXPECT_EQ(3, data_.word_starts[0]);
}

TEST_F(CraftedData, LoaderSentinelReplacesAClosingEntryInTheFile) {
  WriteWords(std::string("and\0the\0", 8), Le32(0) + Le32(2) + Le32(9999), Le16(1) + Le16(2) + Le16(3));
  ASSERT_EQ(LoadError::None, Load());
  ASSERT_EQ(2, WordCount(data_));
  EXPECT_STREQ("the", WordAt(data_, 1));
  WordRun run = WordVersesOf(data_, 1);
  ASSERT_EQ(1u, run.size());
  EXPECT_EQ(3, run.begin[0]);
}

TEST_F(CraftedData, OddLengthIndexDropsItsLastByte) {
  WriteWords(std::string("a\0", 2), Le32(0), Le16(4) + Le16(31101) + "\x07");
  ASSERT_EQ(LoadError::None, Load());
  EXPECT_EQ(2u, data_.word_verse_count);
  EXPECT_EQ(2, data_.word_starts[1]);
  EXPECT_EQ(31101, WordVersesOf(data_, 0).begin[1]);
}

TEST_F(CraftedData, ReloadAfterReleaseWorks) {
  ASSERT_EQ(LoadError::None, Load());
  ReleaseBibleData(*files_, &data_);
  EXPECT_FALSE(data_.loaded);
  ASSERT_EQ(LoadError::None, Load());
  EXPECT_TRUE(data_.loaded);
}

TEST_F(CraftedData, EachMissingFileFailsTheLoadAndNamesIt) {
  for (const char* name : kAllFiles) {
    SCOPED_TRACE(name);
    std::string saved = dir_.Read(name);
    std::remove((dir_ / name).c_str());
    EXPECT_EQ(LoadError::MissingFile, Load());
    EXPECT_EQ(name, culprit_);
    EXPECT_FALSE(data_.loaded);
    dir_.Write(name, saved);
  }
  EXPECT_EQ(LoadError::None, Load());
}

struct DamageCase {
  const char* what;
  LoadError expected;
  const char* culprit;
  void (*damage)(const ScratchDir&);
};

std::string Replace(std::string bytes, std::size_t at, const std::string& with) {
  bytes.replace(at, with.size(), with);
  return bytes;
}

const DamageCase kDamage[] = {
    {"word file of 12562 words", LoadError::DamagedWordList, kWordFileName,
     [](const ScratchDir& d) {
       std::string words;
       char w[8];
       for (int i = 0; i < kMaxWords + 1; ++i) {
         std::snprintf(w, sizeof w, "w%05d", i);
         words += w;
         words += '\0';
       }
       d.Write(kWordFileName, words);
     }},
    {"word file without its last NUL", LoadError::DamagedWordList, kWordFileName,
     [](const ScratchDir& d) {
       std::string words = d.Read(kWordFileName);
       words.back() = 'z';
       d.Write(kWordFileName, words);
     }},
    {"word file out of order", LoadError::DamagedWordList, kWordFileName,
     [](const ScratchDir& d) { d.Write(kWordFileName, std::string("b\0a\0", 4)); }},
    {"start table of 12563 entries", LoadError::DamagedWordStarts, kWordStartFileName,
     [](const ScratchDir& d) { d.Write(kWordStartFileName, std::string(4 * (kWordSlots + 1), '\0')); }},
    {"decreasing starts", LoadError::DamagedWordStarts, kWordStartFileName,
     [](const ScratchDir& d) { d.Write(kWordStartFileName, Replace(d.Read(kWordStartFileName), 4, Le32(-1))); }},
    {"negative first start", LoadError::DamagedWordStarts, kWordStartFileName,
     [](const ScratchDir& d) { d.Write(kWordStartFileName, Replace(d.Read(kWordStartFileName), 0, Le32(-5))); }},
    {"start past the index", LoadError::DamagedWordStarts, kWordStartFileName,
     [](const ScratchDir& d) {
       std::string starts = d.Read(kWordStartFileName);
       d.Write(kWordStartFileName, Replace(starts, starts.size() - 4, Le32(0x7fffff00)));
     }},
    {"verse number 31102 in the index", LoadError::DamagedWordIndex, kWordIndexFileName,
     [](const ScratchDir& d) { d.Write(kWordIndexFileName, Replace(d.Read(kWordIndexFileName), 10, Le16(31102))); }},
    {"verse table one record short", LoadError::DamagedVerseTable, kVerseTableFileName,
     [](const ScratchDir& d) {
       std::string table = d.Read(kVerseTableFileName);
       d.Write(kVerseTableFileName, table.substr(0, table.size() - kVerseRecordBytes));
     }},
    {"verse table one record long", LoadError::DamagedVerseTable, kVerseTableFileName,
     [](const ScratchDir& d) { d.Write(kVerseTableFileName, d.Read(kVerseTableFileName) + std::string(7, '\1')); }},
    {"book 67 in a record", LoadError::DamagedVerseTable, kVerseTableFileName,
     [](const ScratchDir& d) { d.Write(kVerseTableFileName, Replace(d.Read(kVerseTableFileName), 7 * 100, "\x43")); }},
    {"text offset beyond the text file", LoadError::DamagedText, kTextFileName,
     [](const ScratchDir& d) {
       d.Write(kVerseTableFileName, Replace(d.Read(kVerseTableFileName), 7 * 31101 + 3, Le32(0x10000000)));
     }},
    {"negative text offset", LoadError::DamagedText, kTextFileName,
     [](const ScratchDir& d) { d.Write(kVerseTableFileName, Replace(d.Read(kVerseTableFileName), 7 * 5 + 3, Le32(-4))); }},
    {"text file without its last NUL", LoadError::DamagedText, kTextFileName,
     [](const ScratchDir& d) {
       std::string text = d.Read(kTextFileName);
       text.back() = '.';
       d.Write(kTextFileName, text);
     }},
    {"empty text file", LoadError::DamagedText, kTextFileName,
     [](const ScratchDir& d) { d.Write(kTextFileName, ""); }},
    {"verse longer than 599 bytes", LoadError::DamagedText, kTextFileName,
     [](const ScratchDir& d) {
       // Genesis 1:1 grows by 600 bytes; every later offset moves with it, so
       // only its length is wrong.
       std::string text = d.Read(kTextFileName);
       text.insert(text.find('\0'), std::string(600, 'x'));
       d.Write(kTextFileName, text);
       std::string table = d.Read(kVerseTableFileName);
       for (std::size_t v = 1; v < static_cast<std::size_t>(kVerseCount); ++v) {
         std::int32_t offset;
         std::memcpy(&offset, table.data() + 7 * v + 3, 4);
         table.replace(7 * v + 3, 4, Le32(offset + 600));
       }
       d.Write(kVerseTableFileName, table);
     }},
};

TEST_F(CraftedData, DamagedFilesFailCleanly) {
  std::vector<std::pair<std::string, std::string>> originals;
  for (const char* name : kAllFiles) originals.emplace_back(name, dir_.Read(name));
  for (const DamageCase& c : kDamage) {
    SCOPED_TRACE(c.what);
    c.damage(dir_);
    EXPECT_EQ(c.expected, Load());
    EXPECT_EQ(c.culprit, culprit_);
    EXPECT_FALSE(data_.loaded);
    EXPECT_EQ(nullptr, data_.text_file.data);
    for (const auto& [name, bytes] : originals) dir_.Write(name, bytes);
  }
  EXPECT_EQ(LoadError::None, Load());
}

// The word list must have as many words as the start table has entries (or
// one fewer, when the table holds a closing entry, at or past the end of the
// index): a list that lost or gained a NUL would give every later word the
// verses of its neighbour.
TEST_F(CraftedData, AWordListThatDoesNotMatchTheStartTableIsRefused) {
  const std::string words = dir_.Read(kWordFileName);
  const std::string starts = dir_.Read(kWordStartFileName);
  ASSERT_EQ(std::string("a\0aaron\0", 8), words.substr(0, 8));
  const struct {
    const char* what;
    std::string words;
    std::string starts;
  } rows[] = {
      // "aaron" and "aaronites" become one word, still in order.
      {"merged word", Replace(words, 7, "\x01"), starts},
      {"word list cut after a NUL", words.substr(0, words.find('\0', 5000) + 1), starts},
      {"start table one entry short", words, starts.substr(0, starts.size() - 4)},
      {"start table two entries long", words, starts + Le32(0) + Le32(0)},
      {"start table one entry long, inside the index", words, starts + Le32(100)},
      {"start table cut inside an entry", words, starts + "\x01\x02"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    dir_.Write(kWordFileName, row.words);
    dir_.Write(kWordStartFileName, row.starts);
    LoadError error = Load();
    EXPECT_TRUE(error == LoadError::DamagedWordList || error == LoadError::DamagedWordStarts);
    EXPECT_FALSE(data_.loaded);
  }
  dir_.Write(kWordFileName, Replace(words, 7, "\x01"));
  dir_.Write(kWordStartFileName, starts);
  EXPECT_EQ(LoadError::DamagedWordList, Load());
  EXPECT_EQ(kWordFileName, culprit_);

  // A closing entry is allowed: one more entry than words, at or past the
  // end of the index.
  dir_.Write(kWordFileName, words);
  dir_.Write(kWordStartFileName, starts + Le32(static_cast<std::int32_t>(dir_.Read(kWordIndexFileName).size() / 2)));
  ASSERT_EQ(LoadError::None, Load());
  EXPECT_EQ(static_cast<std::int32_t>(data_.word_verse_count), data_.word_starts[static_cast<std::size_t>(WordCount(data_))]);
}

// A file far too large (here a sparse file of 2 GiB) is refused by its size,
// before a byte of it is read or mapped; the other files stay as they are.
TEST_F(CraftedData, AFileOfTwoGigabytesIsRefusedWithoutBeingReadOrMapped) {
  const struct {
    const char* name;
    LoadError expected;
  } rows[] = {
      {kWordFileName, LoadError::DamagedWordList},     {kWordStartFileName, LoadError::DamagedWordStarts},
      {kWordIndexFileName, LoadError::DamagedWordIndex}, {kVerseTableFileName, LoadError::DamagedVerseTable},
      {kTextFileName, LoadError::DamagedText},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::string saved = dir_.Read(row.name);
    ASSERT_EQ(0, ::truncate((dir_ / row.name).c_str(), std::int64_t{2} << 30));
    testing::FaultFiles watched(*files_);
    EXPECT_EQ(row.expected, LoadBibleData(watched, &data_, &culprit_));
    EXPECT_EQ(row.name, culprit_);
    for (const auto& call : watched.calls()) {
      SCOPED_TRACE(call.op);
      if (call.name == row.name) {
        EXPECT_TRUE(call.op == "Open" || call.op == "Size" || call.op == "Close");
      }
    }
    ReleaseBibleData(watched, &data_);
    dir_.Write(row.name, saved);
  }
  EXPECT_EQ(LoadError::None, Load());
}

}  // namespace
}  // namespace kv
