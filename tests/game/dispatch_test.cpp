// The title menu's steps, the dispatcher and the two resets.
#include "tests/game/fixture.h"

namespace {

using DispatchTest = ShopTest;

TEST_F(DispatchTest, AboutOffersCollectionOnlyAfterAGameWasBegun) {
  form->my.play_count = 0;
  Run([&] { form->DispatchChoice("About"); });
  EXPECT_EQ(Texts(), (std::vector<std::string>{"このげえむは、品物をつつむげえむです。",
                                               "そんだけ！！！！！！！", words::kAboutCredit}));
  EXPECT_EQ(waits, 3);
  EXPECT_EQ(Offered(), Choices("", "About", "Start"));

  form->my.play_count = 1;
  form->DispatchChoice("About");
  EXPECT_EQ(Offered(), Choices("Collection", "About", "Start"));
}

TEST_F(DispatchTest, LetterIsMarkedReadAndReturnsToAMenuWithCollection) {
  form->my.play_count = 0;
  Run([&] { form->DispatchChoice("手紙"); });
  EXPECT_EQ(form->my.progress_flags[kLetterRead], 1);
  EXPECT_EQ(Heard(), std::vector<std::string>{"0:paper.wav"});
  EXPECT_EQ(waits, 3);  // the letter itself, then two lines
  EXPECT_EQ(KindOf("以上が、あなた様に届いた、シール王からのお便りです"), kPink);
  EXPECT_EQ(KindOf("おめでとう!!"), kPink);
  EXPECT_EQ(Offered(), Choices("Collection", "About", "Start"));
}

TEST_F(DispatchTest, StartCountsTheGameAndBringsTheFirstCustomer) {
  form->my.play_count = 4;
  form->screen_phase = 0;
  Run([&] { form->DispatchChoice("Start"); });
  EXPECT_EQ(form->screen_phase, 1);
  EXPECT_EQ(form->my.play_count, 5);
  EXPECT_EQ(Heard().front(), "0:start3.wav");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].text, "次のお客様どうぞー");
  const tman& customer = form->customer_table[form->current_customer];
  EXPECT_TRUE(Printed(customer.name + "が現れた!!"));
  EXPECT_EQ(Offered(), Choices("", "断る", "包む"));
}

TEST_F(DispatchTest, NextClearsTheCounterAndBringsAnotherCustomer) {
  AtCounter(0, form->customer_table[0].wished_goods[0]);
  Run([&] { form->DispatchChoice("次"); });
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].text, "次のお客様どうぞー");
  EXPECT_EQ(Offered(), Choices("", "断る", "包む"));
}

TEST_F(DispatchTest, UnknownTextsDoNothing) {
  form->OfferChoices("a", "b", "c");
  const tmy before = form->my;
  for (const char* text : {"", "start", "Start ", "つつむ", "はい"}) {
    Run([&] { form->DispatchChoice(text); });
  }
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(Offered(), Choices("a", "b", "c"));
  EXPECT_EQ(form->my.money, before.money);
  EXPECT_EQ(form->my.stock, before.stock);
}

TEST_F(DispatchTest, NewGameResetsTheRunAndDrawsTheStartingStockInOrder) {
  form->my.play_count = 7;
  form->my.best_level = 3;
  form->my.best_days = 9;
  form->my.progress_flags[0] = 1;
  form->my.seal_collected[120] = 1;
  form->my.money = 500;
  form->my.clerk_level = 4;
  form->my.day = 6;
  form->my.satisfaction = 40;
  form->my.hours_to_closing = 2;
  form->my.stock[5] = 3;
  form->my.stock[204] = 2;
  draws.Queue(5, {0, 1, 2, 3, 4, 1});
  draws.Queue(3, {2, 0, 1});
  draws.fixed[2] = 1;
  draws.asked.clear();

  form->NewGameReset();

  EXPECT_EQ(draws.asked, (std::vector<int>{5, 5, 5, 5, 5, 5, 3, 2, 3, 3, 2}));
  for (int seal = 100; seal <= 105; ++seal)
    EXPECT_EQ(form->my.stock[seal], std::vector<int>({0, 1, 2, 3, 4, 1})[seal - 100]);
  EXPECT_EQ(form->my.stock[200], 3);
  EXPECT_EQ(form->my.stock[201], 6);
  EXPECT_EQ(form->my.stock[202], 1);
  EXPECT_EQ(form->my.stock[203], 2);
  EXPECT_EQ(form->my.stock[207], 2);
  EXPECT_EQ(form->my.stock[5], 0);
  EXPECT_EQ(form->my.stock[204], 0);
  EXPECT_EQ(form->my.money, 0);
  EXPECT_EQ(form->my.clerk_level, 0);
  EXPECT_EQ(form->my.day, 0);
  EXPECT_EQ(form->my.satisfaction, 0);
  EXPECT_EQ(form->my.hours_to_closing, 8);
  // The lasting progress is kept.
  EXPECT_EQ(form->my.play_count, 7);
  EXPECT_EQ(form->my.best_level, 3);
  EXPECT_EQ(form->my.best_days, 9);
  EXPECT_EQ(form->my.progress_flags[0], 1);
  EXPECT_EQ(form->my.seal_collected[120], 1);
}

TEST_F(DispatchTest, FullResetErasesTheLastingProgressToo) {
  form->my.play_count = 7;
  form->my.best_level = 3;
  form->my.best_days = 9;
  form->my.progress_flags.fill(1);
  form->my.seal_collected.fill(1);
  form->PrintMessage("old line");
  form->FullReset();
  EXPECT_EQ(form->my.play_count, 0);
  EXPECT_EQ(form->my.best_level, 0);
  EXPECT_EQ(form->my.best_days, 0);
  for (int flag : form->my.progress_flags) EXPECT_EQ(flag, 0);
  for (int seen : form->my.seal_collected) EXPECT_EQ(seen, 0);
  EXPECT_EQ(form->my.hours_to_closing, 8);
  for (int i = 0; i < kEffectRing; ++i) EXPECT_EQ(form->effect_text[i], "");

  form->DispatchChoice("About");
  EXPECT_EQ(Offered(), Choices("", "About", "Start"));
}

}  // namespace
