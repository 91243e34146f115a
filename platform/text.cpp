// Text on the canvas. Every face is drawn with IPAPGothic (the Japanese face
// the game asks for); bold is synthesized. The font file is read into memory
// once; rendered runs of text are kept as coverage (tinted when drawn), and
// measured ones as their size, since the scene redraws and measures the same
// lines every frame.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <list>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/bitmap.h"
#include "platform/text_blend.h"
#include "platform/text_cache.h"
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
// each row worth blending: they start at ink and run in whole blocks of
// kBlendBlock pixels while ink follows (most of a line of text is empty).
// Rows are padded with uncovered pixels so that the last block of a row is
// whole too.
struct Run {
  struct Segment {
    int row, from, to;  // [from, to) in that row
  };
  int w = 0, h = 0;
  int stride = 0;              // bytes from one row of `alpha` to the next
  std::vector<uint8_t> alpha;  // stride * h
  std::vector<Segment> segments;

  const uint8_t* Row(int y) const { return alpha.data() + static_cast<size_t>(y) * stride; }
  size_t Bytes() const { return sizeof(Run) + alpha.capacity() + segments.capacity() * sizeof(Segment); }
};

Run MakeRun(const TextRun& raster) {
  Run run;
  run.w = raster.w;
  run.h = raster.h;
  run.stride = run.w + kBlendBlock - 1;
  run.alpha.assign(static_cast<size_t>(run.stride) * run.h, 0);
  for (int y = 0; y < run.h; ++y) {
    const uint8_t* row = raster.alpha.data() + static_cast<size_t>(y) * run.w;
    std::copy(row, row + run.w, run.alpha.begin() + static_cast<ptrdiff_t>(y) * run.stride);
  }
  for (int y = 0; y < run.h; ++y) {
    const uint8_t* row = run.Row(y);
    auto inked = [&](int from) {
      for (int x = from; x < std::min(from + kBlendBlock, run.w); ++x)
        if (row[x] != 0) return true;
      return false;
    };
    for (int x = 0; x < run.w;) {
      if (row[x] == 0) {
        ++x;
        continue;
      }
      int from = x;
      do x += kBlendBlock;
      while (x < run.w && inked(x));
      run.segments.push_back({y, from, x});  // x < w + kBlendBlock: inside the padding
      x = std::min(x, run.w);
    }
  }
  return run;
}

// Least recently used entries go first once the cache holds more than
// kTextCacheEntries or kTextCacheBytes. Keys are (pixel size, bold, text).
template <typename Value>
class TextCache {
 public:
  // The entry of (px, bold, text), or null.
  Value* Find(int px, bool bold, const std::string& text) {
    MakeKey(px, bold, text);
    auto it = index_.find(key_);
    if (it == index_.end()) return nullptr;
    order_.splice(order_.begin(), order_, it->second);
    return &it->second->value;
  }

  // Adds the entry of the last Find's key, which found nothing.
  Value& Add(Value value, size_t bytes) {
    bytes += sizeof(Entry) + 2 * key_.capacity();
    order_.push_front({key_, std::move(value), bytes});
    index_[key_] = order_.begin();
    bytes_ += bytes;
    while (order_.size() > 1 && (order_.size() > kTextCacheEntries || bytes_ > kTextCacheBytes)) {
      bytes_ -= order_.back().bytes;
      index_.erase(order_.back().key);
      order_.pop_back();
    }
    return order_.front().value;
  }

  size_t Entries() const { return order_.size(); }
  size_t Bytes() const { return bytes_; }

 private:
  struct Entry {
    std::string key;
    Value value;
    size_t bytes;
  };

  // The key goes into one reused buffer: no allocation to look up.
  void MakeKey(int px, bool bold, const std::string& text) {
    key_.assign(reinterpret_cast<const char*>(&px), sizeof px);
    key_ += bold ? 'b' : 'n';
    key_ += text;
  }

