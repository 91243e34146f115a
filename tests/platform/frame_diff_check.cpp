// Change detection between frames: what the window is asked to redraw.
#include <gtest/gtest.h>

#include <vector>

#include "platform/frame_diff.h"

namespace {

constexpr int kW = 390, kH = 260;

struct Frame {
  int pitch_words = kW;
  std::vector<uint32_t> words;
  explicit Frame(int pitch = kW, uint32_t fill = 0x102030) : pitch_words(pitch), words(pitch * kH, fill) {}
  uint32_t& at(int x, int y) { return words[static_cast<size_t>(y) * pitch_words + x]; }
  const std::vector<SceneRect>& ShowIn(FrameDiff& diff) const {
    return diff.Update(words.data(), pitch_words * 4, kW, kH);
  }
};

bool Covers(const std::vector<SceneRect>& rects, int x, int y) {
  for (const SceneRect& r : rects)
    if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h) return true;
  return false;
}

int Area(const std::vector<SceneRect>& rects) {
  int area = 0;
  for (const SceneRect& r : rects) area += r.w * r.h;
  return area;
}

bool IsWhole(const std::vector<SceneRect>& rects) {
  return rects.size() == 1 && rects[0].x == 0 && rects[0].y == 0 && rects[0].w == kW && rects[0].h == kH;
}

TEST(FrameDiff, TheFirstFrameIsShownWholeAndAnUnchangedOneNotAtAll) {
  FrameDiff diff;
  Frame frame;
  EXPECT_TRUE(IsWhole(frame.ShowIn(diff)));
  EXPECT_TRUE(frame.ShowIn(diff).empty());
  Frame same;  // equal pixels in another buffer
  EXPECT_TRUE(same.ShowIn(diff).empty());
}

TEST(FrameDiff, AChangedPixelIsCoveredAndFarAwayPixelsAreNot) {
  FrameDiff diff;
  Frame frame;
  frame.ShowIn(diff);
  frame.at(389, 259) = 0xFFFFFF;  // the very last pixel
  const auto& rects = frame.ShowIn(diff);
  ASSERT_FALSE(rects.empty());
  EXPECT_TRUE(Covers(rects, 389, 259));
  EXPECT_FALSE(Covers(rects, 0, 0));
  EXPECT_LE(Area(rects), FrameDiff::kTileWidth * FrameDiff::kTileHeight);
  for (const SceneRect& r : rects) {
    EXPECT_LE(r.x + r.w, kW);
    EXPECT_LE(r.y + r.h, kH);
  }
  // Taken as shown: the same frame again needs nothing.
  EXPECT_TRUE(frame.ShowIn(diff).empty());
}

TEST(FrameDiff, DistantChangesGiveSeparateRectanglesAndAStripeOne) {
  FrameDiff diff;
  Frame frame;
  frame.ShowIn(diff);
  frame.at(10, 5) = 1;     // top left
  frame.at(300, 250) = 2;  // bottom right
  const auto& two = frame.ShowIn(diff);
  EXPECT_EQ(two.size(), 2u);
  EXPECT_TRUE(Covers(two, 10, 5));
  EXPECT_TRUE(Covers(two, 300, 250));
  EXPECT_FALSE(Covers(two, 300, 5));
  EXPECT_FALSE(Covers(two, 10, 250));

  // A column changed from top to bottom: one tall rectangle.
  for (int y = 0; y < kH; ++y) frame.at(100, y) = 0xABCDEF;
  const auto& stripe = frame.ShowIn(diff);
  ASSERT_EQ(stripe.size(), 1u);
  EXPECT_EQ(stripe[0].h, kH);
  EXPECT_EQ(stripe[0].w, FrameDiff::kTileWidth);
}

TEST(FrameDiff, EveryChangedPixelIsCoveredWhateverThePitch) {
  FrameDiff diff;
  Frame frame(kW + 10);  // rows longer than the scene
  frame.ShowIn(diff);
  // Changes scattered over the frame, some on tile edges.
  std::vector<std::pair<int, int>> changed;
  for (int i = 0; i < 40; ++i) changed.push_back({(i * 97) % kW, (i * 61) % kH});
  changed.push_back({31, 15});
  changed.push_back({32, 16});
  for (auto [x, y] : changed) frame.at(x, y) ^= 0x010101;
  // Bytes beyond the scene's width never count.
  frame.at(kW + 5, 7) = 0xFFFFFF;
  const auto& rects = frame.ShowIn(diff);
  for (auto [x, y] : changed) EXPECT_TRUE(Covers(rects, x, y)) << x << "," << y;
  EXPECT_LT(Area(rects), kW * kH);
  EXPECT_TRUE(frame.ShowIn(diff).empty());
}

TEST(FrameDiff, InvalidateOrANewSizeShowsTheWholeFrameAgain) {
  FrameDiff diff;
  Frame frame;
  frame.ShowIn(diff);
  diff.Invalidate();  // an expose: the window lost its pixels
  EXPECT_TRUE(IsWhole(frame.ShowIn(diff)));
  EXPECT_TRUE(frame.ShowIn(diff).empty());
  std::vector<uint32_t> small(100 * 50, 0x102030);
  const auto& rects = diff.Update(small.data(), 100 * 4, 100, 50);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].w, 100);
  EXPECT_EQ(rects[0].h, 50);
  EXPECT_TRUE(diff.Update(nullptr, 0, 0, 0).empty());
}

}  // namespace
