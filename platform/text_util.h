// Character classes of the program: letters are the ASCII letters only. The
// text holds bytes above 0x7F (the pilcrow 0xB6, the dash 0x97), which are
// never letters, so the C library's locale-dependent classes are not used.
#pragma once

namespace kv {

constexpr bool IsAsciiLetter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool IsAsciiDigit(unsigned char c) { return c >= '0' && c <= '9'; }
constexpr bool IsAsciiUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }
constexpr unsigned char ToLowerAscii(unsigned char c) {
  return IsAsciiUpper(c) ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}
// Blank, tab, line feed, vertical tab, form feed, carriage return.
constexpr bool IsAsciiSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

inline bool EqualsIgnoringAsciiCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    unsigned char x = ToLowerAscii(static_cast<unsigned char>(*a));
    unsigned char y = ToLowerAscii(static_cast<unsigned char>(*b));
    if (x != y) return false;
    if (x == 0) return true;
  }
}

}  // namespace kv
