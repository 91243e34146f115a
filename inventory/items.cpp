// The item panel's description of the selected goods.
#include <string>

#include "app/form.h"

void TForm1::ShowItemDetail() {
  TItemPanel& panel = item_box;
  if (panel.selected < 0 || panel.selected >= static_cast<int>(panel.entries.size())) return;
  const std::string& text = panel.entries[panel.selected];
  if (text.empty()) return;  // sold out: the detail stays as it was

  int goods = FindGoodsByName(goods_table, text);
  if (goods != current_goods) PlaySound(0, "key2.wav");
  current_goods = goods;
  const titem& item = goods_table[goods];

  // The price is marked with the yen sign.
  panel.detail = item.name + "\r(所持: " + std::to_string(my.stock[goods]) + "個)\r\r" + item.description +
                 "\r\r値段:￥ " + std::to_string(item.price) + "円";

  if (!item.picture.empty() && goods < kFirstMaterial) {
    if (item_box_cg.LoadFromFile(CgPath(item.picture))) {
      item_box_cg.transparent = true;
      item_box_cg.auto_key = true;
      panel.picture = item.picture;
    }
  } else {
    item_box_cg.Clear();
    panel.picture.clear();
  }
}
