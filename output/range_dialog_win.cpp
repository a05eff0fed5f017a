#include "output/range_dialog_win.h"

#include "passage/passage_window_win.h"
#include "platform/user_services_win.h"
#include "store/reference_parser.h"
#include "store/verse_address.h"

namespace kv {

std::string VerseStartText(const BibleData& data) { return ShortReference(data, PassageCurrentVerse()); }

std::string RangeStartText(const BibleData& data) { return VerseStartText(data) + " -"; }

TypedRange ReadTypedRange(HWND dialog, int edit, const BibleData& data, VerseIndex* first,
                          VerseIndex* last, std::string* typed) {
  char text[kRangeTextSize] = {};
  GetDlgItemTextA(dialog, edit, text, kRangeTextSize);
  if (text[0] == '\0') return TypedRange::Empty;
  // The parser trims the text in place; the file chooser gets it as typed.
  if (typed) *typed = text;
  if (!ParseReference(data, text, first, last)) {
    MessageBoxServices(dialog).Tell("Error", kUnrecognizedReference, MessageIcon::Error);
    return TypedRange::Unrecognized;
  }
  return TypedRange::Read;
}

}  // namespace kv
