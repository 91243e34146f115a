// Who comes into the shop, and with what.
#include <set>

#include "tests/game/fixture.h"

namespace {

using ArrivalTest = ShopTest;

TEST_F(ArrivalTest, OnlyCustomersTheLevelAllowsComeIn) {
  // Empty slots and customers of too high a rank are drawn and turned back.
  ASSERT_TRUE(form->customer_table[40].name.empty());
  ASSERT_EQ(form->customer_table[15].rank, 8);
  form->my.clerk_level = 0;
  draws.Queue(99, {40, 15, 98, 17});
  draws.Queue(9, {0});
  Run([&] { form->ChooseNextCustomer(); });
  EXPECT_EQ(form->current_customer, 17);
  EXPECT_EQ(draws.AskedBesidesTyping().front(), 99);

  form->my.clerk_level = 8;
  draws.Queue(99, {15});
  draws.Queue(9, {0});
  Run([&] { form->ChooseNextCustomer(); });
  EXPECT_EQ(form->current_customer, 15);
}

TEST_F(ArrivalTest, RankZeroRegularsAreTheOnlyOnesAtLevelZero) {
  std::set<int> seen;
  for (int i = 0; i < 60; ++i) {
    Run([&] { form->ChooseNextCustomer(); });
    seen.insert(form->current_customer);
  }
  for (int who : seen) EXPECT_EQ(form->customer_table[who].rank, 0) << who;
  EXPECT_EQ(seen, (std::set<int>{0, 1, 17, 21, 22}));
}

// A customer without a wish to draw is turned back at the door; one whose
// only wish is the first or the ninth comes in and asks for it.
TEST_F(ArrivalTest, ACustomerWithAnyDrawableWishComesIn) {
  form->my.clerk_level = 9;
  tman& first_only = form->customer_table[5];
  first_only.wished_goods.fill(0);
  first_only.wished_goods[0] = 16;
  tman& ninth_only = form->customer_table[6];
  ninth_only.wished_goods.fill(0);
  ninth_only.wished_goods[8] = 3;
  tman& tenth_only = form->customer_table[7];
  tenth_only.wished_goods.fill(0);
  tenth_only.wished_goods[9] = 4;  // beyond the nine that are drawn

  draws.Queue(99, {5});
  draws.Queue(9, {0});
  Run([&] { form->ChooseNextCustomer(); });
  EXPECT_EQ(form->current_customer, 5);
  EXPECT_EQ(form->current_goods, 16);

  draws.Queue(99, {7, 6});
  draws.Queue(9, {8});
  Run([&] { form->ChooseNextCustomer(); });
  EXPECT_EQ(form->current_customer, 6);
  EXPECT_EQ(form->current_goods, 3);
  EXPECT_TRUE(draws.AllUsed());
}

TEST_F(ArrivalTest, EmptyWishesAreDrawnAgain) {
  const tman& c5 = form->customer_table[5];
  ASSERT_EQ(c5.wished_goods[0], 5);
  ASSERT_EQ(c5.wished_goods[1], 1);
  ASSERT_EQ(c5.wished_goods[2], 16);
  ASSERT_EQ(c5.wished_goods[3], 0);
  form->my.clerk_level = 9;
  draws.Queue(99, {5});
  draws.Queue(9, {8, 3, 2});
  Run([&] { form->ChooseNextCustomer(); });
  EXPECT_EQ(form->current_goods, 16);
  EXPECT_TRUE(draws.AllUsed());
}

TEST_F(ArrivalTest, TheCustomerAppearsSpeaksAndShowsTheGoods) {
  form->my.clerk_level = 9;
  draws.Queue(99, {5});
  draws.Queue(9, {1});
  waits = 0;
  Run([&] { form->ChooseNextCustomer(); });
  const tman& c5 = form->customer_table[5];
  std::vector<std::string> expected = {c5.name + "が現れた!!", ""};
  int requests = 0;
  for (const std::string& line : c5.request_lines) {
    if (line.empty()) break;
    expected.push_back(line);
    ++requests;
  }
  EXPECT_EQ(Texts(), expected);
  EXPECT_EQ(lines[0].kind, kPink);
  EXPECT_EQ(lines[1].kind, kKindMessage);
  for (size_t i = 2; i < lines.size(); ++i) EXPECT_EQ(lines[i].kind, kPink2);
  EXPECT_EQ(waits, requests);  // one click per request line, none before
  EXPECT_EQ(form->current_goods, 1);
  EXPECT_EQ(form->goods_card_slide, 100);
  EXPECT_EQ(form->goods_card_state, 1);
  EXPECT_EQ(Offered(), Choices("", "断る", "包む"));
  EXPECT_EQ(form->choices_active, 1);
}

}  // namespace
