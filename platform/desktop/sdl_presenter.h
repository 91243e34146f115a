// Puts the scene into the SDL window at an integer nearest-neighbour scale,
// and only what changed since the last frame shown (FrameDiff): an unchanged
// frame costs one comparison and no drawing at all.
//
// Two ways to draw: with a real GPU the accelerated renderer (a streaming
// texture drawn at the integer scale into the middle of the window); with a
// software rasteriser (Mesa's llvmpipe or softpipe, or no OpenGL at all)
// the window surface, scaled by hand and updated rectangle by rectangle,
// which costs a fraction of a software OpenGL present.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/frame_diff.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

class ScenePresenter {
 public:
  ~ScenePresenter();
  // Null (with SDL's error) when the window cannot be drawn into at all.
  static std::unique_ptr<ScenePresenter> Create(SDL_Window* window, int scene_width, int scene_height);

  // Shows the frame (scene_width x scene_height XRGB words, `pitch` bytes a
  // row) where it differs from the last one shown; nothing when it does not.
  void Present(const uint32_t* pixels, int pitch);
  // The window lost its pixels or changed size: draw the last frame again, whole.
  void Expose();

  // "renderer" (accelerated) or "surface".
  const std::string& path() const { return path_; }
  int frames_shown() const { return frames_shown_; }

 private:
  ScenePresenter(SDL_Window* window, int w, int h) : window_(window), width_(w), height_(h) {}
  bool UseRenderer(SDL_Renderer* renderer);
  void DrawToSurface(const SceneRect* rects, int count, bool whole);
  void DrawToRenderer(const SceneRect* rects, int count);
  void Layout(int window_w, int window_h);

  SDL_Window* window_;
  int width_, height_;
  SDL_Renderer* renderer_ = nullptr;  // null: the window surface
  SDL_Texture* texture_ = nullptr;
  std::string path_;
  FrameDiff diff_;
  int scale_ = 1, left_ = 0, top_ = 0;  // scene placement in the window surface
  int frames_shown_ = 0;
};
