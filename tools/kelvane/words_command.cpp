// kelvane words: the dictionary words with a given beginning, and in how
// many verses each occurs.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/text_util.h"
#include "search/word_search.h"
#include "tools/kelvane/cli.h"

namespace kv::cli {
namespace {

int RunWordsCommand(Args& args) {
  if (!FinishOptions(args)) return kUsageError;
  if (args.words.size() != 1) return UsageError("words needs one PREFIX");
  const BibleData* data = LoadData(args);
  if (!data) return kUsageError;
  // The dictionary holds lower-case words only.
  std::string prefix = args.words[0];
  for (char& c : prefix) c = static_cast<char>(ToLowerAscii(static_cast<unsigned char>(c)));

  // The words are sorted, so those with the prefix follow each other from
  // the first word not below it.
  int low = 0, high = WordCount(*data);
  while (low < high) {
    int mid = low + (high - low) / 2;
    if (std::strcmp(WordAt(*data, mid), prefix.c_str()) < 0) low = mid + 1;
    else high = mid;
  }
  Output out(args);
  int listed = 0;
  for (int w = low; w < WordCount(*data) && std::strncmp(WordAt(*data, w), prefix.c_str(), prefix.size()) == 0; ++w) {
    out.Text(WordAt(*data, w));
    std::printf("\t%zu", WordVersesOf(*data, w).size());
    out.Line();
    ++listed;
  }
  if (listed > 0) return kFound;
  std::fflush(stdout);
  Fail("no word of the dictionary begins with \"" + Echo(args.words[0]) + "\"");
  return kNothingFound;
}

}  // namespace

KELVANE_COMMAND(words, "words", "words [--] PREFIX",
                "Lists the dictionary words beginning with PREFIX (in any case), one per line: the word,\n"
                "a TAB and the number of verses that contain it.\n"
                "Exit status: 0 listed, 1 no such word, 2 bad usage or data.\n",
                RunWordsCommand);

}  // namespace kv::cli
