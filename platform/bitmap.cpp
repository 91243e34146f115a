// The canvas: SDL surfaces in XRGB8888 (one 0x00RRGGBB word a pixel), SDL's
// blits and fills where they fit, hand-written loops for what SDL lacks
// (stretching with a colour key, ellipses, lines, flood fill, OR).
#include "platform/bitmap.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

constexpr Uint32 kFormat = SDL_PIXELFORMAT_XRGB8888;

SDL_Surface* NewSurface(int w, int h) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, std::max(w, 0), std::max(h, 0), 32, kFormat);
  if (s) SDL_FillRect(s, nullptr, 0);
  return s;
}

inline Uint32* Row(SDL_Surface* s, int y) {
  return reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
}

struct Span {
  int from, to;  // [from, to)
};

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
  if (surface_) SDL_FreeSurface(surface_);
}

Bitmap::Bitmap(const Bitmap& other) {
  *this = other;
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this == &other) return *this;
  SDL_Surface* copy = other.surface_ ? SDL_DuplicateSurface(other.surface_) : nullptr;
  if (surface_) SDL_FreeSurface(surface_);
  surface_ = copy;
  CopyCanvasState(other);
  return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept {
  *this = std::move(other);
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this == &other) return *this;
  if (surface_) SDL_FreeSurface(surface_);
  surface_ = std::exchange(other.surface_, nullptr);
  CopyCanvasState(other);
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
  return surface_ ? surface_->w : 0;
}
int Bitmap::Height() const {
  return surface_ ? surface_->h : 0;
}
bool Bitmap::Empty() const {
  return Width() == 0 || Height() == 0;
}

void Bitmap::SetSize(int width, int height) {
  SDL_Surface* s = NewSurface(width, height);
  if (!s) return;
  if (surface_) SDL_FreeSurface(surface_);
  surface_ = s;
}

void Bitmap::Clear() {
  if (surface_) SDL_FreeSurface(surface_);
  surface_ = nullptr;
}

Rgb Bitmap::Pixel(int x, int y) const {
  if (!surface_ || x < 0 || y < 0 || x >= surface_->w || y >= surface_->h) return 0;
  return Row(surface_, y)[x] & 0xFFFFFF;
}

void Bitmap::SetPixel(int x, int y, Rgb color) {
  if (!surface_ || x < 0 || y < 0 || x >= surface_->w || y >= surface_->h) return;
  Row(surface_, y)[x] = color & 0xFFFFFF;
}

Rgb Bitmap::TransparentColor() const {
  if (!auto_key) return key_color;
  return Pixel(0, Height() - 1);
}

void Bitmap::Draw(int x, int y, const Bitmap& src) {
  if (!surface_ || !src.surface_) return;
  SDL_Rect dst{x, y, src.Width(), src.Height()};
  if (src.transparent) {
    SDL_SetColorKey(src.surface_, SDL_TRUE, src.TransparentColor());
  } else {
    SDL_SetColorKey(src.surface_, SDL_FALSE, 0);
  }
  SDL_BlitSurface(src.surface_, nullptr, surface_, &dst);
  SDL_SetColorKey(src.surface_, SDL_FALSE, 0);
}

// Nearest-neighbour stretch of a source rectangle, optionally skipping one
// key colour.
static void StretchLoop(SDL_Surface* dst, int dl, int dt, int dr, int db, SDL_Surface* src, int sl, int st,
                        int sr, int sb, bool keyed, Uint32 key) {
  int dw = dr - dl, dh = db - dt, sw = sr - sl, sh = sb - st;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  Span xs = Clip(dl, dr, dst->w), ys = Clip(dt, db, dst->h);
  if (xs.to <= xs.from) return;
  // Source column of every destination column, worked out once per call.
  thread_local std::vector<int> columns;
  columns.resize(xs.to - xs.from);
  for (int x = xs.from; x < xs.to; ++x)
    columns[x - xs.from] = sl + static_cast<int>(static_cast<int64_t>(x - dl) * sw / dw);
  for (int y = ys.from; y < ys.to; ++y) {
    int sy = st + static_cast<int>(static_cast<int64_t>(y - dt) * sh / dh);
    if (sy < 0 || sy >= src->h) continue;
    const Uint32* in = Row(src, sy);
    Uint32* out = Row(dst, y);
    for (int x = xs.from; x < xs.to; ++x) {
      int sx = columns[x - xs.from];
      if (sx < 0 || sx >= src->w) continue;
      Uint32 p = in[sx] & 0xFFFFFF;
      if (keyed && p == key) continue;
      out[x] = p;
    }
  }
}

