// kelvane-databuild MODULE_DIR OUT_DIR
//
// Writes the program's five Bible data files from the KJV SWORD module
// (zText, OSIS markup): the word list, the word starts, the concordance, the
// verse table and the verse texts. Anything unexpected in the module stops
// the build with one message naming the verse, so a change in the source text
// is seen rather than carried silently into the data.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/text_util.h"
#include "tools/databuild/kjv_canon.h"
#include "tools/databuild/osis_text.h"
#include "tools/databuild/ztext_module.h"

namespace kv::databuild {
namespace {

constexpr std::size_t kMaxVerseBytes = 599;
constexpr std::size_t kMaxWords = 12561;
constexpr std::size_t kVerseRecordBytes = 7;

const char kWordFile[] = "_avwrds.dat";
const char kWordStartFile[] = "_avwptr.dat";
const char kWordIndexFile[] = "_avwidx.dat";
const char kVerseTableFile[] = "_avvidx.dat";
const char kTextFile[] = "_avtext.dat";

// What a slot of the module holds, and the name messages give it.
struct SlotPlace {
  enum Kind { Header, BookIntro, ChapterIntro, VerseText } kind = Header;
  int book = 0;  // index into kCanon
  int chapter = 0;
  int verse = 0;
};

std::string Describe(const SlotPlace& place) {
  switch (place.kind) {
    case SlotPlace::Header:
      return "the module header";
    case SlotPlace::BookIntro:
      return std::string("the introduction of ") + kCanon[place.book].name;
    case SlotPlace::ChapterIntro:
      return std::string("the introduction of ") + kCanon[place.book].name + " " + std::to_string(place.chapter);
    case SlotPlace::VerseText:
      break;
  }
  return std::string(kCanon[place.book].name) + " " + std::to_string(place.chapter) + ":" +
         std::to_string(place.verse);
}

struct Verse {
  int book = 0;  // 1..66
  int chapter = 0;
  int verse = 0;
  std::string text;
};

// One testament: the module files, the books they cover, and the slot
// layout the KJV versification gives them.
struct TestamentPlan {
  const char* prefix;
  int first_book;
  int end_book;
};

std::vector<SlotPlace> LayOut(const TestamentPlan& plan) {
  std::vector<SlotPlace> layout(kFirstBookSlot);
  for (int b = plan.first_book; b < plan.end_book; ++b) {
    layout.push_back({SlotPlace::BookIntro, b, 0, 0});
    for (int c = 1; c <= kCanon[b].chapter_count; ++c) {
      layout.push_back({SlotPlace::ChapterIntro, b, c, 0});
      for (int v = 1; v <= kCanon[b].verse_counts[c - 1]; ++v) layout.push_back({SlotPlace::VerseText, b, c, v});
    }
  }
  return layout;
}

// The book and chapter markers the module carries, as "book Gen",
// "chapter Gen.1", "/chapter Gen.1", "/book Gen".
std::vector<std::string> MarkersIn(std::string_view markup) {
  std::vector<std::string> markers;
  for (std::size_t i = markup.find('<'); i != std::string_view::npos; i = markup.find('<', i + 1)) {
    OsisTag tag;
    std::size_t end;
    if (!ReadTag(markup, i, &tag, &end) || tag.closing) continue;
    std::string_view id, unused;
    const bool starts = FindAttribute(tag.attributes, "sID", &unused) || !tag.self_closing;
    const bool ends = FindAttribute(tag.attributes, "eID", &unused);
    if (tag.name == "chapter") {
      if (ends && FindAttribute(tag.attributes, "eID", &id)) {
        markers.push_back("/chapter " + std::string(id));
      } else if (starts && FindAttribute(tag.attributes, "osisID", &id)) {
        markers.push_back("chapter " + std::string(id));
      }
    } else if (tag.name == "div" && FindAttribute(tag.attributes, "type", &id) && id == "book") {
      if (!FindAttribute(tag.attributes, "osisID", &id)) continue;
      if (ends) {
        markers.push_back("/book " + std::string(id));
      } else if (starts) {
        markers.push_back("book " + std::string(id));
      }
    }
  }
  return markers;
}

// Every book and chapter start marker must sit in the introduction slot the
// versification table gives it, and every end marker in the last verse of its
// chapter or book; a marker anywhere else means the module's verses are not
// where the table says.
bool CheckMarkers(const Testament& testament, const std::vector<SlotPlace>& layout, std::string* error) {
  std::map<std::string, std::size_t> expected;
  std::vector<std::string> required;
  for (std::size_t slot = 0; slot < layout.size(); ++slot) {
    const SlotPlace& p = layout[slot];
    const CanonBook& book = kCanon[p.book];
    const std::string chapter_id = std::string(book.osis_id) + "." + std::to_string(p.chapter);
    if (p.kind == SlotPlace::BookIntro) {
      expected["book " + std::string(book.osis_id)] = slot;
      required.push_back("book " + std::string(book.osis_id));
    } else if (p.kind == SlotPlace::ChapterIntro) {
      expected["chapter " + chapter_id] = slot;
      required.push_back("chapter " + chapter_id);
    } else if (p.kind == SlotPlace::VerseText) {
      if (p.verse == book.verse_counts[p.chapter - 1]) {
        expected["/chapter " + chapter_id] = slot;
        if (p.chapter == book.chapter_count) expected["/book " + std::string(book.osis_id)] = slot;
      }
    }
  }
  std::map<std::string, std::size_t> found;
  for (std::size_t slot = 0; slot < layout.size(); ++slot) {
    for (const std::string& marker : MarkersIn(testament.SlotText(slot))) {
      auto want = expected.find(marker);
      if (want == expected.end()) {
        *error = Describe(layout[slot]) + ": marker '" + marker + "' names no book or chapter of the KJV here";
        return false;
      }
      if (want->second != slot) {
        *error = Describe(layout[slot]) + ": marker '" + marker + "' belongs in " + Describe(layout[want->second]);
        return false;
      }
      if (!found.emplace(marker, slot).second) {
        *error = Describe(layout[slot]) + ": marker '" + marker + "' appears twice";
        return false;
      }
    }
  }
  for (const std::string& marker : required) {
    if (found.count(marker) == 0) {
      *error = Describe(layout[expected[marker]]) + ": marker '" + marker + "' is missing";
      return false;
    }
  }
  return true;
}

bool ReadTestament(const std::string& folder, const TestamentPlan& plan, std::vector<Verse>* verses,
                   std::string* error) {
  Testament testament;
  if (!testament.Load(folder, plan.prefix, error)) return false;
  const std::vector<SlotPlace> layout = LayOut(plan);
  if (testament.SlotCount() != layout.size()) {
    *error = std::string(plan.prefix) + ".bzv has " + std::to_string(testament.SlotCount()) +
             " slots; the KJV books " + kCanon[plan.first_book].name + " to " + kCanon[plan.end_book - 1].name +
             " need " + std::to_string(layout.size());
    return false;
  }
  std::size_t first, second;
  if (testament.FindSharedText(&first, &second)) {
    *error = Describe(layout[second]) + ": the module gives it the same text as " + Describe(layout[first]);
    return false;
  }
  if (!CheckMarkers(testament, layout, error)) return false;

  for (std::size_t slot = 0; slot < layout.size(); ++slot) {
    const SlotPlace& place = layout[slot];
    if (place.kind == SlotPlace::Header) continue;
    std::string text, problem;
    if (!NormaliseOsisVerse(testament.SlotText(slot), &text, &problem)) {
      *error = Describe(place) + ": " + problem;
      return false;
    }
    if (place.kind != SlotPlace::VerseText) {
      // Introductions carry only markers and headings; text here would be a
      // verse the slot table has put in the wrong place.
      if (!text.empty()) {
        *error = Describe(place) + ": text outside any verse: \"" + text.substr(0, 60) + "\"";
        return false;
      }
      continue;
    }
    if (text.empty()) {
      *error = Describe(place) + ": the verse is missing or has no text";
      return false;
    }
    if (text.size() > kMaxVerseBytes) {
      *error = Describe(place) + ": " + std::to_string(text.size()) + " bytes, more than the " +
               std::to_string(kMaxVerseBytes) + " a verse may have";
      return false;
    }
    verses->push_back({place.book + 1, place.chapter, place.verse, std::move(text)});
  }
  return true;
}

// The five files, built in memory before any is written.
struct DataFiles {
  std::string words;
  std::string word_starts;
  std::string word_index;
  std::string verse_table;
  std::string text;
  std::size_t word_count = 0;
  std::size_t index_entries = 0;
};

void PutU16(std::string* out, std::uint32_t value) {
  out->push_back(static_cast<char>(value & 0xFF));
  out->push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutU32(std::string* out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

// Words are maximal runs of ASCII letters, compared without case.
std::vector<std::string> DistinctWordsOf(const std::string& text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!IsAsciiLetter(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    std::string word;
    for (; i < text.size() && IsAsciiLetter(static_cast<unsigned char>(text[i])); ++i)
      word.push_back(static_cast<char>(ToLowerAscii(static_cast<unsigned char>(text[i]))));
    words.push_back(std::move(word));
  }
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  return words;
}

bool BuildFiles(const std::vector<Verse>& verses, DataFiles* files, std::string* error) {
  // std::map orders std::string by unsigned bytes, the order the program
  // searches the word list in.
  std::map<std::string, std::vector<std::uint16_t>> concordance;
  for (std::size_t n = 0; n < verses.size(); ++n) {
    const Verse& v = verses[n];
    const std::size_t offset = files->text.size();
    files->verse_table.push_back(static_cast<char>(v.book));
    files->verse_table.push_back(static_cast<char>(v.chapter));
    files->verse_table.push_back(static_cast<char>(v.verse));
    PutU32(&files->verse_table, static_cast<std::uint32_t>(offset));
    files->text += v.text;
    files->text.push_back('\0');
    for (std::string& word : DistinctWordsOf(v.text))
      concordance[std::move(word)].push_back(static_cast<std::uint16_t>(n));
  }
  if (concordance.size() > kMaxWords) {
    *error = std::to_string(concordance.size()) + " distinct words, more than the " + std::to_string(kMaxWords) +
             " the program holds";
    return false;
  }
  for (const auto& [word, run] : concordance) {
    files->words += word;
    files->words.push_back('\0');
    PutU32(&files->word_starts, static_cast<std::uint32_t>(files->index_entries));
    for (std::uint16_t verse : run) PutU16(&files->word_index, verse);
    files->index_entries += run.size();
  }
  files->word_count = concordance.size();
  return true;
}

// Writes under a temporary name in the same folder, then renames, so a
// reader never sees a half-written file and a failed run leaves the old one.
bool WriteAtomically(const std::filesystem::path& folder, const char* name, const std::string& bytes,
                     std::string* error) {
  const std::filesystem::path target = folder / name;
  const std::filesystem::path temporary = folder / (std::string(name) + ".tmp");
  FILE* out = std::fopen(temporary.c_str(), "wb");
  if (!out) {
    *error = "cannot create " + temporary.string();
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  ok = std::fflush(out) == 0 && ok;
  ok = fsync(fileno(out)) == 0 && ok;
  ok = std::fclose(out) == 0 && ok;
  std::error_code code;
  if (ok) std::filesystem::rename(temporary, target, code);
  if (!ok || code) {
    std::filesystem::remove(temporary, code);
    *error = "cannot write " + target.string();
    return false;
  }
  return true;
}

int Run(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kelvane-databuild MODULE_DIR OUT_DIR\n");
    return 1;
  }
  const std::string module_folder = argv[1];
  const std::filesystem::path out_folder = argv[2];
  auto fail = [](const std::string& message) {
    std::fprintf(stderr, "kelvane-databuild: %s\n", message.c_str());
    return 1;
  };

  int total = 0;
  for (const CanonBook& book : kCanon)
    for (int c = 0; c < book.chapter_count; ++c) total += book.verse_counts[c];
  if (total != kCanonVerseCount) return fail("the versification table holds " + std::to_string(total) + " verses");

  const TestamentPlan plans[] = {{"ot", 0, 39}, {"nt", 39, kCanonBookCount}};
  std::vector<Verse> verses;
  verses.reserve(kCanonVerseCount);
  std::string error;
  for (const TestamentPlan& plan : plans)
    if (!ReadTestament(module_folder, plan, &verses, &error)) return fail(error);

  DataFiles files;
  if (!BuildFiles(verses, &files, &error)) return fail(error);

  std::error_code code;
  std::filesystem::create_directories(out_folder, code);
  if (code) return fail("cannot create " + out_folder.string() + ": " + code.message());
  const std::pair<const char*, const std::string*> outputs[] = {
      {kWordFile, &files.words},           {kWordStartFile, &files.word_starts}, {kWordIndexFile, &files.word_index},
      {kVerseTableFile, &files.verse_table}, {kTextFile, &files.text}};
  for (const auto& [name, bytes] : outputs)
    if (!WriteAtomically(out_folder, name, *bytes, &error)) return fail(error);

  std::size_t longest = 0;
  for (std::size_t n = 1; n < verses.size(); ++n)
    if (verses[n].text.size() > verses[longest].text.size()) longest = n;
  const Verse& l = verses[longest];
  std::printf("kelvane-databuild: %zu verses, %zu words, %zu index entries; %s %zu, %s %zu, %s %zu, %s %zu, %s %zu "
              "bytes; longest verse %s %d:%d (%zu bytes)\n",
              verses.size(), files.word_count, files.index_entries, kWordFile, files.words.size(), kWordStartFile,
              files.word_starts.size(), kWordIndexFile, files.word_index.size(), kVerseTableFile,
              files.verse_table.size(), kTextFile, files.text.size(), kCanon[l.book - 1].name, l.chapter, l.verse,
              l.text.size());
  return 0;
}

}  // namespace
}  // namespace kv::databuild

int main(int argc, char** argv) {
  try {
    return kv::databuild::Run(argc, argv);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "kelvane-databuild: out of memory\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kelvane-databuild: %s\n", e.what());
  }
  return 1;
}
