// Reading one testament of a SWORD zText module (BOOK-sized zlib blocks):
// the block table (.bzs), the compressed blocks (.bzz) and the verse slot
// table (.bzv), giving the raw markup of every slot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv::databuild {

// Slot 0 of each testament is empty and slot 1 holds the module header; then
// each book has an introduction slot, each chapter an introduction slot, and
// each verse one slot.
constexpr std::size_t kFirstBookSlot = 2;

class Testament {
 public:
  // Loads `<folder>/<prefix>.bzs`, `.bzz` and `.bzv` and unpacks every block.
  // The tables are checked as they are read: sizes, block numbers, offsets
  // within the unpacked blocks, and the stated unpacked size of each block.
  bool Load(const std::string& folder, const std::string& prefix, std::string* error);

  std::size_t SlotCount() const { return slots_.size(); }
  // The raw markup of a slot; empty for an empty slot.
  std::string_view SlotText(std::size_t slot) const;
  // Finds two slots whose bytes overlap: each slot should have text of its
  // own, and a slot pointing at its neighbour's verse is a fault no marker
  // would reveal.
  bool FindSharedText(std::size_t* first, std::size_t* second) const;

 private:
  struct Slot {
    std::uint32_t block = 0;
    std::uint32_t offset = 0;
    std::uint16_t size = 0;
  };
  std::vector<std::string> blocks_;
  std::vector<Slot> slots_;
};

}  // namespace kv::databuild
