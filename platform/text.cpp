// Text on the canvas with SDL_ttf. Every face is drawn with IPAPGothic (the
// Japanese face the game asks for); bold is synthesized.
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <map>
#include <mutex>
#include <utility>

#include "platform/bitmap.h"

namespace {

const char* const kFontPaths[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
};

// Open fonts by (pixel size, bold); they live as long as the program.
TTF_Font* FontFor(const TFont& font) {
  static std::mutex lock;
  static std::map<std::pair<int, bool>, TTF_Font*> cache;
  static bool ready = false, warned = false;
  std::lock_guard<std::mutex> guard(lock);
  if (!ready) {
    if (TTF_WasInit() == 0 && TTF_Init() != 0) return nullptr;
    ready = true;
  }
  int px = std::max(PointsToPixels(font.size), 1);
  auto key = std::make_pair(px, font.bold);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  TTF_Font* f = nullptr;
  for (const char* path : kFontPaths) {
    f = TTF_OpenFont(path, px);
    if (f) break;
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

}  // namespace

void Bitmap::TextOut(int x, int y, const std::string& utf8) {
  if (!surface() || utf8.empty()) return;
  TTF_Font* f = FontFor(font);
  if (!f) return;
  SDL_Color c{static_cast<Uint8>(font.color >> 16), static_cast<Uint8>(font.color >> 8),
              static_cast<Uint8>(font.color), 255};
  SDL_Surface* text = TTF_RenderUTF8_Blended(f, utf8.c_str(), c);
  if (!text) return;
  if (!brush_clear) FillRect(x, y, x + text->w, y + text->h);
  SDL_Rect dst{x, y, text->w, text->h};
  SDL_SetSurfaceBlendMode(text, SDL_BLENDMODE_BLEND);
  SDL_BlitSurface(text, nullptr, surface(), &dst);
  SDL_FreeSurface(text);
}

int Bitmap::TextWidth(const std::string& utf8) {
  TTF_Font* f = FontFor(font);
  int w = 0, h = 0;
  if (!f || utf8.empty() || TTF_SizeUTF8(f, utf8.c_str(), &w, &h) != 0) return 0;
  return w;
}

int Bitmap::TextHeight(const std::string& utf8) {
  TTF_Font* f = FontFor(font);
  if (!f) return 0;
  int w = 0, h = 0;
  if (utf8.empty() || TTF_SizeUTF8(f, utf8.c_str(), &w, &h) != 0) return TTF_FontHeight(f);
  return h;
}
