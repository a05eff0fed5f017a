// The notes window as the notes' view: its display, status part 2 and the
// note set tabs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "notes/note_files.h"

namespace kv {

class NotesWindowView final : public NotesView {
 public:
  void SetText(const char* text) override;
  void SetNoteReference(const char* reference) override;
  void Select(std::size_t start, std::size_t end) override;
  void SetTabs(const std::vector<std::string>& labels, int selected) override;
};

// The labels the note set tabs `tabs` show, in order.
std::vector<std::string> TabTexts(HWND tabs);

}  // namespace kv
