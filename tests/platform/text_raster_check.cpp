// The browser's text rasteriser against the desktop's, on the game's font:
// the same line height, rendered heights within a pixel, widths within a
// pixel a glyph, and ink in the same
// places (most covered pixels of one are covered in the other).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/text_raster.h"
#include "tests/platform/game_font.h"

#ifdef PICOLATTE_HAS_STB_TEXT
namespace {

TEST(TextRasterizers, BrowserTextMatchesTheDesktopsClosely) {
  static const std::vector<char> font = ReadGameFont();
  ASSERT_FALSE(font.empty());
  auto ttf = CreateTtfRasterizer(font);
  auto stb = CreateStbRasterizer(font);
  ASSERT_TRUE(ttf && stb);
  const char* lines[] = {"次のお客様どうぞー", "包む", "LV: 0  金:¥0円", "ロクサンが現れた!!"};
  for (int px : {12, 13, 16, 20}) {
    EXPECT_EQ(stb->LineHeight(px, false), ttf->LineHeight(px, false)) << px;
    for (bool bold : {false, true}) {
      for (const char* line : lines) {
        TextRun a, b;
        ASSERT_TRUE(ttf->Render(line, px, bold, a));
        ASSERT_TRUE(stb->Render(line, px, bold, b));
        EXPECT_LE(std::abs(a.h - b.h), 1) << line << " " << px;
        int glyphs = 0;
        for (const char* p = line; *p; ++p) glyphs += (*p & 0xC0) != 0x80;
        EXPECT_LE(std::abs(a.w - b.w), glyphs)
            << line << " " << px << " " << a.w << " vs " << b.w << (bold ? " bold" : "");
        int ink = 0, shared = 0;
        for (int y = 0; y < std::min(a.h, b.h); ++y)
          for (int x = 0; x < std::min(a.w, b.w); ++x) {
            bool in_a = a.alpha[y * a.w + x] >= 128, in_b = b.alpha[y * b.w + x] >= 64;
            ink += in_a;
            shared += in_a && in_b;
          }
        ASSERT_GT(ink, 0) << line;
        EXPECT_GE(shared * 10, ink * 7) << line << " " << px << (bold ? " bold" : "");
      }
    }
  }
}

TEST(TextRasterizers, RefuseWhatIsNoFont) {
  std::vector<char> junk(4096, 'x');
  EXPECT_EQ(CreateStbRasterizer(junk), nullptr);
  EXPECT_EQ(CreateStbRasterizer({}), nullptr);
}

}  // namespace
#endif
