// Receiving goods and describing the selected entry of the item panel.
#include "tests/view/form_fixture.h"

namespace {

class ItemsTest : public fixture::FormTest {
 protected:
  void Select(std::initializer_list<std::string> entries, int selected) {
    form->item_box.entries = entries;
    form->item_box.selected = selected;
  }
};

TEST_F(ItemsTest, GainItemAnnouncesTheNewCountAndWaits) {
  form->my.stock[101] = 2;
  platform->Click(10, 10, 50);
  bool sound = Plays(3, "item.wav", [&] { form->game.GainItem(101); });
  EXPECT_TRUE(sound);
  EXPECT_EQ(form->my.stock[101], 3);
  int i = form->effect_next;
  EXPECT_EQ(form->effects[i].text, "Item【ハートのチール】を 1個入手した(所持:3個)");
  EXPECT_EQ(form->effects[i].kind, EffectKind::Line);
  EXPECT_EQ(form->effects[i].ink, Ink::Green);
  // The click that ended the wait was used up.
  EXPECT_EQ(form->click_wait, ClickWait::Idle);
  EXPECT_GE(platform->clock_ms, 50u);
}

TEST_F(ItemsTest, GainItemOfAnEmptyNumberDoesNothing) {
  int next = form->effect_next;
  bool sound = Plays(3, "item.wav", [&] { form->game.GainItem(130); });
  EXPECT_FALSE(sound);
  EXPECT_TRUE(sounds.empty());
  EXPECT_EQ(form->my.stock[130], 0);
  EXPECT_EQ(form->effect_next, next);
  form->game.GainItem(-1);
  form->game.GainItem(1000);
  EXPECT_EQ(form->effect_next, next);
}

TEST_F(ItemsTest, DetailListsNameStockDescriptionAndPrice) {
  form->my.stock[101] = 4;
  Select({"ハートのチール"}, 0);
  form->ShowItemDetail();
  EXPECT_EQ(form->current_goods, 101);
  EXPECT_EQ(form->item_box.detail, "ハートのチール\r(所持: 4個)\r\rハートの絵入り、定番だよ\r\r値段:￥ 35円");
  // A seal shows its picture, transparent.
  EXPECT_EQ(form->item_box.picture, "seal02.bmp");
  EXPECT_EQ(form->item_box_cg.Width(), 14);
  EXPECT_TRUE(form->item_box_cg.transparent);
}

TEST_F(ItemsTest, MaterialsShowNoPicture) {
  Select({"ハートのチール", "パン袋"}, 0);
  form->ShowItemDetail();
  ASSERT_FALSE(form->item_box_cg.Empty());
  form->item_box.selected = 1;
  form->ShowItemDetail();
  EXPECT_EQ(form->current_goods, 207);
  EXPECT_TRUE(form->item_box_cg.Empty());
  EXPECT_EQ(form->item_box.picture, "");
  EXPECT_NE(form->item_box.detail.find("パンを入れる紙袋"), std::string::npos);
}

TEST_F(ItemsTest, UnreadablePictureKeepsThePreviousOne) {
  Select({"ハートのチール", "お花のチール"}, 0);
  form->ShowItemDetail();
  std::filesystem::remove(dir / "cg" / "seal03.bmp");
  form->item_box.selected = 1;
  form->ShowItemDetail();
  EXPECT_EQ(form->current_goods, 102);
  EXPECT_EQ(form->item_box.picture, "seal02.bmp");
  EXPECT_EQ(form->item_box_cg.Pixel(5, 5), 0x100000u + 101);
}

TEST_F(ItemsTest, SelectionChangeClicksOnlyForOtherGoods) {
  Select({"ハートのチール", "", "お花のチール"}, 0);
  form->current_goods = 0;
  EXPECT_TRUE(Plays(0, "key2.wav", [&] { form->ShowItemDetail(); }));
  EXPECT_FALSE(Plays(0, "key2.wav", [&] { form->ShowItemDetail(); }));
  // A sold-out (emptied) entry leaves everything as it was.
  std::string detail = form->item_box.detail;
  form->item_box.selected = 1;
  EXPECT_FALSE(Plays(0, "key2.wav", [&] { form->ShowItemDetail(); }));
  EXPECT_EQ(form->current_goods, 101);
  EXPECT_EQ(form->item_box.detail, detail);
  form->item_box.selected = 2;
  EXPECT_TRUE(Plays(0, "key2.wav", [&] { form->ShowItemDetail(); }));
  EXPECT_EQ(form->current_goods, 102);
  // Nothing selected: nothing happens.
  form->item_box.selected = -1;
  EXPECT_FALSE(Plays(0, "key2.wav", [&] { form->ShowItemDetail(); }));
  EXPECT_EQ(form->current_goods, 102);
}

TEST_F(ItemsTest, UnknownNameResolvesToTheEmptyRecord) {
  Select({"どこにもない品"}, 0);
  form->current_goods = 101;
  form->ShowItemDetail();
  EXPECT_EQ(form->current_goods, 0);
  EXPECT_TRUE(form->item_box_cg.Empty());
}

}  // namespace
