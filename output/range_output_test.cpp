#include "output/range_output.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "output/verse_formatter.h"
#include "store/verse_address.h"
#include "testing/memory_clipboard.h"
#include "testing/recording_user_services.h"
#include "testing/test_support.h"

namespace kv {
namespace {

using testing::RealBible;
using testing::ScratchDir;
using Told = std::vector<std::pair<std::string, std::string>>;

VerseIndex V(int book, int chapter, int verse) { return FindVerse(RealBible(), book, chapter, verse); }
std::string Text(VerseIndex v) { return VerseText(RealBible(), v); }

// The system's files in a folder, with writes that fail from a given one on.
class FailingFiles : public Files {
 public:
  explicit FailingFiles(const std::string& folder) : files_(MakeSystemFiles(folder)) {}
  int writes_left = 1 << 30;

  FileHandle Open(const std::string& name, OpenMode mode) override { return files_->Open(name, mode); }
  void Close(FileHandle file) override { files_->Close(file); }
  std::int64_t Size(FileHandle file) override { return files_->Size(file); }
  bool Read(FileHandle file, void* buffer, std::size_t size, std::size_t* got) override {
    return files_->Read(file, buffer, size, got);
  }
  bool Write(FileHandle file, const void* buffer, std::size_t size) override {
    if (writes_left-- <= 0) return false;
    return files_->Write(file, buffer, size);
  }
  bool Seek(FileHandle file, std::int64_t offset) override { return files_->Seek(file, offset); }
  bool Flush(FileHandle file) override { return files_->Flush(file); }
  bool Replace(const std::string& from, const std::string& to) override { return files_->Replace(from, to); }
  bool Remove(const std::string& name) override { return files_->Remove(name); }
  bool Discard(const std::string& name) override { return files_->Discard(name); }
  bool Rename(const std::string& from, const std::string& to) override { return files_->Rename(from, to); }
  bool Exists(const std::string& name) override { return files_->Exists(name); }
  bool List(const std::string& suffix, std::vector<std::string>* names) override {
    return files_->List(suffix, names);
  }
  bool Map(const std::string& name, OpenMode hint, Mapping* mapping) override {
    return files_->Map(name, hint, mapping);
  }
  void Unmap(Mapping* mapping) override { files_->Unmap(mapping); }

