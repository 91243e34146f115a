// Loading pictures into their slots: transparency, the doubled scene, the
// goods card flag and what a missing file leaves behind.
#include <sys/stat.h>

#include "tests/view/form_fixture.h"

namespace {

using fixture::Block;

class PicturesTest : public fixture::FormTest {};

TEST_F(PicturesTest, SlotLoadTurnsTransparencyOnAndKeepsTheOldPictureOnFailure) {
  Bitmap& slot = form->picture_slots[12];
  EXPECT_TRUE(form->LoadSlot(12, Cg("girl.bmp")));
  EXPECT_TRUE(slot.transparent);
  EXPECT_TRUE(slot.auto_key);
  EXPECT_EQ(slot.TransparentColor(), fixture::kKey);
  EXPECT_EQ(slot.Width(), 20);

  // A broken file and a missing one change nothing.
  std::FILE* f = std::fopen(Cg("broken.bmp").c_str(), "wb");
  std::fputs("BM this is no picture", f);
  std::fclose(f);
  EXPECT_FALSE(form->LoadSlot(12, Cg("broken.bmp")));
  EXPECT_FALSE(form->LoadSlot(12, Cg("missing.bmp")));
  EXPECT_EQ(slot.Width(), 20);
  EXPECT_EQ(slot.Pixel(5, 5), fixture::kCustomer);
  EXPECT_FALSE(form->LoadSlot(20, Cg("girl.bmp")));
  EXPECT_FALSE(form->LoadSlot(-1, Cg("girl.bmp")));
}

TEST_F(PicturesTest, ScenePictureShowsItsTopLeftDoubledAndEmptiesTheScene) {
  Bitmap scene = Block(200, 140, 0x123456);
  scene.SetPixel(0, 0, 0xAA0000);
  scene.SetPixel(194, 129, 0x00BB00);
  for (int y = 0; y < 140; ++y) scene.SetPixel(197, y, 0xFFFFFF);  // beyond the used part
  Save("scene.bmp", scene);
  form->LoadCustomerPicture("girl.bmp");
  form->SetShopFront("haikei.bmp");
  form->LoadPackagePicture("key01.bmp");

  form->LoadScenePicture("scene.bmp");
  const Bitmap& back = form->picture_slots[6];
  ASSERT_EQ(back.Width(), kSceneWidth);
  ASSERT_EQ(back.Height(), kSceneHeight);
  EXPECT_EQ(back.Pixel(0, 0), 0xAA0000u);
  EXPECT_EQ(back.Pixel(1, 1), 0xAA0000u);
  EXPECT_EQ(back.Pixel(2, 2), 0x123456u);
  EXPECT_EQ(back.Pixel(388, 258), 0x00BB00u);
  EXPECT_EQ(back.Pixel(389, 259), 0x00BB00u);
  EXPECT_EQ(fixture::CountColor(back, 0xFFFFFF, 0, 0, kSceneWidth, kSceneHeight), 0);
  // Customer, package and seal are "not.bmp" now; the front is hidden.
  EXPECT_EQ(form->picture_slots[1].Width(), 1);
  EXPECT_EQ(form->picture_slots[3].Width(), 1);
  EXPECT_EQ(form->picture_slots[4].Width(), 1);
  EXPECT_FALSE(form->shop_front_shown);
  EXPECT_EQ(form->goods_card_state, GoodsCard::None);
}

// Whatever size the scene slot had, a new scene fills exactly the scene.
TEST_F(PicturesTest, AScenePictureAlwaysComesOutSceneSized) {
  Save("scene.bmp", Block(200, 140, 0x123456));
  for (auto [w, h] : {std::pair{kSceneWidth, 100}, {100, kSceneHeight}, {500, 400}}) {
    form->picture_slots[6].SetSize(w, h);
    form->LoadScenePicture("scene.bmp");
    EXPECT_EQ(form->picture_slots[6].Width(), kSceneWidth) << w << "x" << h;
    EXPECT_EQ(form->picture_slots[6].Height(), kSceneHeight) << w << "x" << h;
    EXPECT_EQ(form->picture_slots[6].Pixel(389, 259), 0x123456u);
  }
}

TEST_F(PicturesTest, MissingScenePictureKeepsThePreviousSceneWhole) {
  form->LoadCustomerPicture("girl.bmp");
  form->SetShopFront("haikei.bmp");
  form->LoadPackagePicture("key01.bmp");
  Bitmap before = form->picture_slots[6];

  form->LoadScenePicture("no_such_scene.bmp");
  EXPECT_EQ(form->picture_slots[6].Pixel(100, 100), before.Pixel(100, 100));
  EXPECT_EQ(form->picture_slots[1].Width(), 20);
  EXPECT_EQ(form->picture_slots[3].Width(), 10);
  EXPECT_TRUE(form->shop_front_shown);
  EXPECT_EQ(form->goods_card_state, GoodsCard::In);
}

TEST_F(PicturesTest, PackageNameDecidesTheGoodsCardCaseSensitively) {
  form->LoadPackagePicture("not.bmp");
  EXPECT_EQ(form->goods_card_state, GoodsCard::None);
  // "Not.bmp" is another name (and no file here): the card is on, the slot
  // keeps "not.bmp".
  form->LoadPackagePicture("Not.bmp");
  EXPECT_EQ(form->goods_card_state, GoodsCard::In);
  EXPECT_EQ(form->picture_slots[3].Width(), 1);
  form->LoadPackagePicture("key01.bmp");
  EXPECT_EQ(form->goods_card_state, GoodsCard::In);
  EXPECT_EQ(form->picture_slots[3].Width(), 10);
}

TEST_F(PicturesTest, ShopFrontIsAFlagAndTheShopSceneShowsIt) {
  form->SetShopFront("anything.bmp");
  EXPECT_TRUE(form->shop_front_shown);
  form->SetShopFront("not.bmp");
  EXPECT_FALSE(form->shop_front_shown);

  form->LoadCustomerPicture("girl.bmp");
  form->ShowShopScene();
  EXPECT_TRUE(form->shop_front_shown);
  EXPECT_EQ(form->goods_card_state, GoodsCard::None);
  EXPECT_EQ(form->picture_slots[1].Width(), 1);
  EXPECT_EQ(form->picture_slots[6].Pixel(10, 10), 0x203040u);
}

// A folder or a pipe where a picture should be: every loader keeps what it
// had and nothing escapes (a folder used to throw, a pipe to hang).
TEST_F(PicturesTest, AFolderOrAPipeInAPicturesPlaceChangesNothing) {
  std::filesystem::create_directory(Cg("folder.bmp"));
  ASSERT_EQ(mkfifo(Cg("pipe.bmp").c_str(), 0600), 0);
  form->LoadCustomerPicture("girl.bmp");
  form->LoadPackagePicture("key01.bmp");
  form->LoadSealPicture("seal01.bmp");
  const Rgb scene = form->picture_slots[6].Pixel(100, 100);
  for (const char* name : {"folder.bmp", "pipe.bmp"}) {
    EXPECT_NO_THROW(form->LoadScenePicture(name)) << name;
    EXPECT_NO_THROW(form->LoadCustomerPicture(name)) << name;
    EXPECT_NO_THROW(form->LoadPackagePicture(name)) << name;
    EXPECT_NO_THROW(form->LoadSealPicture(name)) << name;
    EXPECT_EQ(form->picture_slots[6].Pixel(100, 100), scene);
    EXPECT_EQ(form->picture_slots[1].Pixel(5, 5), fixture::kCustomer);
    EXPECT_EQ(form->picture_slots[3].Pixel(5, 5), fixture::kPackage);
    EXPECT_EQ(form->picture_slots[4].Pixel(5, 5), fixture::kSeal);
  }
  // The item panel's picture of the selected goods.
  const int goods = 1;
  std::filesystem::remove(Cg(form->goods_table[goods].picture));
  std::filesystem::create_directory(Cg(form->goods_table[goods].picture));
  form->item_box.entries = {form->goods_table[goods].name};
  form->item_box.selected = 0;
  EXPECT_NO_THROW(form->ShowItemDetail());
  EXPECT_TRUE(form->item_box_cg.Empty());
}

// At start-up a background that is a folder is reported, not a crash.
TEST_F(PicturesTest, AStartUpPictureThatIsAFolderIsReported) {
  std::filesystem::remove(Cg("00.bmp"));
  std::filesystem::create_directory(Cg("00.bmp"));
  bool started = true;
  EXPECT_NO_THROW(started = form->FormCreate());
  EXPECT_FALSE(started);
}

}  // namespace
