// A font as the Win32 LOGFONTA describes it, kept portable: the settings
// store it and the text canvas makes fonts from it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kv {

constexpr std::size_t kFaceNameSize = 32;  // LF_FACESIZE
constexpr std::int32_t kBoldWeight = 700;  // FW_BOLD
constexpr std::int32_t kNormalWeight = 400;  // FW_NORMAL

struct FontDescription {
  std::int32_t height = 0;  // negative: the character height
  std::int32_t width = 0;
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  std::int32_t weight = 0;
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strike_out = 0;
  std::uint8_t char_set = 0;
  std::uint8_t out_precision = 0;
  std::uint8_t clip_precision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitch_and_family = 0;
  char face_name[kFaceNameSize] = {};
};

}  // namespace kv
