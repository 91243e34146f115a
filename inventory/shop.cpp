// The evening shop: what is offered tonight, buying, and closing the shop
// for the night.
#include <algorithm>
#include <string>

#include "app/form.h"
#include "app/random.h"

namespace {

constexpr const char* kBuyCaption = "買う";

}  // namespace

void TForm1::OpenShop() {
  ShowShopScene();
  PlayMusic(Random(5) == 0 ? "shop.mid" : "star.mid");
  item_box.detail = "明日の準備をしましょう";
  PlaySound(0, "box.wav");
  item_box.action_caption = kBuyCaption;
  FillItemList();
  item_box.visible = true;
  item_box.pressed = 0;
  item_box_cg.Clear();
  item_box.picture.clear();
}

void TForm1::OfferIfAffordable(const std::string& name) {
  int goods = FindGoodsByName(goods_table, name);
  if (my.money >= goods_table[goods].price) item_box.entries.push_back(name);
}

void TForm1::FillItemList() {
  item_box.selected = -1;
  item_box.top = 0;
  item_box.entries.clear();
  if (item_box.action_caption != kBuyCaption) return;

  // The bags are always there.
  for (const char* bag : {"ちっちゃな袋", "小さな袋", "大きめの袋", "特大の袋"}) {
    OfferIfAffordable(bag);
  }
  if (my.clerk_level >= 1) {
    for (const char* box : {"箱", "大きな箱", "手さげ袋"}) {
      if (Random(2) == 0) OfferIfAffordable(box);
    }
  }
  if (Random(2) == 0) OfferIfAffordable("パン袋");

  // At most eleven seals are considered; dear ones come more often.
  const int cap = std::min(my.money / 20, 400);
  int considered = 0;
  for (int goods = 0; goods < kGoodsCount; ++goods) {
    const titem& item = goods_table[goods];
    if (considered > 10) continue;
    if (item.kind != kKindSeal) continue;
    if (item.price >= my.clerk_level * 100 + 100) continue;
    if (item.price >= my.money / 3 + 50) continue;
    bool candidate = false;
    if (item.price > cap && Random(3) == 0) {
      candidate = true;
    } else {
      candidate = Random(7) == 0;
    }
    if (!candidate) continue;
    OfferIfAffordable(item.name);
    ++considered;
  }
}

void TForm1::BuySelected() {
  TItemPanel& panel = item_box;
  if (panel.selected < 0 || panel.selected >= static_cast<int>(panel.entries.size())) return;
  if (panel.entries[panel.selected].empty()) return;
  if (current_goods < 0 || current_goods >= kGoodsCount) return;
  const titem& item = goods_table[current_goods];
  if (item.name.empty()) return;
  if (my.money < item.price) {
    PlaySound(0, "no.wav");
    return;
  }

  PlaySound(0, "buy.wav");
  my.money -= item.price;
  int32_t& held = my.stock[current_goods];
  ++held;
  if (item.kind == kKindItem && item.amount >= 1) held += item.amount - 1;
  ShowItemDetail();

  // Seals run out now and then once the clerk holds a few.
  if (held >= 4 && item.kind == kKindSeal && Random(2) == 0) panel.entries[panel.selected].clear();
  if (my.money / 20 > item.price && held >= 2 && item.kind == kKindSeal && Random(2) == 0) {
    panel.entries[panel.selected].clear();
  }
}

void TForm1::CloseItemPanel() {
  PlaySound(0, "back.wav");
  item_box.visible = false;
  item_box.pressed = 0;
  PrintMessage("『さーてと帰って寝よ・・・』");
  OfferChoices("", "", "帰って寝る");
}
