#include "tools/helpbuild/hlp_writer.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace kv::helpbuild {
namespace {

constexpr std::uint32_t kFileMagic = 0x00035F3F;
constexpr std::uint16_t kBtreeMagic = 0x293B;
constexpr std::uint16_t kSystemMagic = 0x036C;
constexpr std::uint16_t kHelp31Minor = 21;
constexpr std::uint16_t kCompressedTopics = 4;  // |SYSTEM flags: LZ77 topic blocks of 4 KB
constexpr std::size_t kTopicBlockSize = 4096;
constexpr std::size_t kBlockHeaderSize = 12;
constexpr std::uint32_t kBlockPosition = 0x4000;  // TOPICPOS: block * 16 KB + offset
constexpr std::uint32_t kBlockCharacters = 0x8000;  // TOPICOFFSET: block * 32 KB + characters
constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::size_t kLinkHeaderSize = 21;
constexpr std::uint8_t kTopicHeaderRecord = 2;
constexpr std::uint8_t kDisplayRecord = 0x20;
constexpr std::size_t kDirectoryPageSize = 1024;
constexpr std::size_t kTreePageSize = 2048;
constexpr std::size_t kLeafHeaderSize = 8;
constexpr std::size_t kFaceNameSize = 20;

// Text formatting commands of a display record.
constexpr std::uint8_t kFontChange = 0x80;
constexpr std::uint8_t kEndOfParagraph = 0x82;
constexpr std::uint8_t kEndOfHotspot = 0x89;
constexpr std::uint8_t kJumpToTopic = 0xE3;
constexpr std::uint8_t kEndOfText = 0xFF;

enum Font : std::uint16_t { kBodyFont = 0, kTitleFont = 1 };

// Space above a paragraph of text (not above the title), in the viewer's
// units: about half a line.
constexpr int kParagraphSpacing = 12;

class Bytes {
 public:
  void U8(unsigned v) { data_.push_back(static_cast<char>(v & 0xFF)); }
  void U16(unsigned v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void Str(const std::string& s) { data_ += s; }
  void Sz(const std::string& s) {
    data_ += s;
    U8(0);
  }
  void Zeros(std::size_t n) { data_.append(n, '\0'); }
  // Compressed unsigned numbers: the low bit tells the width.
  void CompressedU16(unsigned v) {
    if (v < 0x80) U8(v << 1);
    else U16((v << 1) | 1);
  }
  void CompressedU32(std::uint32_t v) {
    if (v < 0x8000) U16(v << 1);
    else U32((v << 1) | 1);
  }
  void Put32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) data_[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  }
  std::size_t size() const { return data_.size(); }
  const std::string& str() const { return data_; }
  std::string& str() { return data_; }

