// The item panel as the player uses it: clicks on the list and the
// buttons, the arrow keys, scrolling, and what it shows.
#include "tests/view/form_fixture.h"

namespace {

using fixture::CountColor;
using fixture::FixedRandom;

class ItemPanelTest : public fixture::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    FixedRandom one(1);
    form->my.money = 1000;
    form->game.OpenShop();
  }
  void Click(int x, int y) {
    form->ItemPanelMouseDown(x, y);
    form->ItemPanelMouseUp(x, y);
  }
  void Key(KeyCode key) {
    form->ItemPanelKey(key, true);
    form->ItemPanelKey(key, false);
  }
  // Fourteen-pixel rows from y = 8.
  static int RowY(int row) { return 8 + 14 * row + 7; }
};

TEST_F(ItemPanelTest, ClickingARowSelectsAndDescribesIt) {
  ASSERT_GE(form->item_box.entries.size(), 4u);
  Click(260, RowY(2));
  EXPECT_EQ(form->item_box.selected, 2);
  EXPECT_EQ(form->current_goods, 202);
  EXPECT_EQ(form->item_box.detail.rfind("大きめの袋", 0), 0u);
  // Below the last entry the selection stays.
  Click(260, RowY(15));
  EXPECT_EQ(form->item_box.selected, 2);
}

TEST_F(ItemPanelTest, BuyButtonBuysAndCloseButtonCloses) {
  Click(260, RowY(1));  // 小さな袋, 10 yen
  int stock = form->my.stock[201];
  Click(100, 216);
  EXPECT_EQ(form->my.money, 990);
  EXPECT_EQ(form->my.stock[201], stock + 1);
  // Pressing on the button and letting go elsewhere does nothing.
  form->ItemPanelMouseDown(100, 216);
  form->ItemPanelMouseUp(300, 100);
  EXPECT_EQ(form->my.money, 990);
  // Neither does letting go on a button pressed elsewhere.
  form->ItemPanelMouseDown(100, 100);
  form->ItemPanelMouseUp(100, 216);
  EXPECT_EQ(form->my.money, 990);
  Click(100, 244);
  EXPECT_FALSE(form->item_box.visible);
  EXPECT_EQ(form->choice_text[2], "帰って寝る");
}

TEST_F(ItemPanelTest, ArrowKeysMoveTheSelectionAndUpdateTheDetail) {
  Key(KeyCode::Down);
  EXPECT_EQ(form->item_box.selected, 0);
  EXPECT_EQ(form->current_goods, 200);
  // Key press and release both describe: the second finds the same goods
  // and stays quiet.
  EXPECT_TRUE(Plays(0, "key2.wav", [&] { form->ItemPanelKey(KeyCode::Down, true); }));
  EXPECT_FALSE(Plays(0, "key2.wav", [&] { form->ItemPanelKey(KeyCode::Down, false); }));
  EXPECT_EQ(form->current_goods, 201);
  Key(KeyCode::End);
  EXPECT_EQ(form->item_box.selected, static_cast<int>(form->item_box.entries.size()) - 1);
  Key(KeyCode::Down);
  EXPECT_EQ(form->item_box.selected, static_cast<int>(form->item_box.entries.size()) - 1);
  Key(KeyCode::Home);
  Key(KeyCode::Up);
  EXPECT_EQ(form->item_box.selected, 0);
  // A page is the seventeen rows below the top one.
  form->item_box.entries.assign(40, "小さな袋");
  Key(KeyCode::PageDown);
  EXPECT_EQ(form->item_box.selected, 17);
  Key(KeyCode::PageDown);
  Key(KeyCode::PageDown);
  EXPECT_EQ(form->item_box.selected, 39);
  Key(KeyCode::PageUp);
  EXPECT_EQ(form->item_box.selected, 22);
  Key(KeyCode::PageUp);
  Key(KeyCode::PageUp);
  EXPECT_EQ(form->item_box.selected, 0);
}

