// Tests of the help file builder. The help file built for this build is read
// back by a reader of the Windows 3.1 help format written here, apart from
// the builder (its own B+ tree walk, LZ77 expansion, record parsing and
// context hash): every context id resolves to its topic, every topic holds
// the title and paragraphs of its source, every jump names the topic its
// source names, and every topic id the program's code opens has a topic.
// Also the source reader on crafted sources, and the builder on topics too
// long for one block.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/helpbuild/help_source.h"
#include "tools/helpbuild/hlp_writer.h"

namespace {

using kv::helpbuild::HelpSource;
using kv::helpbuild::ParseHelpSource;
using kv::helpbuild::WriteHelpFile;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// ---- An independent reader of the help format ----

struct Cursor {
  const std::string& bytes;
  std::size_t at;
  std::size_t end;

  void Need(std::size_t n) const {
    if (at + n > end) throw std::runtime_error("read past the end at " + std::to_string(at));
  }
  unsigned U8() {
    Need(1);
    return static_cast<unsigned char>(bytes[at++]);
  }
  unsigned U16() {
    unsigned lo = U8();
    return lo | (U8() << 8);
  }
  std::uint32_t U32() {
    std::uint32_t lo = U16();
    return lo | (static_cast<std::uint32_t>(U16()) << 16);
  }
  std::int16_t S16() { return static_cast<std::int16_t>(U16()); }
  std::string Sz() {
    std::string s;
    for (unsigned c = U8(); c != 0; c = U8()) s += static_cast<char>(c);
    return s;
  }
  // Compressed numbers: bit 0 of the first byte (word) says the width.
  unsigned CompressedU16() {
    Need(1);
    if (static_cast<unsigned char>(bytes[at]) & 1) return U16() >> 1;
    return U8() >> 1;
  }
  int CompressedS16() {
    Need(1);
    if (static_cast<unsigned char>(bytes[at]) & 1) return static_cast<int>(U16() >> 1) - 0x4000;
    return static_cast<int>(U8() >> 1) - 0x40;
  }
  std::uint32_t CompressedU32() {
    Need(1);
    if (static_cast<unsigned char>(bytes[at]) & 1) return U32() >> 1;
    return U16() >> 1;
  }
};

std::uint32_t Hash(const std::string& id) {
  std::uint32_t h = 0;
  for (unsigned char c : id) {
    int v = 0;
    if (c >= 'a' && c <= 'z') v = 17 + c - 'a';
    else if (c >= 'A' && c <= 'Z') v = 17 + c - 'A';
    else if (c >= '1' && c <= '9') v = c - '0';
    else if (c == '0') v = 10;
    else if (c == '.') v = 12;
    else if (c == '_') v = 13;
    h = h * 43 + static_cast<std::uint32_t>(v);
  }
  return h;
}

struct ReadSpan {
  std::string text;
  bool jump = false;
  std::uint32_t hash = 0;
};

struct ReadParagraph {
  std::vector<ReadSpan> spans;
  std::vector<unsigned> fonts;
  std::string Text() const {
    std::string t;
    for (const ReadSpan& s : spans) t += s.text;
    return t;
  }
};

struct ReadTopic {
  std::string title;
  std::uint32_t number = 0;
  std::uint32_t offset = 0;  // TOPICOFFSET
  std::vector<ReadParagraph> paragraphs;
};

class HelpReader {
 public:
  explicit HelpReader(std::string bytes) : bytes_(std::move(bytes)) {
    Cursor c{bytes_, 0, bytes_.size()};
    if (c.U32() != 0x00035F3F) throw std::runtime_error("not a help file");
    std::uint32_t directory = c.U32();
    c.U32();
    if (c.U32() != bytes_.size()) throw std::runtime_error("the stored file size is not the file's size");
    for (const std::string& entry : TreeEntries(InternalFile(directory), [](Cursor& e) {
           std::string name = e.Sz();
           std::uint32_t at = e.U32();
           return name + '\0' + std::to_string(at);
         })) {
      std::size_t nul = entry.find('\0');
      files_[entry.substr(0, nul)] = std::stoul(entry.substr(nul + 1));
    }
  }

