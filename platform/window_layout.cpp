// The scene's place in the window.
#include "platform/window_layout.h"

#include <algorithm>

#include "platform/platform.h"

namespace {

// Floor division: a point one pixel left of the scene is scene pixel -1.
int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

SceneLayout FitScene(int window_width, int window_height) {
  SceneLayout layout;
  layout.scale = std::max(1, std::min(window_width / kSceneWidth, window_height / kSceneHeight));
  layout.left = (window_width - kSceneWidth * layout.scale) / 2;
  layout.top = (window_height - kSceneHeight * layout.scale) / 2;
  return layout;
}

void WindowToScene(const SceneLayout& layout, int window_x, int window_y, int& scene_x, int& scene_y) {
  scene_x = std::clamp(FloorDiv(window_x - layout.left, layout.scale), 0, kSceneWidth - 1);
  scene_y = std::clamp(FloorDiv(window_y - layout.top, layout.scale), 0, kSceneHeight - 1);
}

bool OnScene(const SceneLayout& layout, int window_x, int window_y) {
  int x = FloorDiv(window_x - layout.left, layout.scale);
  int y = FloorDiv(window_y - layout.top, layout.scale);
  return x >= 0 && y >= 0 && x < kSceneWidth && y < kSceneHeight;
}
