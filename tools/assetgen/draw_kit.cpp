// Anti-aliased drawing on a premultiplied RGBA canvas, and the way out to the
// game's key-coloured 24-bit pictures.
#include "tools/assetgen/draw_kit.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

namespace pic {

namespace {
constexpr float kPi = 3.14159265f;
float Clamp01(float v) {
  return v < 0 ? 0 : (v > 1 ? 1 : v);
}
}  // namespace

Col Hex(uint32_t rgb, float alpha) {
  return {((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f, alpha};
}
Col Mix(Col a, Col b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}
Col Darker(Col c, float k) {
  return {c.r * (1 - k), c.g * (1 - k), c.b * (1 - k), c.a};
}
Col Lighter(Col c, float k) {
  return {c.r + (1 - c.r) * k, c.g + (1 - c.g) * k, c.b + (1 - c.b) * k, c.a};
}
Col WithAlpha(Col c, float alpha) {
  return {c.r, c.g, c.b, alpha};
}

Paint Solid(Col c) {
  return [c](float, float) { return c; };
}
Paint Linear(float x0, float y0, Col c0, float x1, float y1, Col c1) {
  float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
  if (len2 <= 0) len2 = 1;
  return [=](float x, float y) { return Mix(c0, c1, Clamp01(((x - x0) * dx + (y - y0) * dy) / len2)); };
}
Paint Vertical(float y0, Col c0, float y1, Col c1) {
  return Linear(0, y0, c0, 0, y1, c1);
}
Paint Radial(float cx, float cy, float r, Col inner, Col outer) {
  return [=](float x, float y) { return Mix(inner, outer, Clamp01(std::hypot(x - cx, y - cy) / r)); };
}

Shape Rect(float x0, float y0, float x1, float y1) {
  return {[=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, {x0, y0, x1, y1}};
}
Shape RoundRect(float x0, float y0, float x1, float y1, float r) {
  r = std::min({r, (x1 - x0) / 2, (y1 - y0) / 2});
  return {[=](float x, float y) {
            if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
            float cx = std::clamp(x, x0 + r, x1 - r), cy = std::clamp(y, y0 + r, y1 - r);
            return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
          },
          {x0, y0, x1, y1}};
}
Shape Ellipse(float cx, float cy, float rx, float ry) {
  return {[=](float x, float y) {
            float u = (x - cx) / rx, v = (y - cy) / ry;
            return u * u + v * v <= 1;
          },
          {cx - rx, cy - ry, cx + rx, cy + ry}};
}
Shape Circle(float cx, float cy, float r) {
  return Ellipse(cx, cy, r, r);
}
Shape Polygon(std::vector<Pt> pts) {
  Box b{1e9f, 1e9f, -1e9f, -1e9f};
  for (auto& p : pts) {
    b.x0 = std::min(b.x0, p.x), b.y0 = std::min(b.y0, p.y);
    b.x1 = std::max(b.x1, p.x), b.y1 = std::max(b.y1, p.y);
  }
  return {[pts](float x, float y) {
            bool in = false;
            for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
              const Pt &a = pts[i], &c = pts[j];
              if ((a.y > y) != (c.y > y) && x < (c.x - a.x) * (y - a.y) / (c.y - a.y) + a.x) in = !in;
            }
            return in;
          },
          b};
}
Shape Capsule(float x0, float y0, float x1, float y1, float width) {
  float r = width / 2, dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
  return {[=](float x, float y) {
            float t = len2 > 0 ? Clamp01(((x - x0) * dx + (y - y0) * dy) / len2) : 0;
            float ex = x - (x0 + t * dx), ey = y - (y0 + t * dy);
            return ex * ex + ey * ey <= r * r;
          },
          {std::min(x0, x1) - r, std::min(y0, y1) - r, std::max(x0, x1) + r, std::max(y0, y1) + r}};
}
Shape Star(float cx, float cy, float ro, float ri, int n, float turn) {
  std::vector<Pt> pts;
  for (int i = 0; i < 2 * n; ++i) {
    float a = (turn - 90 + 180.0f * i / n) * kPi / 180;
    float r = (i % 2) ? ri : ro;
    pts.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  return Polygon(pts);
}
Shape Heart(float cx, float cy, float size) {
  // Two lobes and a point, in a size x size square centred on (cx, cy).
  float s = size / 2;
  return {[=](float x, float y) {
            float u = (x - cx) / s, v = -(y - cy) / s * 1.1f + 0.15f;
            float a = u * u + v * v - 0.6f;
            return a * a * a - u * u * v * v * v * 1.0f <= 0;
          },
          {cx - s * 1.1f, cy - s * 1.1f, cx + s * 1.1f, cy + s * 1.1f}};
}
Shape Ring(float cx, float cy, float ro, float ri) {
  return Minus(Circle(cx, cy, ro), Circle(cx, cy, ri));
}
Shape Union(Shape a, Shape b) {
  Box box{std::min(a.box.x0, b.box.x0), std::min(a.box.y0, b.box.y0), std::max(a.box.x1, b.box.x1),
          std::max(a.box.y1, b.box.y1)};
  return {[a, b](float x, float y) { return a.in(x, y) || b.in(x, y); }, box};
}
Shape Inter(Shape a, Shape b) {
  Box box{std::max(a.box.x0, b.box.x0), std::max(a.box.y0, b.box.y0), std::min(a.box.x1, b.box.x1),
          std::min(a.box.y1, b.box.y1)};
  return {[a, b](float x, float y) { return a.in(x, y) && b.in(x, y); }, box};
}
Shape Minus(Shape a, Shape b) {
  return {[a, b](float x, float y) { return a.in(x, y) && !b.in(x, y); }, a.box};
}
Shape Offset(Shape s, float dx, float dy) {
  return {[s, dx, dy](float x, float y) { return s.in(x - dx, y - dy); },
          {s.box.x0 + dx, s.box.y0 + dy, s.box.x1 + dx, s.box.y1 + dy}};
}

Canvas::Canvas(int width, int height, Col fill) : w(width), h(height), px(size_t(width) * height * 4, 0.0f) {
  if (fill.a > 0) Fill(fill);
}

Canvas Canvas::FromImage(const RgbaImage& img) {
  Canvas c(img.width, img.height);
  for (size_t i = 0; i < size_t(img.width) * img.height; ++i) {
    float a = img.rgba[i * 4 + 3] / 255.0f;
    for (int k = 0; k < 3; ++k) c.px[i * 4 + k] = img.rgba[i * 4 + k] / 255.0f * a;
    c.px[i * 4 + 3] = a;
  }
  return c;
}

Col Canvas::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= w || y >= h) return {};
  const float* p = &px[(size_t(y) * w + x) * 4];
  if (p[3] <= 0) return {};
  return {p[0] / p[3], p[1] / p[3], p[2] / p[3], p[3]};
}

void Canvas::Set(int x, int y, Col c) {
  if (x < 0 || y < 0 || x >= w || y >= h) return;
  float* p = &px[(size_t(y) * w + x) * 4];
  p[0] = c.r * c.a, p[1] = c.g * c.a, p[2] = c.b * c.a, p[3] = c.a;
}

void Canvas::Blend(int x, int y, Col c, float coverage) {
  if (x < 0 || y < 0 || x >= w || y >= h) return;
  float a = Clamp01(c.a * coverage);
  if (a <= 0) return;
  float* p = &px[(size_t(y) * w + x) * 4];
  p[0] = c.r * a + p[0] * (1 - a);
  p[1] = c.g * a + p[1] * (1 - a);
  p[2] = c.b * a + p[2] * (1 - a);
  p[3] = a + p[3] * (1 - a);
}

void Canvas::Fill(Col c) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) Set(x, y, c);
}
void Canvas::Fill(const Paint& paint) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) Set(x, y, paint(x + 0.5f, y + 0.5f));
}

