#include "tools/databuild/ztext_module.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <tuple>

namespace kv::databuild {
namespace {

constexpr std::size_t kBlockEntryBytes = 12;  // offset, size, unpacked size
constexpr std::size_t kSlotEntryBytes = 10;   // block, offset, size

bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot open " + path;
    return false;
  }
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    *error = "cannot read " + path;
    return false;
  }
  return true;
}

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
  auto b = [&](std::size_t k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + k])); };
  return b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24;
}

std::uint16_t U16At(const std::string& bytes, std::size_t at) {
  auto b = [&](std::size_t k) { return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at + k])); };
  return static_cast<std::uint16_t>(b(0) | b(1) << 8);
}

}  // namespace

bool Testament::Load(const std::string& folder, const std::string& prefix, std::string* error) {
  const std::string base = folder + "/" + prefix;
  std::string block_table, packed, slot_table;
  if (!ReadWholeFile(base + ".bzs", &block_table, error) || !ReadWholeFile(base + ".bzz", &packed, error) ||
      !ReadWholeFile(base + ".bzv", &slot_table, error))
    return false;
  if (block_table.empty() || block_table.size() % kBlockEntryBytes != 0) {
    *error = base + ".bzs: size " + std::to_string(block_table.size()) + " is not a whole number of block entries";
    return false;
  }
  if (slot_table.empty() || slot_table.size() % kSlotEntryBytes != 0) {
    *error = base + ".bzv: size " + std::to_string(slot_table.size()) + " is not a whole number of slot entries";
    return false;
  }

  blocks_.clear();
  for (std::size_t at = 0; at < block_table.size(); at += kBlockEntryBytes) {
    const std::size_t number = at / kBlockEntryBytes;
    const std::uint32_t offset = U32At(block_table, at);
    const std::uint32_t size = U32At(block_table, at + 4);
    const std::uint32_t unpacked_size = U32At(block_table, at + 8);
    const std::string where = base + ".bzz block " + std::to_string(number);
    if (offset > packed.size() || size > packed.size() - offset) {
      *error = where + " lies outside the file";
      return false;
    }
    std::string unpacked(unpacked_size, '\0');
    uLongf unpacked_length = unpacked_size;
    int status = uncompress(reinterpret_cast<Bytef*>(unpacked.data()), &unpacked_length,
                            reinterpret_cast<const Bytef*>(packed.data() + offset), size);
    if (status != Z_OK) {
      *error = where + " does not unpack (zlib error " + std::to_string(status) + ")";
      return false;
    }
    if (unpacked_length != unpacked_size) {
      *error = where + " unpacks to " + std::to_string(unpacked_length) + " bytes, not the " +
               std::to_string(unpacked_size) + " its entry states";
      return false;
    }
    blocks_.push_back(std::move(unpacked));
  }

  slots_.clear();
  for (std::size_t at = 0; at < slot_table.size(); at += kSlotEntryBytes) {
    Slot slot{U32At(slot_table, at), U32At(slot_table, at + 4), U16At(slot_table, at + 8)};
    if (slot.size != 0) {
      const std::string where = base + ".bzv slot " + std::to_string(at / kSlotEntryBytes);
      if (slot.block >= blocks_.size()) {
        *error = where + " names block " + std::to_string(slot.block) + " of " + std::to_string(blocks_.size());
        return false;
      }
      const std::string& block = blocks_[slot.block];
      if (slot.offset > block.size() || slot.size > block.size() - slot.offset) {
        *error = where + " lies outside its block";
        return false;
      }
    }
    slots_.push_back(slot);
  }
  return true;
}

bool Testament::FindSharedText(std::size_t* first, std::size_t* second) const {
  std::vector<std::size_t> order;
  for (std::size_t n = 0; n < slots_.size(); ++n)
    if (slots_[n].size != 0) order.push_back(n);
  std::sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
    return std::tie(slots_[a].block, slots_[a].offset) < std::tie(slots_[b].block, slots_[b].offset);
  });
  for (std::size_t k = 1; k < order.size(); ++k) {
    const Slot& before = slots_[order[k - 1]];
    const Slot& after = slots_[order[k]];
    if (before.block == after.block && before.offset + before.size > after.offset) {
      *first = std::min(order[k - 1], order[k]);
      *second = std::max(order[k - 1], order[k]);
      return true;
    }
  }
  return false;
}

std::string_view Testament::SlotText(std::size_t slot) const {
  const Slot& s = slots_[slot];
  if (s.size == 0) return {};
  return std::string_view(blocks_[s.block]).substr(s.offset, s.size);
}

}  // namespace kv::databuild
