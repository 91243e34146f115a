// The evening shop's rules: what is on offer tonight, what buying does, and
// going home; and the clerk receiving a piece of goods.
#include <algorithm>
#include <string>
#include <vector>

#include "game/random.h"
#include "game/shop_day.h"

void ShopDay::OpenShop() {
  stage.ShowShopFront();
  stage.Music(Random(5) == 0 ? "shop.mid" : "star.mid");
  stage.Sound(0, "box.wav");
  stage.OpenShop(TonightsOffer());
}

void ShopDay::OfferIfAffordable(const std::string& name, std::vector<std::string>& offer) const {
  int goods = FindGoodsByName(goods_table, name);
  if (my.money >= goods_table[goods].price) offer.push_back(name);
}

std::vector<std::string> ShopDay::TonightsOffer() {
  std::vector<std::string> offer;
  // The bags are always there.
  for (const char* bag : {"ちっちゃな袋", "小さな袋", "大きめの袋", "特大の袋"}) {
    OfferIfAffordable(bag, offer);
  }
  if (my.clerk_level >= 1) {
    for (const char* box : {"箱", "大きな箱", "手さげ袋"}) {
      if (Random(2) == 0) OfferIfAffordable(box, offer);
    }
  }
  if (Random(2) == 0) OfferIfAffordable("パン袋", offer);

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
    OfferIfAffordable(item.name, offer);
    ++considered;
  }
  return offer;
}

Purchase ShopDay::Buy(int goods) {
  if (goods < 0 || goods >= kGoodsCount) return Purchase::None;
  const titem& item = goods_table[goods];
  if (item.name.empty()) return Purchase::None;
  if (my.money < item.price) {
    stage.Sound(0, "no.wav");
    return Purchase::TooDear;
  }

  stage.Sound(0, "buy.wav");
  my.money -= item.price;
  int32_t& held = my.stock[goods];
  ++held;
  if (item.kind == kKindItem && item.amount >= 1) held += item.amount - 1;

  // Seals run out now and then once the clerk holds a few.
  bool sold_out = held >= 4 && item.kind == kKindSeal && Random(2) == 0;
  if (my.money / 20 > item.price && held >= 2 && item.kind == kKindSeal && Random(2) == 0) sold_out = true;
  return sold_out ? Purchase::SoldOut : Purchase::Bought;
}

void ShopDay::CloseShop() {
  stage.Sound(0, "back.wav");
  stage.Line("『さーてと帰って寝よ・・・』", Ink::Plain);
  stage.Offer(Command::None, Command::None, Command::Sleep);
}

void ShopDay::GainItem(int goods) {
  if (goods < 0 || goods >= kGoodsCount) return;
  const titem& item = goods_table[goods];
  if (item.name.empty()) return;
  stage.Sound(3, "item.wav");
  ++my.stock[goods];
  Say("Item【" + item.name + "】を 1個入手した(所持:" + std::to_string(my.stock[goods]) + "個)", Ink::Green);
}