TEST_F(ItemPanelTest, LongListsScrollToKeepTheSelectionInView) {
  form->item_box.entries.clear();
  for (int g = 100; g < 125; ++g) form->item_box.entries.push_back(form->goods_table[g].name);
  form->item_box.selected = -1;
  Key(KeyCode::End);
  EXPECT_EQ(form->item_box.selected, 24);
  EXPECT_EQ(form->item_box.top, 25 - 18);
  // A click on row 0 now takes the first visible entry.
  Click(260, RowY(0));
  EXPECT_EQ(form->item_box.selected, 7);
  EXPECT_EQ(form->current_goods, 107);
  Key(KeyCode::PageUp);
  EXPECT_EQ(form->item_box.selected, 0);
  EXPECT_EQ(form->item_box.top, 0);
  // The bar turns a page.
  Click(381, 250);
  EXPECT_EQ(form->item_box.top, 7);
  EXPECT_EQ(form->item_box.selected, 0);
  Click(381, 10);
  EXPECT_EQ(form->item_box.top, 0);
}

TEST_F(ItemPanelTest, PanelShowsMoneyListAndSelection) {
  form->my.money = 1234;
  Click(260, RowY(0));
  BlackScene();
  form->DrawItemPanel(form->cg);
  const Bitmap& cg = form->cg;
  // Money label, pink on the label colour.
  EXPECT_GT(CountColor(cg, 0xFF80FF, 4, 184, 217, 201), 10);
  // Detail text in its colour inside its box.
  EXPECT_GT(CountColor(cg, 0xE7E3C5, 4, 4, 217, 181), 20);
  // Entries in the list's text colour; the selected row highlighted.
  EXPECT_GT(CountColor(cg, 0xEBE9BE, 220, 22, 385, 80), 20);
  EXPECT_GT(CountColor(cg, 0x6B3563, 220, 8, 385, 22), 100);
  // The selected material has no picture; an article or seal would sit at
  // (188, 152).
  Key(KeyCode::End);
  form->item_box.entries.push_back("ハートのチール");
  Key(KeyCode::End);
  BlackScene();
  form->DrawItemPanel(form->cg);
  EXPECT_EQ(cg.Pixel(190, 154), 0x100000u + 101);
  // Button captions in white.
  EXPECT_GT(CountColor(cg, 0xFFFFFF, 4, 204, 217, 229), 10);
  EXPECT_GT(CountColor(cg, 0xFFFFFF, 4, 232, 217, 257), 10);
}

// The money sits on its own label, the two buttons below it with a light
// top-left edge and a dark bottom-right one, the list in its frame, the scene
// showing between.
TEST_F(ItemPanelTest, LabelAndButtonsFillTheirBoxesExactly) {
  form->mouse_x = form->mouse_y = 0;
  BlackScene();
  form->DrawItemPanel(form->cg);
  const Bitmap& cg = form->cg;
  for (int x : {4, 10, 216}) {
    SCOPED_TRACE(x);
    EXPECT_EQ(cg.Pixel(x, 183), 0x000000u);
    EXPECT_EQ(cg.Pixel(x, 184), 0x291D28u);
    EXPECT_EQ(cg.Pixel(x, 200), 0x291D28u);
    EXPECT_EQ(cg.Pixel(x, 201), 0x000000u);
  }
  EXPECT_EQ(cg.Pixel(3, 190), 0x000000u);
  EXPECT_EQ(cg.Pixel(217, 190), 0x000000u);
  for (int top : {204, 232}) {
    SCOPED_TRACE(top);
    EXPECT_EQ(cg.Pixel(10, top - 1), 0x000000u);
    EXPECT_EQ(cg.Pixel(10, top), 0xA3819Fu);
    EXPECT_EQ(cg.Pixel(4, top + 12), 0xA3819Fu);
    EXPECT_EQ(cg.Pixel(10, top + 2), 0x5E425Bu);
    EXPECT_EQ(cg.Pixel(10, top + 24), 0x1E141Du);
    EXPECT_EQ(cg.Pixel(216, top + 12), 0x1E141Du);
    EXPECT_EQ(cg.Pixel(10, top + 25), 0x000000u);
    EXPECT_EQ(cg.Pixel(217, top + 12), 0x000000u);
    EXPECT_EQ(cg.Pixel(3, top + 12), 0x000000u);
  }
  // The list's frame, just outside its rows, down to the scene's last row.
  for (auto [x, y] : {std::pair{219, 100}, {385, 100}, {300, 7}, {300, 259}}) {
    EXPECT_EQ(cg.Pixel(x, y), 0x4A3547u) << x << "," << y;
  }
  EXPECT_EQ(cg.Pixel(218, 100), 0x000000u);
  EXPECT_EQ(cg.Pixel(386, 100), 0x000000u);
  EXPECT_EQ(cg.Pixel(300, 6), 0x000000u);
}

