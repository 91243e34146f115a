// Filling the goods table and finding goods by their name.
#include "content/goods_rows.h"

void FillGoodsTable(GoodsTable& goods) {
  goods.fill(titem{});
  FillArticleRows(goods);
  FillSealRows(goods);
  FillMaterialRows(goods);
}

// Scans the whole table so that a later row with the same name wins. An empty
// name names no goods (it is what every empty record has), so it finds 0.
int FindGoodsByName(const GoodsTable& goods, const std::string& name) {
  if (name.empty()) return 0;
  int found = 0;
  for (int number = 0; number < kGoodsCount; ++number) {
    if (goods[number].name == name) found = number;
  }
  return found;
}
