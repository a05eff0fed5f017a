#include "output/verse_formatter.h"

#include <cstdio>

#include "store/verse_address.h"

namespace kv {

namespace {

// snprintf's length, or what actually fits when the text was cut.
int Fitted(int written, std::size_t size) {
  if (written < 0 || size == 0) return 0;
  return static_cast<std::size_t>(written) < size ? written : static_cast<int>(size - 1);
}

}  // namespace

RangeFormat StartRangeFormat(const FormatOptions& options) {
  RangeFormat format;
  format.options = options;
  return format;
}

// " Ge 1:1": a blank and the short reference. Like snprintf.
int BlankAndShortReference(const BibleData& data, VerseIndex verse, char* out, std::size_t size) {
  if (size < 2) {
    if (size == 1) out[0] = '\0';
    return 1 + FormatShortReference(data, verse, nullptr, 0);
  }
  out[0] = ' ';
  return 1 + FormatShortReference(data, verse, out + 1, size - 1);
}

int FormatVerseLabel(const BibleData& data, RangeFormat* format, VerseIndex verse, char* out,
                     std::size_t size) {
  VerseRecord r = RecordOf(data, verse);
  bool first = format->first;
  std::uint8_t style = first ? format->options.FirstVerseStyle : format->options.SubsequentVerseStyle;
  format->first = false;
  int written = 0;
  if (first) {
    // A partial label of a later verse is measured against the first verse,
    // whatever style the first verse itself was labelled with.
    format->book = r.book;
    format->chapter = r.chapter;
    if (style == kLabelFull)
      written = BlankAndShortReference(data, verse, out, size);
    else if (style == kLabelPartial)
      written = std::snprintf(out, size, " %d:%d", r.chapter, r.verse);
    else
      written = std::snprintf(out, size, "%s", "");
    return Fitted(written, size);
  }
  if (style == kLabelFull) {
    written = BlankAndShortReference(data, verse, out, size);
  } else if (style == kLabelPartial) {
    if (r.book != format->book) {
      written = BlankAndShortReference(data, verse, out, size);
      format->book = r.book;
      format->chapter = r.chapter;
    } else if (r.chapter != format->chapter) {
      written = std::snprintf(out, size, " %d:%d", r.chapter, r.verse);
      format->chapter = r.chapter;
    } else {
      written = std::snprintf(out, size, " %d", r.verse);
    }
  } else {
    written = std::snprintf(out, size, "%s", "");
  }
  return Fitted(written, size);
}

int FormatVerseLine(const BibleData& data, const FormatOptions& options, VerseIndex verse,
                    const char* label, char* out, std::size_t size) {
  const char* text = VerseText(data, verse);
  const char* line_break = options.LineBreaks ? "\r\n" : "";
  const char* paragraph_mark = options.ParagraphMarks ? "\xB6 " : "";
  bool paragraph = static_cast<unsigned char>(text[0]) == kPilcrow;
  int written;
  if (options.Location == kLabelBefore) {
    written = paragraph ? std::snprintf(out, size, "%s %s%s%s", label, paragraph_mark, text + 1, line_break)
                        : std::snprintf(out, size, "%s %s%s", label, text, line_break);
  } else {
    written = paragraph ? std::snprintf(out, size, " %s%s%s%s", paragraph_mark, text + 1, label, line_break)
                        : std::snprintf(out, size, " %s%s%s", text, label, line_break);
  }
  return Fitted(written, size);
}

int FormatNextRangeLine(const BibleData& data, RangeFormat* format, VerseIndex verse, char* out,
                        std::size_t size) {
  char label[kVerseLabelSize];
  FormatVerseLabel(data, format, verse, label, sizeof label);
  return FormatVerseLine(data, format->options, verse, label, out, size);
}

}  // namespace kv
