// Reading the module's OSIS markup: the tag scanner shared by the structure
// check and the normaliser that turns one verse's markup into the text the
// program stores.
//
// Header-only so that the native tests compile the very same code under the
// sanitizers without linking the tool.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_util.h"

namespace kv::databuild {

// The two bytes above 0x7F that the stored text may hold (Windows-1252).
constexpr unsigned char kPilcrowByte = 0xB6;
constexpr unsigned char kDashByte = 0x97;

// One tag as written: `<name attributes>`, `</name>` or `<name attributes/>`.
struct OsisTag {
  bool closing = false;
  bool self_closing = false;
  std::string_view name;
  std::string_view attributes;
};

// Reads the tag starting at text[at] == '<'. On success *end is the position
// after its '>'. Quoted attribute values may hold '>'. False for a tag that
// is never closed or has no name.
inline bool ReadTag(std::string_view text, std::size_t at, OsisTag* tag, std::size_t* end) {
  std::size_t i = at + 1;
  *tag = OsisTag{};
  if (i < text.size() && text[i] == '/') {
    tag->closing = true;
    ++i;
  }
  std::size_t name_start = i;
  while (i < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != ':' && c != '_' && c != '-' && c != '.') break;
    ++i;
  }
  if (i == name_start) return false;
  tag->name = text.substr(name_start, i - name_start);
  std::size_t attributes_start = i;
  char quote = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      break;
    }
  }
  if (i >= text.size()) return false;
  std::size_t attributes_end = i;
  if (attributes_end > attributes_start && text[attributes_end - 1] == '/') {
    tag->self_closing = true;
    --attributes_end;
  }
  tag->attributes = text.substr(attributes_start, attributes_end - attributes_start);
  *end = i + 1;
  return true;
}

// The value of attribute `name` (matched as a whole name, so "sID" is not
// found inside "osisID").
inline bool FindAttribute(std::string_view attributes, std::string_view name, std::string_view* value) {
  std::size_t i = 0;
  const std::size_t n = attributes.size();
  while (i < n) {
    while (i < n && IsAsciiSpace(static_cast<unsigned char>(attributes[i]))) ++i;
    std::size_t name_start = i;
    while (i < n && attributes[i] != '=' && !IsAsciiSpace(static_cast<unsigned char>(attributes[i]))) ++i;
    std::string_view found = attributes.substr(name_start, i - name_start);
    while (i < n && IsAsciiSpace(static_cast<unsigned char>(attributes[i]))) ++i;
    if (i >= n || attributes[i] != '=') {
      if (i == name_start) ++i;  // never stall on a stray character
      continue;
    }
    ++i;
    while (i < n && IsAsciiSpace(static_cast<unsigned char>(attributes[i]))) ++i;
    if (i >= n || (attributes[i] != '"' && attributes[i] != '\'')) return false;
    char quote = attributes[i++];
    std::size_t value_start = i;
    while (i < n && attributes[i] != quote) ++i;
    if (i >= n) return false;
    if (found == name) {
      *value = attributes.substr(value_start, i - value_start);
      return true;
    }
    ++i;
  }
  return false;
}

namespace detail {

inline void AppendUtf8(std::uint32_t code, std::string* out) {
  if (code < 0x80) {
    out->push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code >> 6)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (code >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (code >> 18)));
    out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// Decodes the UTF-8 sequence at text[*at], advancing *at. False for a
// malformed, overlong or surrogate sequence.
inline bool DecodeUtf8(std::string_view text, std::size_t* at, std::uint32_t* code) {
  unsigned char lead = static_cast<unsigned char>(text[*at]);
  int extra;
  std::uint32_t value;
  std::uint32_t minimum;
  if (lead < 0x80) {
    *code = lead;
    ++*at;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, value = lead & 0x07, minimum = 0x10000;
  } else {
    return false;
  }
  if (*at + static_cast<std::size_t>(extra) >= text.size()) return false;
  for (int k = 1; k <= extra; ++k) {
    unsigned char c = static_cast<unsigned char>(text[*at + static_cast<std::size_t>(k)]);
    if ((c & 0xC0) != 0x80) return false;
    value = (value << 6) | (c & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  *at += static_cast<std::size_t>(extra) + 1;
  *code = value;
  return true;
}

inline std::string CodePointName(std::uint32_t code) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(code));
  return buffer;
}

// The five XML entities and numeric character references, as UTF-8.
inline bool DecodeEntity(std::string_view text, std::size_t at, std::string* out, std::size_t* end,
                         std::string* error) {
  std::size_t semicolon = text.find(';', at);
  if (semicolon == std::string_view::npos || semicolon - at > 10) {
    *error = "'&' that starts no character reference";
    return false;
  }
  std::string_view name = text.substr(at + 1, semicolon - at - 1);
  std::uint32_t code = 0;
  if (name == "amp") {
    code = '&';
  } else if (name == "lt") {
    code = '<';
  } else if (name == "gt") {
    code = '>';
  } else if (name == "quot") {
    code = '"';
  } else if (name == "apos") {
    code = '\'';
  } else if (name.size() >= 2 && name[0] == '#') {
    bool hex = name[1] == 'x' || name[1] == 'X';
    std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) {
      *error = "empty character reference";
      return false;
    }
    for (char ch : digits) {
      unsigned char c = static_cast<unsigned char>(ch);
      std::uint32_t digit;
      if (IsAsciiDigit(c)) {
        digit = c - '0';
      } else if (hex && ToLowerAscii(c) >= 'a' && ToLowerAscii(c) <= 'f') {
        digit = static_cast<std::uint32_t>(ToLowerAscii(c) - 'a' + 10);
      } else {
        *error = "malformed character reference &" + std::string(name) + ";";
        return false;
      }
      code = code * (hex ? 16 : 10) + digit;
      if (code > 0x10FFFF) break;
    }
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      *error = "character reference &" + std::string(name) + "; names no character";
      return false;
    }
  } else {
    *error = "unknown entity &" + std::string(name) + ";";
    return false;
  }
  AppendUtf8(code, out);
  *end = semicolon + 1;
  return true;
}