void Canvas::Draw(const Shape& s, const Paint& paint, float opacity) {
  int x0 = std::max(0, int(std::floor(s.box.x0)) - 1), y0 = std::max(0, int(std::floor(s.box.y0)) - 1);
  int x1 = std::min(w, int(std::ceil(s.box.x1)) + 1), y1 = std::min(h, int(std::ceil(s.box.y1)) + 1);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      int hits = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) hits += s.in(x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4);
      if (hits) Blend(x, y, paint(x + 0.5f, y + 0.5f), hits / 16.0f * opacity);
    }
}

void Canvas::Stroke(const Shape& s, Col c, float width) {
  // Inside the shape but within `width` of its outside, tested on a ring of probes.
  Shape rim{[s, width](float x, float y) {
              if (!s.in(x, y)) return false;
              for (int i = 0; i < 12; ++i) {
                float a = i * kPi / 6;
                if (!s.in(x + width * std::cos(a), y + width * std::sin(a))) return true;
              }
              return false;
            },
            s.box};
  Draw(rim, c);
}

void Canvas::Image(const Canvas& src, float x, float y, float dw, float dh, float opacity) {
  if (src.w == 0 || src.h == 0 || dw <= 0 || dh <= 0) return;
  float sx_per = src.w / dw, sy_per = src.h / dh;
  int X0 = std::max(0, int(std::floor(x))), Y0 = std::max(0, int(std::floor(y)));
  int X1 = std::min(w, int(std::ceil(x + dw))), Y1 = std::min(h, int(std::ceil(y + dh)));
  for (int Y = Y0; Y < Y1; ++Y) {
    float v0 = (Y - y) * sy_per, v1 = (Y + 1 - y) * sy_per;
    for (int X = X0; X < X1; ++X) {
      float u0 = (X - x) * sx_per, u1 = (X + 1 - x) * sx_per;
      float acc[4] = {0, 0, 0, 0}, area = (u1 - u0) * (v1 - v0);
      for (int sy = std::max(0, int(std::floor(v0))); sy < std::min(src.h, int(std::ceil(v1))); ++sy) {
        float wy = std::min(v1, sy + 1.0f) - std::max(v0, float(sy));
        if (wy <= 0) continue;
        for (int sx = std::max(0, int(std::floor(u0))); sx < std::min(src.w, int(std::ceil(u1))); ++sx) {
          float wx = std::min(u1, sx + 1.0f) - std::max(u0, float(sx));
          if (wx <= 0) continue;
          const float* p = &src.px[(size_t(sy) * src.w + sx) * 4];
          for (int k = 0; k < 4; ++k) acc[k] += p[k] * wx * wy;
        }
      }
      float a = acc[3] / area * opacity;
      if (a <= 0.001f) continue;
      Blend(X, Y, {acc[0] / acc[3], acc[1] / acc[3], acc[2] / acc[3], 1.0f}, a);
    }
  }
}

