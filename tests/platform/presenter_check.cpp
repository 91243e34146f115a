// The window presenter on SDL's dummy video driver (a window surface in
// memory): a changed frame reaches the window, an unchanged one is not
// drawn, an expose draws the last frame again, and clicks map back to the
// scene.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/desktop/sdl_presenter.h"

namespace {

constexpr int kW = 390, kH = 260;

class PresenterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    window = SDL_CreateWindow("presenter", 0, 0, 2 * kW, 2 * kH, 0);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    presenter = ScenePresenter::Create(window, kW, kH);
    ASSERT_NE(presenter, nullptr) << SDL_GetError();
  }
  void TearDown() override {
    presenter.reset();
    if (window) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  // The window's pixel at window coordinates, 0xRRGGBB.
  uint32_t WindowPixel(int x, int y) {
    SDL_Surface* s = SDL_GetWindowSurface(window);
    uint32_t p = *reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * 4);
    Uint8 r, g, b;
    SDL_GetRGB(p, s->format, &r, &g, &b);
    return (r << 16) | (g << 8) | b;
  }
  void Show() { presenter->Present(frame.data(), kW * 4); }

  SDL_Window* window = nullptr;
  std::unique_ptr<ScenePresenter> presenter;
  std::vector<uint32_t> frame = std::vector<uint32_t>(kW * kH, 0x336699);
};

TEST_F(PresenterTest, ChangedFramesAreDrawnUnchangedOnesAreNot) {
  ASSERT_EQ(presenter->path(), "surface");  // no GPU here
  Show();
  EXPECT_EQ(presenter->frames_shown(), 1);
  EXPECT_EQ(WindowPixel(21, 21), 0x336699u);
  Show();
  Show();
  EXPECT_EQ(presenter->frames_shown(), 1);

  frame[50 * kW + 100] = 0xFF0000;
  Show();
  EXPECT_EQ(presenter->frames_shown(), 2);
  // Scaled by two, nearest neighbour: four window pixels.
  for (auto [x, y] : {std::pair{200, 100}, {201, 100}, {200, 101}, {201, 101}})
    EXPECT_EQ(WindowPixel(x, y), 0xFF0000u) << x << "," << y;
  EXPECT_EQ(WindowPixel(202, 100), 0x336699u);
  EXPECT_EQ(WindowPixel(199, 101), 0x336699u);
}

TEST_F(PresenterTest, AnExposeDrawsTheLastFrameAgain) {
  frame[10 * kW + 10] = 0x00FF00;
  Show();
  SDL_Surface* s = SDL_GetWindowSurface(window);
  SDL_FillRect(s, nullptr, 0);  // the window lost its pixels
  presenter->Expose();
  EXPECT_EQ(WindowPixel(21, 21), 0x00FF00u);
  EXPECT_EQ(WindowPixel(779, 519), 0x336699u);
  EXPECT_EQ(presenter->frames_shown(), 1);  // nothing new was presented
  Show();
  EXPECT_EQ(presenter->frames_shown(), 1);
}

TEST_F(PresenterTest, AWiderWindowGetsTheSceneCentredBetweenBars) {
  // A 60-pixel border each side.
  SDL_SetWindowSize(window, 2 * kW + 120, 2 * kH);
  // Drawn into the resized window with the same border.
  Show();
  EXPECT_EQ(WindowPixel(59, 10), 0u);
  EXPECT_EQ(WindowPixel(60, 10), 0x336699u);
}

}  // namespace
