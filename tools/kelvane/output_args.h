// What the copy and save commands share: the format options on the command
// line.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>

#include "output/format_options.h"
#include "platform/text_util.h"
#include "store/verse_address.h"
#include "tools/kelvane/cli.h"

namespace kv::cli {

inline bool ReadLabelStyle(const std::string& word, std::uint8_t* style) {
  if (word == "full") *style = kLabelFull;
  else if (word == "partial") *style = kLabelPartial;
  else if (word == "none") *style = kLabelNone;
  else return false;
  return true;
}

// Takes --first, --next, --after, --no-breaks and --no-marks; the rest keep
// the settings file's defaults. False after a usage error was reported.
inline bool TakeFormatOptions(Args& args, FormatOptions* options) {
  std::string style;
  if (TakeOption(args, "--first", &style) && !ReadLabelStyle(style, &options->FirstVerseStyle)) {
    UsageError("--first takes full, partial or none");
    return false;
  }
  if (TakeOption(args, "--next", &style) && !ReadLabelStyle(style, &options->SubsequentVerseStyle)) {
    UsageError("--next takes full, partial or none");
    return false;
  }
  if (TakeFlag(args, "--after")) options->Location = kLabelAfter;
  if (TakeFlag(args, "--no-breaks")) options->LineBreaks = 0;
  if (TakeFlag(args, "--no-marks")) options->ParagraphMarks = 0;
  return true;
}

constexpr const char* kFormatHelp =
    "  --first full|partial|none  label of the first verse (default full)\n"
    "  --next full|partial|none   label of every later verse (default partial)\n"
    "  --after                    label after the verse text\n"
    "  --no-breaks                no CR LF after each verse\n"
    "  --no-marks                 no pilcrow at paragraph starts\n";

}  // namespace kv::cli
