// The bytes with a meaning of their own in the stored verse texts: a pilcrow
// opens a paragraph, brackets enclose the supplied (italic) words, and the
// braces, which never occur in the text, mark searched words in a copy.
#pragma once

namespace kv {

constexpr unsigned char kPilcrow = 0xB6;

}  // namespace kv