 private:
  std::unique_ptr<Files> files_;
};

// A note set in memory.
class FakeNotes : public NoteSource {
 public:
  std::map<VerseIndex, std::string> notes;
  bool fail_open = false;
  VerseIndex fail_read = kNoVerse;
  bool is_open = false;
  bool Open() override { return is_open = !fail_open; }
  Read ReadNote(VerseIndex verse, std::string* text) override {
    if (verse == fail_read) return Read::Failed;
    auto it = notes.find(verse);
    if (it == notes.end()) return Read::NoNote;
    *text = it->second;
    return Read::Note;
  }
  void Close() override { is_open = false; }
};

class RangeOutput : public ::testing::Test {
 protected:
  FormatOptions options;  // the defaults: Full / Partial, before, breaks and marks
  VerseIndex eph17 = V(49, 6, 17);
  std::string two_lines = " Eph 6:17 " + Text(eph17) + "\r\n" + " 18 " + Text(eph17 + 1) + "\r\n";
  testing::MemoryClipboard clipboard;
  testing::RecordingUserServices messages;
  ScratchDir dir;
  FailingFiles files{dir.path()};
};

TEST_F(RangeOutput, CopyPutsTheLinesOnTheClipboard) {
  EXPECT_TRUE(CopyRangeToClipboard(RealBible(), options, eph17, eph17 + 1, clipboard, messages));
  EXPECT_EQ(clipboard.text, two_lines);
  EXPECT_EQ(clipboard.block_size, 2 * kCopyBytesPerVerse);
  EXPECT_TRUE(clipboard.handed);
  EXPECT_FALSE(clipboard.is_open);
  EXPECT_TRUE(messages.CaptionsAndTexts().empty());
}

TEST_F(RangeOutput, CopyFailures) {
  struct Row {
    const char* name;
    bool fail_open, fail_allocate;
    const char* message;
  } rows[] = {
      {"clipboard busy", true, false, "Could not open Clipboard"},
      {"no memory", false, true, "Could not allocate memory for copy text"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    testing::MemoryClipboard board;
    board.text = "before";
    board.fail_open = row.fail_open;
    board.fail_allocate = row.fail_allocate;
    testing::RecordingUserServices told;
    EXPECT_FALSE(CopyRangeToClipboard(RealBible(), options, eph17, eph17, board, told));
    EXPECT_FALSE(board.handed);
    EXPECT_FALSE(board.is_open);
    EXPECT_EQ(told.CaptionsAndTexts(), (Told{{"Copy Error", row.message}}));
  }
}

TEST_F(RangeOutput, CopyKeepsTheLinesThatFitAndSaysSoOnce) {
  std::string first = " Eph 6:17 " + Text(eph17) + "\r\n";
  // Room for the first line and its NUL in the first verse's share, not for
  // the second line in the second's.
  std::size_t per_verse = first.size() + 1;
  ASSERT_GT(first.size() + (" 18 " + Text(eph17 + 1) + "\r\n").size() + 1, 2 * per_verse);
  EXPECT_TRUE(CopyRangeToClipboard(RealBible(), options, eph17, eph17 + 1, clipboard, messages, per_verse));
  EXPECT_EQ(clipboard.text, first);
  EXPECT_EQ(messages.CaptionsAndTexts(), (Told{{"Copy Error", "Copy incomplete: insufficient memory allocation."}}));

  testing::MemoryClipboard board;
  testing::RecordingUserServices told;
  EXPECT_TRUE(CopyRangeToClipboard(RealBible(), options, eph17, eph17, board, told, 10));
  EXPECT_EQ(board.text, "");
  EXPECT_EQ(told.CaptionsAndTexts().size(), 1u);
}

TEST_F(RangeOutput, NotARangeCopiesAndSavesNothing) {
  struct Row {
    VerseIndex first, last;
  } rows[] = {{5, 4}, {-1, 3}, {kLastVerse, kLastVerse + 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.first) + ".." + std::to_string(row.last));
    EXPECT_FALSE(CopyRangeToClipboard(RealBible(), options, row.first, row.last, clipboard, messages));
    EXPECT_FALSE(SaveRangeToFile(RealBible(), options, row.first, row.last, files, "out.txt", nullptr, messages));
  }
  EXPECT_FALSE(clipboard.handed);
  EXPECT_FALSE(files.Exists("out.txt"));
}

TEST_F(RangeOutput, SavedRangeEndsWithItsLastBreakAndOneNul) {
  dir.Write("out.txt", "an older, longer file that must go entirely");
  EXPECT_TRUE(SaveRangeToFile(RealBible(), options, eph17, eph17 + 1, files, "out.txt", nullptr, messages));
  EXPECT_EQ(dir.Read("out.txt"), two_lines + std::string(1, '\0'));
  EXPECT_TRUE(messages.CaptionsAndTexts().empty());
}

TEST_F(RangeOutput, SavedNotesAreSetOffByBlankLines) {
  FakeNotes notes;
  notes.notes[eph17] = std::string("the sword\0junk after the NUL", 28);
  EXPECT_TRUE(SaveRangeToFile(RealBible(), options, eph17, eph17 + 1, files, "notes.txt", &notes, messages));
  EXPECT_EQ(dir.Read("notes.txt"), " Eph 6:17 " + Text(eph17) + "\r\n" + "\r\n\r\nthe sword\r\n\r\n" + " 18 " +
                                       Text(eph17 + 1) + "\r\n" + std::string(1, '\0'));
  EXPECT_FALSE(notes.is_open);
}

TEST_F(RangeOutput, SaveFailures) {
  FakeNotes broken_notes;
  broken_notes.fail_open = true;
  EXPECT_FALSE(SaveRangeToFile(RealBible(), options, eph17, eph17, files, "n.txt", &broken_notes, messages));
  EXPECT_EQ(dir.Read("n.txt"), "");
  EXPECT_TRUE(files.Exists("n.txt"));

  EXPECT_FALSE(SaveRangeToFile(RealBible(), options, eph17, eph17, files, "no/such/folder.txt", nullptr, messages));

  files.writes_left = 1;  // the first line, then nothing
  EXPECT_FALSE(SaveRangeToFile(RealBible(), options, eph17, eph17 + 1, files, "w.txt", nullptr, messages));
  EXPECT_EQ(dir.Read("w.txt"), " Eph 6:17 " + Text(eph17) + "\r\n");

  FakeNotes notes;
  notes.notes[eph17] = "a note";
  files.writes_left = 2;  // the line and the fence before the note
  EXPECT_FALSE(SaveRangeToFile(RealBible(), options, eph17, eph17, files, "x.txt", &notes, messages));
  files.writes_left = 1;  // the line, not the closing NUL
  EXPECT_FALSE(SaveRangeToFile(RealBible(), options, eph17, eph17, files, "y.txt", nullptr, messages));

  EXPECT_EQ(messages.CaptionsAndTexts(), (Told{{"Save Error", "Could not open notes file"},
                                 {"Save Error", "Could not open file for writing"},
                                 {"Save Error", "Error in writing to file"},
                                 {"Save Error", "Error in writing to file"},
                                 {"Save Error", "Error in writing to file"}}));
}

TEST_F(RangeOutput, ANoteThatCannotBeReadFailsTheSave) {
  FakeNotes notes;
  notes.notes[eph17] = "kept";
  notes.fail_read = eph17 + 1;
  EXPECT_FALSE(SaveRangeToFile(RealBible(), options, eph17, eph17 + 2, files, "r.txt", &notes, messages));
  // What was written stays, without the closing NUL of a finished save.
  EXPECT_EQ(dir.Read("r.txt"), " Eph 6:17 " + Text(eph17) + "\r\n\r\n\r\nkept\r\n\r\n 18 " + Text(eph17 + 1) + "\r\n");
  EXPECT_FALSE(notes.is_open);
  EXPECT_EQ(messages.CaptionsAndTexts(), (Told{{"Save Error", "Could not open notes file"}}));
}

}  // namespace
}  // namespace kv
