// A text canvas with fixed metrics for native tests: every byte of a font is
// equally wide, and every draw is recorded, so a test can work out where the
// layout must put each run and check that it did.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/text_canvas.h"

namespace kv::testing {

enum class FontStyle { Normal, Bold, Italic, BoldItalic };

struct DrawnRun {
  int x = 0;
  int y = 0;
  std::string text;
  FontStyle style = FontStyle::Normal;
  TextColors colors = TextColors::Normal;
};

class FixedCanvas final : public TextCanvas {
 public:
  static constexpr int kNormalWidth = 7;
  static constexpr int kBoldWidth = 8;
  static constexpr int kItalicWidth = 6;
  static constexpr int kBoldItalicWidth = 9;
  static constexpr int kLineHeight = 16;

  static int WidthOf(FontStyle style) {
    switch (style) {
      case FontStyle::Bold: return kBoldWidth;
      case FontStyle::Italic: return kItalicWidth;
      case FontStyle::BoldItalic: return kBoldItalicWidth;
      case FontStyle::Normal: break;
    }
    return kNormalWidth;
  }
  static int Width(FontStyle style, const std::string& text) {
    return WidthOf(style) * static_cast<int>(text.size());
  }

  FontId MakeFont(const FontDescription& font) override {
    FontId id = next_id_++;
    const bool bold = font.weight >= kBoldWeight;
    live_[id] = font.italic ? (bold ? FontStyle::BoldItalic : FontStyle::Italic)
                            : bold ? FontStyle::Bold : FontStyle::Normal;
    ++created_;
    return id;
  }
  void FreeFont(FontId font) override { live_.erase(font); }
  void UseFont(FontId font) override { selected_ = live_.at(font); }
  int LineHeight() override { return kLineHeight; }
  int Measure(const char*, std::size_t size) override {
    ++measures_;
    return WidthOf(selected_) * static_cast<int>(size);
  }
  void Draw(int x, int y, const char* text, std::size_t size, TextColors colors) override {
    runs.push_back({x, y, std::string(text, size), selected_, colors});
  }
  void SetHighlightColor(std::uint32_t color) override { highlight_color = color; }

  // Fonts still alive: a pass must delete every font it made.
  std::size_t live_fonts() const { return live_.size(); }
  int created_fonts() const { return created_; }
  int measures() const { return measures_; }

  std::vector<DrawnRun> runs;
  std::uint32_t highlight_color = 0;

 private:
  std::map<FontId, FontStyle> live_;
  FontStyle selected_ = FontStyle::Normal;
  FontId next_id_ = 1;
  int created_ = 0;
  int measures_ = 0;
};

}  // namespace kv::testing
