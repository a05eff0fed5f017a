#include "tools/kelvane/cli.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "platform/text_util.h"
#include "store/reference_parser.h"

namespace kv::cli {
namespace {

std::map<std::string, Command>& Commands() {
  static std::map<std::string, Command> commands;
  return commands;
}

void PrintUsage(FILE* out) {
  std::fprintf(out, "usage: kelvane COMMAND [--data DIR] [--utf8] [--color=auto|always|never] [--] ...\n"
                    "       kelvane --version\n\ncommands:\n");
  for (const auto& [name, command] : Commands()) std::fprintf(out, "  kelvane %s\n", command.usage);
  std::fprintf(out, "\n'kelvane COMMAND --help' tells more; 'man kelvane' tells all. Exit status: 0 found, 1 nothing found,\n"
                    "2 bad usage or data.\n");
}

// What every command's --help ends with.
const char* const kCommonHelp =
    "Every command also takes:\n"
    "  --data DIR    the folder of the five Bible data files\n"
    "  --utf8        text as UTF-8 even when not on a terminal\n"
    "  --color=auto|always|never\n"
    "                matches in colour (auto: on a terminal)\n"
    "  --            the end of the options: every later argument is text\n";

bool IsDataFolder(const std::string& folder) {
  return access((folder + "/" + kWordFileName).c_str(), R_OK) == 0;
}

// The data installed beside the program (bin/../share/kelvane) when it is
// there, otherwise the folder the build made them in.
std::string DefaultDataDir(const char* argv0) {
  char self[4096];
  ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string program = length > 0 ? std::string(self, static_cast<std::size_t>(length)) : std::string(argv0);
  std::size_t slash = program.rfind('/');
  if (slash != std::string::npos) {
    std::string installed = program.substr(0, slash + 1) + KELVANE_INSTALLED_DATA_DIR;
    if (IsDataFolder(installed)) return installed;
  }
  return KELVANE_DEFAULT_DATA_DIR;
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
      if (it + 1 == args.words.end()) {
        if (args.problem.empty()) args.problem = std::string(name) + " needs a value";
        args.words.erase(it);
        return false;
      }
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

bool FinishOptions(Args& args) {
  if (!args.problem.empty()) {
    UsageError(args.problem);
    return false;
  }
  for (const std::string& word : args.words)
    if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
      UsageError("unknown option " + Echo(word));
      return false;
    }
  args.words.insert(args.words.end(), args.texts.begin(), args.texts.end());
  args.texts.clear();
  return true;
}

bool ReadCount(const std::string& word, int limit, int* value) {
  if (word.empty() || word.size() > 9) return false;
  int n = 0;
  for (char c : word) {
    if (!IsAsciiDigit(static_cast<unsigned char>(c))) return false;
    n = n * 10 + (c - '0');
  }
  if (n > limit) return false;
  *value = n;
  return true;
}

bool IsNoteSetFileName(const std::string& file_name) {
  static const char* const kNoteSuffixes[] = {".nmi", ".nmd", ".nmi.temp", ".nmd.temp"};
  for (const char* suffix : kNoteSuffixes) {
    std::size_t length = std::strlen(suffix);
    if (file_name.size() >= length &&
        EqualsIgnoringAsciiCase(file_name.c_str() + file_name.size() - length, suffix)) {
      Fail(Echo(file_name) + " is a note set file: no command writes over one");
      return true;
    }
  }
  return false;
}

int UsageError(const std::string& message) {
  Fail(message);
  return kUsageError;
}

void Fail(const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "kelvane: %s\n", EscapeControls(message).c_str());
}

std::string EscapeControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    // The C1 controls as UTF-8 (U+0080..U+009F) act like the C0 ones on
    // many terminals.
    bool c1 = c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
              static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    if (c >= 0x20 && c != 0x7F && !c1) {
      out += static_cast<char>(c);
      continue;
    }
    switch (c) {
      case '\n': out += "\\n"; continue;
      case '\r': out += "\\r"; continue;
      case '\t': out += "\\t"; continue;
      default: break;
    }
    if (c1) c = static_cast<unsigned char>(text[++i]);
    char escape[8];
    std::snprintf(escape, sizeof escape, c1 ? "\\u%04x" : "\\x%02x", c);
    out += escape;
  }
  return out;
}

std::string Echo(std::string_view argument) {
  std::string shown = EscapeControls(argument);
  if (shown.size() <= kEchoLimit) return shown;
  std::size_t cut = kEchoLimit;
  // Neither half of an escape nor of a UTF-8 character is left at the cut.
  std::size_t escape = shown.rfind('\\', cut);
  if (escape != std::string::npos && cut - escape < 6) cut = escape;
  while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80) --cut;
  return shown.substr(0, cut) + "...";
}

Files& DataFiles(const Args& args) {
  static std::unique_ptr<Files> files = MakeSystemFiles(args.data_dir);
  return *files;
}

const BibleData* LoadData(const Args& args) {
  static BibleData data;
  if (data.loaded) return &data;
  std::string culprit;
  LoadError error = LoadBibleData(DataFiles(args), &data, &culprit);
  if (error != LoadError::None) {
    const char* problem = error == LoadError::MissingFile   ? " cannot be read"
                          : error == LoadError::OutOfMemory ? " needs more memory than there is"
                                                            : " is damaged";
    Fail("cannot use the Bible data in " + Echo(args.data_dir) + ": " + culprit + problem);
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
  if (argc < 2) {
    PrintUsage(stderr);
    return kUsageError;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
    PrintUsage(stdout);
    return kFound;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("kelvane %s\n", KELVANE_VERSION);
    return kFound;
  }
  auto found = Commands().find(argv[1]);
  if (found == Commands().end()) {
    const char* what = argv[1][0] == '-' ? "unknown option " : "unknown command ";
    return UsageError(what + Echo(argv[1]) + " ('kelvane --help' lists the commands)");
  }
  const Command& command = found->second;
  Args args;
  char** end = std::find_if(argv + 2, argv + argc, [](const char* word) { return std::strcmp(word, "--") == 0; });
  args.words.assign(argv + 2, end);
  if (end != argv + argc) args.texts.assign(end + 1, argv + argc);
  args.data_dir = DefaultDataDir(argv[0]);
  if (TakeFlag(args, "--help")) {
    std::printf("usage: kelvane %s\n%s%s", command.usage, command.help, kCommonHelp);
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
