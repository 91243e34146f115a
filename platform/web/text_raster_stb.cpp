// stb_truetype renders the browser's text, laid out like FreeType's hinted
// output on the desktop: whole-pixel advances, line height and baseline
// rounded up from the font's ascender and descender, bold made by widening
// each glyph by a pixel (the line one pixel wider, advances unchanged).
#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb_truetype.h>

#include <algorithm>
#include <cmath>

#include "platform/text_raster.h"

namespace {

// Code points of a UTF-8 string; a broken sequence becomes U+FFFD.
std::vector<int> CodePoints(const std::string& utf8) {
  std::vector<int> out;
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  size_t n = utf8.size(), i = 0;
  while (i < n) {
    unsigned c = p[i];
    int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > n) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    int cp = len == 1 ? c : static_cast<int>(c & (0x7F >> len));
    bool ok = true;
    for (int k = 1; k < len; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) ok = false;
      cp = cp << 6 | (p[i + k] & 0x3F);
    }
    out.push_back(ok ? cp : 0xFFFD);
    i += ok ? len : 1;
  }
  return out;
}

class StbRasterizer : public TextRasterizer {
 public:
  bool Open(const std::vector<char>& font) {
    const auto* data = reinterpret_cast<const unsigned char*>(font.data());
    int offset = stbtt_GetFontOffsetForIndex(data, 0);
    return offset >= 0 && stbtt_InitFont(&info_, data, offset) != 0;
  }

  bool Render(const std::string& utf8, int pixel_size, bool bold, TextRun& run) override {
    if (utf8.empty()) return false;
    Layout layout = Lay(utf8, pixel_size, bold);
    if (layout.width <= 0) return false;
    run.w = layout.width;
    run.h = layout.height;
    run.alpha.assign(static_cast<size_t>(run.w) * run.h, 0);
    float scale = stbtt_ScaleForMappingEmToPixels(&info_, static_cast<float>(pixel_size));
    std::vector<unsigned char> glyph;
    for (const Placed& g : layout.glyphs) {
      int x0, y0, x1, y1;
      stbtt_GetGlyphBitmapBox(&info_, g.index, scale, scale, &x0, &y0, &x1, &y1);
      int gw = x1 - x0, gh = y1 - y0;
      if (gw <= 0 || gh <= 0) continue;
      glyph.assign(static_cast<size_t>(gw) * gh, 0);
      stbtt_MakeGlyphBitmap(&info_, glyph.data(), gw, gh, gw, scale, scale, g.index);
      // Bold: the glyph laid over itself shifted right, pixel by pixel.
      for (int shift = 0; shift <= layout.overhang; ++shift) {
        for (int y = 0; y < gh; ++y) {
          int ty = layout.ascent + y0 + y;
          if (ty < 0 || ty >= run.h) continue;
          for (int x = 0; x < gw; ++x) {
            int tx = g.x + x0 + x + shift;
            if (tx < 0 || tx >= run.w) continue;
            uint8_t& a = run.alpha[static_cast<size_t>(ty) * run.w + tx];
            a = std::max<uint8_t>(a, glyph[static_cast<size_t>(y) * gw + x]);
          }
        }
      }
    }
    return true;
  }

  bool Measure(const std::string& utf8, int pixel_size, bool bold, int& w, int& h) override {
    if (utf8.empty()) return false;
    Layout layout = Lay(utf8, pixel_size, bold);
    w = layout.width;
    h = layout.height;
    return true;
  }

  int LineHeight(int pixel_size, bool) override { return Metrics(pixel_size).height; }

 private:
  struct Placed {
    int index;  // glyph
    int x;      // pen position, pixels
  };
  struct Layout {
    std::vector<Placed> glyphs;
    int width = 0, height = 0, ascent = 0, overhang = 0;
  };
  struct Vertical {
    int ascent, height;
  };

  Vertical Metrics(int pixel_size) {
    int ascent, descent, gap;
    stbtt_GetFontVMetrics(&info_, &ascent, &descent, &gap);
    float scale = stbtt_ScaleForMappingEmToPixels(&info_, static_cast<float>(pixel_size));
    return {static_cast<int>(std::ceil(ascent * scale)),
            static_cast<int>(std::ceil((ascent - descent) * scale))};
  }

  Layout Lay(const std::string& utf8, int pixel_size, bool bold) {
    Layout layout;
    float scale = stbtt_ScaleForMappingEmToPixels(&info_, static_cast<float>(pixel_size));
    Vertical v = Metrics(pixel_size);
    layout.ascent = v.ascent;
    layout.height = v.height;
    layout.overhang = bold ? 1 : 0;
    int pen = 0;
    for (int cp : CodePoints(utf8)) {
      int index = stbtt_FindGlyphIndex(&info_, cp);
      int advance, bearing;
      stbtt_GetGlyphHMetrics(&info_, index, &advance, &bearing);
      layout.glyphs.push_back({index, pen});
      pen += static_cast<int>(std::lround(advance * scale));
    }
    layout.width = pen + layout.overhang;
    return layout;
  }

  stbtt_fontinfo info_{};
};

}  // namespace

std::unique_ptr<TextRasterizer> CreateStbRasterizer(const std::vector<char>& font) {
  if (font.empty()) return nullptr;
  auto r = std::make_unique<StbRasterizer>();
  if (!r->Open(font)) return nullptr;
  return r;
}