// The row under the mouse is lit, and only while the mouse is on the rows:
// not over the detail, not over the scroll bar, not on the selected row.
TEST_F(ItemPanelTest, OnlyTheRowUnderTheMouseIsLit) {
  form->item_box.entries.assign(30, "小さな袋");
  form->item_box.selected = 5;
  form->item_box.top = 0;
  const Bitmap& cg = form->cg;
  auto lit = [&](int x, int y, int top = 8, int bottom = 260) {
    form->mouse_x = x;
    form->mouse_y = y;
    BlackScene();
    form->DrawItemPanel(form->cg);
    return CountColor(cg, 0x2A1F29, 220, top, 385, bottom);
  };
  EXPECT_GT(lit(260, RowY(2), 8 + 2 * 14, 8 + 3 * 14), 100);
  EXPECT_EQ(lit(260, RowY(2), 8, 8 + 2 * 14) + lit(260, RowY(2), 8 + 3 * 14, 260), 0);
  EXPECT_EQ(lit(100, RowY(2)), 0);  // over the detail, left of the list
  EXPECT_EQ(lit(380, RowY(2)), 0);  // over the scroll bar
  EXPECT_EQ(lit(260, RowY(5)), 0);  // the selected row keeps its own colour
  EXPECT_EQ(lit(260, 3), 0);        // above the list
}

TEST_F(ItemPanelTest, LongDetailIsWrappedInsideItsBox) {
  form->item_box.detail =
      std::string(200, 'W') + "\r" + "ことばのながいせつめいがつづきますよここからもっとながくなります";
  BlackScene();
  form->DrawItemPanel(form->cg);
  // Nothing spills right of the detail box.
  EXPECT_EQ(CountColor(form->cg, 0xE7E3C5, 217, 0, 220, 260), 0);
  EXPECT_GT(CountColor(form->cg, 0xE7E3C5, 4, 60, 217, 181), 20);
}

TEST_F(ItemPanelTest, LongEntriesAreCutToTheirRow) {
  const std::string long_name = "とてもとてもながいなまえのきらきらしたおおきなつつみがみ";
  form->item_box.entries = {long_name};
  BlackScene();
  form->DrawItemPanel(form->cg);
  // Three pixels of margin inside the 165-pixel list: the ink ends before
  // x = 382 and reaches close to it.
  EXPECT_EQ(CountColor(form->cg, 0xEBE9BE, 382, 8, 390, 22), 0);
  EXPECT_GT(CountColor(form->cg, 0xEBE9BE, 360, 8, 382, 22), 0);
  EXPECT_GT(CountColor(form->cg, 0xEBE9BE, 223, 8, 240, 22), 3);
  // With the scroll bar the row is eight pixels narrower.
  form->item_box.entries.assign(30, long_name);
  BlackScene();
  form->DrawItemPanel(form->cg);
  EXPECT_EQ(CountColor(form->cg, 0xEBE9BE, 374, 8, 390, 22), 0);
  EXPECT_GT(CountColor(form->cg, 0xEBE9BE, 352, 8, 374, 22), 0);
}

TEST_F(ItemPanelTest, DrawingLeavesTheSelectionAndTheScrollAlone) {
  form->item_box.entries.assign(30, "小さな袋");
  form->item_box.selected = 0;
  form->item_box.top = 5;  // scrolled by the bar, the selection out of view
  form->DrawItemPanel(form->cg);
  EXPECT_EQ(form->item_box.top, 5);
  EXPECT_EQ(form->item_box.selected, 0);
}

}  // namespace
