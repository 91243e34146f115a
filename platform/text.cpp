// Text on the canvas with SDL_ttf. Every face is drawn with IPAPGothic (the
// Japanese face the game asks for); bold is synthesized. The font file is
// read into memory once, and rendered runs of text are kept (white, tinted
// when drawn), since the scene redraws the same lines every frame.
#include <SDL.h>
#include <SDL_ttf.h>

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

// The font file's bytes, read once; empty when no font could be read. Kept
// to the very end: the open fonts read from it.
const std::vector<char>& FontData() {
  static std::vector<char>& data = *new std::vector<char>;
  static bool tried = false;
  if (tried) return data;
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

// Open fonts by (pixel size, bold); closed when the program ends.
struct OpenFonts {
  std::map<std::pair<int, bool>, TTF_Font*> fonts;
  ~OpenFonts() {
    for (auto& entry : fonts) TTF_CloseFont(entry.second);
  }
};

// Callers hold Lock().
TTF_Font* FontFor(const TFont& font) {
  static OpenFonts open;
  auto& cache = open.fonts;
  static bool ready = false, warned = false;
  if (!ready) {
    if (TTF_WasInit() == 0 && TTF_Init() != 0) return nullptr;
    ready = true;
  }
  int px = std::max(PointsToPixels(font.size), 1);
  auto key = std::make_pair(px, font.bold);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  const std::vector<char>& data = FontData();
  TTF_Font* f = nullptr;
  if (!data.empty()) {
    SDL_RWops* rw = SDL_RWFromConstMem(data.data(), static_cast<int>(data.size()));
    if (rw) f = TTF_OpenFontRW(rw, 1, px);
  }
  if (!f) {
    if (!warned) std::fprintf(stderr, "picolatte: no Japanese font found (install fonts-ipafont-gothic)\n");
    warned = true;
    return nullptr;
  }
  if (font.bold) TTF_SetFontStyle(f, TTF_STYLE_BOLD);
  cache[key] = f;
  return f;
}

// A rendered run of text as coverage, 0-255 a pixel, with the stretches of
// each row that are covered at all (most of a line of text is empty).
struct Run {
  struct Span {
    int row, from, to;  // [from, to) in that row
  };
  int w = 0, h = 0;
  std::vector<Uint8> alpha;
  std::vector<Span> spans;
};

// Runs by (pixel size, bold, text); the least recently drawn one goes first
// when the cache is full.
class RunCache {
 public:
  const Run* Get(TTF_Font* f, int px, bool bold, const std::string& text) {
    std::string key = std::to_string(px) + (bold ? "b" : "n") + ':' + text;
    auto it = index_.find(key);
    if (it != index_.end()) {
      order_.splice(order_.begin(), order_, it->second);
      return &it->second->second;
    }
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(f, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered) return nullptr;
    Run run;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!argb) return nullptr;
    run.w = argb->w;
    run.h = argb->h;
    run.alpha.resize(static_cast<size_t>(run.w) * run.h);
    for (int y = 0; y < run.h; ++y) {
      const Uint32* row =
          reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
      for (int x = 0; x < run.w; ++x) run.alpha[static_cast<size_t>(y) * run.w + x] = row[x] >> 24;
    }
    SDL_FreeSurface(argb);
    for (int y = 0; y < run.h; ++y) {
      const Uint8* row = run.alpha.data() + static_cast<size_t>(y) * run.w;
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

// Lays a run in `color` onto an XRGB8888 surface, blending by coverage.
void BlendRun(SDL_Surface* dst, int x0, int y0, const Run& run, Uint32 color) {
  color &= 0xFFFFFF;
  const Uint32 rb = color & 0xFF00FF, g = color & 0x00FF00;
  for (const Run::Span& span : run.spans) {
    int y = y0 + span.row;
    if (y < 0 || y >= dst->h) continue;
    int from = std::max(span.from, -x0), to = std::min(span.to, dst->w - x0);
    if (from >= to) continue;
    const Uint8* cover = run.alpha.data() + static_cast<size_t>(span.row) * run.w;
    Uint32* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(dst->pixels) + y * dst->pitch) + x0;
    for (int x = from; x < to; ++x) {
      Uint32 a = cover[x];
      if (a == 255) {
        out[x] = color;
      } else if (a != 0) {
        // Red and blue side by side in one multiply, green in another.
        Uint32 p = out[x], na = 255 - a;
        ++a;
        Uint32 out_rb = ((rb * a + (p & 0xFF00FF) * na) >> 8) & 0xFF00FF;
        Uint32 out_g = ((g * a + (p & 0x00FF00) * na) >> 8) & 0x00FF00;
        out[x] = out_rb | out_g;
      }
    }
  }
}

}  // namespace

void Bitmap::TextOut(int x, int y, const std::string& utf8) {
  if (!surface() || utf8.empty()) return;
  std::lock_guard<std::mutex> guard(Lock());
  TTF_Font* f = FontFor(font);
  if (!f) return;
  const Run* run = Runs().Get(f, std::max(PointsToPixels(font.size), 1), font.bold, utf8);
  if (!run) return;
  if (!brush_clear) FillRect(x, y, x + run->w, y + run->h);
  BlendRun(surface(), x, y, *run, font.color);
}

int Bitmap::TextWidth(const std::string& utf8) {
  std::lock_guard<std::mutex> guard(Lock());
  TTF_Font* f = FontFor(font);
  int w = 0, h = 0;
  if (!f || utf8.empty() || TTF_SizeUTF8(f, utf8.c_str(), &w, &h) != 0) return 0;
  return w;
}

int Bitmap::TextHeight(const std::string& utf8) {
  std::lock_guard<std::mutex> guard(Lock());
  TTF_Font* f = FontFor(font);
  if (!f) return 0;
  int w = 0, h = 0;
  if (utf8.empty() || TTF_SizeUTF8(f, utf8.c_str(), &w, &h) != 0) return TTF_FontHeight(f);
  return h;
}
