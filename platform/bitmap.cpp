// The canvas: one 0x00RRGGBB word a pixel in a plain buffer, with
// hand-written loops for every operation (blits with a colour key,
// stretching, ellipses, lines, flood fill, OR).
#include "platform/bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/cpu_features.h"
#include "platform/text_rects.h"

namespace {

struct Span {
  int from, to;  // [from, to)
};

// Plain loops the compiler does a vector at a time; on x86-64 they are
// built for AVX2 too, and that is what runs where the machine has it.
#define PIXEL_LOOP inline __attribute__((always_inline))

// Copies n pixels but those of the key colour. Every pixel is stored, the
// old one where the key shows.
PIXEL_LOOP void CopyKeyedLoop(const uint32_t* in, uint32_t* out, int n, uint32_t key) {
  for (int i = 0; i < n; ++i) {
    uint32_t p = in[i] & 0xFFFFFF;
    out[i] = p != key ? p : out[i];
  }
}

// out = (out | in) without the top byte, n pixels.
PIXEL_LOOP void OrLoop(const uint32_t* in, uint32_t* out, int n) {
  for (int i = 0; i < n; ++i) out[i] = (out[i] | in[i]) & 0xFFFFFF;
}

#ifdef PICOLATTE_X86_VECTORS
__attribute__((target("avx2"))) void CopyKeyedAvx2(const uint32_t* in, uint32_t* out, int n, uint32_t key) {
  CopyKeyedLoop(in, out, n, key);
}
__attribute__((target("avx2"))) void OrAvx2(const uint32_t* in, uint32_t* out, int n) {
  OrLoop(in, out, n);
}
#endif

void CopyKeyed(const uint32_t* in, uint32_t* out, int n, uint32_t key) {
#ifdef PICOLATTE_X86_VECTORS
  if (HasAvx2()) return CopyKeyedAvx2(in, out, n, key);
#endif
  CopyKeyedLoop(in, out, n, key);
}

void OrPixels(const uint32_t* in, uint32_t* out, int n) {
#ifdef PICOLATTE_X86_VECTORS
  if (HasAvx2()) return OrAvx2(in, out, n);
#endif
  OrLoop(in, out, n);
}

// Clips [a, b) to [0, limit).
Span Clip(int a, int b, int limit) {
  return {std::max(a, 0), std::min(b, limit)};
}

}  // namespace

Bitmap::Bitmap() = default;

Bitmap::Bitmap(int width, int height) {
  SetSize(width, height);
}

Bitmap::~Bitmap() {
  text_rects::Forget(*this);
}

Bitmap::Bitmap(const Bitmap& other) {
  *this = other;
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this == &other) return *this;
  pixels_ = other.pixels_;
  width_ = other.width_;
  height_ = other.height_;
  CopyCanvasState(other);
  text_rects::Copy(other, *this);
  return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept {
  *this = std::move(other);
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this == &other) return *this;
  pixels_ = std::move(other.pixels_);
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  other.pixels_.clear();
  CopyCanvasState(other);
  text_rects::Move(other, *this);
  return *this;
}

void Bitmap::CopyCanvasState(const Bitmap& other) {
  transparent = other.transparent;
  auto_key = other.auto_key;
  key_color = other.key_color;
  pen_color = other.pen_color;
  pen_width = other.pen_width;
  brush_color = other.brush_color;
  brush_clear = other.brush_clear;
  font = other.font;
  pen_x_ = other.pen_x_;
  pen_y_ = other.pen_y_;
}

int Bitmap::Width() const {
  return width_;
}
int Bitmap::Height() const {
  return height_;
}
bool Bitmap::Empty() const {
  return width_ == 0 || height_ == 0;
}

void Bitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  pixels_.assign(static_cast<size_t>(width) * height, 0);
  width_ = width;
  height_ = height;
  text_rects::Forget(*this);
}

