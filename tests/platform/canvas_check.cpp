// The canvas operations the scene is composed with.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "platform/bitmap.h"

namespace {

Bitmap Filled(int w, int h, Rgb color) {
  Bitmap b(w, h);
  b.brush_color = color;
  b.FillRect(0, 0, w, h);
  return b;
}

TEST(Canvas, TransparentDrawSkipsTheBottomLeftColourOnly) {
  Bitmap sprite = Filled(4, 4, 0xFF00FF);
  sprite.SetPixel(1, 1, 0x123456);
  sprite.SetPixel(2, 2, 0xFF00FE);  // one step off the key: drawn
  sprite.transparent = true;
  Bitmap scene = Filled(10, 10, 0x000080);
  scene.Draw(3, 3, sprite);
  EXPECT_EQ(scene.Pixel(4, 4), 0x123456u);
  EXPECT_EQ(scene.Pixel(5, 5), 0xFF00FEu);
  EXPECT_EQ(scene.Pixel(3, 3), 0x000080u);
  // With a fixed key the bottom-left colour is drawn like any other.
  sprite.auto_key = false;
  sprite.key_color = 0x000000;
  scene.Draw(3, 3, sprite);
  EXPECT_EQ(scene.Pixel(3, 3), 0xFF00FFu);
}

TEST(Canvas, StretchDrawDoublesAndDistortsToTheBox) {
  Bitmap src(2, 1);
  src.SetPixel(0, 0, 0x111111);
  src.SetPixel(1, 0, 0x222222);
  Bitmap dst(8, 8);
  dst.StretchDraw(0, 0, 4, 6, src);  // 2x1 into 4x6
  EXPECT_EQ(dst.Pixel(0, 0), 0x111111u);
  EXPECT_EQ(dst.Pixel(1, 5), 0x111111u);
  EXPECT_EQ(dst.Pixel(2, 0), 0x222222u);
  EXPECT_EQ(dst.Pixel(3, 5), 0x222222u);
  EXPECT_EQ(dst.Pixel(4, 0), 0u);
  EXPECT_EQ(dst.Pixel(0, 6), 0u);
}

TEST(Canvas, CopyRectTakesOnlyTheSourceRectangleDoubled) {
  Bitmap src = Filled(300, 200, 0x00FF00);
  src.brush_color = 0xFF0000;
  src.FillRect(195, 0, 300, 200);  // beyond the 195 x 130 window
  Bitmap dst(390, 260);
  dst.CopyRect(0, 0, 390, 260, src, 0, 0, 195, 130);
  EXPECT_EQ(dst.Pixel(389, 259), 0x00FF00u);
  EXPECT_EQ(dst.Pixel(0, 0), 0x00FF00u);
}

// Nearest-neighbour by hand: the source pixel of every destination pixel of
// the box, where it exists and is not the key.
Bitmap StretchedByHand(const Bitmap& under, int dl, int dt, int dr, int db, const Bitmap& src, int sl, int st,
                       int sr, int sb, bool keyed, Rgb key) {
  Bitmap want = under;
  for (int y = dt; y < db; ++y)
    for (int x = dl; x < dr; ++x) {
      int sx = sl + (x - dl) * (sr - sl) / (dr - dl), sy = st + (y - dt) * (sb - st) / (db - dt);
      if (sx < 0 || sy < 0 || sx >= src.Width() || sy >= src.Height()) continue;
      if (keyed && src.Pixel(sx, sy) == key) continue;
      want.SetPixel(x, y, src.Pixel(sx, sy));
    }
  return want;
}

TEST(Canvas, StretchesCutByTheCanvasAndBySourceRectanglesOffTheSource) {
  Bitmap src(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) src.SetPixel(x, y, (x + y) % 3 == 0 ? 0xFF00FF : 0x010203 * (1 + x + 7 * y));
  src.auto_key = false;
  src.key_color = 0xFF00FF;
  Bitmap under(20, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 20; ++x) under.SetPixel(x, y, 0x102030 + x + 20 * y);
  struct Box {
    int dl, dt, dr, db, sl, st, sr, sb;
  };
  const Box boxes[] = {
      {-9, -4, 15, 13, 0, 0, 7, 5},   // cut on the left and the top
      {6, 5, 31, 22, 0, 0, 7, 5},     // cut on the right and the bottom
      {0, 0, 20, 16, -3, -2, 9, 7},   // the source rectangle hangs off every side
      {2, 1, 5, 15, 4, 0, 12, 5},     // squeezed, mostly past the source's right edge
      {0, 0, 20, 16, -30, 0, -1, 5},  // wholly left of the source
  };
  for (const Box& b : boxes) {
    for (bool keyed : {false, true}) {
      Bitmap dst = under;
      if (keyed) {  // the whole source, whatever the box says of it
        src.transparent = true;
        dst.StretchDraw(b.dl, b.dt, b.dr, b.db, src);
        src.transparent = false;
      } else {
        dst.CopyRect(b.dl, b.dt, b.dr, b.db, src, b.sl, b.st, b.sr, b.sb);
      }
      Bitmap want =
          keyed ? StretchedByHand(under, b.dl, b.dt, b.dr, b.db, src, 0, 0, 7, 5, true, 0xFF00FF)
                : StretchedByHand(under, b.dl, b.dt, b.dr, b.db, src, b.sl, b.st, b.sr, b.sb, false, 0);
      int wrong = 0;
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x) wrong += dst.Pixel(x, y) != want.Pixel(x, y);
      EXPECT_EQ(wrong, 0) << b.dl << "," << b.dt << " " << b.sl << "," << b.sr << (keyed ? " keyed" : "");
    }
  }
}

