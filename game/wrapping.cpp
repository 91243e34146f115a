// Wrapping, folding, and handing the package over with or without a seal.
#include <string>
#include <vector>

#include "game/random.h"
#include "game/shop_day.h"

void ShopDay::WrapGoods() {
  // A broken wrap class selects the empty record 0: never in stock.
  const WrapStyle* style = WrapStyleFor(goods_table[current_goods].wrap_class);
  const int material = style ? kFirstMaterial + goods_table[current_goods].wrap_class : 0;
  const std::string& material_name = goods_table[material].name;

  if (!style || my.stock[material] <= 0) {
    stage.Sound(0, "no.wav");
    stage.Line(material_name + "がもうありません", Ink::Red);
    stage.Offer(Command::None, Command::Refuse, Command::Wrap);
    return;
  }

  my.stock[material] -= 1;
  stage.ShowPackage(style->wrapped_picture);
  stage.Sound(2, style->wrap_sound);
  stage.Line("包んだ(" + material_name + " 残: " + std::to_string(my.stock[material]) + "コ)", Ink::Plain);
  stage.Offer(Command::None, Command::None, Command::Fold);
}

void ShopDay::FoldGoods() {
  if (const WrapStyle* style = WrapStyleFor(goods_table[current_goods].wrap_class)) {
    stage.ShowPackage(style->folded_picture);
    stage.Sound(1, style->fold_sound);
  }
  stage.Line("折った", Ink::Plain);
  stage.Offer(Command::None, Command::Finish, Command::Seal);
}

void ShopDay::SealStep() {
  // Every piece held, seal by seal; the pick and the stick follow from the
  // player's clicks (StickSeal).
  std::vector<int> pieces;
  for (int goods = 0; goods < kGoodsCount; ++goods) {
    if (goods_table[goods].kind != kKindSeal) continue;
    for (int piece = 0; piece < my.stock[goods]; ++piece) pieces.push_back(goods);
  }
  if (!pieces.empty()) {
    stage.OpenSealBox(SealBoxUse::Picker, pieces);
    return;
  }
  stage.Sound(0, "no.wav");
  stage.Line("シールがもう１枚もありません", Ink::Red);
  stage.Offer(Command::None, Command::Finish, Command::Seal);
}

// A plain package: most customers take it, some grumble, some want a seal.
void ShopDay::FinishWithoutSeal() {
  const tman& customer = customer_table[current_customer];
  const int rank = customer.rank;
  const int satisfaction = my.satisfaction;
  const int r = Random(12);

  if (r <= 6) {
    Say(customer.name + "は帰っていった....");
    ChangeSatisfaction(Random(rank + 2));
    SettlePayment(Payment::InFull);
  } else if (r <= 8) {
    stage.Sound(3, "mu.wav");
    Say(customer.name + "はむっつりして帰っていった....");
    SettlePayment(Payment::Half);
  } else if (r <= 10) {
    stage.Sound(3, "e.wav");
    Say("えーシールは！？", Ink::Pink2);
    ChangeSatisfaction(-(satisfaction / 20 + rank));
    Say(customer.name + "は不服そうに帰っていった....");
    SettlePayment(Payment::Nothing);
  } else {
    stage.Sound(3, "e.wav");
    Say("シール貼ってくれないの？シールが欲しかったのに！！", Ink::Pink2);
    ChangeSatisfaction(-(satisfaction / 15 + 2 * rank));
    Say(customer.name + "は怒りながら帰っていった....");
    SettlePayment(Payment::Nothing);
  }
}