void Bitmap::Clear() {
  pixels_.clear();
  pixels_.shrink_to_fit();
  width_ = height_ = 0;
  text_rects::Forget(*this);
}

Rgb Bitmap::Pixel(int x, int y) const {
  if (!Inside(x, y)) return 0;
  return Row(y)[x] & 0xFFFFFF;
}

void Bitmap::SetPixel(int x, int y, Rgb color) {
  if (!Inside(x, y)) return;
  Row(y)[x] = color & 0xFFFFFF;
}

Rgb Bitmap::TransparentColor() const {
  if (!auto_key) return key_color;
  return Pixel(0, Height() - 1);
}

void Bitmap::Draw(int x, int y, const Bitmap& src) {
  if (Empty() || src.Empty()) return;
  if (&src == this) {
    Bitmap copy(src);
    Draw(x, y, copy);
    return;
  }
  // The part of the source that lands inside this bitmap.
  Span xs = Clip(x, x + src.width_, width_), ys = Clip(y, y + src.height_, height_);
  if (xs.to <= xs.from) return;
  bool keyed = src.transparent;
  uint32_t key = src.TransparentColor() & 0xFFFFFF;
  if (!keyed && x <= 0 && y <= 0 && x + src.width_ >= width_ && y + src.height_ >= height_)
    text_rects::Forget(*this);
  text_rects::Carry(src, 0, 0, src.width_, src.height_, *this, x, y, x + src.width_, y + src.height_);
  for (int dy = ys.from; dy < ys.to; ++dy) {
    const uint32_t* in = src.Row(dy - y) + (xs.from - x);
    uint32_t* out = Row(dy) + xs.from;
    int n = xs.to - xs.from;
    if (!keyed) {
      std::copy(in, in + n, out);
      continue;
    }
    CopyKeyed(in, out, n, key);
  }
}

// Nearest-neighbour stretch of a source rectangle, optionally skipping one
// key colour.
void Bitmap::StretchFrom(int dl, int dt, int dr, int db, const Bitmap& src, int sl, int st, int sr, int sb,
                         bool keyed, uint32_t key) {
  int dw = dr - dl, dh = db - dt, sw = sr - sl, sh = sb - st;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  Span xs = Clip(dl, dr, width_), ys = Clip(dt, db, height_);
  if (xs.to <= xs.from) return;
  if (!keyed && dl <= 0 && dt <= 0 && dr >= width_ && db >= height_) text_rects::Forget(*this);
  text_rects::Carry(src, sl, st, sr, sb, *this, dl, dt, dr, db);
  // Source column of every destination column, worked out once per call.
  // They only grow from left to right, so the columns that fall inside the
  // source are one stretch [first, last).
  thread_local std::vector<int> columns;
  columns.clear();
  int first = xs.from, last = xs.from;
  for (int x = xs.from; x < xs.to; ++x) {
    int sx = sl + static_cast<int>(static_cast<int64_t>(x - dl) * sw / dw);
    if (sx < 0) first = x + 1;
    if (sx >= 0 && sx < src.width_) last = x + 1;
    if (x >= first && sx < src.width_) columns.push_back(sx);
  }
  if (last <= first) return;
  const int* column = columns.data() - first;  // indexed by destination x
  for (int y = ys.from; y < ys.to; ++y) {
    int sy = st + static_cast<int>(static_cast<int64_t>(y - dt) * sh / dh);
    if (sy < 0 || sy >= src.height_) continue;
    const uint32_t* in = src.Row(sy);
    uint32_t* out = Row(y);
    if (!keyed) {
      for (int x = first; x < last; ++x) out[x] = in[column[x]] & 0xFFFFFF;
      continue;
    }
    for (int x = first; x < last; ++x) {
      uint32_t p = in[column[x]] & 0xFFFFFF;
      out[x] = p != key ? p : out[x];
    }
  }
}

void Bitmap::StretchDraw(int left, int top, int right, int bottom, const Bitmap& src) {
  if (Empty() || src.Empty()) return;
  StretchFrom(left, top, right, bottom, src, 0, 0, src.width_, src.height_, src.transparent,
              src.TransparentColor());
}

