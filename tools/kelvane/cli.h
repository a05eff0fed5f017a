// The `kelvane` command-line tool: shared plumbing of its commands. Each
// command lives in its own *_command.cpp file and registers itself with
// KELVANE_COMMAND; the tool never does what the core does, it only calls it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/user_services.h"
#include "store/bible_data.h"

namespace kv::cli {

// Exit statuses of every command.
constexpr int kFound = 0;
constexpr int kNothingFound = 1;
constexpr int kUsageError = 2;

// The arguments of one command, with the options every command shares
// already taken out. Options are looked for only before a "--"; what
// follows it is text, whatever it looks like.
struct Args {
  std::vector<std::string> words;  // before "--": options and text
  std::vector<std::string> texts;  // after "--": text only
  std::string problem;             // the first option that could not be taken
  std::string data_dir;            // --data DIR
  bool utf8 = false;               // --utf8
  enum class Color { Auto, Always, Never } color = Color::Auto;
};

using RunFunction = int (*)(Args& args);

struct Command {
  const char* name;
  const char* usage;    // one line: "search [--all|--any|--one] ... WORDS..."
  const char* help;     // the rest of --help
  RunFunction run;
};

struct Registrar {
  explicit Registrar(const Command& command);
};

#define KELVANE_COMMAND(id, ...) static const ::kv::cli::Registrar id##_registrar{::kv::cli::Command{__VA_ARGS__}}

// Takes a flag out of args.words; true when it was there.
bool TakeFlag(Args& args, std::string_view flag);
// Takes "--name VALUE" or "--name=VALUE"; false when absent. A "--name"
// without a value is taken out and kept as the problem FinishOptions
// reports.
bool TakeOption(Args& args, std::string_view name, std::string* value);
// Ends the options of a command once it has taken its own: reports (and
// answers false for) an option without its value, or any word still
// starting with "--", which is an unknown option. Then the texts after
// "--" join the words.
bool FinishOptions(Args& args);

// Reads a count typed as decimal digits only, at most `limit`; false for
// anything else ("", "-3", "12abc").
bool ReadCount(const std::string& word, int limit, int* value);

// True (after saying why) when `file_name` names a note set file: an index,
// a data file or the temporary file of a save. A text written over one of
// them would destroy the user's notes, so no command writes one.
bool IsNoteSetFileName(const std::string& file_name);

// Prints "kelvane: MESSAGE" on stderr as one line and returns kUsageError.
int UsageError(const std::string& message);
// Prints "kelvane: MESSAGE" on stderr as one line: control bytes are
// written as escapes ("\n", "\x1b"), so that no argument echoed in it can
// break the line or reach the terminal as a command.
void Fail(const std::string& message);
// An argument as a message echoes it: at most kEchoLimit characters, the
// rest replaced by "...", control bytes escaped.
constexpr std::size_t kEchoLimit = 64;
std::string Echo(std::string_view argument);
// The same escaping for any text bound for one line.
std::string EscapeControls(std::string_view text);

// The Bible data of --data (default: the folder the build made); on failure
// reports it and returns null.
const BibleData* LoadData(const Args& args);
Files& DataFiles(const Args& args);

// Writes text bytes as stored (Windows-1252) when stdout is not a terminal;
// converted to UTF-8 on a terminal or with --utf8.
class Output {
 public:
  explicit Output(const Args& args);
  bool utf8() const { return utf8_; }
  bool color() const { return color_; }
  void Text(std::string_view stored);   // stored bytes, converted as needed
  void Plain(std::string_view ascii);   // our own ASCII texts
  // A verse as MarkKeys marked it: the braces become colour when colour is
  // on, and stay as they are otherwise.
  void Marked(std::string_view stored);
  void Line() { std::fputc('\n', stdout); }

 private:
  bool utf8_;
  bool color_;
};

// Boxes become lines: on stderr, or on stdout for the search's own answer.
// Retry/Cancel is answered Retry `retries` times, then Cancel; Yes/No is Yes
// only when the user said --yes.
class TerminalUserServices final : public ::kv::UserServices {
 public:
  MessageAnswer Ask(const Message& message) override {
    bool to_stdout = information_to_stdout && message.icon == MessageIcon::Information;
    std::fprintf(to_stdout ? stdout : stderr, "%s%s\n", to_stdout ? "" : "kelvane: ", message.text);
    switch (message.buttons) {
      case MessageButtons::RetryCancel:
        if (retries > 0) {
          --retries;
          return MessageAnswer::Retry;
        }
        return MessageAnswer::Cancel;
      case MessageButtons::YesNo: return yes ? MessageAnswer::Yes : MessageAnswer::No;
      case MessageButtons::Ok: break;
    }
    return MessageAnswer::Ok;
  }
  int retries = 0;
  bool yes = false;
  bool information_to_stdout = false;
};

// The clipboard becomes a string: the text a copy hands over (up to its NUL)
// is kept in `text` for the command to write out.
class TerminalClipboard final : public ::kv::Clipboard {
 public:
  bool Open() override { return true; }
  void Empty() override { text.clear(); }
  char* Allocate(std::size_t size) override {
    block_.assign(size, '\0');
    return block_.data();
  }
  void Hand() override { text.assign(block_.begin(), std::find(block_.begin(), block_.end(), '\0')); }
  void Close() override {}

  std::string text;

 private:
  std::vector<char> block_;
};

// The dialogs take at most 98 characters of a typed reference.
constexpr std::size_t kReferenceTextLimit = 98;

// Reads a typed reference (without `last`) or range as the Go To Verse and
// Set Search Range dialogs do. On failure prints "Unrecognized Refrence" on
// stderr and answers false.
bool ParseTypedReference(const BibleData& data, const std::string& typed, VerseIndex* first,
                         VerseIndex* last = nullptr);

// Windows-1252 to UTF-8.
std::string ToUtf8(std::string_view stored);

}  // namespace kv::cli
