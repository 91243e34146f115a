// Wrapping, folding, and handing the package over with or without a seal.
#include <string>

#include "app/form.h"
#include "app/random.h"

void TForm1::WrapGoods() {
  // A broken wrap class selects the empty record 0: never in stock.
  const WrapStyle* style = WrapStyleFor(goods_table[current_goods].wrap_class);
  const int material = style ? kFirstMaterial + goods_table[current_goods].wrap_class : 0;
  const std::string& material_name = goods_table[material].name;

  if (!style || my.stock[material] <= 0) {
    PlaySound(0, "no.wav");
    PrintColorMessage(material_name + "がもうありません", "red");
    OfferChoices("", "断る", "包む");
    return;
  }

  my.stock[material] -= 1;
  LoadPackagePicture(style->wrapped_picture);
  PlaySound(2, style->wrap_sound);
  PrintMessage("包んだ(" + material_name + " 残: " + std::to_string(my.stock[material]) + "コ)");
  OfferChoices("", "", "折る");
}

void TForm1::FoldGoods() {
  if (const WrapStyle* style = WrapStyleFor(goods_table[current_goods].wrap_class)) {
    LoadPackagePicture(style->folded_picture);
    PlaySound(1, style->fold_sound);
  }
  PrintMessage("折った");
  OfferChoices("", "はい終わり", "シール");
}

void TForm1::SealStep() {
  for (int goods = 0; goods < kGoodsCount; ++goods) {
    if (my.stock[goods] >= 1 && goods_table[goods].kind == kKindSeal) {
      OpenSealPicker();  // the pick and the stick follow from the clicks
      return;
    }
  }
  PlaySound(0, "no.wav");
  PrintColorMessage("シールがもう１枚もありません", "red");
  OfferChoices("", "はい終わり", "シール");
}

// A plain package: most customers take it, some grumble, some want a seal.
void TForm1::FinishWithoutSeal() {
  const tman& customer = customer_table[current_customer];
  const int rank = customer.rank;
  const int satisfaction = my.satisfaction;
  const int r = Random(12);

  if (r <= 6) {
    Say(customer.name + "は帰っていった....");
    ChangeSatisfaction(Random(rank + 2));
    SettlePayment(kPayInFull);
  } else if (r <= 8) {
    PlaySound(3, "mu.wav");
    Say(customer.name + "はむっつりして帰っていった....");
    SettlePayment(kPayHalf);
  } else if (r <= 10) {
    PlaySound(3, "e.wav");
    SayColor("えーシールは！？", "pink2");
    ChangeSatisfaction(-(satisfaction / 20 + rank));
    Say(customer.name + "は不服そうに帰っていった....");
    SettlePayment(kPayNothing);
  } else {
    PlaySound(3, "e.wav");
    SayColor("シール貼ってくれないの？シールが欲しかったのに！！", "pink2");
    ChangeSatisfaction(-(satisfaction / 15 + 2 * rank));
    Say(customer.name + "は怒りながら帰っていった....");
    SettlePayment(kPayNothing);
  }
}
