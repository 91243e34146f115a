// Replays and text rectangles, which the frame comparison of the desktop and
// the page rests on: the scripts both sides read, the clock that stops at the
// same moment on both, and where text is on the frame after the scene has
// been put together from several pictures.
#include <gtest/gtest.h>

#include <vector>

#include "platform/bitmap.h"
#include "platform/headless/headless_platform.h"
#include "platform/headless/replay.h"
#include "platform/platform.h"
#include "platform/text_rects.h"

namespace {

TEST(ReplayScripts, ReadClicksAndRefuseAnythingElse) {
  std::vector<ReplayClick> clicks;
  ASSERT_TRUE(ParseReplayClicks("500:195:130,1200:320:246", clicks));
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[0].delay_ms, 500);
  EXPECT_EQ(clicks[0].x, 195);
  EXPECT_EQ(clicks[1].y, 246);
  ASSERT_TRUE(ParseReplayClicks("", clicks));
  EXPECT_TRUE(clicks.empty());

  clicks = {ReplayClick{1, 2, 3}};
  for (const char* bad :
       {"500:195", "500:195:130:1", "500:390:0", "500:0:260", "-5:1:1", "5:1:1,", "a:1:1", "5:1:1,,"})
    EXPECT_FALSE(ParseReplayClicks(bad, clicks)) << bad;
  EXPECT_EQ(clicks.size(), 1u) << "a refused script leaves the clicks as they were";
}

TEST(ReplayScripts, TheClockStopsWhereTheReplayEnds) {
  HeadlessPlatform p("/");
  ScriptReplay(p, {{300, 10, 20}, {300, 30, 40}}, 1000);
  InputEvent e;
  // Waits shorter than the next click pass time; the click comes on time.
  EXPECT_FALSE(p.WaitEvent(e, 100));
  EXPECT_EQ(p.clock_ms, 100u);
  ASSERT_TRUE(p.WaitEvent(e, 500));
  EXPECT_EQ(e.kind, InputEvent::MouseDown);
  EXPECT_EQ(e.x, 10);
  EXPECT_EQ(p.clock_ms, 300u);
  ASSERT_TRUE(p.WaitEvent(e, 0));
  EXPECT_EQ(e.kind, InputEvent::MouseUp);
  ASSERT_TRUE(p.WaitEvent(e, 1000));
  EXPECT_EQ(p.clock_ms, 600u);
  ASSERT_TRUE(p.WaitEvent(e, 0));
  // Up to the stop exactly, then never past it.
  EXPECT_FALSE(p.WaitEvent(e, 400));
  EXPECT_EQ(p.clock_ms, 1000u);
  EXPECT_FALSE(p.stopped);
  EXPECT_FALSE(p.WaitEvent(e, 0)) << "a poll at the stop is no reason to stop";
  EXPECT_FALSE(p.stopped);
  EXPECT_FALSE(p.WaitEvent(e, 1));
  EXPECT_TRUE(p.stopped);
  EXPECT_EQ(p.clock_ms, 1000u);
  EXPECT_FALSE(p.WaitEvent(e, 5000));
  EXPECT_EQ(p.clock_ms, 1000u);
}

TEST(ReplayScripts, AClickDueAfterTheStopNeverComes) {
  HeadlessPlatform p("/");
  ScriptReplay(p, {{800, 1, 1}}, 500);
  InputEvent e;
  EXPECT_FALSE(p.WaitEvent(e, 2000));
  EXPECT_TRUE(p.stopped);
  EXPECT_EQ(p.clock_ms, 500u);
  EXPECT_FALSE(p.WaitEvent(e, 2000));
}

// A bitmap that has had a line of text drawn at (x, y).
void Write(Bitmap& b, int x, int y) {
  b.brush_clear = true;
  b.TextOut(x, y, "包む");
}

class TextRects : public ::testing::Test {
 protected:
  void SetUp() override { RecordTextRects(true); }
  void TearDown() override { RecordTextRects(false); }
};

TEST_F(TextRects, TextIsNotedWhereItWasDrawnAndClipped) {
  Bitmap scene(100, 50);
  Write(scene, 10, 5);
  std::vector<TextRect> rects = TextRectsOn(scene);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].left, 10);
  EXPECT_EQ(rects[0].top, 5);
  EXPECT_EQ(rects[0].right, 10 + scene.TextWidth("包む"));
  EXPECT_EQ(rects[0].bottom, 5 + scene.TextHeight("包む"));
  Write(scene, 95, -4);
  rects = TextRectsOn(scene);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[1].left, 95);
  EXPECT_EQ(rects[1].top, 0);
  EXPECT_EQ(rects[1].right, 100);
}

TEST_F(TextRects, TextTravelsWithThePixels) {
  Bitmap board(40, 20), scene(200, 100);
  Write(board, 2, 3);
  TextRect on_board = TextRectsOn(board).at(0);
  scene.Draw(50, 60, board);
  ASSERT_EQ(TextRectsOn(scene).size(), 1u);
  EXPECT_EQ(TextRectsOn(scene)[0],
            (TextRect{on_board.left + 50, on_board.top + 60, std::min(on_board.right + 50, 90),
                      std::min(on_board.bottom + 60, 80)}));
  // Stretched to twice the size: the rectangle doubles with it.
  Bitmap wide(200, 100);
  wide.StretchDraw(0, 0, 80, 40, board);
  ASSERT_EQ(TextRectsOn(wide).size(), 1u);
  EXPECT_EQ(TextRectsOn(wide)[0].left, 2 * on_board.left);
  EXPECT_EQ(TextRectsOn(wide)[0].right, std::min(2 * on_board.right, 80));
  // Copies and moves take the text along; the moved-from bitmap has none left.
  Bitmap copy = scene;
  EXPECT_EQ(TextRectsOn(copy), TextRectsOn(scene));
  Bitmap moved = std::move(copy);
  EXPECT_EQ(TextRectsOn(moved), TextRectsOn(scene));
  EXPECT_TRUE(TextRectsOn(copy).empty());
  // ORed in: only the part inside the rectangle.
  Bitmap lit(200, 100);
  lit.OrRect(0, 0, 60, 100, scene);
  ASSERT_EQ(TextRectsOn(lit).size(), 1u);
  EXPECT_EQ(TextRectsOn(lit)[0].right, 60);
}

TEST_F(TextRects, AnOpaquePictureOverTheWholeBitmapForgetsTheText) {
  Bitmap scene(100, 50), background(100, 50), sprite(10, 10);
  Write(scene, 5, 5);
  sprite.transparent = true;
  scene.Draw(0, 0, sprite);
  EXPECT_EQ(TextRectsOn(scene).size(), 1u) << "a small sprite leaves the text";
  background.transparent = true;
  scene.Draw(0, 0, background);
  EXPECT_EQ(TextRectsOn(scene).size(), 1u) << "a keyed picture may let the text show through";
  background.transparent = false;
  scene.Draw(0, 0, background);
  EXPECT_TRUE(TextRectsOn(scene).empty());
  Write(scene, 5, 5);
  scene.brush_color = 0x123456;
  scene.FillRect(-1, -1, 101, 51);
  EXPECT_TRUE(TextRectsOn(scene).empty());
  Write(scene, 5, 5);
  scene.SetSize(100, 50);
  EXPECT_TRUE(TextRectsOn(scene).empty());
}

TEST(TextRectsOff, NothingIsKeptWhileNotRecording) {
  RecordTextRects(false);
  Bitmap scene(100, 50);
  Write(scene, 10, 5);
  EXPECT_TRUE(TextRectsOn(scene).empty());
}

}  // namespace
