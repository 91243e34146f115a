// The picture generator's drawing kit: an RGBA canvas with anti-aliased
// shapes, gradients, outlines, emoji and text, flattened at the end into the
// 24-bit Bitmap the game loads (sprites get a key colour, scenes are opaque).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/desktop/glyphs.h"

namespace pic {

struct Col {
  float r = 0, g = 0, b = 0, a = 0;  // 0-1, straight alpha
};
Col Hex(uint32_t rgb, float alpha = 1.0f);
Col Mix(Col a, Col b, float t);    // t = 0 gives a
Col Darker(Col c, float amount);   // toward black, 0-1
Col Lighter(Col c, float amount);  // toward white, 0-1
Col WithAlpha(Col c, float alpha);

using Paint = std::function<Col(float x, float y)>;
Paint Solid(Col c);
Paint Linear(float x0, float y0, Col c0, float x1, float y1, Col c1);
Paint Vertical(float y0, Col c0, float y1, Col c1);
Paint Radial(float cx, float cy, float r, Col inner, Col outer);

struct Box {
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// A region of the plane: an inside test and a box that holds it.
struct Shape {
  std::function<bool(float x, float y)> in;
  Box box;
};
Shape Rect(float x0, float y0, float x1, float y1);
Shape RoundRect(float x0, float y0, float x1, float y1, float r);
Shape Ellipse(float cx, float cy, float rx, float ry);
Shape Circle(float cx, float cy, float r);
struct Pt {
  float x, y;
};
Shape Polygon(std::vector<Pt> pts);
Shape Capsule(float x0, float y0, float x1, float y1, float width);  // a thick line with round ends
Shape Star(float cx, float cy, float r_out, float r_in, int points, float turn_deg = 0);
Shape Heart(float cx, float cy, float size);  // size = width; the tip points down
Shape Ring(float cx, float cy, float r_out, float r_in);
Shape Union(Shape a, Shape b);
Shape Inter(Shape a, Shape b);
Shape Minus(Shape a, Shape b);
Shape Offset(Shape s, float dx, float dy);

// A tiny deterministic generator for scattered details (stars, sprinkles).
class Dice {
 public:
  explicit Dice(uint32_t seed) : s_(seed * 2654435761u + 12345u) {}
  uint32_t Next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return s_;
  }
  int Int(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
  float Unit() { return (Next() & 0xFFFFFF) / float(0x1000000); }

 private:
  uint32_t s_;
};

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, Col fill = {});
  static Canvas FromImage(const RgbaImage& img);

  int w = 0, h = 0;
  std::vector<float> px;  // premultiplied RGBA

  Col At(int x, int y) const;  // straight alpha; transparent outside
  void Set(int x, int y, Col c);
  void Blend(int x, int y, Col c, float coverage = 1.0f);  // source over
  void Fill(Col c);
  void Fill(const Paint& paint);

  // Fills a shape, 4 x 4 samples per pixel.
  void Draw(const Shape& s, const Paint& paint, float opacity = 1.0f);
  void Draw(const Shape& s, Col c) { Draw(s, Solid(c)); }
  // The shape's rim of the given width, inside its edge.
  void Stroke(const Shape& s, Col c, float width);
  void Line(float x0, float y0, float x1, float y1, float width, Col c) {
    Draw(Capsule(x0, y0, x1, y1, width), c);
  }

  // Another canvas scaled into [x, x+w) x [y, y+h) with area averaging.
  void Image(const Canvas& src, float x, float y, float dw, float dh, float opacity = 1.0f);
  // Emoji fitted (aspect kept) into a square of `size` centred on (cx, cy).
  void Emoji(const std::string& e, float cx, float cy, float size, bool mirror = false, float turn_deg = 0);
  // Text with its top-left at (x, y).
  void Text(const std::string& s, float x, float y, int pixel_size, bool bold, const Paint& paint);
  void TextCentered(const std::string& s, float cx, float y, int pixel_size, bool bold, const Paint& paint);

  // Puts `src` over this canvas at an integer offset.
  void Over(const Canvas& src, int dx = 0, int dy = 0, float opacity = 1.0f);
  // A band of colour around the opaque part (alpha >= 0.5) of the picture,
  // `radius` pixels wide, drawn behind it.
  void Outline(Col c, float radius);
  // The picture's silhouette in one colour, e.g. for shadows.
  Canvas Silhouette(Col c) const;
  void MapColors(const std::function<Col(Col)>& fn);
  // Makes every pixel fully opaque or fully clear (sprites have no soft edges).
  void Harden(float threshold = 0.5f);
  // Fills clear pixels that are boxed in on four sides (they would show the
  // background through the drawing) with the colour around them.
  void FillPinholes();
};

// The emoji as a canvas at its native size (cached), mirrored and turned.
const Canvas& EmojiCanvas(const std::string& e);
Canvas Turned(const Canvas& src, float deg, bool mirror);

// Colour helpers for recolouring emoji.
float Luma(Col c);
Col Gray(Col c);
Col Tinted(Col c, Col tint);  // keeps the lightness, takes the hue

// To the game's 24-bit pictures. Sprites: clear pixels become `key`, and no
// drawn pixel keeps exactly the key colour; with `key_corner` the
// bottom-left pixel is forced to the key (for the automatic key). Scenes:
// composited on `back`.
Bitmap ToSprite(const Canvas& c, Rgb key = 0xFF00FF, bool key_corner = true);
Bitmap ToOpaque(const Canvas& c, Col back);
// Writes OUT/cg/<name>; throws when the file cannot be written.
void Save(const std::string& out, const std::string& name, const Bitmap& bmp);

}  // namespace pic
