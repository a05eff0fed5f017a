// The text canvas over a GDI device context, for the screen and for the
// printer. The paint pass draws through the screen canvas, the measure pass
// and the hit test only measure; the printed pages are laid out on the
// printer canvas. Each puts back the context as it found it when it goes.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/text_canvas.h"

namespace kv {

// What both canvases share: the fonts made on the context, selected into it
// and deleted with the canvas, and the measuring.
class GdiFontCanvas : public TextCanvas {
 public:
  explicit GdiFontCanvas(HDC dc);
  ~GdiFontCanvas() override;
  GdiFontCanvas(const GdiFontCanvas&) = delete;
  GdiFontCanvas& operator=(const GdiFontCanvas&) = delete;

  FontId MakeFont(const FontDescription& font) override;
  void FreeFont(FontId font) override;
  void UseFont(FontId font) override;
  int LineHeight() override;
  int Measure(const char* text, std::size_t size) override;

 protected:
  HDC dc_;

 private:
  HGDIOBJ saved_font_;
  std::vector<HFONT> fonts_;
};

// The screen: the window's text and background colours, swapped for a
// selection, and the highlight colour for searched words.
class GdiCanvas final : public GdiFontCanvas {
 public:
  explicit GdiCanvas(HDC dc);
  ~GdiCanvas() override;

  void Draw(int x, int y, const char* text, std::size_t size, TextColors colors) override;
  void SetHighlightColor(std::uint32_t color) override;

 private:
  COLORREF saved_text_;
  COLORREF saved_background_;
  int saved_mode_;
  bool colors_set_ = false;
  TextColors colors_ = TextColors::Normal;
  COLORREF highlight_ = 0;
  // Draw's working space, kept so a paint allocates once, not per word.
  std::vector<int> extents_;
  std::vector<int> advances_;
};

// The printer: black text drawn without a background, whatever colours the
// layout asks for.
class PrinterCanvas final : public GdiFontCanvas {
 public:
  explicit PrinterCanvas(HDC dc);

  void Draw(int x, int y, const char* text, std::size_t size, TextColors colors) override;
  void SetHighlightColor(std::uint32_t) override {}
};

}  // namespace kv
