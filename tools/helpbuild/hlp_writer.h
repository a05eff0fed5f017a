// Writes a help file in the Windows 3.1 help format (".hlp") from the topic
// sources: the internal file system with its directory, |SYSTEM (title and
// contents topic), |FONT, |TOPIC (one topic header and one record per
// paragraph, jumps as context hashes), |CONTEXT (every topic's id) and
// |TTLBTREE (every topic's title). The topic text is stored plainly: the
// blocks are marked as compressed but hold literals only, which keeps the
// addresses in the topic file in their one well-defined form.
#pragma once

#include <cstdint>
#include <string>

#include "tools/helpbuild/help_source.h"

namespace kv::helpbuild {

// The hash under which the help file stores a context id (letters count
// without their case).
std::uint32_t ContextHash(const std::string& id);

// The whole help file. False (with one line in `error`) when the topics do
// not fit the format: two ids with one hash, a paragraph larger than a
// topic block, more entries than one B+ tree page holds.
bool WriteHelpFile(const HelpSource& source, std::string* file, std::string* error);

}  // namespace kv::helpbuild
