// SDL_ttf (FreeType) renders the desktop's text. Fonts are opened once per
// (pixel size, bold) and stay open for the life of the rasterizer.
#include <SDL.h>
#include <SDL_ttf.h>

#include <map>
#include <utility>

#include "platform/text_raster.h"

namespace {

class TtfRasterizer : public TextRasterizer {
 public:
  explicit TtfRasterizer(const std::vector<char>& font) : font_(font) {}
  ~TtfRasterizer() override {
    for (auto& entry : open_)
      if (entry.second) TTF_CloseFont(entry.second);
  }

  bool Render(const std::string& utf8, int pixel_size, bool bold, TextRun& run) override {
    TTF_Font* f = Font(pixel_size, bold);
    if (!f || utf8.empty()) return false;
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(f, utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered) return false;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!argb) return false;
    run.w = argb->w;
    run.h = argb->h;
    run.alpha.resize(static_cast<size_t>(run.w) * run.h);
    for (int y = 0; y < run.h; ++y) {
      const Uint32* row =
          reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
      for (int x = 0; x < run.w; ++x) run.alpha[static_cast<size_t>(y) * run.w + x] = row[x] >> 24;
    }
    SDL_FreeSurface(argb);
    return true;
  }

  bool Measure(const std::string& utf8, int pixel_size, bool bold, int& w, int& h) override {
    TTF_Font* f = Font(pixel_size, bold);
    return f && !utf8.empty() && TTF_SizeUTF8(f, utf8.c_str(), &w, &h) == 0;
  }

  int LineHeight(int pixel_size, bool bold) override {
    TTF_Font* f = Font(pixel_size, bold);
    return f ? TTF_FontHeight(f) : 0;
  }

  bool Ready() {
    if (TTF_WasInit() == 0 && TTF_Init() != 0) return false;
    return Font(13, false) != nullptr;
  }

 private:
  TTF_Font* Font(int px, bool bold) {
    auto key = std::make_pair(px, bold);
    auto it = open_.find(key);
    if (it != open_.end()) return it->second;
    TTF_Font* f = nullptr;
    SDL_RWops* rw = SDL_RWFromConstMem(font_.data(), static_cast<int>(font_.size()));
    if (rw) f = TTF_OpenFontRW(rw, 1, px);
    if (f && bold) TTF_SetFontStyle(f, TTF_STYLE_BOLD);
    open_[key] = f;
    return f;
  }

  const std::vector<char>& font_;
  std::map<std::pair<int, bool>, TTF_Font*> open_;
};

}  // namespace

std::unique_ptr<TextRasterizer> CreateTtfRasterizer(const std::vector<char>& font) {
  if (font.empty()) return nullptr;
  auto r = std::make_unique<TtfRasterizer>(font);
  if (!r->Ready()) return nullptr;
  return r;
}
