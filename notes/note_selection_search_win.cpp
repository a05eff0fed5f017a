#include "notes/note_selection_search_win.h"

#include <windows.h>
#include <richedit.h>

#include <cstring>
#include <vector>

#include "shell/app_state.h"
#include "shell/program_win.h"

namespace kv {

void SearchWithNoteSelection(char* prefill, std::size_t limit, int search_command) {
  DWORD start = 0, end = 0;
  SendMessageA(Windows().notes_display, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  const std::vector<char>& buffer = App().notes.buffer;
  std::size_t length = end > start ? end - start : 0;
  if (length > limit) length = limit;
  // The selection never reaches past the note shown, but the buffer's end is
  // the hard limit all the same.
  if (start >= buffer.size()) length = 0;
  else if (length > buffer.size() - start) length = buffer.size() - start;
  if (length) std::memcpy(prefill, buffer.data() + start, length);
  prefill[length] = '\0';
  SendMessageA(Windows().main, WM_COMMAND, search_command, 0);
}

}  // namespace kv
