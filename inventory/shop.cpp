// The evening shop's panel: opening it on tonight's offer, buying the
// selected goods, and closing it for the night.
#include <string>
#include <vector>

#include "app/form.h"

namespace {

constexpr const char* kBuyCaption = "買う";

}  // namespace

void TForm1::OpenShop(const std::vector<std::string>& offer) {
  item_box.detail = "明日の準備をしましょう";
  item_box.action_caption = kBuyCaption;
  item_box.selected = -1;
  item_box.top = 0;
  item_box.entries = offer;
  item_box.visible = true;
  item_box.pressed = PanelPress::None;
  item_box_cg.Clear();
  item_box.picture.clear();
}

void TForm1::BuySelected() {
  TItemPanel& panel = item_box;
  if (panel.selected < 0 || panel.selected >= static_cast<int>(panel.entries.size())) return;
  if (panel.entries[panel.selected].empty()) return;
  const Purchase purchase = game.Buy(current_goods);
  if (purchase == Purchase::Bought || purchase == Purchase::SoldOut) ShowItemDetail();
  if (purchase == Purchase::SoldOut) panel.entries[panel.selected].clear();
}

void TForm1::CloseItemPanel() {
  item_box.visible = false;
  item_box.pressed = PanelPress::None;
  game.CloseShop();
}