 private:
  std::string data_;
};

// Character values of the context hash; anything else counts 0.
int HashValue(unsigned char c) {
  if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
  if (c >= 'a' && c <= 'z') return 17 + (c - 'a');
  if (c >= '1' && c <= '9') return c - '0';
  if (c == '0') return 10;
  if (c == '.') return 12;
  if (c == '_') return 13;
  return 0;
}

// A B+ tree of one leaf page (all our trees are small), as an internal file.
bool OnePageTree(const char* structure, std::uint16_t flags, std::size_t page_size,
                 const std::vector<std::string>& entries, std::string* out, std::string* error) {
  std::size_t used = kLeafHeaderSize;
  for (const std::string& e : entries) used += e.size();
  if (used > page_size) {
    *error = std::string("the entries of a B+ tree (") + structure + ") do not fit one page";
    return false;
  }
  Bytes tree;
  tree.U16(kBtreeMagic);
  tree.U16(flags);
  tree.U16(static_cast<unsigned>(page_size));
  std::string shape(structure);
  shape.resize(16, '\0');
  tree.Str(shape);
  tree.U16(0);       // must be zero
  tree.U16(0);       // page splits
  tree.U16(0);       // root page
  tree.U16(0xFFFF);  // must be -1
  tree.U16(1);       // pages
  tree.U16(1);       // levels
  tree.U32(static_cast<std::uint32_t>(entries.size()));
  tree.U16(static_cast<unsigned>(page_size - used));  // free bytes at the page's end
  tree.U16(static_cast<unsigned>(entries.size()));
  tree.U16(0xFFFF);  // previous page
  tree.U16(0xFFFF);  // next page
  for (const std::string& e : entries) tree.Str(e);
  tree.Zeros(page_size - used);
  *out = tree.str();
  return true;
}

std::string LongKey(std::uint32_t key) {
  Bytes b;
  b.U32(key);
  return b.str();
}

struct BuiltTopics {
  std::string topic_file;                          // the |TOPIC data, blocks with headers
  std::vector<std::uint32_t> offsets;              // TOPICOFFSET of each topic
};

// Lays out the topic file. Every topic starts a new block, so its address
// is the block's first character; a paragraph that does not fit the rest of
// a block moves to the next one.
class TopicLayout {
 public:
  bool Build(const HelpSource& source, BuiltTopics* out, std::string* error) {
    for (std::size_t t = 0; t < source.topics.size(); ++t) {
      const Topic& topic = source.topics[t];
      std::vector<Record> records;
      records.push_back(TopicHeaderRecord(topic, static_cast<std::uint32_t>(t)));
      records.push_back(DisplayRecord({Span{topic.title, ""}}, kTitleFont, false));
      for (const Paragraph& p : topic.paragraphs) records.push_back(DisplayRecord(p.spans, kBodyFont, true));
      StartBlock();
      out->offsets.push_back(static_cast<std::uint32_t>(blocks_.size() - 1) * kBlockCharacters);
      topic_starts_.push_back(links_.size());
      for (Record& r : records) {
        std::size_t size = kLinkHeaderSize + r.data1.size() + r.data2.size();
        if (size > Room()) StartBlock();
        if (size > Room()) {
          *error = "topic " + topic.id + " has a paragraph too long for one topic block";
          return false;
        }
        Place(std::move(r));
      }
    }
    Link();
    out->topic_file = Compress();
    return true;
  }

 private:
  struct Record {
    std::uint8_t type = 0;
    std::string data1;  // after the 21-byte link header
    std::string data2;
  };
  struct Placed {
    Record record;
    std::size_t block;
    std::size_t offset;  // in the block's expanded data, the header counted
    std::uint32_t Position() const { return static_cast<std::uint32_t>(block) * kBlockPosition + offset; }
  };

  static Record TopicHeaderRecord(const Topic& topic, std::uint32_t number) {
    Record r;
    r.type = kTopicHeaderRecord;
    Bytes d;
    d.U32(0);      // size of the topic: filled in by Link()
    d.U32(kNone);  // browse back
    d.U32(kNone);  // browse forward
    d.U32(number);
    d.U32(kNone);  // no non-scrolling region
    d.U32(0);      // first scrolling record: Link()
    d.U32(0);      // next topic header: Link()
    r.data1 = d.str();
    r.data2 = topic.title + '\0';
    return r;
  }

  // One paragraph: the text pieces in data2, each followed by the command
  // that comes after it in data1.
  static Record DisplayRecord(const std::vector<Span>& spans, Font font, bool space_above) {
    Bytes text, commands;
    text.U8(0);
    commands.U8(kFontChange);
    commands.U16(font);
    for (const Span& span : spans) {
      if (span.target.empty()) {
        text.Str(span.text);
        continue;
      }
      text.U8(0);
      commands.U8(kJumpToTopic);
      commands.U32(ContextHash(span.target));
      text.Str(span.text);
      text.U8(0);
      commands.U8(kEndOfHotspot);
    }
    text.U8(0);
    commands.U8(kEndOfParagraph);
    text.U8(0);
    commands.U8(kEndOfText);

    Bytes format;
    format.U8(0);       // unknown, always 0
    format.U8(0x80);    // unknown, biased 0
    format.U16(0);      // paragraph id
    format.U16(space_above ? 0x0002 : 0);  // which paragraph fields follow
    if (space_above) format.CompressedU16(0x40 + kParagraphSpacing);  // signed, biased by 0x40
    Bytes d;
    d.CompressedU32(static_cast<std::uint32_t>(text.size()));
    d.CompressedU16(static_cast<unsigned>(format.size() + commands.size()));
    d.Str(format.str());
    d.Str(commands.str());
    Record r;
    r.type = kDisplayRecord;
    r.data1 = d.str();
    r.data2 = text.str();
    return r;
  }

