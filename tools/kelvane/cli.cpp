#include "tools/kelvane/cli.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "store/reference_parser.h"

namespace kv::cli {
namespace {

std::map<std::string, Command>& Commands() {
  static std::map<std::string, Command> commands;
  return commands;
}

void PrintUsage(FILE* out) {
  std::fprintf(out, "usage: kelvane COMMAND [--data DIR] [--utf8] [--color=auto|always|never] ...\n\ncommands:\n");
  for (const auto& [name, command] : Commands()) std::fprintf(out, "  kelvane %s\n", command.usage);
  std::fprintf(out, "\n'kelvane COMMAND --help' tells more. Exit status: 0 found, 1 nothing found, 2 bad usage or data.\n");
}

}  // namespace

Registrar::Registrar(const Command& command) { Commands()[command.name] = command; }

bool TakeFlag(Args& args, std::string_view flag) {
  auto it = std::find(args.words.begin(), args.words.end(), flag);
  if (it == args.words.end()) return false;
  args.words.erase(it);
  return true;
}

bool TakeOption(Args& args, std::string_view name, std::string* value) {
  for (auto it = args.words.begin(); it != args.words.end(); ++it) {
    if (*it == name) {
      if (it + 1 == args.words.end()) return false;
      *value = *(it + 1);
      args.words.erase(it, it + 2);
      return true;
    }
    if (it->size() > name.size() && it->compare(0, name.size(), name) == 0 && (*it)[name.size()] == '=') {
      *value = it->substr(name.size() + 1);
      args.words.erase(it);
      return true;
    }
  }
  return false;
}

bool RejectUnknownOptions(const Args& args) {
  for (const std::string& word : args.words)
    if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
      UsageError("unknown option " + word);
      return true;
    }
  return false;
}

int UsageError(const std::string& message) {
  std::fprintf(stderr, "kelvane: %s\n", message.c_str());
  return kUsageError;
}

void Fail(const std::string& message) { std::fprintf(stderr, "kelvane: %s\n", message.c_str()); }

Files& DataFiles(const Args& args) {
  static std::unique_ptr<Files> files = MakeSystemFiles(args.data_dir);
  return *files;
}

const BibleData* LoadData(const Args& args) {
  static BibleData data;
  if (data.loaded) return &data;
  std::string culprit;
  if (LoadBibleData(DataFiles(args), &data, &culprit) != LoadError::None) {
    Fail("cannot use the Bible data in " + args.data_dir + " (" + culprit + ")");
    return nullptr;
  }
  return &data;
}

bool ParseTypedReference(const BibleData& data, const std::string& typed, VerseIndex* first, VerseIndex* last) {
  if (typed.size() > kReferenceTextLimit) {
    Fail("a reference has at most " + std::to_string(kReferenceTextLimit) + " characters");
    return false;
  }
  char text[kReferenceTextLimit + 1];
  std::snprintf(text, sizeof text, "%s", typed.c_str());
  if (ParseReference(data, text, first, last)) return true;
  std::fprintf(stderr, "%s\n", kUnrecognizedReference);
  return false;
}

// The bytes 0x80..0x9F of Windows-1252; the rest of the upper half is Latin-1.
static const char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

std::string ToUtf8(std::string_view stored) {
  std::string out;
  out.reserve(stored.size() + 16);
  for (unsigned char c : stored) {
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    unsigned cp = (c < 0xA0) ? kCp1252High[c - 0x80] : c;
    if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

Output::Output(const Args& args) {
  bool terminal = isatty(STDOUT_FILENO);
  utf8_ = args.utf8 || terminal;
  color_ = args.color == Args::Color::Always || (args.color == Args::Color::Auto && terminal);
}

void Output::Text(std::string_view stored) {
  if (utf8_) {
    std::string converted = ToUtf8(stored);
    std::fwrite(converted.data(), 1, converted.size(), stdout);
  } else {
    std::fwrite(stored.data(), 1, stored.size(), stdout);
  }
}

void Output::Plain(std::string_view ascii) { std::fwrite(ascii.data(), 1, ascii.size(), stdout); }

void Output::Marked(std::string_view stored) {
  if (!color_) {
    Text(stored);
    return;
  }
  std::size_t start = 0;
  for (std::size_t i = 0; i <= stored.size(); ++i) {
    if (i < stored.size() && stored[i] != '{' && stored[i] != '}') continue;
    Text(stored.substr(start, i - start));
    if (i < stored.size()) Plain(stored[i] == '{' ? "\x1b[1;31m" : "\x1b[0m");
    start = i + 1;
  }
}

}  // namespace kv::cli

int main(int argc, char** argv) {
  using namespace kv::cli;
  static char stdout_buffer[1 << 16];
  std::setvbuf(stdout, stdout_buffer, _IOFBF, sizeof stdout_buffer);
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
    PrintUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? kUsageError : kFound;
  }
  auto found = Commands().find(argv[1]);
  if (found == Commands().end()) {
    PrintUsage(stderr);
    return UsageError(std::string("unknown command ") + argv[1]);
  }
  const Command& command = found->second;
  Args args;
  args.words.assign(argv + 2, argv + argc);
  args.data_dir = KELVANE_DEFAULT_DATA_DIR;
  if (TakeFlag(args, "--help")) {
    std::printf("usage: kelvane %s\n%s", command.usage, command.help);
    return kFound;
  }
  TakeOption(args, "--data", &args.data_dir);
  args.utf8 = TakeFlag(args, "--utf8");
  std::string color;
  if (TakeOption(args, "--color", &color)) {
    if (color == "always") args.color = Args::Color::Always;
    else if (color == "never") args.color = Args::Color::Never;
    else if (color == "auto") args.color = Args::Color::Auto;
    else return UsageError("--color takes auto, always or never");
  }
  int status = command.run(args);
  std::fflush(stdout);
  return status;
}
