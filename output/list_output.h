// The verse list leaving the program in its own fixed layouts, whatever the
// FormatOptions say: Copy Verse List, Copy Verse References and Save Verse
// List. The list is the VerseList: verse indexes in list order ending with -1.
#pragma once

#include <cstddef>
#include <string>

#include "output/partial_file.h"
#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/user_services.h"
#include "store/bible_data.h"

namespace kv {

// Bytes of the clipboard blocks: per entry and in all.
constexpr std::size_t kVerseListBytesPerEntry = 27;  // plus the length of the verse's text
constexpr std::size_t kReferenceBytesPerEntry = 15;
constexpr std::size_t kListExtraBytes = 100;

// One line of the verse list copy: " Ge 1:1 In the beginning...\r\n"; a
// leading pilcrow is always written as the pilcrow and a space. Returns the
// length (cut to fit `size` with its NUL).
int FormatVerseListLine(const BibleData& data, VerseIndex verse, char* out, std::size_t size);

// Every entry's line on the clipboard. False when nothing could be copied
// (the user has been told why).
bool CopyVerseList(const BibleData& data, const VerseIndex* list, Clipboard& clipboard,
                   UserServices& messages);

// The entries as one cross-reference line: "# Ge 1:1,3 2:4 Ex 3:14"; "#"
// alone for an empty list.
std::string ReferenceListText(const BibleData& data, const VerseIndex* list);
bool CopyReferenceList(const BibleData& data, const VerseIndex* list, Clipboard& clipboard,
                       UserServices& messages);

// The lines of CopyVerseList written to a new file `file_name`, then one NUL
// byte. False, with the user told, when the file cannot be created or a write
// fails; the file then holds what was written, or is removed with
// PartialFile::Remove.
bool SaveVerseList(const BibleData& data, const VerseIndex* list, Files& files,
                   const std::string& file_name, UserServices& messages,
                   PartialFile partial = PartialFile::Keep);

}  // namespace kv