  std::size_t Room() const { return kMaxExpanded - used_; }

  void StartBlock() {
    blocks_.emplace_back();
    used_ = 0;
  }

  void Place(Record r) {
    Placed p{std::move(r), blocks_.size() - 1, kBlockHeaderSize + used_};
    used_ += kLinkHeaderSize + p.record.data1.size() + p.record.data2.size();
    blocks_.back().push_back(links_.size());
    links_.push_back(std::move(p));
  }

  // Fills in the addresses between the records and the block headers.
  void Link() {
    for (std::size_t t = 0; t < topic_starts_.size(); ++t) {
      std::size_t first = topic_starts_[t];
      std::size_t end = t + 1 < topic_starts_.size() ? topic_starts_[t + 1] : links_.size();
      std::uint32_t size = 0;
      for (std::size_t i = first; i < end; ++i)
        size += static_cast<std::uint32_t>(kLinkHeaderSize + links_[i].record.data1.size() + links_[i].record.data2.size());
      Bytes header;
      header.Str(links_[first].record.data1);
      header.Put32(0, size);
      header.Put32(20, first + 1 < end ? links_[first + 1].Position() : kNone);
      header.Put32(24, t + 1 < topic_starts_.size() ? links_[end].Position() : kNone);
      links_[first].record.data1 = header.str();
    }
  }

  // The blocks as stored: each header, then its records in LZ77 form of
  // literals only (a flag byte 0 before every eight bytes).
  std::string Compress() const {
    Bytes file;
    std::uint32_t last_link = kNone, last_header = kNone;
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
      Bytes expanded;
      for (std::size_t i : blocks_[b]) {
        const Placed& p = links_[i];
        const Record& r = p.record;
        expanded.U32(static_cast<std::uint32_t>(kLinkHeaderSize + r.data1.size() + r.data2.size()));
        expanded.U32(static_cast<std::uint32_t>(r.data2.size()));
        expanded.U32(i > 0 ? links_[i - 1].Position() : kNone);
        expanded.U32(i + 1 < links_.size() ? links_[i + 1].Position() : kNone);
        expanded.U32(static_cast<std::uint32_t>(kLinkHeaderSize + r.data1.size()));
        expanded.U8(r.type);
        expanded.Str(r.data1);
        expanded.Str(r.data2);
      }
      std::size_t block_start = file.size();
      file.U32(last_link);
      file.U32(links_[blocks_[b].front()].Position());
      file.U32(last_header);
      const std::string& e = expanded.str();
      for (std::size_t at = 0; at < e.size(); at += 8) {
        file.U8(0);
        file.Str(e.substr(at, 8));
      }
      // Every block but the last takes its full size.
      if (b + 1 < blocks_.size()) file.Zeros(block_start + kTopicBlockSize - file.size());
      last_link = links_[blocks_[b].back()].Position();
      for (std::size_t i : blocks_[b])
        if (links_[i].record.type == kTopicHeaderRecord) last_header = links_[i].Position();
    }
    return file.str();
  }

  // What a block can hold expanded: its compressed room, nine stored bytes
  // for every eight.
  static constexpr std::size_t kMaxExpanded = (kTopicBlockSize - kBlockHeaderSize) / 9 * 8;

  std::vector<std::vector<std::size_t>> blocks_;  // indexes into links_
  std::vector<Placed> links_;
  std::vector<std::size_t> topic_starts_;
  std::size_t used_ = 0;
};

std::string SystemFile(const HelpSource& source, std::uint32_t contents) {
  Bytes s;
  s.U16(kSystemMagic);
  s.U16(kHelp31Minor);
  s.U16(1);  // major
  s.U32(0);  // date of making: none, so that a build is repeatable
  s.U16(kCompressedTopics);
  s.U16(1);  // title
  s.U16(static_cast<unsigned>(source.title.size() + 1));
  s.Sz(source.title);
  s.U16(3);  // contents topic
  s.U16(4);
  s.U32(contents);
  return s.str();
}