void Bitmap::CopyRect(int dl, int dt, int dr, int db, const Bitmap& src, int sl, int st, int sr, int sb) {
  if (Empty() || src.Empty()) return;
  StretchFrom(dl, dt, dr, db, src, sl, st, sr, sb, false, 0);
}

void Bitmap::OrRect(int left, int top, int right, int bottom, const Bitmap& src) {
  if (Empty() || src.Empty()) return;
  Span xs = Clip(left, std::min(right, src.width_), width_);
  Span ys = Clip(top, std::min(bottom, src.height_), height_);
  text_rects::Carry(src, xs.from, ys.from, xs.to, ys.to, *this, xs.from, ys.from, xs.to, ys.to);
  if (xs.to <= xs.from) return;
  for (int y = ys.from; y < ys.to; ++y) OrPixels(src.Row(y) + xs.from, Row(y) + xs.from, xs.to - xs.from);
}

void Bitmap::FillRect(int left, int top, int right, int bottom) {
  FillRect(left, top, right, bottom, brush_color);
}

void Bitmap::FillRect(int left, int top, int right, int bottom, Rgb color) {
  if (Empty() || right <= left || bottom <= top) return;
  FillBand(left, top, right, bottom, color & 0xFFFFFF);
}

void Bitmap::FillBand(int left, int top, int right, int bottom, uint32_t color) {
  Span xs = Clip(left, right, width_), ys = Clip(top, bottom, height_);
  if (xs.to <= xs.from) return;
  if (xs.from == 0 && ys.from == 0 && xs.to == width_ && ys.to == height_) text_rects::Forget(*this);
  for (int y = ys.from; y < ys.to; ++y) std::fill(Row(y) + xs.from, Row(y) + xs.to, color);
}

void Bitmap::Rectangle(int left, int top, int right, int bottom) {
  Rectangle(left, top, right, bottom, {pen_color, pen_width}, {brush_color, brush_clear});
}

void Bitmap::Rectangle(int left, int top, int right, int bottom, Pen pen, Brush brush) {
  if (Empty() || right <= left || bottom <= top) return;
  if (!brush.clear) FillRect(left, top, right, bottom, brush.color);
  uint32_t ink = pen.color & 0xFFFFFF;
  int w = std::max(pen.width, 1);
  auto band = [&](int l, int t, int r, int b) {
    if (r > l && b > t) FillBand(l, t, r, b, ink);
  };
  band(left, top, right, std::min(top + w, bottom));
  band(left, std::max(bottom - w, top), right, bottom);
  band(left, top, std::min(left + w, right), bottom);
  band(std::max(right - w, left), top, right, bottom);
}

void Bitmap::Ellipse(int left, int top, int right, int bottom) {
  Ellipse(left, top, right, bottom, {pen_color, pen_width}, {brush_color, brush_clear});
}

