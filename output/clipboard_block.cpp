#include "output/clipboard_block.h"

#include "output/output_messages.h"

namespace kv {

bool OpenClipboardBlock(Clipboard& clipboard, UserServices& messages, CopyBlock* block) {
  if (!clipboard.Open()) {
    messages.Tell(kCopyErrorCaption, kNoClipboardText, MessageIcon::Error);
    return false;
  }
  clipboard.Empty();
  block->data = clipboard.Allocate(block->size);
  if (!block->data) {
    clipboard.Close();
    messages.Tell(kCopyErrorCaption, kNoCopyMemoryText, MessageIcon::Error);
    return false;
  }
  return true;
}

void HandClipboardBlock(Clipboard& clipboard, UserServices& messages, CopyBlock* block) {
  EndBlock(block);
  if (!block->complete) messages.Tell(kCopyErrorCaption, kCopyIncompleteText, MessageIcon::Error);
  clipboard.Hand();
  clipboard.Close();
}

}  // namespace kv