void Bitmap::StretchDraw(int left, int top, int right, int bottom, const Bitmap& src) {
  if (!surface_ || !src.surface_) return;
  StretchLoop(surface_, left, top, right, bottom, src.surface_, 0, 0, src.Width(), src.Height(),
              src.transparent, src.TransparentColor());
}

void Bitmap::CopyRect(int dl, int dt, int dr, int db, const Bitmap& src, int sl, int st, int sr, int sb) {
  if (!surface_ || !src.surface_) return;
  StretchLoop(surface_, dl, dt, dr, db, src.surface_, sl, st, sr, sb, false, 0);
}

void Bitmap::OrRect(int left, int top, int right, int bottom, const Bitmap& src) {
  if (!surface_ || !src.surface_) return;
  Span xs = Clip(left, std::min(right, src.Width()), surface_->w);
  Span ys = Clip(top, std::min(bottom, src.Height()), surface_->h);
  for (int y = ys.from; y < ys.to; ++y) {
    Uint32* out = Row(surface_, y);
    const Uint32* in = Row(src.surface_, y);
    for (int x = xs.from; x < xs.to; ++x) out[x] = (out[x] | in[x]) & 0xFFFFFF;
  }
}

void Bitmap::FillRect(int left, int top, int right, int bottom) {
  if (!surface_ || right <= left || bottom <= top) return;
  SDL_Rect r{left, top, right - left, bottom - top};
  SDL_FillRect(surface_, &r, brush_color & 0xFFFFFF);
}

void Bitmap::Rectangle(int left, int top, int right, int bottom) {
  if (!surface_ || right <= left || bottom <= top) return;
  if (!brush_clear) FillRect(left, top, right, bottom);
  Uint32 pen = pen_color & 0xFFFFFF;
  int w = std::max(pen_width, 1);
  auto band = [&](int l, int t, int r, int b) {
    SDL_Rect rect{l, t, r - l, b - t};
    if (rect.w > 0 && rect.h > 0) SDL_FillRect(surface_, &rect, pen);
  };
  band(left, top, right, std::min(top + w, bottom));
  band(left, std::max(bottom - w, top), right, bottom);
  band(left, top, std::min(left + w, right), bottom);
  band(std::max(right - w, left), top, right, bottom);
}

void Bitmap::Ellipse(int left, int top, int right, int bottom) {
  if (!surface_ || right - left < 1 || bottom - top < 1) return;
  // Centre and radii in pixel-centre coordinates of the box [left, right).
  double cx = (left + right - 1) / 2.0, cy = (top + bottom - 1) / 2.0;
  double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
  Uint32 pen = pen_color & 0xFFFFFF, brush = brush_color & 0xFFFFFF;
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
    if (y < 0 || y >= surface_->h) continue;
    Uint32* out = Row(surface_, y);
    Span s = spans[i];
    if (!brush_clear) {
      Span c = Clip(s.from, s.to, surface_->w);
      for (int x = c.from; x < c.to; ++x) out[x] = brush;
    }
    // Outline: the ends of this row, plus whatever the neighbouring rows do
    // not cover, so the ring has no gaps.
    auto plot = [&](int x) {
      if (x >= 0 && x < surface_->w) out[x] = pen;
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
  int x0 = pen_x_, y0 = pen_y_;
  int dx = std::abs(x - x0), sx = x0 < x ? 1 : -1;
  int dy = -std::abs(y - y0), sy = y0 < y ? 1 : -1;
  int err = dx + dy;
  Uint32 pen = pen_color & 0xFFFFFF;
  int w = std::max(pen_width, 1);
  while (!(x0 == x && y0 == y)) {
    for (int oy = 0; oy < w; ++oy)
      for (int ox = 0; ox < w; ++ox) SetPixel(x0 + ox - w / 2, y0 + oy - w / 2, pen);
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
  pen_x_ = x;
  pen_y_ = y;
}

void Bitmap::FloodFill(int x, int y, Rgb border) {
  if (!surface_ || x < 0 || y < 0 || x >= surface_->w || y >= surface_->h) return;
  border &= 0xFFFFFF;
  if (Pixel(x, y) == border) return;
  int w = surface_->w, h = surface_->h;
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
  Uint32 brush = brush_color & 0xFFFFFF;
  while (!stack.empty()) {
    auto [px, py] = stack.back();
    stack.pop_back();
    Uint32* row = Row(surface_, py);
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
        if ((Row(surface_, ny)[i] & 0xFFFFFF) != border) stack.push_back({i, ny});
      }
    }
  }
}
