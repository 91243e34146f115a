// The composed frame: each layer where it belongs and in its order.
#include "tests/view/form_fixture.h"

namespace {

using namespace fixture;

class RenderFrameTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form->choice_text = {"", "", ""};
    form->screen_phase = ScreenPhase::Menu;
  }
};

TEST_F(RenderFrameTest, LayersStackFromBackgroundToPackage) {
  form->shop_front_shown = false;
  Frame();
  const Bitmap& cg = form->cg;
  EXPECT_EQ(cg.Pixel(5, 5), kBackground);
  // Customer 20 x 30: stretched to x 175-214, y 0-149.
  EXPECT_EQ(cg.Pixel(175, 0), kCustomer);
  EXPECT_EQ(cg.Pixel(214, 149), kCustomer);
  EXPECT_EQ(cg.Pixel(174, 10), kBackground);
  EXPECT_EQ(cg.Pixel(215, 10), kBackground);
  EXPECT_EQ(cg.Pixel(195, 150), kBackground);
  // Its transparent corner shows the background.
  EXPECT_EQ(cg.Pixel(175, 149), kBackground);
  // Package 10 x 10: a square 185-204 x 160-179.
  EXPECT_EQ(cg.Pixel(186, 160), kPackage);
  EXPECT_EQ(cg.Pixel(204, 170), kPackage);
  EXPECT_EQ(cg.Pixel(205, 170), kBackground);
  EXPECT_EQ(cg.Pixel(195, 180), kBackground);
  // Without the shop front the counter is absent.
  EXPECT_EQ(cg.Pixel(10, 200), kBackground);
  EXPECT_EQ(cg.Pixel(270, 10), kBackground);
}

TEST_F(RenderFrameTest, ShopFrontLiesBetweenCustomerAndPackage) {
  form->shop_front_shown = true;
  Frame();
  const Bitmap& cg = form->cg;
  EXPECT_EQ(cg.Pixel(10, 200), kCounter);
  EXPECT_EQ(cg.Pixel(389, 259), kCounter);
  EXPECT_EQ(cg.Pixel(195, 170), kPackage);   // over the counter
  EXPECT_EQ(cg.Pixel(230, 152), kCounter);   // beside the package
  EXPECT_EQ(cg.Pixel(180, 140), kCustomer);  // above the counter
  EXPECT_EQ(cg.Pixel(30, 110), kFrontMid);
  EXPECT_EQ(cg.Pixel(280, 20), kFrontRight);
}

TEST_F(RenderFrameTest, StatusPanelOnlyDuringAGame) {
  form->status_slide = 0;
  form->my.hours_to_closing = 8;
  form->shown_hours = 8;
  Frame();
  EXPECT_EQ(CountColor(form->cg, 0x33DDFF, 280, 66, 390, 70), 0);
  form->screen_phase = ScreenPhase::Playing;
  Frame();
  EXPECT_GT(CountColor(form->cg, 0x33DDFF, 280, 66, 390, 70), 90);
}

TEST_F(RenderFrameTest, SealBoxOnlyWhileOpenAndUnderTheLightLayer) {
  Frame();
  EXPECT_EQ(CountColor(form->cg, kBox, 0, 0, kSceneWidth, kSceneHeight), 0);
  form->seal_box_state = SealBoxState::Open;
  form->seal_box_x = 0;
  form->AddEffect(60, 40, "", EffectKind::Heart);
  Frame();
  EXPECT_EQ(form->cg.Pixel(300, 200), kBox);
  EXPECT_EQ(form->cg.Pixel(60, 41), kBox | 0xEE55AA);
}

TEST_F(RenderFrameTest, ItemPanelCoversTheWholeScene) {
  form->screen_phase = ScreenPhase::Playing;
  form->item_box.visible = true;
  form->item_box.action_caption = "買う";
  Frame();
  EXPECT_EQ(CountColor(form->cg, kBackground, 0, 0, kSceneWidth, kSceneHeight), 0);
  EXPECT_EQ(CountColor(form->cg, kCustomer, 0, 0, kSceneWidth, kSceneHeight), 0);
  EXPECT_EQ(form->cg.Pixel(100, 100), 0x291D28u);
  EXPECT_EQ(form->cg.Pixel(300, 250), 0x171116u);
}

}  // namespace
