#include "shell/settings.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace kv {

const char* const kSettingsFileName = "Kelvane.Ini";

namespace {

// How a key's value is held in the record and spelled in the file.
enum class Kind {
  Int,         // signed 32-bit, "%d"
  Byte,        // the low 8 bits of the number read, written back as signed
  Text,        // a NUL-terminated buffer of `size` bytes
  Color,       // read as text and parsed, written with "%lu"
  FontHeight,  // clears the font, then height = -value and the fixed precisions
  FontWeight,
  FontFace,
};

// What reading does with a value the rest of the program could not use.
enum class Check {
  None,
  Verse,    // outside 0..31101: the key's default
  NoteSet,  // not the position of a note set: 0
};

struct Field {
  const char* section;
  const char* key;
  Kind kind;
  void* (*at)(const SettingsOwners&);
  int default_value;
  const char* default_text;
  std::size_t size;
  Check check;
};

#define KV_AT(owner, member) [](const SettingsOwners& o) -> void* { return &o.owner->member; }
#define KV_INT(section, key, owner, member, def, check) \
  {section, key, Kind::Int, KV_AT(owner, member), def, nullptr, 0, check}
#define KV_BYTE(section, key, owner, member, def) \
  {section, key, Kind::Byte, KV_AT(owner, member), def, nullptr, 0, Check::None}
#define KV_HISTORY(n) \
  {"SEARCH", "PreviousSearch" #n, Kind::Text,                                                 \
   [](const SettingsOwners& o) -> void* { return o.search->SearchHistory[n].data(); }, 0, " ", kSearchTextSize, Check::None}
#define KV_BOOKMARK(n) {"BOOKMARKS", #n, Kind::Int, KV_AT(shell, Bookmarks[n - 1]), 0, nullptr, 0, Check::Verse}
#define KV_FONT(prefix, owner, member, height, face)                                                         \
  {"OPTIONS", prefix "FontHeight", Kind::FontHeight, KV_AT(owner, member), height, nullptr, 0, Check::None}, \
  {"OPTIONS", prefix "FontWeight", Kind::FontWeight, KV_AT(owner, member), 400, nullptr, 0, Check::None},    \
  {"OPTIONS", prefix "FontName", Kind::FontFace, KV_AT(owner, member), 0, face, kFaceNameSize, Check::None}

// Every key of the file, in the order they are written.
const Field kFields[] = {
    KV_INT("SEARCH", "BooleanType", search, BooleanType, 0, Check::None),
    KV_INT("SEARCH", "CaseSensitive", search, CaseSensitive, 0, Check::None),
    KV_INT("SEARCH", "SubString", search, SubString, 0, Check::None),
    KV_INT("SEARCH", "Proximity", search, Proximity, 0, Check::None),
    KV_INT("SEARCH", "StartVerse", search, StartVerse, 0, Check::Verse),
    KV_INT("SEARCH", "EndVerse", search, EndVerse, kLastVerse, Check::Verse),
    KV_HISTORY(0), KV_HISTORY(1), KV_HISTORY(2), KV_HISTORY(3), KV_HISTORY(4),
    KV_HISTORY(5), KV_HISTORY(6), KV_HISTORY(7), KV_HISTORY(8), KV_HISTORY(9),

    KV_BYTE("FORMAT", "FirstVerseStyle", output, Format.FirstVerseStyle, kLabelFull),
    KV_BYTE("FORMAT", "SubsequentVerseStyle", output, Format.SubsequentVerseStyle, kLabelPartial),
    KV_BYTE("FORMAT", "Location", output, Format.Location, kLabelBefore),
    KV_INT("FORMAT", "LineBreaks", output, Format.LineBreaks, 1, Check::None),
    KV_INT("FORMAT", "ParagraphMarks", output, Format.ParagraphMarks, 1, Check::None),

    KV_INT("VIEW", "VerseListWindow", shell, VerseListWindow, 1, Check::None),
    KV_INT("VIEW", "ReadWindow", shell, ReadWindow, 1, Check::None),
    KV_INT("VIEW", "NotesWindow", shell, NotesWindow, 1, Check::None),
    KV_INT("VIEW", "ToolBar", shell, ToolBar, 1, Check::None),

    KV_BOOKMARK(1), KV_BOOKMARK(2), KV_BOOKMARK(3), KV_BOOKMARK(4), KV_BOOKMARK(5),
    KV_BOOKMARK(6), KV_BOOKMARK(7), KV_BOOKMARK(8), KV_BOOKMARK(9), KV_BOOKMARK(10),

    KV_BYTE("OPTIONS", "Paragraph Format", passage, ParagraphFormat, 0),
    KV_BYTE("OPTIONS", "Italics", passage, Italics, 0),
    {"OPTIONS", "KeyHighlightColor", Kind::Color, KV_AT(verse_list, KeyHighlightColor), 0, nullptr, kColorTextSize,
     Check::None},
    KV_FONT("ReadWindow", passage, ReadWindowFont, 16, "Times New Roman"),
    KV_FONT("VerseList", verse_list, VerseListFont, 16, "Times New Roman"),
    KV_FONT("Note", notes, NoteFont, 12, "Courier New"),

    KV_INT("MISC", "ReadVerse", passage, CurrentVerse, 0, Check::Verse),
    KV_INT("MISC", "Note", note_choice, CurrentNoteSet, 0, Check::NoteSet),
    KV_INT("MISC", "NoteVerse", note_choice, CurrentNoteVerse, 0, Check::Verse),
    KV_INT("MISC", "BindNotes", notes, BindNotes, 0, Check::None),
};

#undef KV_AT
#undef KV_INT
#undef KV_BYTE
#undef KV_HISTORY
#undef KV_BOOKMARK
#undef KV_FONT

const char* const kReadOrder[] = {"MISC", "SEARCH", "FORMAT", "VIEW", "BOOKMARKS", "OPTIONS"};

// Numbers are read as text so that a value that is no number can fall back
// to the key's default instead of reading as 0.
constexpr std::size_t kNumberTextSize = 50;

void CopyText(char* out, std::size_t size, const std::string& text) {
  std::size_t length = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(out, text.data(), length);
  std::memset(out + length, 0, size - length);
}

// The key's number as the system hands it back (32 bits), or the default
// when the key is missing, empty or not a number.
std::int32_t ReadNumber(Profile& profile, const Field& field, const char* default_text) {
  std::string text = profile.GetString(field.section, field.key, default_text, kNumberTextSize);
  std::int64_t value = 0;
  if (!ReadProfileNumber(text.c_str(), &value)) {
    if (!ReadProfileNumber(default_text, &value)) value = field.default_value;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::int32_t Checked(const Field& field, std::int32_t value, const SettingsContext& context) {
  switch (field.check) {
    case Check::None:
      return value;
    case Check::Verse:
      return value >= 0 && value <= kLastVerse ? value : field.default_value;
    case Check::NoteSet:
      return value >= 0 && value < context.note_set_count ? value : 0;
  }
  return value;
}

void ReadField(Profile& profile, const Field& field, const SettingsContext& context, const SettingsOwners& owners) {
  void* at = field.at(owners);
  char number[kNumberTextSize];
  std::snprintf(number, sizeof number, "%d", field.default_value);
  switch (field.kind) {
    case Kind::Int:
      *static_cast<std::int32_t*>(at) = Checked(field, ReadNumber(profile, field, number), context);
      break;
    case Kind::Byte:
      *static_cast<std::uint8_t*>(at) = static_cast<std::uint8_t>(ReadNumber(profile, field, number) & 0xFF);
      break;
    case Kind::Text:
      CopyText(static_cast<char*>(at), field.size,
               profile.GetString(field.section, field.key, field.default_text, field.size));
      break;
    case Kind::Color: {
      std::snprintf(number, sizeof number, "%lu", static_cast<unsigned long>(context.system_highlight_color));
      std::string text = profile.GetString(field.section, field.key, number, field.size);
      std::int64_t value = 0;
      *static_cast<std::uint32_t*>(at) = ReadProfileNumber(text.c_str(), &value)
                                             ? static_cast<std::uint32_t>(value)
                                             : context.system_highlight_color;
      break;
    }
    case Kind::FontHeight: {
      auto* font = static_cast<FontDescription*>(at);
      *font = FontDescription{};
      // The file holds the character height; a negative height asks the
      // font mapper for exactly that.
      font->height = static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(ReadNumber(profile, field, number)));
      font->out_precision = kOutStrokePrecision;
      font->clip_precision = kClipStrokePrecision;
      font->quality = 0;
      break;
    }
    case Kind::FontWeight:
      static_cast<FontDescription*>(at)->weight = ReadNumber(profile, field, number);
      break;
    case Kind::FontFace: {
      auto* font = static_cast<FontDescription*>(at);
      CopyText(font->face_name, sizeof font->face_name,
               profile.GetString(field.section, field.key, field.default_text, field.size));
      break;
    }
  }
}

// |value| in the 32 bits it is held in, without overflowing on the lowest.
unsigned long Magnitude(std::int32_t value) {
  return value < 0 ? 0ul - static_cast<unsigned long>(static_cast<std::int64_t>(value))
                   : static_cast<unsigned long>(value);
}

bool WriteField(Profile& profile, const Field& field, const SettingsOwners& owners) {
  void* at = field.at(owners);
  char number[kNumberTextSize];
  const char* text = number;
  switch (field.kind) {
    case Kind::Int:
      std::snprintf(number, sizeof number, "%d", *static_cast<std::int32_t*>(at));
      break;
    case Kind::Byte:
      std::snprintf(number, sizeof number, "%d", static_cast<int>(static_cast<std::int8_t>(*static_cast<std::uint8_t*>(at))));
      break;
    case Kind::Text:
      text = static_cast<const char*>(at);
      break;
    case Kind::Color:
      std::snprintf(number, sizeof number, "%lu", static_cast<unsigned long>(*static_cast<std::uint32_t*>(at)));
      break;
    case Kind::FontHeight:
      std::snprintf(number, sizeof number, "%lu", Magnitude(static_cast<FontDescription*>(at)->height));
      break;
    case Kind::FontWeight:
      std::snprintf(number, sizeof number, "%lu", Magnitude(static_cast<FontDescription*>(at)->weight));
      break;
    case Kind::FontFace:
      text = static_cast<FontDescription*>(at)->face_name;
      break;
  }
  return profile.WriteString(field.section, field.key, text);
}

}  // namespace

void LoadSettings(Profile& profile, const SettingsContext& context, const SettingsOwners& owners) {
  for (const char* section : kReadOrder)
    for (const Field& field : kFields)
      if (std::strcmp(field.section, section) == 0) ReadField(profile, field, context, owners);
  // A search range that runs backwards would find nothing ever again.
  SearchSettings& search = *owners.search;
  if (search.StartVerse > search.EndVerse) {
    search.StartVerse = 0;
    search.EndVerse = kLastVerse;
  }
}

Settings LoadSettings(Profile& profile, const SettingsContext& context) {
  Settings settings;
  LoadSettings(profile, context, settings.owners());
  return settings;
}

bool SaveSettings(Profile& profile, const SettingsOwners& owners) {
  bool all_written = true;
  for (const Field& field : kFields) all_written = WriteField(profile, field, owners) && all_written;
  return all_written;
}

bool SaveSettings(Profile& profile, const Settings& settings) {
  // The table reaches fields through mutable owners; writing reads a copy.
  Settings copy = settings;
  return SaveSettings(profile, copy.owners());
}

}  // namespace kv
