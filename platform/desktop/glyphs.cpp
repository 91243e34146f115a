// SDL_ttf renders the glyphs; the fonts stay open for the life of the program.
#include "platform/desktop/glyphs.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <map>
#include <utility>

namespace {

const char* kEmojiFontPath = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf";
const char* kTextFontPath = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";
constexpr int kEmojiBitmapSize = 109;  // the only strike in the font

bool EnsureTtf() {
  static bool ok = TTF_WasInit() || TTF_Init() == 0;
  return ok;
}

// Open fonts by file, style and size; closed when the program ends.
struct OpenFonts {
  std::map<std::pair<std::string, int>, TTF_Font*> fonts;
  ~OpenFonts() {
    for (auto& entry : fonts)
      if (entry.second) TTF_CloseFont(entry.second);
  }
};

TTF_Font* OpenCached(const char* path, int size, bool bold) {
  static OpenFonts open;
  auto& fonts = open.fonts;
  if (!EnsureTtf()) return nullptr;
  auto key = std::make_pair(std::string(path) + (bold ? "#b" : ""), size);
  auto it = fonts.find(key);
  if (it != fonts.end()) return it->second;
  TTF_Font* font = TTF_OpenFont(path, size);
  if (font && bold) TTF_SetFontStyle(font, TTF_STYLE_BOLD);
  fonts[key] = font;
  return font;
}

RgbaImage FromSurface(SDL_Surface* rendered) {
  RgbaImage out;
  if (!rendered) return out;
  SDL_Surface* s = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(rendered);
  if (!s) return out;
  out.width = s->w;
  out.height = s->h;
  out.rgba.resize(static_cast<size_t>(s->w) * s->h * 4);
  SDL_LockSurface(s);
  bool any = false;
  for (int y = 0; y < s->h; ++y) {
    const uint8_t* row = static_cast<const uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
    std::copy(row, row + s->w * 4, out.rgba.begin() + static_cast<size_t>(y) * s->w * 4);
    for (int x = 0; x < s->w && !any; ++x) any = row[x * 4 + 3] != 0;
  }
  SDL_UnlockSurface(s);
  SDL_FreeSurface(s);
  if (!any) out = RgbaImage{};
  return out;
}

}  // namespace

RgbaImage RenderEmoji(const std::string& utf8) {
  TTF_Font* font = OpenCached(kEmojiFontPath, kEmojiBitmapSize, false);
  if (!font || utf8.empty()) return {};
  return FromSurface(TTF_RenderUTF8_Blended(font, utf8.c_str(), SDL_Color{255, 255, 255, 255}));
}

RgbaImage RenderText(const std::string& utf8, int pixel_size, bool bold) {
  TTF_Font* font = OpenCached(kTextFontPath, pixel_size, bold);
  if (!font || utf8.empty()) return {};
  return FromSurface(TTF_RenderUTF8_Blended(font, utf8.c_str(), SDL_Color{255, 255, 255, 255}));
}
