// Where the 390 x 260 scene sits in a window of any size, and which scene
// pixel a window pixel stands for. Plain arithmetic, shared by every window.
#pragma once

struct SceneLayout {
  int scale = 1;          // whole window pixels per scene pixel, at least 1
  int left = 0, top = 0;  // the scene's top-left corner in the window
};

// The largest whole scale that fits, centred; black bars fill the rest.
SceneLayout FitScene(int window_width, int window_height);

// A window point (anywhere, outside the window too) as a scene point. Points
// on the bars or beyond go to the nearest scene edge, so that a click there
// still lands in the scene.
void WindowToScene(const SceneLayout& layout, int window_x, int window_y, int& scene_x, int& scene_y);

// True when the window point lies on the scene itself.
bool OnScene(const SceneLayout& layout, int window_x, int window_y);
