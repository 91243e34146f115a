// The two ways of putting the scene into the window, and the choice between
// them.
#include "platform/desktop/sdl_presenter.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace {

// The OpenGL driver's name of the renderer's context, or "" without OpenGL.
std::string GlRendererName(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name) return "";
  if (std::strncmp(info.name, "opengl", 6) != 0) return "";
  using GetString = const unsigned char* (*)(unsigned int);  // glGetString
  auto get_string = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  if (!get_string || !SDL_GL_GetCurrentContext()) return "";
  const unsigned char* name = get_string(0x1F01);  // GL_RENDERER
  return name ? reinterpret_cast<const char*>(name) : "";
}

bool IsSoftwareRasteriser(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0) return true;
  if (info.flags & SDL_RENDERER_SOFTWARE) return true;
  std::string gl = GlRendererName(renderer);
  for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"})
    if (gl.find(soft) != std::string::npos) return true;
  return false;
}

inline uint32_t* SurfaceRow(SDL_Surface* s, int y) {
  return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch);
}

}  // namespace

ScenePresenter::~ScenePresenter() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
}

std::unique_ptr<ScenePresenter> ScenePresenter::Create(SDL_Window* window, int scene_width,
                                                       int scene_height) {
  std::unique_ptr<ScenePresenter> p(new ScenePresenter(window, scene_width, scene_height));
  SDL_Renderer* renderer =
      SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  if (renderer && !IsSoftwareRasteriser(renderer)) {
    if (p->UseRenderer(renderer)) return p;
    return nullptr;
  }
  if (renderer) SDL_DestroyRenderer(renderer);
  // SDL would otherwise back the window surface with a texture of the same
  // software OpenGL again.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_GetWindowSurface(window)) {
    p->path_ = "surface";
    return p;
  }
  // No window surface either: whatever renderer SDL can make.
  renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (renderer && p->UseRenderer(renderer)) return p;
  return nullptr;
}

bool ScenePresenter::UseRenderer(SDL_Renderer* renderer) {
  renderer_ = renderer;
  path_ = "renderer";
  texture_ =
      SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING, width_, height_);
  return texture_ != nullptr;
}

void ScenePresenter::Present(const uint32_t* pixels, int pitch) {
  if (!pixels) return;
  const std::vector<SceneRect>& rects = diff_.Update(pixels, pitch, width_, height_);
  if (rects.empty()) return;
  ++frames_shown_;
  if (renderer_) {
    DrawToRenderer(rects.data(), static_cast<int>(rects.size()));
  } else {
    bool whole = rects.size() == 1 && rects[0].w == width_ && rects[0].h == height_;
    DrawToSurface(rects.data(), static_cast<int>(rects.size()), whole);
  }
}

void ScenePresenter::Expose() {
  if (renderer_) {
    DrawToRenderer(nullptr, 0);
    return;
  }
  SceneRect all{0, 0, width_, height_};
  DrawToSurface(&all, diff_.shown().empty() ? 0 : 1, true);
}

void ScenePresenter::DrawToRenderer(const SceneRect* rects, int count) {
  const std::vector<uint32_t>& frame = diff_.shown();
  for (int i = 0; i < count && !frame.empty(); ++i) {
    const SceneRect& r = rects[i];
    SDL_Rect area{r.x, r.y, r.w, r.h};
    SDL_UpdateTexture(texture_, &area, &frame[static_cast<size_t>(r.y) * width_ + r.x], width_ * 4);
  }
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer_, &w, &h);
  Layout(w, h);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_Rect scene{left_, top_, width_ * scale_, height_ * scale_};
  SDL_RenderCopy(renderer_, texture_, nullptr, &scene);
  SDL_RenderPresent(renderer_);
}

void ScenePresenter::Layout(int window_w, int window_h) {
  scale_ = std::max(1, std::min(window_w / width_, window_h / height_));
  left_ = std::max(0, (window_w - width_ * scale_) / 2);
  top_ = std::max(0, (window_h - height_ * scale_) / 2);
}

void ScenePresenter::DrawToSurface(const SceneRect* rects, int count, bool whole) {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return;
  int scale = scale_, left = left_, top = top_;
  Layout(surface->w, surface->h);
  // A new size (fullscreen, a resize) needs the borders and everything again.
  if (scale != scale_ || left != left_ || top != top_) whole = true;
  SceneRect all{0, 0, width_, height_};
  if (whole && count > 0) {
    rects = &all;
    count = 1;
  }
  const std::vector<uint32_t>& frame = diff_.shown();
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  if (whole) SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
  const bool direct = surface->format->BytesPerPixel == 4 && surface->format->Rmask == 0xFF0000 &&
                      surface->format->Gmask == 0x00FF00 && surface->format->Bmask == 0x0000FF;
  SDL_Rect updates[64];
  int n = 0;
  for (int i = 0; i < count && !frame.empty(); ++i) {
    const SceneRect& r = rects[i];
    SDL_Rect out{left_ + r.x * scale_, top_ + r.y * scale_, r.w * scale_, r.h * scale_};
    SDL_Rect clipped;
    SDL_Rect bounds{0, 0, surface->w, surface->h};
    if (!SDL_IntersectRect(&out, &bounds, &clipped)) continue;
    if (direct) {
      // Each scene row widened once, then copied down for the other rows.
      for (int y = r.y; y < r.y + r.h; ++y) {
        int oy = top_ + y * scale_;
        if (oy >= surface->h) break;
        const uint32_t* in = &frame[static_cast<size_t>(y) * width_];
        uint32_t* row = SurfaceRow(surface, oy);
        for (int x = r.x; x < r.x + r.w; ++x) {
          int ox = left_ + x * scale_;
          for (int k = 0; k < scale_ && ox + k < surface->w; ++k) row[ox + k] = in[x];
        }
        int from = clipped.x, bytes = clipped.w * 4;
        for (int k = 1; k < scale_ && oy + k < surface->h; ++k)
          std::memcpy(SurfaceRow(surface, oy + k) + from, row + from, bytes);
      }
    } else {
      SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(
          const_cast<uint32_t*>(frame.data()), width_, height_, 32, width_ * 4, SDL_PIXELFORMAT_XRGB8888);
      if (src) {
        SDL_Rect from{r.x, r.y, r.w, r.h};
        SDL_BlitScaled(src, &from, surface, &out);
        SDL_FreeSurface(src);
      }
    }
    if (n < 64) updates[n++] = clipped;
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  if (whole || n == 64) {
    SDL_UpdateWindowSurface(window_);
  } else if (n > 0) {
    SDL_UpdateWindowSurfaceRects(window_, updates, n);
  }
}