const Canvas& EmojiCanvas(const std::string& e) {
  static std::map<std::string, Canvas> cache;
  auto it = cache.find(e);
  if (it != cache.end()) return it->second;
  RgbaImage img = RenderEmoji(e);
  if (img.Empty()) throw std::runtime_error("emoji not available: " + e);
  // Trim to the drawn part so fitting is exact.
  Canvas full = Canvas::FromImage(img);
  int x0 = full.w, y0 = full.h, x1 = -1, y1 = -1;
  for (int y = 0; y < full.h; ++y)
    for (int x = 0; x < full.w; ++x)
      if (full.px[(size_t(y) * full.w + x) * 4 + 3] > 0.02f)
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
  Canvas trimmed(x1 - x0 + 1, y1 - y0 + 1);
  for (int y = 0; y < trimmed.h; ++y)
    for (int x = 0; x < trimmed.w; ++x)
      for (int k = 0; k < 4; ++k)
        trimmed.px[(size_t(y) * trimmed.w + x) * 4 + k] = full.px[(size_t(y + y0) * full.w + x + x0) * 4 + k];
  return cache.emplace(e, std::move(trimmed)).first->second;
}

Canvas Turned(const Canvas& src, float deg, bool mirror) {
  float a = deg * kPi / 180, ca = std::cos(a), sa = std::sin(a);
  int side = int(std::ceil(std::hypot(src.w, src.h)));
  if (deg == 0) side = std::max(src.w, src.h);
  Canvas out(side, side);
  float cx = side / 2.0f, cy = side / 2.0f, scx = src.w / 2.0f, scy = src.h / 2.0f;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
      float u = ca * dx + sa * dy, v = -sa * dx + ca * dy;
      if (mirror) u = -u;
      u += scx - 0.5f, v += scy - 0.5f;
      int iu = int(std::floor(u)), iv = int(std::floor(v));
      float fu = u - iu, fv = v - iv;
      float acc[4] = {0, 0, 0, 0};
      for (int k = 0; k < 4; ++k) {
        int su = iu + (k & 1), sv = iv + (k >> 1);
        if (su < 0 || sv < 0 || su >= src.w || sv >= src.h) continue;
        float wgt = ((k & 1) ? fu : 1 - fu) * ((k >> 1) ? fv : 1 - fv);
        const float* p = &src.px[(size_t(sv) * src.w + su) * 4];
        for (int c = 0; c < 4; ++c) acc[c] += p[c] * wgt;
      }
      float* q = &out.px[(size_t(y) * side + x) * 4];
      for (int c = 0; c < 4; ++c) q[c] = acc[c];
    }
  return out;
}

