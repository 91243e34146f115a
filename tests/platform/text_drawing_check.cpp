// Text on the canvas against the rasteriser's own coverage blended by hand:
// the kept runs and sizes must never stand in for another text, size,
// weight or colour, the caches stay bounded however many texts go by, and
// every blending unit of this machine gives the same pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/text_blend.h"
#include "platform/text_cache.h"
#include "platform/text_raster.h"
#include "tests/platform/game_font.h"

namespace {

// One channel: (colour * (a + 1) + pixel * (255 - a)) / 256; no coverage
// leaves the pixel.
uint32_t Blended(uint32_t pixel, uint32_t color, uint32_t a) {
  if (a == 0) return pixel;
  uint32_t out = 0;
  for (int shift : {0, 8, 16}) {
    uint32_t c = (color >> shift) & 0xFF, p = (pixel >> shift) & 0xFF;
    out |= ((c * (a + 1) + p * (255 - a)) / 256) << shift;
  }
  return out;
}

TEST(TextBlend, EveryUnitMatchesTheFormulaAtEveryCoverage) {
  std::mt19937 random(7);
  auto byte = [&] { return static_cast<uint32_t>(random() & 0xFF); };
  for (BlendUnit unit : BlendUnitsHere()) {
    // All coverages against channel values at both ends and in the middle.
    const uint32_t levels[] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF};
    for (uint32_t c : levels)
      for (uint32_t p : levels) {
        std::vector<uint8_t> cover(256);
        std::vector<uint32_t> pixels(256), want(256);
        for (int a = 0; a < 256; ++a) {
          cover[a] = static_cast<uint8_t>(a);
          pixels[a] = p << 16 | (255 - p) << 8 | p;
          want[a] = Blended(pixels[a], c << 16 | c << 8 | (255 - c), a);
        }
        BlendCoverOn(unit, pixels.data(), cover.data(), 256, c << 16 | c << 8 | (255 - c));
        ASSERT_EQ(pixels, want) << "unit " << static_cast<int>(unit) << " c " << c << " p " << p;
      }
    // Every length up to a few blocks, so that whole blocks and the pixels
    // after them both count, with coverage mostly 0 or 255 as in text.
    for (int n = 0; n <= 40; ++n) {
      std::vector<uint8_t> cover(n);
      std::vector<uint32_t> pixels(n + 1), want(n + 1);
      uint32_t color = byte() << 16 | byte() << 8 | byte();
      for (int i = 0; i < n; ++i) {
        uint32_t kind = byte() % 4;
        cover[i] = static_cast<uint8_t>(kind == 0 ? 0 : kind == 1 ? 255 : byte());
        pixels[i] = byte() << 16 | byte() << 8 | byte();
        want[i] = Blended(pixels[i], color, cover[i]);
      }
      pixels[n] = want[n] = 0x123456;  // just past the end: untouched
      BlendCoverOn(unit, pixels.data(), cover.data(), n, color | 0xAB000000);
      ASSERT_EQ(pixels, want) << "unit " << static_cast<int>(unit) << " n " << n;
    }
  }
}

// A background where every pixel differs from its neighbours, so a run
// blended at the wrong place or from the wrong coverage shows.
Bitmap Textured(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, (x * 0x0F1D35 + y * 0x2B0719) & 0xFFFFFF);
  return b;
}

class TextOnCanvas : public ::testing::Test {
 protected:
  void SetUp() override {
    static const std::vector<char> font = ReadGameFont();
    ASSERT_FALSE(font.empty()) << "install fonts-ipafont-gothic";
    raster_ = CreateTtfRasterizer(font);
    ASSERT_TRUE(raster_);
  }

