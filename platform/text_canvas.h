// The text canvas port: what a layout needs from a drawing surface. The
// program implements it over a GDI device context, for the screen and the
// printer (gdi_canvas_win.h); tests use a fixed-metric fake, so a layout is
// checked without Windows.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/font_description.h"

namespace kv {

// Normal: window text on the window background. Inverse: the two swapped,
// which is how a selection is shown. Highlight: the highlight colour set on
// the canvas on the window background, for the searched words.
enum class TextColors { Normal, Inverse, Highlight };

class TextCanvas {
 public:
  using FontId = int;

  virtual ~TextCanvas() = default;
  // A font made from `font`, alive until FreeFont.
  virtual FontId MakeFont(const FontDescription& font) = 0;
  virtual void FreeFont(FontId font) = 0;
  virtual void UseFont(FontId font) = 0;
  // The height of a line of the selected font (its tmHeight).
  virtual int LineHeight() = 0;
  // The width of `size` bytes in the selected font.
  virtual int Measure(const char* text, std::size_t size) = 0;
  // Draws `size` bytes in the selected font with their top-left at (x, y).
  virtual void Draw(int x, int y, const char* text, std::size_t size, TextColors colors) = 0;
  // The text colour of TextColors::Highlight, 0x00BBGGRR.
  virtual void SetHighlightColor(std::uint32_t color) = 0;
};

}  // namespace kv