void Canvas::Emoji(const std::string& e, float cx, float cy, float size, bool mirror, float turn_deg) {
  const Canvas& base = EmojiCanvas(e);
  Canvas turned;
  const Canvas* src = &base;
  if (mirror || turn_deg != 0) {
    turned = Turned(base, turn_deg, mirror);
    src = &turned;
  }
  float scale = size / std::max(base.w, base.h);
  float dw = src->w * scale, dh = src->h * scale;
  Image(*src, cx - dw / 2, cy - dh / 2, dw, dh);
}

void Canvas::Text(const std::string& s, float x, float y, int pixel_size, bool bold, const Paint& paint) {
  RgbaImage img = RenderText(s, pixel_size, bold);
  for (int j = 0; j < img.height; ++j)
    for (int i = 0; i < img.width; ++i) {
      float cov = img.rgba[(size_t(j) * img.width + i) * 4 + 3] / 255.0f;
      if (cov > 0) Blend(int(x) + i, int(y) + j, paint(x + i + 0.5f, y + j + 0.5f), cov);
    }
}

void Canvas::TextCentered(const std::string& s, float cx, float y, int pixel_size, bool bold,
                          const Paint& paint) {
  RgbaImage img = RenderText(s, pixel_size, bold);
  Text(s, std::round(cx - img.width / 2.0f), y, pixel_size, bold, paint);
}

void Canvas::Over(const Canvas& src, int dx, int dy, float opacity) {
  for (int y = 0; y < src.h; ++y)
    for (int x = 0; x < src.w; ++x) {
      Col c = src.At(x, y);
      if (c.a > 0) Blend(x + dx, y + dy, c, opacity);
    }
}

void Canvas::Outline(Col c, float radius) {
  Canvas band(w, h);
  int r = int(std::ceil(radius));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float best = 0;
      for (int j = -r; j <= r; ++j)
        for (int i = -r; i <= r; ++i) {
          if (i * i + j * j > radius * radius + 0.25f) continue;
          int xx = x + i, yy = y + j;
          if (xx < 0 || yy < 0 || xx >= w || yy >= h) continue;
          best = std::max(best, px[(size_t(yy) * w + xx) * 4 + 3]);
        }
      if (best >= 0.5f) band.Set(x, y, c);
    }
  band.Over(*this);
  *this = std::move(band);
}

