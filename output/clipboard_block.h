// The clipboard's side of a copy: the block taken from an open clipboard and
// handed back to it, with the copy's messages.
#pragma once

#include "output/copy_block.h"
#include "platform/clipboard.h"
#include "platform/user_services.h"

namespace kv {

// Opens and empties the clipboard and takes a block of `block->size` bytes.
// Tells "Copy Error" and returns false, the clipboard closed, when it cannot
// be opened or the memory cannot be had.
bool OpenClipboardBlock(Clipboard& clipboard, UserServices& messages, CopyBlock* block);

// Ends the text, tells when a line did not fit, hands the block to the
// clipboard and closes it.
void HandClipboardBlock(Clipboard& clipboard, UserServices& messages, CopyBlock* block);

}  // namespace kv