  bool Has(const std::string& name) const { return files_.count(name) != 0; }

  // The data of an internal file (after its 9-byte header), as a range.
  std::pair<std::size_t, std::size_t> InternalFile(std::size_t at) const {
    Cursor c{bytes_, at, bytes_.size()};
    std::uint32_t reserved = c.U32();
    std::uint32_t used = c.U32();
    c.U8();
    if (used + 9 > reserved || at + 9 + used > bytes_.size()) throw std::runtime_error("bad internal file header");
    return {at + 9, at + 9 + used};
  }
  std::pair<std::size_t, std::size_t> File(const std::string& name) const {
    auto it = files_.find(name);
    if (it == files_.end()) throw std::runtime_error("no internal file " + name);
    return InternalFile(it->second);
  }

  // Every leaf entry of a B+ tree, in order, each turned into a string by
  // `read` (which consumes exactly one entry).
  template <typename Read>
  std::vector<std::string> TreeEntries(std::pair<std::size_t, std::size_t> file, Read read) const {
    Cursor c{bytes_, file.first, file.second};
    if (c.U16() != 0x293B) throw std::runtime_error("not a B+ tree");
    c.U16();
    unsigned page_size = c.U16();
    c.at += 16;  // structure
    c.U16();
    c.U16();
    int page = c.S16();  // root
    c.U16();
    int pages = c.S16();
    int levels = c.S16();
    std::uint32_t total = c.U32();
    std::size_t first_page = c.at;
    auto page_at = [&](int p) {
      if (p < 0 || p >= pages) throw std::runtime_error("B+ tree page out of range");
      return first_page + static_cast<std::size_t>(p) * page_size;
    };
    for (int level = 1; level < levels; ++level) {  // down the first children
      Cursor index{bytes_, page_at(page) + 2, file.second};
      index.U16();
      page = index.S16();
    }
    std::vector<std::string> entries;
    while (page != -1) {
      Cursor leaf{bytes_, page_at(page), std::min(file.second, page_at(page) + page_size)};
      leaf.U16();
      int n = leaf.S16();
      leaf.S16();
      page = leaf.S16();
      for (int i = 0; i < n; ++i) entries.push_back(read(leaf));
    }
    if (entries.size() != total) throw std::runtime_error("B+ tree entry count differs from its header");
    return entries;
  }

  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
  std::map<std::string, std::uint32_t> files_;
};

struct SystemInfo {
  unsigned minor = 0, flags = 0;
  std::string title;
  std::uint32_t contents = 0xFFFFFFFF;
};

SystemInfo ReadSystem(const HelpReader& help) {
  auto [from, to] = help.File("|SYSTEM");
  Cursor c{help.bytes(), from, to};
  SystemInfo info;
  if (c.U16() != 0x036C) throw std::runtime_error("bad |SYSTEM magic");
  info.minor = c.U16();
  c.U16();
  c.U32();
  info.flags = c.U16();
  while (c.at < to) {
    unsigned type = c.U16();
    unsigned size = c.U16();
    Cursor record{help.bytes(), c.at, c.at + size};
    if (type == 1) info.title = record.Sz();
    if (type == 3) info.contents = record.U32();
    c.at += size;
  }
  return info;
}

// The blocks of |TOPIC, each expanded to the 16 KB the addresses count in
// (the 12-byte header kept in front, as the addresses count it).
std::vector<std::string> TopicBlocks(const HelpReader& help, bool compressed) {
  auto [from, to] = help.File("|TOPIC");
  std::vector<std::string> blocks;
  for (std::size_t at = from; at < to; at += 4096) {
    std::size_t end = std::min(to, at + 4096);
    std::string out = help.bytes().substr(at, 12);
    if (!compressed) {
      out += help.bytes().substr(at + 12, end - at - 12);
    } else {
      std::size_t i = at + 12;
      while (i < end) {
        unsigned flags = static_cast<unsigned char>(help.bytes()[i++]);
        for (int bit = 0; bit < 8 && i < end; ++bit) {
          if (flags & (1u << bit)) {
            if (i + 2 > end) break;
            unsigned token = static_cast<unsigned char>(help.bytes()[i]) | (static_cast<unsigned char>(help.bytes()[i + 1]) << 8);
            i += 2;
            std::size_t back = (token & 0x0FFF) + 1, length = (token >> 12) + 3;
            if (back > out.size() - 12) throw std::runtime_error("LZ77 reference before the block");
            for (std::size_t k = 0; k < length; ++k) out += out[out.size() - back];
          } else {
            out += help.bytes()[i++];
          }
        }
      }
    }
    if (out.size() > 0x4000) throw std::runtime_error("a topic block expands beyond 16 KB");
    blocks.push_back(out);
  }
  return blocks;
}

ReadParagraph ReadDisplay(const std::string& data1, const std::string& data2) {
  Cursor c{data1, 0, data1.size()};
  c.CompressedU32();  // text size
  c.CompressedU16();  // format size
  c.U8();
  c.U8();
  c.U16();  // id
  unsigned bits = c.U16();
  if (bits & 0x0001) c.CompressedU32();
  for (unsigned bit : {0x0002u, 0x0004u, 0x0008u, 0x0010u, 0x0020u, 0x0040u})
    if (bits & bit) c.CompressedS16();
  if (bits & 0x0300) throw std::runtime_error("border or tab information not expected");
  ReadParagraph paragraph;
  std::size_t text = 0;
  bool in_jump = false;
  std::uint32_t hash = 0;
  for (;;) {
    std::size_t nul = data2.find('\0', text);
    if (nul == std::string::npos) throw std::runtime_error("text pieces run out before the commands");
    std::string piece = data2.substr(text, nul - text);
    text = nul + 1;
    if (!piece.empty()) paragraph.spans.push_back({piece, in_jump, in_jump ? hash : 0});
    unsigned command = c.U8();
    if (command == 0xFF) break;
    switch (command) {
      case 0x80: paragraph.fonts.push_back(c.U16()); break;
      case 0x81: case 0x82: break;
      case 0xE3: in_jump = true; hash = c.U32(); break;
      case 0x89: in_jump = false; break;
      default: throw std::runtime_error("unexpected command " + std::to_string(command));
    }
  }
  if (text != data2.size()) throw std::runtime_error("text left after the end command");
  return paragraph;
}

// The topics in the order of the record chain, from the first block's first
// record to the end.
std::vector<ReadTopic> ReadTopics(const HelpReader& help, bool compressed) {
  std::vector<std::string> blocks = TopicBlocks(help, compressed);
  std::vector<ReadTopic> topics;
  Cursor first{blocks.at(0), 4, 8};
  std::uint32_t position = first.U32();
  std::set<std::uint32_t> seen;
  std::map<std::size_t, std::uint32_t> characters;  // per block, text so far
  while (position != 0xFFFFFFFF) {
    if (!seen.insert(position).second) throw std::runtime_error("the record chain loops");
    std::size_t block = position / 0x4000, offset = position % 0x4000;
    const std::string& b = blocks.at(block);
    Cursor c{b, offset, b.size()};
    std::uint32_t size = c.U32();
    std::uint32_t length2 = c.U32();
    c.U32();
    std::uint32_t next = c.U32();
    std::uint32_t length1 = c.U32();
    unsigned type = c.U8();
    if (offset + size > b.size() || length1 < 21 || length1 > size) throw std::runtime_error("record outside its block");
    std::string data1 = b.substr(offset + 21, length1 - 21);
    std::string data2 = b.substr(offset + length1, size - length1);
    if (data2.size() != length2) throw std::runtime_error("text length differs (phrase compression not expected)");
    if (type == 2) {
      Cursor h{data1, 0, data1.size()};
      h.U32();
      h.U32();
      h.U32();
      ReadTopic topic;
      topic.number = h.U32();
      topic.title = data2.substr(0, data2.find('\0'));
      topic.offset = static_cast<std::uint32_t>(block) * 0x8000 + characters[block];
      topics.push_back(topic);
    } else if (type == 0x20) {
      if (topics.empty()) throw std::runtime_error("text before the first topic header");
      topics.back().paragraphs.push_back(ReadDisplay(data1, data2));
      characters[block] += length2;
    } else {
      throw std::runtime_error("unexpected record type " + std::to_string(type));
    }
    position = next;
  }
  return topics;
}

std::map<std::uint32_t, std::uint32_t> ReadContext(const HelpReader& help) {
  std::map<std::uint32_t, std::uint32_t> context;
  for (const std::string& e : help.TreeEntries(help.File("|CONTEXT"), [](Cursor& c) {
         std::uint32_t hash = c.U32();
         std::uint32_t offset = c.U32();
         return std::to_string(hash) + " " + std::to_string(offset);
       })) {
    std::size_t blank = e.find(' ');
    context[std::stoul(e.substr(0, blank))] = std::stoul(e.substr(blank + 1));
  }
  return context;
}

std::map<std::uint32_t, std::string> ReadTitles(const HelpReader& help) {
  std::map<std::uint32_t, std::string> titles;
  for (const std::string& e : help.TreeEntries(help.File("|TTLBTREE"), [](Cursor& c) {
         std::uint32_t offset = c.U32();
         return std::to_string(offset) + '\0' + c.Sz();
       })) {
    std::size_t nul = e.find('\0');
    titles[std::stoul(e.substr(0, nul))] = e.substr(nul + 1);
  }
  return titles;
}

// Every topic of `source` is in `help`, in order, with its title, paragraphs
// and jumps; every id resolves to its topic through |CONTEXT.
void ExpectHelpMatchesSource(const HelpReader& help, const HelpSource& source) {
  SystemInfo system = ReadSystem(help);
  EXPECT_EQ(source.title, system.title);
  EXPECT_EQ(21u, system.minor);
  bool compressed = (system.flags & 0x0C) != 0;
  std::vector<ReadTopic> topics = ReadTopics(help, compressed);
  ASSERT_EQ(source.topics.size(), topics.size());
  std::map<std::uint32_t, std::uint32_t> context = ReadContext(help);
  std::map<std::uint32_t, std::string> titles = ReadTitles(help);
  EXPECT_EQ(source.topics.size(), context.size());
  EXPECT_EQ(topics[0].offset, system.contents) << "the contents topic is the first";

  std::map<std::uint32_t, const ReadTopic*> by_offset;
  for (const ReadTopic& t : topics) by_offset[t.offset] = &t;
  for (std::size_t i = 0; i < source.topics.size(); ++i) {
    const auto& want = source.topics[i];
    const ReadTopic& got = topics[i];
    SCOPED_TRACE(want.id);
    EXPECT_EQ(want.title, got.title);
    EXPECT_EQ(i, got.number);
    ASSERT_TRUE(context.count(Hash(want.id))) << "the id is not in |CONTEXT";
    auto target = by_offset.find(context[Hash(want.id)]);
    ASSERT_NE(by_offset.end(), target) << "the id leads to no topic";
    EXPECT_EQ(want.title, target->second->title) << "the id leads to another topic";
    EXPECT_EQ(want.title, titles[got.offset]);
    // The title is shown as the topic's first paragraph, then the text.
    ASSERT_EQ(want.paragraphs.size() + 1, got.paragraphs.size());
    EXPECT_EQ(want.title, got.paragraphs[0].Text());
    for (std::size_t p = 0; p < want.paragraphs.size(); ++p) {
      SCOPED_TRACE(testing::Message() << "paragraph " << p);
      const auto& spans = want.paragraphs[p].spans;
      const ReadParagraph& read = got.paragraphs[p + 1];
      EXPECT_EQ(want.paragraphs[p].Text(), read.Text());
      ASSERT_EQ(spans.size(), read.spans.size());
      for (std::size_t s = 0; s < spans.size(); ++s) {
        EXPECT_EQ(spans[s].text, read.spans[s].text);
        EXPECT_EQ(!spans[s].target.empty(), read.spans[s].jump);
        if (!spans[s].target.empty()) {
          EXPECT_EQ(Hash(spans[s].target), read.spans[s].hash) << spans[s].target;
        }
      }
    }
  }
}

HelpSource TheSource() {
  HelpSource source;
  std::string error;
  EXPECT_TRUE(ParseHelpSource(ReadBytes(KELVANE_SOURCE_DIR "/resources/help/kelva95.txt"), &source, &error)) << error;
  return source;
}

// ---- The help file of this build ----

TEST(HelpFile, EveryTopicAndIdReadsBackAsItsSourceSays) {
  HelpSource source = TheSource();
  std::string bytes = ReadBytes(KELVANE_TEST_DATA_DIR "/kelva95.hlp");
  ASSERT_FALSE(bytes.empty()) << "kelva95.hlp was not built";
  try {
    HelpReader help(bytes);
    for (const char* name : {"|SYSTEM", "|TOPIC", "|CONTEXT", "|FONT", "|TTLBTREE"}) EXPECT_TRUE(help.Has(name)) << name;
    ExpectHelpMatchesSource(help, source);
  } catch (const std::exception& e) {
    FAIL() << e.what();
  }
}

TEST(HelpFile, HasATopicForEveryIdTheProgramOpens) {
  HelpSource source = TheSource();
  std::set<std::string> ids;
  for (const auto& t : source.topics) ids.insert(t.id);
  // The ids of every Help button and Help menu item of the program...
  std::set<std::string> wanted = {
      "ID_Read_GoToVerse", "ID_Search_SetRange", "ID_Search_Word", "ID_Search_WordList", "ID_Search_Phrase",
      "ID_Search_Notes",   "ID_Notes_Edit",      "ID_Notes_GotoVerse", "ID_Notes_Create", "ID_Edit_Format",
      "ID_Edit_CopyVerse", "ID_Edit_CopyRange",  "ID_File_SaveRange", "ID_File_PrintRange", "ID_SpecifyRange",
      "ID_Preface"};
  // ...and whatever topic the code names, so a new Help button cannot lack one.
  int files = 0;
  for (auto it = std::filesystem::recursive_directory_iterator(KELVANE_SOURCE_DIR);
       it != std::filesystem::recursive_directory_iterator(); ++it) {
    const auto& entry = *it;
    std::string name = entry.path().filename().string();
    if (entry.is_directory() && (name == "build" || name[0] == '.')) {
      it.disable_recursion_pending();  // build output and the repository's own files
      continue;
    }
    std::string path = entry.path().string();
    if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
    if (path.find("_test") != std::string::npos) continue;
    std::string text = ReadBytes(path);
    if (text.find("ShowHelpTopic") == std::string::npos) continue;
    ++files;
    // Every "ID_..." string of the file.
    for (std::size_t at = text.find("\"ID_"); at != std::string::npos; at = text.find("\"ID_", at + 1)) {
      std::size_t end = at + 1;
      while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) ++end;
      if (end < text.size() && text[end] == '"') wanted.insert(text.substr(at + 1, end - at - 1));
    }
  }
  EXPECT_LE(2, files) << "the code's help calls were not found";
  for (const std::string& id : wanted) EXPECT_TRUE(ids.count(id)) << id << " has no topic";
  EXPECT_EQ("ID_Contents", source.topics[0].id);
}

