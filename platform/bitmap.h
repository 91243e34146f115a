// A 24-bit picture with its own canvas (pen, brush, font) and the drawing
// operations the shop scene is made of. Pixels live in a plain buffer, one
// 0x00RRGGBB word a pixel, row after row; colours are 0xRRGGBB.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Rgb = uint32_t;  // 0xRRGGBB

// The face the whole game speaks in; rendered with IPAPGothic.
inline constexpr const char* kGameFace = "ＭＳ Ｐゴシック";

struct TFont {
  std::string face = kGameFace;
  int size = 10;  // points at 96 dpi (10 pt = 13 px)
  bool bold = false;
  Rgb color = 0x000000;
};

// What lines and outlines are drawn with.
struct Pen {
  Rgb color = 0x000000;
  int width = 1;
};

// What shapes and text backgrounds are filled with; nothing when `clear`.
struct Brush {
  Rgb color = 0xFFFFFF;
  bool clear = false;
};
inline constexpr Brush kNoBrush = {0xFFFFFF, true};

class Bitmap {
 public:
  Bitmap();
  Bitmap(int width, int height);  // filled black
  ~Bitmap();
  Bitmap(const Bitmap& other);
  Bitmap& operator=(const Bitmap& other);
  Bitmap(Bitmap&& other) noexcept;
  Bitmap& operator=(Bitmap&& other) noexcept;

  int Width() const;
  int Height() const;
  bool Empty() const;                   // no pixels at all (0 x 0)
  void SetSize(int width, int height);  // new black pixels
  void Clear();                         // back to 0 x 0

  // BMP (1, 4, 8, 16, 24 and 32 bits) or JPEG, chosen by content. On any
  // failure the bitmap is left exactly as it was and false is returned.
  bool LoadFromFile(const std::string& path);
  bool SaveToBmp(const std::string& path) const;  // 24-bit BMP
  bool SaveToPng(const std::string& path) const;  // for contact sheets

  Rgb Pixel(int x, int y) const;  // 0 outside
  void SetPixel(int x, int y, Rgb color);

  // Transparent drawing: when `transparent` is on, pixels of the key colour
  // are skipped by Draw and StretchDraw. The automatic key is the colour of
  // the bottom-left pixel.
  bool transparent = false;
  bool auto_key = true;
  Rgb key_color = 0x000000;  // used when auto_key is off
  Rgb TransparentColor() const;

  // Canvas state, kept between calls like a window canvas, for the calls
  // below that take none of it as arguments.
  Rgb pen_color = 0x000000;
  int pen_width = 1;
  Rgb brush_color = 0xFFFFFF;
  bool brush_clear = false;  // text and shapes without background fill
  TFont font;

  // Copies `src` unscaled with its top-left at (x, y), honouring its
  // transparency.
  void Draw(int x, int y, const Bitmap& src);
  // Stretches all of `src` into [left, right) x [top, bottom), honouring its
  // transparency (nearest neighbour).
  void StretchDraw(int left, int top, int right, int bottom, const Bitmap& src);
  // Opaque stretched copy of the source rectangle into the destination one.
  void CopyRect(int dl, int dt, int dr, int db, const Bitmap& src, int sl, int st, int sr, int sb);
  // this = this OR src over the rectangle (clipped to both).
  void OrRect(int left, int top, int right, int bottom, const Bitmap& src);

  // Shapes. Right and bottom edges are excluded, as on a window canvas.
  void FillRect(int left, int top, int right, int bottom);   // brush only
  void Rectangle(int left, int top, int right, int bottom);  // pen outline, brush inside
  void Ellipse(int left, int top, int right, int bottom);    // pen outline, brush inside
  void MoveTo(int x, int y);
  void LineTo(int x, int y);  // pen; the end point itself is not drawn
  // Fills with the brush the area reachable from (x, y) that is not `border`.
  void FloodFill(int x, int y, Rgb border);

  // Text in the current font; the background is filled with the brush
  // unless brush_clear.
  void TextOut(int x, int y, const std::string& utf8);
  int TextWidth(const std::string& utf8);
  int TextHeight(const std::string& utf8);

  // The same drawing with the pen, brush and font given as values; the
  // canvas state above (pen position included) is neither read nor changed.
  void FillRect(int left, int top, int right, int bottom, Rgb color);
  void Rectangle(int left, int top, int right, int bottom, Pen pen, Brush brush);
  void Ellipse(int left, int top, int right, int bottom, Pen pen, Brush brush);
  void Line(int x0, int y0, int x1, int y1, Pen pen);  // (x1, y1) itself is not drawn
  void FloodFill(int x, int y, Rgb border, Rgb color);
  void TextOut(int x, int y, const std::string& utf8, const TFont& font, Brush back = kNoBrush);
  static int TextWidth(const std::string& utf8, const TFont& font);
  static int TextHeight(const std::string& utf8, const TFont& font);

  // For platform code only: Width() x Height() words, no padding.
  const uint32_t* Pixels() const { return pixels_.data(); }

 private:
  // Everything but the pixels.
  void CopyCanvasState(const Bitmap& other);
  void StretchFrom(int dl, int dt, int dr, int db, const Bitmap& src, int sl, int st, int sr, int sb,
                   bool keyed, uint32_t key);
  void FillBand(int left, int top, int right, int bottom, uint32_t color);  // clipped
  uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  std::vector<uint32_t> pixels_;
  int width_ = 0, height_ = 0;
  int pen_x_ = 0, pen_y_ = 0;
};

// Points at 96 dpi to pixels, rounded to the nearest pixel (8 pt is 11 px).
inline int PointsToPixels(int points) {
  return (points * 96 + 36) / 72;
}
