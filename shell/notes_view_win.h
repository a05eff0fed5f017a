// The shell's side of the notes ports: the notes window's display, status
// part 2 and the note set tabs as a NotesView, the Win32 clipboard, and the
// message boxes, gathered for the note and output operations.
#pragma once

#include <windows.h>

#include "notes/note_files.h"
#include "platform/clipboard.h"
#include "platform/user_services_win.h"

namespace kv {

class NotesWindowView final : public NotesView {
 public:
  void SetText(const char* text) override;
  void SetNoteReference(const char* reference) override;
  void Select(std::size_t start, std::size_t end) override;
  void SetTabs(const std::vector<std::string>& labels, int selected) override;
};

// The system clipboard, opened for the main window.
class SystemClipboard final : public Clipboard {
 public:
  bool Open() override;
  void Empty() override;
  char* Allocate(std::size_t size) override;
  void Hand() override;
  void Close() override;

 private:
  void ShrinkToText();
  HGLOBAL block_ = nullptr;
};

// The ports of the running program: the working folder, boxes owned by the
// main window, the notes window.
NotesPorts ShellNotesPorts();
UserServices& ShellMessages();
Clipboard& ShellClipboard();

}  // namespace kv
