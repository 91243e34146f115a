// What clicks do around a running step: the choice labels stay shut until the
// step offers new choices, and the seal picker takes and sticks seals only
// when it stands still.
#include <algorithm>

#include "platform/headless/headless_platform.h"
#include "tests/game/fixture.h"

namespace {

class ClicksTest : public ShopTest {
 protected:
  // A visit at the seal step: customer 3 with their wish, seals 101 (two)
  // and 103 (one) in stock, the picker sliding in.
  void PickerOpening() {
    AtCounter(3, form->customer_table[3].wished_goods[0]);
    form->my.stock.fill(0);
    form->my.stock[101] = 2;
    form->my.stock[103] = 1;
    form->my.hours_to_closing = 5;
    Run([&] { form->game.Choose(Command::Seal); });
    ASSERT_EQ(form->seal_box_state, SealBoxState::SlidingIn);
  }
  void PickerOpen() {
    PickerOpening();
    ASSERT_TRUE(PumpUntil([&] { return form->seal_box_state == SealBoxState::Open; }));
    Forget();
  }
  int PickedMessages() const {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const Line& l) {
      return l.text.find("】を取った、どこに貼ろっかな") != std::string::npos;
    }));
  }
};

TEST_F(ClicksTest, ALabelClickedDuringAStepStartsNothing) {
  // Every wait of "About" is ended by a click on the "About" label itself.
  platform->on_idle = [this](HeadlessPlatform& p) {
    Harvest();
    if (form && form->click_wait == ClickWait::Waiting) p.Click(kChoiceLeft + 20, kChoiceTop[1] + 10);
  };
  Choose("About");
  const std::vector<std::string> heard = Heard();
  EXPECT_EQ(std::count(heard.begin(), heard.end(), "4:pi.wav"), 1);
  // The step ran once: its first line was printed once.
  ASSERT_FALSE(Texts().empty());
  EXPECT_EQ(Count(Texts()[0]), 1);
  EXPECT_TRUE(form->choices_active);  // offered again when the step ended
}

TEST_F(ClicksTest, PickerMarginTakesTheFirstCell) {
  PickerOpen();
  ClickScene(10, 10);  // left of and above the grid
  EXPECT_EQ(form->current_seal, 101);
  EXPECT_EQ(form->seal_box_state, SealBoxState::SlidingOut);
  EXPECT_TRUE(Printed("【" + form->goods_table[101].name + "】を取った、どこに貼ろっかな"));
  // The picker leaves at once and the seal is carried.
  ASSERT_TRUE(PumpUntil([&] { return form->seal_box_state == SealBoxState::SealHeld; }, 5));
}

TEST_F(ClicksTest, PickerCellsByThirtyPixels) {
  PickerOpen();
  ClickScene(20 + 2 * 30 + 29, 20 + 5);  // third cell, its last column
  EXPECT_EQ(form->current_seal, 103);
}

TEST_F(ClicksTest, AnEmptyCellTakesNothing) {
  PickerOpen();
  ClickScene(20 + 5 * 30 + 5, 20 + 5);  // sixth cell of the first row: empty
  EXPECT_EQ(form->current_seal, 0);
  EXPECT_EQ(form->seal_box_state, SealBoxState::Open);
  EXPECT_EQ(PickedMessages(), 0);
  ClickScene(20 + 5, 20 + 30 + 5);  // second row: empty as well
  EXPECT_EQ(form->seal_box_state, SealBoxState::Open);
  ClickScene(20 + 30 * 10 + 5, 25);  // right of the ten columns
  EXPECT_EQ(form->seal_box_state, SealBoxState::Open);
  EXPECT_TRUE(lines.empty());
}

TEST_F(ClicksTest, ClicksWhileTheBoxSlidesPickAndStickNothing) {
  PickerOpening();
  // Straight to the handler, so that no frame moves the box in between.
  form->cgMouseDown(25, 25);  // sliding in: the seal under the pointer is not taken
  EXPECT_EQ(form->seal_box_state, SealBoxState::SlidingIn);
  EXPECT_EQ(form->current_seal, 0);
  ASSERT_TRUE(PumpUntil([&] { return form->seal_box_state == SealBoxState::Open; }));
  form->cgMouseDown(25, 25);
  ASSERT_EQ(form->seal_box_state, SealBoxState::SlidingOut);
  form->cgMouseDown(195, 170);  // sliding out: nothing is stuck yet
  EXPECT_EQ(form->seal_box_state, SealBoxState::SlidingOut);
  EXPECT_EQ(form->my.stock[101], 2);
  Harvest();
  EXPECT_FALSE(HeardSound("0:point.wav"));
  EXPECT_EQ(PickedMessages(), 1);
}

TEST_F(ClicksTest, StickingLeavesTheSealStuckWhileTheCustomerReacts) {
  PickerOpen();
  ClickScene(25, 25);
  ASSERT_TRUE(PumpUntil([&] { return form->seal_box_state == SealBoxState::SealHeld; }, 5));
  std::vector<SealBoxState> states_while_waiting;
  platform->on_idle = [&](HeadlessPlatform& p) {
    Harvest();
    if (form->click_wait != ClickWait::Waiting) return;
    states_while_waiting.push_back(form->seal_box_state);
    p.Click(10, 250);
  };
  ClickScene(150, 120);
  ASSERT_FALSE(states_while_waiting.empty());
  EXPECT_EQ(states_while_waiting.front(), SealBoxState::SealStuck);
  EXPECT_EQ(form->seal_x, 150);
  EXPECT_EQ(form->seal_y, 120);
  EXPECT_TRUE(HeardSound("0:point.wav"));
  EXPECT_EQ(form->my.stock[101], 1);
  EXPECT_EQ(form->seal_box_state, SealBoxState::Closed);  // the payment closed the visit
}

}  // namespace