void Bitmap::Ellipse(int left, int top, int right, int bottom, Pen pen_given, Brush brush_given) {
  if (Empty() || right - left < 1 || bottom - top < 1) return;
  // Centre and radii in pixel-centre coordinates of the box [left, right).
  double cx = (left + right - 1) / 2.0, cy = (top + bottom - 1) / 2.0;
  double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
  uint32_t pen = pen_given.color & 0xFFFFFF, brush = brush_given.color & 0xFFFFFF;
  std::vector<Span> spans;
  for (int y = top; y < bottom; ++y) {
    double dy = (y - cy) / ry;
    double t = 1.0 - dy * dy;
    if (t < 0) t = 0;
    double half = rx * std::sqrt(t);
    int from = static_cast<int>(std::lround(cx - half + 0.5));
    int to = static_cast<int>(std::lround(cx + half + 0.5));
    from = std::max(from, left);
    to = std::min(std::max(to, from + 1), right);
    spans.push_back({from, to});
  }
  for (int i = 0; i < static_cast<int>(spans.size()); ++i) {
    int y = top + i;
    if (y < 0 || y >= height_) continue;
    uint32_t* out = Row(y);
    Span s = spans[i];
    if (!brush_given.clear) {
      Span c = Clip(s.from, s.to, width_);
      for (int x = c.from; x < c.to; ++x) out[x] = brush;
    }
    // Outline: the ends of this row, plus whatever the neighbouring rows do
    // not cover, so the ring has no gaps.
    auto plot = [&](int x) {
      if (x >= 0 && x < width_) out[x] = pen;
    };
    plot(s.from);
    plot(s.to - 1);
    for (int n : {i - 1, i + 1}) {
      if (n < 0 || n >= static_cast<int>(spans.size())) {
        for (int x = s.from; x < s.to; ++x) plot(x);
        continue;
      }
      for (int x = s.from; x < std::min(spans[n].from, s.to); ++x) plot(x);
      for (int x = std::max(spans[n].to, s.from); x < s.to; ++x) plot(x);
    }
  }
}

void Bitmap::MoveTo(int x, int y) {
  pen_x_ = x;
  pen_y_ = y;
}

void Bitmap::LineTo(int x, int y) {
  Line(pen_x_, pen_y_, x, y, {pen_color, pen_width});
  pen_x_ = x;
  pen_y_ = y;
}

void Bitmap::Line(int x0, int y0, int x, int y, Pen pen) {
  int dx = std::abs(x - x0), sx = x0 < x ? 1 : -1;
  int dy = -std::abs(y - y0), sy = y0 < y ? 1 : -1;
  int err = dx + dy;
  uint32_t ink = pen.color & 0xFFFFFF;
  int w = std::max(pen.width, 1);
  while (!(x0 == x && y0 == y)) {
    for (int oy = 0; oy < w; ++oy)
      for (int ox = 0; ox < w; ++ox) SetPixel(x0 + ox - w / 2, y0 + oy - w / 2, ink);
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Bitmap::FloodFill(int x, int y, Rgb border) {
  FloodFill(x, y, border, brush_color);
}

void Bitmap::FloodFill(int x, int y, Rgb border, Rgb color) {
  if (!Inside(x, y)) return;
  border &= 0xFFFFFF;
  if (Pixel(x, y) == border) return;
  int w = width_, h = height_;
  // Visited marks carry the number of the fill that set them, so the buffer
  // is cleared only when it grows (the hearts fill twenty times a frame).
  thread_local std::vector<uint32_t> visited;
  thread_local uint32_t fill = 0;
  size_t cells = static_cast<size_t>(w) * h;
  if (visited.size() < cells || ++fill == 0) {
    visited.assign(std::max(visited.size(), cells), 0);
    fill = 1;
  }
  auto seen = [&](int px, int py) { return visited[static_cast<size_t>(py) * w + px] == fill; };
  std::vector<std::pair<int, int>> stack{{x, y}};
  uint32_t brush = color & 0xFFFFFF;
  while (!stack.empty()) {
    auto [px, py] = stack.back();
    stack.pop_back();
    uint32_t* row = Row(py);
    // Walk left and right along the row, then queue the rows above and below.
    int l = px;
    while (l > 0 && !seen(l - 1, py) && (row[l - 1] & 0xFFFFFF) != border) --l;
    int r = px;
    while (r + 1 < w && !seen(r + 1, py) && (row[r + 1] & 0xFFFFFF) != border) ++r;
    for (int i = l; i <= r; ++i) {
      if (seen(i, py)) continue;
      visited[static_cast<size_t>(py) * w + i] = fill;
      row[i] = brush;
      for (int ny : {py - 1, py + 1}) {
        if (ny < 0 || ny >= h || seen(i, ny)) continue;
        if ((Row(ny)[i] & 0xFFFFFF) != border) stack.push_back({i, ny});
      }
    }
  }
}
