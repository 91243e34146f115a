// Lines of text as coverage, from one TrueType font held in memory. The
// desktop renders with SDL_ttf, the browser with stb_truetype; the canvas
// (Bitmap::TextOut) only ever sees the coverage.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TextRun {
  int w = 0, h = 0;            // pixels; h is the font's line height
  std::vector<uint8_t> alpha;  // 0-255 coverage, w * h, row by row
};

class TextRasterizer {
 public:
  virtual ~TextRasterizer() = default;
  // One line at `pixel_size` pixels (em size), bold synthesized. False when
  // nothing could be rendered.
  virtual bool Render(const std::string& utf8, int pixel_size, bool bold, TextRun& run) = 0;
  // The size Render would give, without rendering.
  virtual bool Measure(const std::string& utf8, int pixel_size, bool bold, int& w, int& h) = 0;
  virtual int LineHeight(int pixel_size, bool bold) = 0;
};

// Both read `font`, which must outlive them. Null when it is no usable font.
std::unique_ptr<TextRasterizer> CreateTtfRasterizer(const std::vector<char>& font);
std::unique_ptr<TextRasterizer> CreateStbRasterizer(const std::vector<char>& font);