TEST(HelpFile, TheContentsJumpsToEveryOtherTopic) {
  HelpSource source = TheSource();
  std::set<std::string> reached;
  for (const auto& p : source.topics[0].paragraphs)
    for (const auto& s : p.spans)
      if (!s.target.empty()) reached.insert(s.target);
  for (std::size_t i = 1; i < source.topics.size(); ++i) EXPECT_TRUE(reached.count(source.topics[i].id)) << source.topics[i].id;
}

// ---- The source reader ----

TEST(HelpSource, ReadsTopicsParagraphsAndJumps) {
  HelpSource source;
  std::string error;
  ASSERT_TRUE(ParseHelpSource("# a comment\ntitle: T\n\n== ID_A First topic\none\n  two\n\n{Go|ID_B} there.\n"
                              "== ID_B Second\n# inside\ntext \xB6 kept\n",
                              &source, &error))
      << error;
  EXPECT_EQ("T", source.title);
  ASSERT_EQ(2u, source.topics.size());
  EXPECT_EQ("ID_A", source.topics[0].id);
  EXPECT_EQ("First topic", source.topics[0].title);
  ASSERT_EQ(2u, source.topics[0].paragraphs.size());
  EXPECT_EQ("one two", source.topics[0].paragraphs[0].Text());
  const auto& spans = source.topics[0].paragraphs[1].spans;
  ASSERT_EQ(2u, spans.size());
  EXPECT_EQ("Go", spans[0].text);
  EXPECT_EQ("ID_B", spans[0].target);
  EXPECT_EQ(" there.", spans[1].text);
  EXPECT_EQ("", spans[1].target);
  EXPECT_EQ("text \xB6 kept", source.topics[1].paragraphs[0].Text());
}