// First pass: the markup goes. Notes and titles leave with their content,
// added words are bracketed once however deeply their markers nest, every
// other tag and every USFM character marker that slipped through the
// conversion (`\nd `, `\+nd*`) is dropped, and entities are decoded. The
// result is still UTF-8.
//
// The module marks added words two ways: <transChange type="added"> and, in
// a few verses, brackets written into the text itself, sometimes inside an
// added run ("<transChange type="added">[but] he that ...</transChange>").
// Both count as one kind of run, so only the outermost opens and closes a
// bracket pair. A written ']' must close a written '[' and an added run must
// close inside any written pair it opened in; anything else is refused.
inline bool StripMarkup(std::string_view osis, std::string* out, std::string* error) {
  out->clear();
  // One entry per open <transChange> ('a' added, 'o' any other change) and
  // per open written bracket ('[').
  std::vector<char> open_runs;
  int open_added = 0;  // the 'a' and '[' entries in open_runs
  auto open_supplied = [&](char kind) {
    if (open_added++ == 0) out->push_back('[');
    open_runs.push_back(kind);
  };
  auto close_supplied = [&]() {
    if (--open_added == 0) out->push_back(']');
    open_runs.pop_back();
  };
  std::size_t i = 0;
  while (i < osis.size()) {
    char c = osis[i];
    if (c == '<') {
      OsisTag tag;
      std::size_t end;
      if (!ReadTag(osis, i, &tag, &end)) {
        *error = "unterminated tag";
        return false;
      }
      if (tag.name == "note" || tag.name == "title") {
        if (tag.closing) {
          *error = "</" + std::string(tag.name) + "> without its start";
          return false;
        }
        if (!tag.self_closing) {
          // Skip to the matching end tag; the content may hold further tags,
          // even one of the same name.
          int depth = 1;
          while (depth > 0) {
            std::size_t next = osis.find('<', end);
            if (next == std::string_view::npos) {
              *error = "<" + std::string(tag.name) + "> is never closed";
              return false;
            }
            OsisTag inner;
            if (!ReadTag(osis, next, &inner, &end)) {
              *error = "unterminated tag";
              return false;
            }
            if (inner.name == tag.name && !inner.self_closing) depth += inner.closing ? -1 : 1;
          }
        }
      } else if (tag.name == "transChange") {
        if (tag.closing) {
          if (open_runs.empty()) {
            *error = "</transChange> without its start";
            return false;
          }
          if (open_runs.back() == '[') {
            *error = "</transChange> inside a '[' opened after it";
            return false;
          }
          if (open_runs.back() == 'a') {
            close_supplied();
          } else {
            open_runs.pop_back();
          }
        } else if (!tag.self_closing) {
          std::string_view type;
          bool added = FindAttribute(tag.attributes, "type", &type) && type == "added";
          if (added) {
            open_supplied('a');
          } else {
            open_runs.push_back('o');
          }
        }
      }
      i = end;
    } else if (c == '&') {
      if (!DecodeEntity(osis, i, out, &i, error)) return false;
    } else if (c == '\\') {
      // A USFM character marker: backslash, an optional '+' (nested form),
      // letters, then '*' when it closes. The blank after an opening marker
      // is part of the marker; after a closing one it belongs to the text.
      std::size_t j = i + 1;
      if (j < osis.size() && osis[j] == '+') ++j;
      std::size_t letters = j;
      while (j < osis.size() && IsAsciiLetter(static_cast<unsigned char>(osis[j]))) ++j;
      if (j == letters) {
        *error = "backslash that starts no marker";
        return false;
      }
      if (j < osis.size() && osis[j] == '*') {
        ++j;
      } else if (j < osis.size() && osis[j] == ' ') {
        ++j;
      }
      i = j;
    } else if (c == '[') {
      open_supplied('[');
      ++i;
    } else if (c == ']') {
      if (open_runs.empty() || open_runs.back() != '[') {
        *error = "']' without its '['";
        return false;
      }
      close_supplied();
      ++i;
    } else {
      out->push_back(c);
      ++i;
    }
  }
  if (!open_runs.empty()) {
    *error = open_runs.back() == '[' ? "'[' is never closed" : "<transChange> is never closed";
    return false;
  }
  return true;
}