std::string FontFile() {
  struct Face {
    const char* name;
    std::uint8_t family;  // 2 roman, 3 swiss
  };
  const Face faces[] = {{"Arial", 3}};
  struct Style {
    std::uint8_t attributes;  // 1 bold
    std::uint8_t half_points;
  };
  const Style styles[] = {{0, 20}, {1, 24}};  // kBodyFont, kTitleFont
  Bytes f;
  f.U16(1);
  f.U16(2);
  f.U16(8);                        // face names at
  f.U16(8 + kFaceNameSize * 1);  // descriptors at
  for (const Face& face : faces) {
    std::string name(face.name);
    name.resize(kFaceNameSize, '\0');
    f.Str(name);
  }
  for (const Style& style : styles) {
    f.U8(style.attributes);
    f.U8(style.half_points);
    f.U8(faces[0].family);
    f.U16(0);  // face
    f.U8(0);   // foreground black
    f.U8(0);
    f.U8(0);
    f.U8(0xFF);  // background white
    f.U8(0xFF);
    f.U8(0xFF);
  }
  return f.str();
}

}  // namespace

std::uint32_t ContextHash(const std::string& id) {
  std::uint32_t hash = 0;
  for (unsigned char c : id) hash = hash * 43 + static_cast<std::uint32_t>(HashValue(c));
  return hash;
}

bool WriteHelpFile(const HelpSource& source, std::string* out, std::string* error) {
  BuiltTopics topics;
  if (!TopicLayout().Build(source, &topics, error)) return false;

  // |CONTEXT: hash to topic, in the order of the hashes as signed numbers.
  std::map<std::int32_t, std::uint32_t> by_hash;
  for (std::size_t t = 0; t < source.topics.size(); ++t) {
    auto hash = static_cast<std::int32_t>(ContextHash(source.topics[t].id));
    if (!by_hash.emplace(hash, topics.offsets[t]).second) {
      *error = "topic " + source.topics[t].id + " has the hash of another topic's id";
      return false;
    }
  }
  std::vector<std::string> context, titles;
  for (const auto& [hash, offset] : by_hash) context.push_back(LongKey(static_cast<std::uint32_t>(hash)) + LongKey(offset));
  for (std::size_t t = 0; t < source.topics.size(); ++t)
    titles.push_back(LongKey(topics.offsets[t]) + source.topics[t].title + '\0');

  std::string context_tree, title_tree;
  if (!OnePageTree("L4", 0x0002, kTreePageSize, context, &context_tree, error) ||
      !OnePageTree("Lz", 0x0002, kTreePageSize, titles, &title_tree, error))
    return false;
  std::vector<std::pair<std::string, std::string>> files = {
      {"|CONTEXT", context_tree},
      {"|FONT", FontFile()},
      {"|SYSTEM", SystemFile(source, topics.offsets[0])},
      {"|TOPIC", topics.topic_file},
      {"|TTLBTREE", title_tree},
  };
  std::sort(files.begin(), files.end());

  Bytes hlp;
  hlp.U32(kFileMagic);
  hlp.U32(0);      // directory: below
  hlp.U32(kNone);  // no free blocks
  hlp.U32(0);      // size of the whole file: below
  std::vector<std::string> directory;
  for (const auto& [name, data] : files) {
    directory.push_back(name + '\0' + LongKey(static_cast<std::uint32_t>(hlp.size())));
    hlp.U32(static_cast<std::uint32_t>(data.size() + 9));
    hlp.U32(static_cast<std::uint32_t>(data.size()));
    hlp.U8(4);
    hlp.Str(data);
  }
  std::string tree;
  if (!OnePageTree("z4", 0x0402, kDirectoryPageSize, directory, &tree, error)) return false;
  hlp.Put32(4, static_cast<std::uint32_t>(hlp.size()));
  hlp.U32(static_cast<std::uint32_t>(tree.size() + 9));
  hlp.U32(static_cast<std::uint32_t>(tree.size()));
  hlp.U8(4);
  hlp.Str(tree);
  hlp.Put32(12, static_cast<std::uint32_t>(hlp.size()));
  *out = hlp.str();
  return true;
}

}  // namespace kv::helpbuild
