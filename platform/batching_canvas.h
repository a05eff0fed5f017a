// A text canvas in front of another that joins the runs a layout draws one
// after another on one line, in one font and one set of colours, into a
// single draw. A layout places the pieces of a line left to right, each
// where the one before it ended, and widths add up, so the joined run draws
// the same glyphs at the same places with far fewer calls. Everything else
// goes straight through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/text_canvas.h"

namespace kv {

class BatchingCanvas final : public TextCanvas {
 public:
  explicit BatchingCanvas(TextCanvas& inner) : inner_(inner) {}
  ~BatchingCanvas() override { Flush(); }
  BatchingCanvas(const BatchingCanvas&) = delete;
  BatchingCanvas& operator=(const BatchingCanvas&) = delete;

  FontId MakeFont(const FontDescription& font) override { return inner_.MakeFont(font); }
  void FreeFont(FontId font) override {
    Flush();
    inner_.FreeFont(font);
  }
  void UseFont(FontId font) override {
    font_ = font;
    has_font_ = true;
    inner_.UseFont(font);
  }
  int LineHeight() override { return inner_.LineHeight(); }
  int Measure(const char* text, std::size_t size) override { return inner_.Measure(text, size); }
  void Draw(int x, int y, const char* text, std::size_t size, TextColors colors) override {
    if (pending_ && (y != y_ || x < x_ || colors != colors_ || !has_font_ || font_ != run_font_)) Flush();
    if (!pending_) {
      pending_ = true;
      x_ = x;
      y_ = y;
      colors_ = colors;
      run_font_ = font_;
      run_.clear();
    }
    run_.append(text, size);
  }
  void SetHighlightColor(std::uint32_t color) override {
    Flush();
    inner_.SetHighlightColor(color);
  }

  // Draws the run held back, in its own font, and selects the current one
  // again.
  void Flush() {
    if (!pending_) return;
    pending_ = false;
    if (run_font_ != font_) inner_.UseFont(run_font_);
    inner_.Draw(x_, y_, run_.data(), run_.size(), colors_);
    if (run_font_ != font_ && has_font_) inner_.UseFont(font_);
  }

 private:
  TextCanvas& inner_;
  FontId font_ = 0;
  bool has_font_ = false;
  bool pending_ = false;
  int x_ = 0, y_ = 0;
  TextColors colors_ = TextColors::Normal;
  FontId run_font_ = 0;
  std::string run_;
};

}  // namespace kv
