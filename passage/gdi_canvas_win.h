// The text canvas over a GDI device context: the paint pass draws through
// it, the measure pass and the hit test only measure. It restores the
// context's font, colours and background mode when it goes.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/text_canvas.h"

namespace kv {

class GdiCanvas final : public TextCanvas {
 public:
  explicit GdiCanvas(HDC dc);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  FontId MakeFont(const FontDescription& font) override;
  void FreeFont(FontId font) override;
  void UseFont(FontId font) override;
  int LineHeight() override;
  int Measure(const char* text, std::size_t size) override;
  void Draw(int x, int y, const char* text, std::size_t size, TextColors colors) override;
  void SetHighlightColor(std::uint32_t color) override;

 private:
  HDC dc_;
  HGDIOBJ saved_font_;
  COLORREF saved_text_;
  COLORREF saved_background_;
  int saved_mode_;
  bool colors_set_ = false;
  TextColors colors_ = TextColors::Normal;
  COLORREF highlight_ = 0;
  std::vector<HFONT> fonts_;
  // Draw's working space, kept so a paint allocates once, not per word.
  std::vector<int> extents_;
  std::vector<int> advances_;
};

}  // namespace kv
