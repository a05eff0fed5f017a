#include "output/range_dialog_win.h"

#include "output/save_range.h"
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

void FillNoteSetChoice(HWND dialog, int list_id, int include_id, const NotesState& notes) {
  HWND list = GetDlgItem(dialog, list_id);
  for (int i = 0; i < notes.table.count; ++i) {
    const std::string name = DisplayNameOf(notes.table.sets[static_cast<std::size_t>(i)].data_file);
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  SendMessageA(list, CB_SETCURSEL, notes.current_set, 0);
  CheckDlgButton(dialog, include_id, BST_UNCHECKED);
}

int ChosenNoteSet(HWND dialog, int list_id, int include_id) {
  if (IsDlgButtonChecked(dialog, include_id) != BST_CHECKED) return kNoNoteSet;
  const LRESULT selected = SendDlgItemMessageA(dialog, list_id, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? kNoNoteSet : static_cast<int>(selected);
}

}  // namespace kv