TEST(Canvas, OrRectBrightensAndBlackAddsNothing) {
  Bitmap scene = Filled(4, 4, 0x102030);
  Bitmap light(4, 4);
  light.SetPixel(1, 1, 0x0F0F0F);
  scene.OrRect(0, 0, 400, 300, light);
  EXPECT_EQ(scene.Pixel(1, 1), 0x1F2F3Fu);
  EXPECT_EQ(scene.Pixel(0, 0), 0x102030u);
}

TEST(Canvas, RectangleOutlineExcludesRightAndBottomEdges) {
  Bitmap b(10, 10);
  b.brush_clear = true;
  b.pen_color = 0xFFFFFF;
  b.Rectangle(2, 2, 6, 4);  // two rows high: all outline
  EXPECT_EQ(b.Pixel(2, 2), 0xFFFFFFu);
  EXPECT_EQ(b.Pixel(5, 3), 0xFFFFFFu);
  EXPECT_EQ(b.Pixel(6, 3), 0u);
  EXPECT_EQ(b.Pixel(2, 4), 0u);
}

TEST(Canvas, EllipseStaysInsideItsBoxAndFillsItsMiddle) {
  Bitmap b(20, 20);
  b.pen_color = b.brush_color = 0xEE55AA;
  b.Ellipse(5, 5, 15, 15);
  EXPECT_EQ(b.Pixel(10, 10), 0xEE55AAu);
  EXPECT_EQ(b.Pixel(5, 5), 0u);    // corner of the box
  EXPECT_EQ(b.Pixel(15, 10), 0u);  // right edge excluded
  EXPECT_EQ(b.Pixel(4, 10), 0u);
}

TEST(Canvas, FloodFillStopsAtTheBorderColour) {
  Bitmap b(20, 20);
  b.pen_color = 0x331122;
  b.MoveTo(10, 10);
  b.LineTo(0, 0);
  b.LineTo(20, 0);
  b.LineTo(10, 10);
  b.SetPixel(10, 10, 0x331122);
  b.brush_color = 0x331122;
  b.FloodFill(10, 5, 0x331122);
  EXPECT_EQ(b.Pixel(10, 5), 0x331122u);
  EXPECT_EQ(b.Pixel(10, 15), 0u);  // outside the triangle
  EXPECT_EQ(b.Pixel(2, 10), 0u);
  // A fill whose colour differs from the border still ends.
  b.brush_color = 0x00FF00;
  b.FloodFill(10, 15, 0x331122);
  EXPECT_EQ(b.Pixel(10, 15), 0x00FF00u);
  EXPECT_EQ(b.Pixel(10, 5), 0x331122u);
}

TEST(Canvas, LineLeavesItsEndPointUndrawn) {
  Bitmap b(10, 10);
  b.pen_color = 0xFFFFFF;
  b.MoveTo(0, 0);
  b.LineTo(5, 0);
  EXPECT_EQ(b.Pixel(4, 0), 0xFFFFFFu);
  EXPECT_EQ(b.Pixel(5, 0), 0u);
}

TEST(Canvas, JapaneseTextHasExtentsAndInk) {
  Bitmap b(200, 40);
  b.brush_clear = true;
  b.font.size = 10;
  b.font.bold = true;
  b.font.color = 0xFFFFFF;
  int w = b.TextWidth("次のお客様どうぞー");
  int h = b.TextHeight("次のお客様どうぞー");
  EXPECT_GT(w, 9 * 8);
  EXPECT_GE(h, PointsToPixels(10));
  b.TextOut(0, 0, "次のお客様どうぞー");
  int lit = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x) lit += b.Pixel(x, y) != 0;
  EXPECT_GT(lit, 50);
  b.font.bold = false;
  EXPECT_LE(b.TextWidth("次のお客様どうぞー"), w);
}

