// The profile port on an INI file of our own, read and written with the
// rules of the Windows private profile functions: sections and keys match
// without regard to ASCII case, blanks around names and values are dropped,
// a value in matching quotes loses them, lines end with CR LF.
#include <cstring>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "platform/text_util.h"

namespace kv {

bool ReadProfileNumber(const char* text, std::int64_t* value) {
  constexpr std::int64_t kLimit = 0xFFFFFFFFLL;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (!IsAsciiDigit(*p)) return false;
  std::int64_t n = 0;
  for (; IsAsciiDigit(*p); ++p) {
    n = n * 10 + (*p - '0');
    if (n > kLimit) n = kLimit;
  }
  *value = negative ? -n : n;
  return true;
}

namespace {

std::string Trimmed(const std::string& text, std::size_t begin, std::size_t end) {
  while (begin < end && IsAsciiSpace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && IsAsciiSpace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

// One line of the file, seen as the profile functions see it.
struct IniLine {
  enum class Kind { Other, Section, Entry } kind = Kind::Other;
  std::string name;   // section or key
  std::string value;  // of an entry
};

IniLine ReadLine(const std::string& line) {
  IniLine result;
  std::string text = Trimmed(line, 0, line.size());
  if (text.empty() || text[0] == ';') return result;
  if (text[0] == '[') {
    std::size_t close = text.find(']');
    result.kind = IniLine::Kind::Section;
    result.name = Trimmed(text, 1, close == std::string::npos ? text.size() : close);
    return result;
  }
  result.kind = IniLine::Kind::Entry;
  std::size_t equals = text.find('=');
  if (equals == std::string::npos) {
    result.name = text;
    return result;
  }
  result.name = Trimmed(text, 0, equals);
  result.value = Trimmed(text, equals + 1, text.size());
  if (result.value.size() >= 2 && (result.value[0] == '"' || result.value[0] == '\'') &&
      result.value.back() == result.value[0])
    result.value = result.value.substr(1, result.value.size() - 2);
  return result;
}

class IniProfile : public Profile {
 public:
  IniProfile(Files& files, std::string name) : files_(files), name_(std::move(name)) {}

  int GetInt(const char* section, const char* key, int default_value) override {
    std::string value;
    if (!Find(section, key, &value) || value.empty()) return default_value;
    std::int64_t n = 0;
    if (!ReadProfileNumber(value.c_str(), &n)) return 0;
    // The system function hands the number back as 32 bits.
    return static_cast<int>(static_cast<std::uint32_t>(n));
  }

  std::string GetString(const char* section, const char* key, const char* default_text,
                        std::size_t size) override {
    std::string value;
    if (!Find(section, key, &value)) value = default_text ? default_text : "";
    if (size == 0) return std::string();
    if (value.size() > size - 1) value.resize(size - 1);
    return value;
  }

  bool WriteString(const char* section, const char* key, const char* value) override {
    std::vector<std::string> lines = Load();
    // A line break in a value would start a line of its own and could
    // forge another key; the value ends before it.
    std::string text = value ? value : "";
    text = text.substr(0, text.find_first_of("\r\n"));
    std::string entry = std::string(key) + "=" + text;

    bool in_section = false;
    bool found_section = false;
    std::size_t insert_at = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      IniLine line = ReadLine(lines[i]);
      if (line.kind == IniLine::Kind::Section) {
        if (in_section) break;
        in_section = EqualsIgnoringAsciiCase(line.name.c_str(), section);
        if (in_section) {
          found_section = true;
          insert_at = i + 1;
        }
      } else if (in_section && line.kind == IniLine::Kind::Entry) {
        if (EqualsIgnoringAsciiCase(line.name.c_str(), key)) {
          lines[i] = line.name + "=" + text;
          return Save(lines);
        }
        insert_at = i + 1;
      }
    }
    if (found_section) {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert_at), entry);
    } else {
      if (!lines.empty() && !lines.back().empty()) lines.emplace_back();
      lines.push_back("[" + std::string(section) + "]");
      lines.push_back(entry);
    }
    return Save(lines);
  }

 private:
  std::vector<std::string> Load() {
    std::vector<std::string> lines;
    FileHandle file = files_.Open(name_, OpenMode::ReadSequential);
    if (file == kNoFile) return lines;
    std::vector<unsigned char> bytes;
    bool read = ReadAll(files_, file, &bytes);
    files_.Close(file);
    if (!read) return lines;
    std::string current;
    for (unsigned char c : bytes) {
      if (c == '\n') {
        if (!current.empty() && current.back() == '\r') current.pop_back();
        lines.push_back(current);
        current.clear();
      } else {
        current += static_cast<char>(c);
      }
    }
    if (!current.empty()) lines.push_back(current);
    return lines;
  }

  bool Save(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    FileHandle file = files_.Open(name_, OpenMode::CreateNew);
    if (file == kNoFile) return false;
    bool written = files_.Write(file, bytes.data(), bytes.size());
    files_.Close(file);
    return written;
  }

  // The first entry `key` in a section `section`.
  bool Find(const char* section, const char* key, std::string* value) {
    bool in_section = false;
    for (const std::string& text : Load()) {
      IniLine line = ReadLine(text);
      if (line.kind == IniLine::Kind::Section) {
        in_section = EqualsIgnoringAsciiCase(line.name.c_str(), section);
      } else if (in_section && line.kind == IniLine::Kind::Entry &&
                 EqualsIgnoringAsciiCase(line.name.c_str(), key)) {
        *value = line.value;
        return true;
      }
    }
    return false;
  }

  Files& files_;
  std::string name_;
};

}  // namespace

std::unique_ptr<Profile> MakeIniProfile(Files& files, const std::string& name) {
  return std::make_unique<IniProfile>(files, name);
}

}  // namespace kv