// Second pass: UTF-8 to the stored bytes. The few characters the KJV text
// uses beyond ASCII get their fixed forms; anything else is refused so that
// it is seen and decided on, never lost. White space is collapsed and trimmed.
inline bool MapCharacters(std::string_view text, std::string* out, std::string* error) {
  out->clear();
  bool blank_pending = false;
  auto emit = [&](std::string_view bytes) {
    if (blank_pending && !out->empty()) out->push_back(' ');
    blank_pending = false;
    out->append(bytes);
  };
  std::size_t i = 0;
  while (i < text.size()) {
    std::uint32_t code;
    if (!DecodeUtf8(text, &i, &code)) {
      *error = "malformed UTF-8";
      return false;
    }
    if (code < 0x80) {
      unsigned char c = static_cast<unsigned char>(code);
      if (IsAsciiSpace(c)) {
        blank_pending = true;
      } else if (c < 0x20 || c == 0x7F) {
        *error = "control character " + CodePointName(code);
        return false;
      } else if (c == '{' || c == '}') {
        *error = std::string("brace '") + static_cast<char>(c) + "' in the text";
        return false;
      } else {
        char one = static_cast<char>(c);
        emit(std::string_view(&one, 1));
      }
      continue;
    }
    switch (code) {
      case 0x2018:
      case 0x2019:
        emit("'");
        break;
      case 0x00C6:
        emit("Ae");
        break;
      case 0x00E6:
        emit("ae");
        break;
      case 0x2014: {
        const char dash = static_cast<char>(kDashByte);
        emit(std::string_view(&dash, 1));
        break;
      }
      case 0x00B6: {
        const char pilcrow = static_cast<char>(kPilcrowByte);
        emit(std::string_view(&pilcrow, 1));
        break;
      }
      default:
        *error = "unexpected character " + CodePointName(code);
        return false;
    }
  }
  return true;
}

}  // namespace detail

// The rule every stored text keeps: '[' and ']' come in pairs, one pair at a
// time, never one inside another. The displays and the output turn italics
// on at '[' and off at ']', so a nested or unpaired bracket would leave
// supplied words upright or ordinary words in italics.
inline bool CheckSuppliedBrackets(std::string_view text, std::string* error) {
  bool open = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '[') {
      if (open) {
        *error = "'[' inside brackets at byte " + std::to_string(i);
        return false;
      }
      open = true;
    } else if (text[i] == ']') {
      if (!open) {
        *error = "']' without its '[' at byte " + std::to_string(i);
        return false;
      }
      open = false;
    }
  }
  if (open) {
    *error = "'[' is never closed";
    return false;
  }
  return true;
}

// Turns one verse's OSIS markup into the stored text: printable ASCII plus
// the dash byte 0x97 and, only as the very first byte and joined to the first
// word, the pilcrow 0xB6. An empty result is not an error here (headings-only
// slots normalise to nothing); the caller decides. On failure *error says what
// is wrong, without naming the verse.
inline bool NormaliseOsisVerse(std::string_view osis, std::string* text, std::string* error) {
  std::string plain;
  if (!detail::StripMarkup(osis, &plain, error)) return false;
  if (!detail::MapCharacters(plain, text, error)) return false;
  const char pilcrow = static_cast<char>(kPilcrowByte);
  if (!text->empty() && (*text)[0] == pilcrow) {
    if (text->size() > 1 && (*text)[1] == ' ') text->erase(1, 1);
    if (text->size() == 1) {
      *error = "pilcrow with no text after it";
      return false;
    }
  }
  if (text->find(pilcrow, 1) != std::string::npos) {
    *error = "pilcrow inside the verse";
    return false;
  }
  return CheckSuppliedBrackets(*text, error);
}

}  // namespace kv::databuild
