// The note set loader and its repair on any pair of files, in memory. The
// first byte chooses the shape: whether the index is built to fit the data
// (then damaged by the patch at the input's end), cut short, or taken from a
// save that stopped half-way (".temp" files). The rest is the data file.
// Whatever the files hold, the loader ends with a table whose sets all
// describe their data, and it never changes a set it could not make whole.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "notes/note_files.h"
#include "platform/user_services.h"
#include "testing/memory_files.h"

namespace {

class SilentUser final : public kv::UserServices {
 public:
  kv::MessageAnswer Ask(const kv::Message& message) override {
    switch (message.buttons) {
      case kv::MessageButtons::RetryCancel: return kv::MessageAnswer::Cancel;
      case kv::MessageButtons::YesNo: return kv::MessageAnswer::No;
      default: return kv::MessageAnswer::Ok;
    }
  }
};

std::string IndexFor(const std::string& data) {
  std::string index;
  std::size_t at = 0;
  for (int v = 0; v < kv::kVerseCount; ++v) {
    const std::uint32_t start = static_cast<std::uint32_t>(at);
    for (int b = 0; b < 4; ++b) index.push_back(static_cast<char>(start >> (8 * b)));
    std::size_t nul = data.find('\0', at);
    at = nul == std::string::npos ? data.size() : nul + 1;
  }
  return index;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const kv::BibleData& bible = kv::fuzz::RealBible();
  if (size < 1) return 0;
  const std::uint8_t shape = bytes[0];
  std::string data(reinterpret_cast<const char*>(bytes + 1), size - 1);
  std::uint32_t patch_entry = 0, patch_value = 0;
  if ((shape & 1) && data.size() >= 8) {
    std::memcpy(&patch_entry, data.data() + data.size() - 8, 4);
    std::memcpy(&patch_value, data.data() + data.size() - 4, 4);
    data.resize(data.size() - 8);
  }
  // Enough NULs that every verse has a note, when asked.
  if (shape & 2) data.append(static_cast<std::size_t>(kv::kVerseCount), '\0');
  std::string index = IndexFor(data);
  if (shape & 1) {
    const std::size_t at = (patch_entry % kv::kVerseCount) * 4;
    std::memcpy(&index[at], &patch_value, 4);
  }
  if (shape & 4) index.resize((shape >> 4) * 7919 % index.size());

  kv::testing::MemoryFiles files;
  const bool half_saved = (shape & 8) != 0;
  files.files[half_saved ? "Fuzz.nmd.temp" : "Fuzz.nmd"] = data;
  files.files["Fuzz.nmi"] = index;
  if (half_saved && (shape & 0x40)) files.files["Fuzz.nmi.temp"] = IndexFor(data);
  if (shape & 0x80) files.files["Other.nmi"] = index.substr(0, index.size() / 2);
  const auto before = files.files;

  SilentUser user;
  kv::NoNotesView view;
  kv::NotesState state;
  kv::NotesPorts ports{files, user, view, bible};
  kv::DiscoverNoteSets(state, ports);

  KV_FUZZ_CHECK(state.table.count >= 1 && state.table.count <= kv::kMaxNoteSets);
  bool loaded_fuzz = false;
  for (int s = 0; s < state.table.count; ++s) {
    const kv::NoteSet& set = state.table.sets[static_cast<std::size_t>(s)];
    if (!set.has_files) continue;
    if (set.data_file == "Fuzz.nmd") loaded_fuzz = true;
    KV_FUZZ_CHECK(set.index.size() == static_cast<std::size_t>(kv::kVerseCount));
    auto found = files.files.find(set.data_file);
    if (set.unfinished_save || found == files.files.end()) continue;
    const std::string& bytes_on_disk = found->second;
    KV_FUZZ_CHECK(kv::IndexDescribesData(set.index, reinterpret_cast<const unsigned char*>(bytes_on_disk.data()),
                                         bytes_on_disk.size()));
    std::string note;
    kv::ReadNote(files, set, static_cast<kv::VerseIndex>(shape * 97 % kv::kVerseCount), &note);
  }
  // A set that was not loaded keeps its files as they were.
  if (!loaded_fuzz && !half_saved) {
    KV_FUZZ_CHECK(files.files.count("Fuzz.nmd") && files.files["Fuzz.nmd"] == before.at("Fuzz.nmd"));
    KV_FUZZ_CHECK(files.files.count("Fuzz.nmi") && files.files["Fuzz.nmi"] == before.at("Fuzz.nmi"));
  }
  return 0;
}
