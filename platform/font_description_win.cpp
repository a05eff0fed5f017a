#include "platform/font_description_win.h"

#include <cstring>

namespace kv {

LOGFONTA ToLogFont(const FontDescription& font) {
  LOGFONTA out = {};
  out.lfHeight = font.height;
  out.lfWidth = font.width;
  out.lfEscapement = font.escapement;
  out.lfOrientation = font.orientation;
  out.lfWeight = font.weight;
  out.lfItalic = font.italic;
  out.lfUnderline = font.underline;
  out.lfStrikeOut = font.strike_out;
  out.lfCharSet = font.char_set;
  out.lfOutPrecision = font.out_precision;
  out.lfClipPrecision = font.clip_precision;
  out.lfQuality = font.quality;
  out.lfPitchAndFamily = font.pitch_and_family;
  static_assert(sizeof out.lfFaceName == kFaceNameSize, "face name buffers differ");
  std::memcpy(out.lfFaceName, font.face_name, kFaceNameSize);
  out.lfFaceName[kFaceNameSize - 1] = '\0';
  return out;
}

FontDescription FromLogFont(const LOGFONTA& font) {
  FontDescription out;
  out.height = font.lfHeight;
  out.width = font.lfWidth;
  out.escapement = font.lfEscapement;
  out.orientation = font.lfOrientation;
  out.weight = font.lfWeight;
  out.italic = font.lfItalic;
  out.underline = font.lfUnderline;
  out.strike_out = font.lfStrikeOut;
  out.char_set = font.lfCharSet;
  out.out_precision = font.lfOutPrecision;
  out.clip_precision = font.lfClipPrecision;
  out.quality = font.lfQuality;
  out.pitch_and_family = font.lfPitchAndFamily;
  std::memcpy(out.face_name, font.lfFaceName, kFaceNameSize);
  out.face_name[kFaceNameSize - 1] = '\0';
  return out;
}

}  // namespace kv
