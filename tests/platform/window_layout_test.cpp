// The scene's place in windows of any size, and where clicks land: on the
// scene, on the black bars and outside the window.
#include "platform/window_layout.h"

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

struct Point {
  int x, y;
};

Point Map(const SceneLayout& layout, int x, int y) {
  Point p;
  WindowToScene(layout, x, y, p.x, p.y);
  return p;
}

TEST(WindowLayout, WholeScalesCentredWithBars) {
  SceneLayout windowed = FitScene(780, 520);
  EXPECT_EQ(windowed.scale, 2);
  EXPECT_EQ(windowed.left, 0);
  EXPECT_EQ(windowed.top, 0);
  // A 1920 x 1080 screen: four times, 180 pixels of bar left and right, 20
  // above and below.
  SceneLayout full = FitScene(1920, 1080);
  EXPECT_EQ(full.scale, 4);
  EXPECT_EQ(full.left, 180);
  EXPECT_EQ(full.top, 20);
  // Just too small for twice: once, with bars.
  SceneLayout odd = FitScene(779, 600);
  EXPECT_EQ(odd.scale, 1);
  EXPECT_EQ(odd.left, (779 - 390) / 2);
  EXPECT_EQ(odd.top, (600 - 260) / 2);
  // Smaller than the scene: once, cut on both sides.
  SceneLayout tiny = FitScene(300, 200);
  EXPECT_EQ(tiny.scale, 1);
  EXPECT_EQ(tiny.left, -45);
  EXPECT_EQ(tiny.top, -30);
}

TEST(WindowLayout, ClicksOnTheSceneMapToItsPixels) {
  SceneLayout full = FitScene(1920, 1080);
  Point p = Map(full, 180 + 4 * 100 + 3, 20 + 4 * 50);
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.y, 50);
  p = Map(full, 180 + 4 * 389 + 3, 20 + 4 * 259 + 3);  // the last pixel
  EXPECT_EQ(p.x, 389);
  EXPECT_EQ(p.y, 259);
  p = Map(FitScene(780, 520), 321, 481);
  EXPECT_EQ(p.x, 160);
  EXPECT_EQ(p.y, 240);
  EXPECT_TRUE(OnScene(full, 180, 20));
  EXPECT_TRUE(OnScene(full, 1739, 1059));
}

TEST(WindowLayout, ClicksOnTheBarsAndOutsideGoToTheNearestEdge) {
  SceneLayout full = FitScene(1920, 1080);
  EXPECT_FALSE(OnScene(full, 179, 500));
  EXPECT_FALSE(OnScene(full, 1740, 500));
  EXPECT_FALSE(OnScene(full, 500, 19));
  EXPECT_FALSE(OnScene(full, 500, 1060));
  Point p = Map(full, 179, 500);  // one pixel left of the scene
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, (500 - 20) / 4);
  p = Map(full, 0, 0);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  p = Map(full, 1919, 700);  // the right bar
  EXPECT_EQ(p.x, 389);
  EXPECT_EQ(p.y, (700 - 20) / 4);
  p = Map(full, 1000, 1079);  // the bottom bar
  EXPECT_EQ(p.x, (1000 - 180) / 4);
  EXPECT_EQ(p.y, 259);
  // A release far outside the window (the mouse is captured while held).
  p = Map(FitScene(780, 520), -300, 2000);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 259);
  p = Map(FitScene(780, 520), 5000, -1);
  EXPECT_EQ(p.x, 389);
  EXPECT_EQ(p.y, 0);
  // A window smaller than the scene still reaches every edge.
  p = Map(FitScene(300, 200), 0, 199);
  EXPECT_EQ(p.x, 45);
  EXPECT_EQ(p.y, 229);
}

}  // namespace