TEST(Canvas, PointSizesRoundToTheNearestPixelAt96Dpi) {
  // 7 pt is 9.33 px, 8 pt 10.67, 10 pt 13.33, 11 pt 14.67.
  EXPECT_EQ(PointsToPixels(7), 9);
  EXPECT_EQ(PointsToPixels(8), 11);
  EXPECT_EQ(PointsToPixels(9), 12);
  EXPECT_EQ(PointsToPixels(10), 13);
  EXPECT_EQ(PointsToPixels(11), 15);
  // The text grows with the pixel size, not with the truncated one.
  Bitmap b(200, 40);
  b.font.bold = false;
  b.font.size = 8;
  const int eight = b.TextWidth("あいうえおかきくけこ");
  b.font.size = 16;  // 21.33: 21 px
  const int sixteen = b.TextWidth("あいうえおかきくけこ");
  EXPECT_NEAR(eight * 21.0 / 11.0, sixteen, 6.0);
}

// Every shape and text drawn with values paints what the canvas state
// would have, and leaves that state (pen position included) as it was.
struct Style {
  Pen pen;
  Brush brush;
  TFont font;
};

bool SamePixels(const Bitmap& a, const Bitmap& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() &&
         std::equal(a.Pixels(), a.Pixels() + a.Width() * a.Height(), b.Pixels());
}

// Each operation drawn from a style's values (s) or from the canvas state.
#define OP(valued, stateful) [](Bitmap& b, const Style* s) { s ? valued : stateful; }

TEST(Canvas, DrawingWithValuesPaintsAsTheCanvasStateAndKeepsIt) {
  const std::vector<void (*)(Bitmap&, const Style*)> ops = {
      OP(b.FillRect(3, 4, 30, 20, s->brush.color), b.FillRect(3, 4, 30, 20)),
      OP(b.Rectangle(2, 3, 33, 25, s->pen, s->brush), b.Rectangle(2, 3, 33, 25)),
      OP(b.Ellipse(1, 2, 36, 28, s->pen, s->brush), b.Ellipse(1, 2, 36, 28)),
      OP(b.Line(2, 3, 35, 17, s->pen), (b.MoveTo(2, 3), b.LineTo(35, 17))),
      OP(b.FloodFill(5, 5, 0x808080, s->brush.color), b.FloodFill(5, 5, 0x808080)),
      OP(b.TextOut(1, 2, "あA", s->font, s->brush), b.TextOut(1, 2, "あA")),
  };
  const Style styles[] = {
      {{0x123456, 1}, {0xABCDEF, false}, {kGameFace, 10, true, 0xFF00FF}},
      {{0xFEDCBA, 3}, kNoBrush, {kGameFace, 7, false, 0x00FF00}},
      {{0x00FF01, 0}, {0x0000FF, false}, {kGameFace, 15, true, 0x000001}},
  };
  auto state = [](const Bitmap& b) {
    return std::tuple(b.pen_color, b.pen_width, b.brush_color, b.brush_clear, b.font.size, b.font.bold,
                      b.font.color);
  };
  Bitmap base(40, 30);
  for (int y = 0; y < 30; ++y) base.SetPixel(20, y, 0x808080);
  base.pen_color = 0x0F0F0F, base.pen_width = 2, base.brush_color = 0x0E0E0E;
  base.font = {kGameFace, 20, false, 0x0D0D0D};
  base.MoveTo(0, 29);
  for (const Style& style : styles) {
    Bitmap want_state = base;
    want_state.pen_color = style.pen.color, want_state.pen_width = style.pen.width;
    want_state.brush_color = style.brush.color, want_state.brush_clear = style.brush.clear;
    want_state.font = style.font;
    ASSERT_GT(want_state.TextWidth("あA"), 0) << "no font";
    EXPECT_EQ(Bitmap::TextWidth("あA", style.font), want_state.TextWidth("あA"));
    EXPECT_EQ(Bitmap::TextHeight("あA", style.font), want_state.TextHeight("あA"));
    for (size_t i = 0; i < ops.size(); ++i) {
      Bitmap want = want_state, got = base;
      ops[i](want, nullptr);
      ops[i](got, &style);
      EXPECT_TRUE(SamePixels(got, want)) << "op " << i << ", pen " << style.pen.color;
      EXPECT_FALSE(SamePixels(got, base)) << "op " << i << " painted nothing";
      EXPECT_EQ(state(got), state(base)) << "op " << i;
      // The pen is still where the canvas left it.
      Bitmap from_start = got;
      from_start.Line(0, 29, 39, 0, {base.pen_color, base.pen_width});
      got.LineTo(39, 0);
      EXPECT_TRUE(SamePixels(got, from_start)) << "op " << i << " moved the pen";
    }
  }
}
#undef OP

}  // namespace
