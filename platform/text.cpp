// Text on the canvas. Every face is drawn with IPAPGothic (the Japanese face
// the game asks for); bold is synthesized. The font file is read into memory
// once, and rendered runs of text are kept as coverage (tinted when drawn),
// since the scene redraws the same lines every frame.
#include <algorithm>
#include <cstdio>
#include <list>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/bitmap.h"
#include "platform/text_raster.h"
#include "platform/text_rects.h"

namespace {

const char* const kFontPaths[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
};

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

// The page stores its font in the file system when it has arrived, which may
// be after the first text is measured: the browser looks again until it
// finds one. The desktop looks once.
#ifdef __EMSCRIPTEN__
constexpr bool kLookUntilFound = true;
#else
constexpr bool kLookUntilFound = false;
#endif

// The font file's bytes, read once found; empty while no font could be read.
// Kept to the very end: the open fonts read from it.
const std::vector<char>& FontData() {
  static std::vector<char>& data = *new std::vector<char>;
  static bool tried = false;
  if (tried && (!data.empty() || !kLookUntilFound)) return data;
  tried = true;
  for (const char* path : kFontPaths) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) continue;
    std::vector<char> bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    if (!bytes.empty()) {
      data = std::move(bytes);
      break;
    }
  }
  return data;
}

// The rasterizer of this build, over the font file; null (with one warning)
// when no font could be read. Callers hold Lock().
TextRasterizer* Rasterizer() {
  static TextRasterizer* rasterizer = nullptr;
  static bool tried = false, warned = false;
  if (rasterizer || (tried && !kLookUntilFound)) return rasterizer;
  tried = true;
  const std::vector<char>& data = FontData();
  if (!data.empty()) {
#ifdef __EMSCRIPTEN__
    rasterizer = CreateStbRasterizer(data).release();
#else
    rasterizer = CreateTtfRasterizer(data).release();
#endif
  }
  if (!rasterizer && !warned) {
    warned = true;
    std::fprintf(stderr, "picolatte: no Japanese font found (install fonts-ipafont-gothic)\n");
  }
  return rasterizer;
}

int PixelSize(const TFont& font) {
  return std::max(PointsToPixels(font.size), 1);
}

// A rendered run of text as coverage, 0-255 a pixel, with the stretches of
// each row that are covered at all (most of a line of text is empty).
struct Run {
  struct Span {
    int row, from, to;  // [from, to) in that row
  };
  int w = 0, h = 0;
  std::vector<uint8_t> alpha;
  std::vector<Span> spans;
};

// Runs by (pixel size, bold, text); the least recently drawn one goes first
// when the cache is full.
class RunCache {
 public:
  const Run* Get(TextRasterizer& r, int px, bool bold, const std::string& text) {
    std::string key = std::to_string(px) + (bold ? "b" : "n") + ':' + text;
    auto it = index_.find(key);
    if (it != index_.end()) {
      order_.splice(order_.begin(), order_, it->second);
      return &it->second->second;
    }
    TextRun raster;
    if (!r.Render(text, px, bold, raster)) return nullptr;
    Run run;
    run.w = raster.w;
    run.h = raster.h;
    run.alpha = std::move(raster.alpha);
    for (int y = 0; y < run.h; ++y) {
      const uint8_t* row = run.alpha.data() + static_cast<size_t>(y) * run.w;
      for (int x = 0; x < run.w;) {
        if (row[x] == 0) {
          ++x;
          continue;
        }
        int from = x;
        while (x < run.w && row[x] != 0) ++x;
        run.spans.push_back({y, from, x});
      }
    }
    order_.emplace_front(key, std::move(run));
    index_[key] = order_.begin();
    if (order_.size() > kLimit) {
      index_.erase(order_.back().first);
      order_.pop_back();
    }
    return &order_.front().second;
  }

 private:
  static constexpr size_t kLimit = 512;
  std::list<std::pair<std::string, Run>> order_;
  std::unordered_map<std::string, std::list<std::pair<std::string, Run>>::iterator> index_;
};

RunCache& Runs() {
  static RunCache runs;
  return runs;
}

// Lays a run in `color` onto XRGB pixels (w x h), blending by coverage.
void BlendRun(uint32_t* pixels, int w, int h, int x0, int y0, const Run& run, uint32_t color) {
  color &= 0xFFFFFF;
  const uint32_t rb = color & 0xFF00FF, g = color & 0x00FF00;
  for (const Run::Span& span : run.spans) {
    int y = y0 + span.row;
    if (y < 0 || y >= h) continue;
    int from = std::max(span.from, -x0), to = std::min(span.to, w - x0);
    if (from >= to) continue;
    const uint8_t* cover = run.alpha.data() + static_cast<size_t>(span.row) * run.w;
    uint32_t* out = pixels + static_cast<size_t>(y) * w + x0;
    for (int x = from; x < to; ++x) {
      uint32_t a = cover[x];
      if (a == 255) {
        out[x] = color;
      } else if (a != 0) {
        // Red and blue side by side in one multiply, green in another.
        uint32_t p = out[x], na = 255 - a;
        ++a;
        uint32_t out_rb = ((rb * a + (p & 0xFF00FF) * na) >> 8) & 0xFF00FF;
        uint32_t out_g = ((g * a + (p & 0x00FF00) * na) >> 8) & 0x00FF00;
        out[x] = out_rb | out_g;
      }
    }
  }
}

}  // namespace

void Bitmap::TextOut(int x, int y, const std::string& utf8) {
  if (Empty() || utf8.empty()) return;
  std::lock_guard<std::mutex> guard(Lock());
  TextRasterizer* r = Rasterizer();
  if (!r) return;
  const Run* run = Runs().Get(*r, PixelSize(font), font.bold, utf8);
  if (!run) return;
  if (!brush_clear) FillRect(x, y, x + run->w, y + run->h);
  BlendRun(pixels_.data(), width_, height_, x, y, *run, font.color);
  text_rects::Note(*this, {x, y, x + run->w, y + run->h});
}

int Bitmap::TextWidth(const std::string& utf8) {
  std::lock_guard<std::mutex> guard(Lock());
  TextRasterizer* r = Rasterizer();
  int w = 0, h = 0;
  if (!r || utf8.empty() || !r->Measure(utf8, PixelSize(font), font.bold, w, h)) return 0;
  return w;
}

int Bitmap::TextHeight(const std::string& utf8) {
  std::lock_guard<std::mutex> guard(Lock());
  TextRasterizer* r = Rasterizer();
  if (!r) return 0;
  int w = 0, h = 0;
  if (utf8.empty() || !r->Measure(utf8, PixelSize(font), font.bold, w, h))
    return r->LineHeight(PixelSize(font), font.bold);
  return h;
}
