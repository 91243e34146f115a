// The choice dispatcher and the short steps of the title menu: every label
// the player clicks arrives here as its command and runs one step of the game.
#include <string>

#include "content/words.h"
#include "game/shop_day.h"

const char* CommandLabel(Command command) {
  switch (command) {
    case Command::None:
      return "";
    case Command::Start:
      return "Start";
    case Command::About:
      return "About";
    case Command::Collection:
      return "Collection";
    case Command::Letter:
      return "手紙";
    case Command::Wrap:
      return "包む";
    case Command::Fold:
      return "折る";
    case Command::Seal:
      return "シール";
    case Command::Finish:
      return "はい終わり";
    case Command::Refuse:
      return "断る";
    case Command::Next:
      return "次";
    case Command::Sleep:
      return "帰って寝る";
  }
  return "";
}

ShopDay::ShopDay(Stage& s) : stage(s) {
  FillGoodsTable(goods_table);
  FillCustomerTable(customer_table);
}

void ShopDay::Choose(Command command) {
  switch (command) {
    case Command::None:
      break;
    case Command::Start:
      StartShop();
      break;
    case Command::About:
      ShowAbout();
      break;
    case Command::Collection:
      OpenCollection();
      break;
    case Command::Letter:
      ReadLetter();
      break;
    case Command::Wrap:
      WrapGoods();
      break;
    case Command::Fold:
      FoldGoods();
      break;
    case Command::Seal:
      SealStep();
      break;
    case Command::Finish:
      FinishWithoutSeal();
      break;
    case Command::Refuse:
      RefuseCustomer();
      break;
    case Command::Next:
      NextCustomer();
      break;
    case Command::Sleep:
      NightAndMorning();
      break;
  }
}

void ShopDay::Say(const std::string& text, Ink ink) {
  stage.Line(text, ink);
  stage.WaitForClick();
}

Command ShopDay::TitleChoiceOne() const {
  Command choice = my.play_count >= 1 ? Command::Collection : Command::None;
  int seals = 0, collected = 0;
  for (int g = 0; g < kGoodsCount; ++g) {
    if (goods_table[g].kind != kKindSeal) continue;
    ++seals;
    if (my.seal_collected[g] >= 1) ++collected;
  }
  if (my.progress_flags[kLetterRead] == 0 && seals == collected) choice = Command::Letter;
  return choice;
}

void ShopDay::StartShop() {
  stage.Playing(true);  // from now on the status panel is drawn
  my.play_count += 1;
  stage.Sound(0, "start3.wav");
  stage.ShowShopFront();
  Say("次のお客様どうぞー");
  ChooseNextCustomer();
}

void ShopDay::ShowAbout() {
  stage.ShowScene("title2.bmp");
  Say("このげえむは、品物をつつむげえむです。");
  Say("そんだけ！！！！！！！");
  Say(words::kAboutCredit);
  stage.ShowScene("login.bmp");
  stage.Offer(my.play_count >= 1 ? Command::Collection : Command::None, Command::About, Command::Start);
}

// The letter from the seal king, for a complete collection.
void ShopDay::ReadLetter() {
  my.progress_flags[kLetterRead] = 1;
  stage.Sound(0, "paper.wav");
  stage.ShowScene("letter.bmp");
  stage.WaitForClick();
  Say("以上が、あなた様に届いた、シール王からのお便りです", Ink::Pink);
  Say("おめでとう!!", Ink::Pink);
  stage.ShowScene("login.bmp");
  stage.Offer(Command::Collection, Command::About, Command::Start);
}

// Every seal ever stuck, in the seal box, to the collection's music.
void ShopDay::OpenCollection() {
  stage.Music("col.mid");
  std::vector<int> seals;
  for (int goods = 0; goods < kGoodsCount; ++goods) {
    if (my.seal_collected[goods] >= 1 && goods_table[goods].kind == kKindSeal) seals.push_back(goods);
  }
  stage.OpenSealBox(SealBoxUse::Collection, seals);
}

void ShopDay::NextCustomer() {
  stage.ShowShopFront();
  Say("次のお客様どうぞー");
  ChooseNextCustomer();
}