  // Draws `text` at (x, y) in `font` on a fresh textured canvas and holds
  // every pixel against the rasteriser's coverage blended by hand, and the
  // canvas's sizes against the rasteriser's.
  void Check(const std::string& text, const TFont& font, int x, int y, bool fill = false) {
    SCOPED_TRACE(text + " size " + std::to_string(font.size) + (font.bold ? " bold" : "") + " colour " +
                 std::to_string(font.color) + " at " + std::to_string(x) + "," + std::to_string(y));
    const int w = 150, h = 40;
    Bitmap canvas = Textured(w, h), want = Textured(w, h);
    canvas.font = font;
    canvas.brush_clear = !fill;
    canvas.brush_color = 0x3366CC;
    canvas.TextOut(x, y, text);

    int px = PointsToPixels(font.size);
    TextRun run;
    ASSERT_TRUE(raster_->Render(text, px, font.bold, run));
    int mw = 0, mh = 0;
    ASSERT_TRUE(raster_->Measure(text, px, font.bold, mw, mh));
    EXPECT_EQ(canvas.TextWidth(text), mw);
    EXPECT_EQ(canvas.TextHeight(text), mh);
    for (int ry = 0; ry < run.h; ++ry)
      for (int rx = 0; rx < run.w; ++rx) {
        int cx = x + rx, cy = y + ry;
        if (cx < 0 || cy < 0 || cx >= w || cy >= h) continue;
        uint32_t under = fill ? 0x3366CC : want.Pixel(cx, cy);
        want.SetPixel(cx, cy, Blended(under, font.color, run.alpha[ry * run.w + rx]));
      }
    int wrong = 0;
    for (int cy = 0; cy < h; ++cy)
      for (int cx = 0; cx < w; ++cx) wrong += canvas.Pixel(cx, cy) != want.Pixel(cx, cy);
    EXPECT_EQ(wrong, 0);
  }

  std::unique_ptr<TextRasterizer> raster_;
};

TEST_F(TextOnCanvas, AKeptRunNeverStandsInForAnotherText) {
  TFont font;
  font.size = 10;
  font.bold = true;
  font.color = 0xFFE800;
  const std::string line = "お客さんが来たよ 7";
  Check(line, font, 5, 10);
  font.color = 0x555555;  // the same text in its shadow's colour
  Check(line, font, 6, 11);
  font.bold = false;
  Check(line, font, 5, 10);
  font.size = 12;
  Check(line, font, 5, 10);
  font.size = 8;
  Check(line, font, 5, 10);
  // Another text at the same place, then one a character shorter or longer.
  Check("お客さんが来たよ 8", font, 5, 10);
  Check("お客さんが来たよ ", font, 5, 10);
  Check("お客さんが来たよ 78", font, 5, 10);
  // With the background filled first.
  Check(line, font, 5, 10, true);
}

TEST_F(TextOnCanvas, RunsCutByEveryEdgeOfTheCanvas) {
  TFont font;
  font.size = 10;
  font.bold = true;
  font.color = 0x00B50E;
  const std::string line = "ようこそいらっしゃいませ";
  for (int x : {-200, -37, -3, 0, 1, 7, 60, 95, 143, 149, 150})
    for (int y : {-14, -5, 0, 3, 30, 36, 39, 40}) Check(line, font, x, y);
  // Narrow texts, shorter than one block of the blending.
  for (const char* narrow : {"i", "!", "包"})
    for (int x : {-1, 0, 146, 149}) Check(narrow, font, x, 12);
}

TEST_F(TextOnCanvas, CachesStayBoundedAndForgottenTextsComeBackRight) {
  TFont font;
  font.size = 10;
  font.color = 0xDDDD88;
  Bitmap canvas(200, 30);
  canvas.font = font;
  canvas.brush_clear = true;
  // Many more short texts than the caches keep.
  for (int i = 0; i < 3 * static_cast<int>(kTextCacheEntries); ++i) {
    std::string text = "いらっしゃいませ " + std::to_string(i);
    canvas.TextOut(0, 0, text);
    canvas.TextWidth(text);
  }
  TextCacheUse use = TextCacheUsage();
  EXPECT_EQ(use.runs, kTextCacheEntries);
  EXPECT_EQ(use.sizes, kTextCacheEntries);
  EXPECT_LE(use.run_bytes, kTextCacheBytes);
  // Long texts fill the bytes long before the count.
  font.size = 16;
  canvas.font = font;
  std::string long_text;
  for (int i = 0; i < 40; ++i) long_text += "次のお客様どうぞ";
  for (int i = 0; i < 120; ++i) canvas.TextOut(0, 0, long_text + std::to_string(i));
  use = TextCacheUsage();
  EXPECT_LE(use.run_bytes, kTextCacheBytes);
  EXPECT_LT(use.runs, 120u);
  EXPECT_GE(use.run_bytes, kTextCacheBytes / 2);  // it does keep what fits
  // The first texts were forgotten long ago and must come back right.
  font.size = 10;
  Check("いらっしゃいませ 0", font, 3, 4);
  Check("いらっしゃいませ 1", font, 3, 4);
}

}  // namespace
