// The shop day: a customer comes in, the clerk wraps, folds and seals, the
// customer reacts and pays, the manager reviews the day, the evening shop
// opens, the night passes. It holds the game's state and tables and speaks
// to the player only through the stage.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "content/tables.h"
#include "game/progress.h"
#include "game/stage.h"

// What a leaving customer pays (`SettlePayment`).
enum class Payment {
  DoubleTip,  // twice the price
  Tip,        // the price and half again
  InFull,
  Half,     // half the price and one yen
  Nothing,  // said so, and paid nothing
  Gone,     // walked off without a word
};

// What buying in the evening shop came to.
enum class Purchase {
  None,     // nothing that can be bought
  TooDear,  // not enough money
  Bought,
  SoldOut,  // bought the last one on offer tonight
};

class ShopDay {
 public:
  explicit ShopDay(Stage& stage);
  ShopDay(const ShopDay&) = delete;
  ShopDay& operator=(const ShopDay&) = delete;

  Stage& stage;
  tmy my;
  GoodsTable goods_table;
  CustomerTable customer_table;
  int32_t current_customer = 0;
  int32_t current_goods = 0;  // at the counter, or selected in the evening shop

  // A choice label was clicked.
  void Choose(Command command);

  // A new game keeps the lasting progress and saves; the full reset erases
  // that too.
  void NewGame();
  void FullReset();
  // The title menu's first label: the collection once a game was played,
  // the letter once every seal is collected and the letter is unread.
  Command TitleChoiceOne() const;

  // The steps of a visit and of the day.
  void StartShop();
  void ShowAbout();
  void ReadLetter();
  void OpenCollection();
  void ChooseNextCustomer();
  void NextCustomer();
  void RefuseCustomer();
  void WrapGoods();
  void FoldGoods();
  void SealStep();
  void FinishWithoutSeal();
  // The seal `goods` was stuck at (x, y) on the package of that size.
  void StickSeal(int goods, int x, int y, int package_width, int package_height);
  void ChangeSatisfaction(int amount);
  void SettlePayment(Payment payment);
  void GainMoney(int amount);
  void GainItem(int goods);
  void DayEndReview();
  void NightAndMorning();

  // The evening shop: what it offers tonight, buying, and going home.
  void OpenShop();
  std::vector<std::string> TonightsOffer();
  Purchase Buy(int goods);
  void CloseShop();

  // A line and a click to read it by.
  void Say(const std::string& text, Ink ink = Ink::Plain);

 private:
  void OfferIfAffordable(const std::string& name, std::vector<std::string>& offer) const;
  void JudgeSeal(int seal, int x, int y, int package_width, int package_height);
};