Canvas Canvas::Silhouette(Col c) const {
  Canvas out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float a = px[(size_t(y) * w + x) * 4 + 3];
      if (a > 0) out.Set(x, y, WithAlpha(c, a * c.a));
    }
  return out;
}

void Canvas::MapColors(const std::function<Col(Col)>& fn) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Col c = At(x, y);
      if (c.a <= 0) continue;
      Col m = fn(c);
      m.a = c.a;
      Set(x, y, m);
    }
}

void Canvas::Harden(float threshold) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Col c = At(x, y);
      Set(x, y, c.a >= threshold ? WithAlpha(c, 1) : Col{});
    }
}

void Canvas::FillPinholes() {
  Canvas src = *this;
  for (int y = 1; y + 1 < h; ++y)
    for (int x = 1; x + 1 < w; ++x) {
      if (src.At(x, y).a >= 0.5f) continue;
      Col n[4] = {src.At(x - 1, y), src.At(x + 1, y), src.At(x, y - 1), src.At(x, y + 1)};
      if (n[0].a < 0.5f || n[1].a < 0.5f || n[2].a < 0.5f || n[3].a < 0.5f) continue;
      Col avg{(n[0].r + n[1].r + n[2].r + n[3].r) / 4, (n[0].g + n[1].g + n[2].g + n[3].g) / 4,
              (n[0].b + n[1].b + n[2].b + n[3].b) / 4, 1};
      Set(x, y, avg);
    }
}

float Luma(Col c) {
  return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b;
}
Col Gray(Col c) {
  float l = Luma(c);
  return {l, l, l, c.a};
}
Col Tinted(Col c, Col tint) {
  float l = Luma(c), tl = std::max(0.05f, Luma(tint));
  auto ch = [&](float t) {
    // Below the tint's own lightness scale it; above, lead it toward white.
    return l <= tl ? t * l / tl : t + (1 - t) * (l - tl) / (1 - tl + 1e-4f);
  };
  return {ch(tint.r), ch(tint.g), ch(tint.b), c.a};
}

namespace {
uint8_t Byte(float v) {
  return uint8_t(std::lround(Clamp01(v) * 255));
}
Rgb Pack(Col c) {
  return (Rgb(Byte(c.r)) << 16) | (Rgb(Byte(c.g)) << 8) | Byte(c.b);
}
// The nearest colour that is not the key.
Rgb AvoidKey(Rgb c, Rgb key) {
  if (c != key) return c;
  return (c & 0xFF0000 ? c - 0x010000 : c + 0x010000);
}
}  // namespace

Bitmap ToSprite(const Canvas& c, Rgb key, bool key_corner) {
  Bitmap b(c.w, c.h);
  for (int y = 0; y < c.h; ++y)
    for (int x = 0; x < c.w; ++x) {
      Col p = c.At(x, y);
      b.SetPixel(x, y, p.a >= 0.5f ? AvoidKey(Pack(p), key) : key);
    }
  // The bottom-left pixel names the key colour, so it must be clear.
  if (key_corner) b.SetPixel(0, c.h - 1, key);
  return b;
}

Bitmap ToOpaque(const Canvas& c, Col back) {
  Bitmap b(c.w, c.h);
  for (int y = 0; y < c.h; ++y)
    for (int x = 0; x < c.w; ++x) {
      Col p = c.At(x, y);
      b.SetPixel(x, y, Pack(Mix(back, WithAlpha(p, 1), p.a)));
    }
  return b;
}

void Save(const std::string& out, const std::string& name, const Bitmap& bmp) {
  std::string path = out + "/cg/" + name;
  if (!bmp.SaveToBmp(path)) throw std::runtime_error("cannot write " + path);
}

}  // namespace pic
