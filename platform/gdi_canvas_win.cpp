#include "platform/gdi_canvas_win.h"

#include "platform/font_description_win.h"

namespace kv {

GdiFontCanvas::GdiFontCanvas(HDC dc) : dc_(dc), saved_font_(GetCurrentObject(dc, OBJ_FONT)) {}

GdiFontCanvas::~GdiFontCanvas() {
  SelectObject(dc_, saved_font_);
  for (HFONT font : fonts_)
    if (font) DeleteObject(font);
}

TextCanvas::FontId GdiFontCanvas::MakeFont(const FontDescription& font) {
  LOGFONTA description = ToLogFont(font);
  fonts_.push_back(CreateFontIndirectA(&description));
  return static_cast<FontId>(fonts_.size() - 1);
}

void GdiFontCanvas::FreeFont(FontId font) {
  HFONT& handle = fonts_[static_cast<std::size_t>(font)];
  if (!handle) return;
  // A selected font cannot be deleted: put the context's own back first.
  if (GetCurrentObject(dc_, OBJ_FONT) == handle) SelectObject(dc_, saved_font_);
  DeleteObject(handle);
  handle = nullptr;
}

void GdiFontCanvas::UseFont(FontId font) {
  HFONT handle = fonts_[static_cast<std::size_t>(font)];
  if (handle) SelectObject(dc_, handle);
}

int GdiFontCanvas::LineHeight() {
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc_, &metrics);
  return metrics.tmHeight;
}

int GdiFontCanvas::Measure(const char* text, std::size_t size) {
  SIZE extent = {};
  GetTextExtentPoint32A(dc_, text, static_cast<int>(size), &extent);
  return extent.cx;
}

GdiCanvas::GdiCanvas(HDC dc)
    : GdiFontCanvas(dc),
      saved_text_(GetTextColor(dc)),
      saved_background_(GetBkColor(dc)),
      saved_mode_(GetBkMode(dc)) {
  SetBkMode(dc_, OPAQUE);
}

GdiCanvas::~GdiCanvas() {
  SetTextColor(dc_, saved_text_);
  SetBkColor(dc_, saved_background_);
  SetBkMode(dc_, saved_mode_);
}

void GdiCanvas::SetHighlightColor(std::uint32_t color) {
  highlight_ = static_cast<COLORREF>(color);
  if (colors_ == TextColors::Highlight) colors_set_ = false;
}

void GdiCanvas::Draw(int x, int y, const char* text, std::size_t size, TextColors colors) {
  if (!colors_set_ || colors != colors_) {
    COLORREF text_color = GetSysColor(COLOR_WINDOWTEXT);
    COLORREF window_color = GetSysColor(COLOR_WINDOW);
    bool inverse = colors == TextColors::Inverse;
    if (colors == TextColors::Highlight) text_color = highlight_;
    SetTextColor(dc_, inverse ? window_color : text_color);
    SetBkColor(dc_, inverse ? text_color : window_color);
    colors_ = colors;
    colors_set_ = true;
  }
  // Wine draws a TextOutA run with the glyphs' unrounded advances but
  // measures each glyph by its rounded one, so a long word drawn whole falls
  // a few pixels short of the width the layout gave it and leaves a wider gap
  // before the next. Placing every glyph at its measured offset draws a run
  // exactly as wide as Measure said, on every system.
  const int count = static_cast<int>(size);
  extents_.resize(size);
  advances_.resize(size);
  SIZE extent = {};
  if (count > 0 && GetTextExtentExPointA(dc_, text, count, 0, nullptr, extents_.data(), &extent)) {
    int previous = 0;
    for (std::size_t i = 0; i < size; ++i) {
      advances_[i] = extents_[i] - previous;
      previous = extents_[i];
    }
    ExtTextOutA(dc_, x, y, 0, nullptr, text, static_cast<UINT>(count), advances_.data());
  } else {
    TextOutA(dc_, x, y, text, count);
  }
}

PrinterCanvas::PrinterCanvas(HDC dc) : GdiFontCanvas(dc) {
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, RGB(0, 0, 0));
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

void PrinterCanvas::Draw(int x, int y, const char* text, std::size_t size, TextColors) {
  TextOutA(dc_, x, y, text, static_cast<int>(size));
}

}  // namespace kv