TEST(HelpSource, RefusesFaultsWithTheLine) {
  struct Row {
    const char* text;
    const char* error;
  } rows[] = {
      {"== ID_A A\ntext\n", "line 1: the file begins with \"title: ...\""},
      {"title: T\ntext\n", "line 2: text before the first topic"},
      {"title: T\n== ID_A\n", "line 2: topic ID_A has no title"},
      {"title: T\n== A-B Title\n", "line 2: a topic begins with \"== ID_Name Title\""},
      {"title: T\n== ID_A A\nsee {this ID_A}\n", "line 3: a jump is written {text|ID_Topic}"},
      {"title: T\n== ID_A A\nsee {|ID_A}\n", "line 3: a jump without text"},
      {"title: T\n== ID_A A\nsee }\n", "line 3: '}' without '{'"},
      {"title: T\n== ID_A A\nsee {x|ID B}\n", "line 3: bad topic id in a jump: \"ID B\""},
      {"title: T\n== ID_A A\nbell \a\n", "line 3: control byte in the text"},
      {"title: T\n== ID_A A\n== ID_A B\n", "topic ID_A is defined twice"},
      {"title: T\n== ID_A A\n{x|ID_C}\n", "topic ID_A jumps to ID_C, which is no topic"},
      {"title: T\n", "line 1: no topic"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    HelpSource source;
    std::string error;
    EXPECT_FALSE(ParseHelpSource(row.text, &source, &error));
    EXPECT_EQ(row.error, error);
  }
}

// ---- The builder on crafted topics ----

TEST(HelpWriter, ATopicLongerThanABlockContinuesInTheNext) {
  HelpSource source;
  source.title = "Long";
  for (int t = 0; t < 3; ++t) {
    kv::helpbuild::Topic topic{"ID_T" + std::to_string(t), "Topic " + std::to_string(t), {}};
    for (int p = 0; p < (t == 1 ? 40 : 2); ++p)
      topic.paragraphs.push_back({{{"Paragraph " + std::to_string(p) + " " + std::string(200, 'a' + p % 26), ""},
                                   {"next", "ID_T" + std::to_string((t + 1) % 3)}}});
    source.topics.push_back(topic);
  }
  std::string bytes, error;
  ASSERT_TRUE(WriteHelpFile(source, &bytes, &error)) << error;
  try {
    HelpReader help(bytes);
    ExpectHelpMatchesSource(help, source);
    EXPECT_LE(5u, TopicBlocks(help, true).size()) << "the long topic should take several blocks";
  } catch (const std::exception& e) {
    FAIL() << e.what();
  }
}

TEST(HelpWriter, RefusesWhatTheFormatCannotHold) {
  HelpSource source;
  source.title = "T";
  source.topics.push_back({"ID_A", "A", {{{{std::string(5000, 'x'), ""}}}}});
  std::string bytes, error;
  EXPECT_FALSE(WriteHelpFile(source, &bytes, &error));
  EXPECT_EQ("topic ID_A has a paragraph too long for one topic block", error);

  // Context ids are told apart without their case, so these two collide.
  source.topics = {{"ID_A", "A", {}}, {"id_a", "B", {}}};
  EXPECT_FALSE(WriteHelpFile(source, &bytes, &error));
  EXPECT_EQ("topic id_a has the hash of another topic's id", error);

  source.topics.clear();
  for (int t = 0; t < 300; ++t) source.topics.push_back({"ID_" + std::to_string(t), "Title " + std::to_string(t), {}});
  EXPECT_FALSE(WriteHelpFile(source, &bytes, &error));
  EXPECT_NE(std::string::npos, error.find("do not fit one page")) << error;
}

}  // namespace