  std::string key_;
  std::list<Entry> order_;
  std::unordered_map<std::string, typename std::list<Entry>::iterator> index_;
  size_t bytes_ = 0;
};

struct Extent {
  bool ok = false;
  int w = 0, h = 0;
};

// Callers hold Lock().
TextCache<Run>& Runs() {
  static TextCache<Run>& runs = *new TextCache<Run>;
  return runs;
}
TextCache<Extent>& Extents() {
  static TextCache<Extent>& extents = *new TextCache<Extent>;
  return extents;
}

const Run* RunOf(TextRasterizer& r, int px, bool bold, const std::string& text) {
  if (const Run* cached = Runs().Find(px, bold, text)) return cached;
  TextRun raster;
  if (!r.Render(text, px, bold, raster)) return nullptr;
  Run run = MakeRun(raster);
  size_t bytes = run.Bytes();
  return &Runs().Add(std::move(run), bytes);
}

const Extent& ExtentOf(TextRasterizer& r, int px, bool bold, const std::string& text) {
  if (const Extent* cached = Extents().Find(px, bold, text)) return *cached;
  Extent e;
  e.ok = r.Measure(text, px, bold, e.w, e.h);
  return Extents().Add(e, 0);
}

// Lays a run in `color` onto XRGB pixels (w x h).
void BlendRun(uint32_t* pixels, int w, int h, int x0, int y0, const Run& run, uint32_t color) {
  for (const Run::Segment& segment : run.segments) {
    int y = y0 + segment.row;
    if (y < 0 || y >= h) continue;
    int from = std::max(segment.from, -x0), to = std::min(segment.to, w - x0);
    if (from >= to) continue;
    BlendCover(pixels + static_cast<size_t>(y) * w + x0 + from, run.Row(segment.row) + from, to - from,
               color);
  }
}

}  // namespace

void Bitmap::TextOut(int x, int y, const std::string& utf8) {
  TextOut(x, y, utf8, font, {brush_color, brush_clear});
}

int Bitmap::TextWidth(const std::string& utf8) {
  return TextWidth(utf8, font);
}

int Bitmap::TextHeight(const std::string& utf8) {
  return TextHeight(utf8, font);
}

void Bitmap::TextOut(int x, int y, const std::string& utf8, const TFont& font, Brush back) {
  if (Empty() || utf8.empty()) return;
  std::lock_guard<std::mutex> guard(Lock());
  TextRasterizer* r = Rasterizer();
  if (!r) return;
  const Run* run = RunOf(*r, PixelSize(font), font.bold, utf8);
  if (!run) return;
  if (!back.clear) FillRect(x, y, x + run->w, y + run->h, back.color);
  BlendRun(pixels_.data(), width_, height_, x, y, *run, font.color);
  text_rects::Note(*this, {x, y, x + run->w, y + run->h});
}

int Bitmap::TextWidth(const std::string& utf8, const TFont& font) {
  std::lock_guard<std::mutex> guard(Lock());
  TextRasterizer* r = Rasterizer();
  if (!r || utf8.empty()) return 0;
  const Extent& e = ExtentOf(*r, PixelSize(font), font.bold, utf8);
  return e.ok ? e.w : 0;
}

int Bitmap::TextHeight(const std::string& utf8, const TFont& font) {
  std::lock_guard<std::mutex> guard(Lock());
  TextRasterizer* r = Rasterizer();
  if (!r) return 0;
  if (utf8.empty()) return r->LineHeight(PixelSize(font), font.bold);
  const Extent& e = ExtentOf(*r, PixelSize(font), font.bold, utf8);
  return e.ok ? e.h : r->LineHeight(PixelSize(font), font.bold);
}

TextCacheUse TextCacheUsage() {
  std::lock_guard<std::mutex> guard(Lock());
  TextCacheUse use;
  use.runs = Runs().Entries();
  use.run_bytes = Runs().Bytes();
  use.sizes = Extents().Entries();
  return use;
}
