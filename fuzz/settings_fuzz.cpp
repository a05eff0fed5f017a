// The settings reader on any "Kelvane.Ini": reading never fails, and what it
// gives stays inside the Bible and the note sets whatever the file says.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "shell/settings.h"
#include "testing/memory_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  kv::testing::MemoryFiles files;
  files.files[kv::kSettingsFileName] = std::string(reinterpret_cast<const char*>(bytes), size);
  auto profile = kv::MakeIniProfile(files, kv::kSettingsFileName);
  kv::SettingsContext context;
  context.note_set_count = size > 0 ? 1 + bytes[0] % 30 : 1;
  context.system_highlight_color = 0x00FF8000;
  const kv::Settings settings = kv::LoadSettings(*profile, context);
  KV_FUZZ_CHECK(settings.CurrentVerse >= 0 && settings.CurrentVerse <= kv::kLastVerse);
  KV_FUZZ_CHECK(settings.CurrentNoteVerse >= 0 && settings.CurrentNoteVerse <= kv::kLastVerse);
  KV_FUZZ_CHECK(settings.CurrentNoteSet >= 0 && settings.CurrentNoteSet < context.note_set_count);
  KV_FUZZ_CHECK(settings.StartVerse >= 0 && settings.StartVerse <= kv::kLastVerse);
  KV_FUZZ_CHECK(settings.EndVerse >= 0 && settings.EndVerse <= kv::kLastVerse);
  for (const auto& slot : settings.SearchHistory) {
    bool ended = false;
    for (char c : slot) ended = ended || c == '\0';
    KV_FUZZ_CHECK(ended);
  }
  // What was read writes back and reads back the same.
  auto copy = kv::MakeIniProfile(files, "Copy.Ini");
  KV_FUZZ_CHECK(kv::SaveSettings(*copy, settings));
  const kv::Settings again = kv::LoadSettings(*copy, context);
  KV_FUZZ_CHECK(again.CurrentVerse == settings.CurrentVerse);
  KV_FUZZ_CHECK(again.CurrentNoteVerse == settings.CurrentNoteVerse);
  KV_FUZZ_CHECK(again.Bookmarks == settings.Bookmarks);
  return 0;
}
