// A bot plays thousands of visits with random choices, clicks and seal
// positions, buys in the evening shop and goes to bed. After every frame the
// clamped fields must be inside their bounds and no stock below zero; at the
// end the memory must not have grown.
#include <fstream>
#include <random>

#include "platform/headless/headless_platform.h"
#include "tests/game/fixture.h"

namespace {

// The headless platform, checking the game after every presented frame.
class CheckedPlatform : public HeadlessPlatform {
 public:
  using HeadlessPlatform::HeadlessPlatform;
  std::function<void()> after_frame;
  void Present(const Bitmap& scene) override {
    HeadlessPlatform::Present(scene);
    if (after_frame) after_frame();
  }
};

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = 0;
  while (status >> key) {
    if (key == "VmRSS:") {
      status >> value;
      return value;
    }
    status.ignore(1 << 12, '\n');
  }
  return 0;
}

class Autoplay {
 public:
  explicit Autoplay(const fs::path& base) : base_(base) { Open(); }
  ~Autoplay() { Close(); }

  std::mt19937 dice{20240601};
  int visits = 0;
  int frames = 0;
  int bad_frames = 0;
  std::string first_fault;
  int games_cleared = 0;
  int seals_stuck = 0;
  int purchases_tried = 0;
  std::unique_ptr<TForm1> form;

  int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(dice); }

  // One decision of the player; false when nothing was left to do.
  void Step() {
    if (form->closing) {  // the game was cleared: start the program again
      ++games_cleared;
      Close();
      Open();
      return;
    }
    TrackVisits();
    if (form->item_box.visible) {
      ShopAction();
    } else if (form->seal_box_mode == SealBoxMode::Collection) {
      Click(Roll(390), Roll(260));  // close the collection
    } else if (form->seal_box_state == SealBoxState::Open && form->seal_box_mode == SealBoxMode::Picker) {
      Click(20 + Roll(300), 20 + Roll(240));  // maybe a seal, maybe an empty cell
    } else if (form->seal_box_state == SealBoxState::SealHeld) {
      ++seals_stuck;
      if (Roll(10) < 7) {
        Click(195 - 60 + Roll(120), 170 - 50 + Roll(100));
      } else {
        Click(Roll(390), Roll(260));
      }
    } else if (form->choices_active && Offered() > 0) {
      ChooseAny();
    } else {
      form->ProcessMessages(20);
    }
  }

 private:
  fs::path base_;
  std::unique_ptr<CheckedPlatform> platform_;
  int last_hours_ = 0;

  void Open() {
    platform_ = std::make_unique<CheckedPlatform>(base_.string() + "/");
    platform_->after_frame = [this] { CheckFrame(); };
    platform_->on_idle = [this](HeadlessPlatform& p) {
      if (form && form->click_wait == ClickWait::Waiting) p.Click(Roll(390), Roll(260));
    };
    form = std::make_unique<TForm1>(*platform_);
    ASSERT_TRUE(form->FormCreate());
    SeedRandom(7 + games_cleared);
    Click(10, 10);
    Click(10, 10);
    last_hours_ = form->my.hours_to_closing;
  }
  void Close() {
    if (!form) return;
    form->FormClose();
    form->FormDestroy();
    form.reset();
    platform_.reset();
  }

  void Click(int x, int y) {
    platform_->Click(x, y);
    form->ProcessMessages(0);
  }

  int Offered() const {
    int n = 0;
    for (const std::string& t : form->choice_text) n += !t.empty();
    return n;
  }
  void ChooseAny() {
    std::vector<int> offered;
    for (int i = 0; i < 3; ++i)
      if (!form->choice_text[i].empty()) offered.push_back(i);
    const int n = offered[Roll(static_cast<int>(offered.size()))];
    Click(kChoiceLeft + 5 + Roll(kChoiceWidth - 10), kChoiceTop[n] + 3 + Roll(kChoiceHeight - 6));
  }

  void ShopAction() {
    const int r = Roll(10);
    if (r < 5) {
      Click(225 + Roll(150), 8 + Roll(250));  // a row of the list
    } else if (r < 9) {
      ++purchases_tried;
      Click(10 + Roll(200), 206 + Roll(20));  // 買う
    } else {
      Click(10 + Roll(200), 234 + Roll(20));  // 閉じる
    }
  }

  // One visit takes one hour: count the hours that go by.
  void TrackVisits() {
    const int hours = form->my.hours_to_closing;
    if (hours < last_hours_) visits += last_hours_ - hours;
    last_hours_ = hours;
  }

  void CheckFrame() {
    ++frames;
    const tmy& my = form->my;
    std::string fault;
    if (my.satisfaction < 0 || my.satisfaction > 100)
      fault = "satisfaction " + std::to_string(my.satisfaction);
    if (my.money < 0 || my.money > 999999999) fault = "money " + std::to_string(my.money);
    if (my.day < 0) fault = "day " + std::to_string(my.day);
    if (my.hours_to_closing < 0 || my.hours_to_closing > my.clerk_level + 8)
      fault = "hours " + std::to_string(my.hours_to_closing);
    if (form->effect_next < 0 || form->effect_next >= kEffectRing)
      fault = "effect ring at " + std::to_string(form->effect_next);
    for (int g = 0; g < kGoodsCount; ++g)
      if (my.stock[g] < 0) fault = "stock of " + std::to_string(g) + " is " + std::to_string(my.stock[g]);
    if (!fault.empty()) {
      if (bad_frames++ == 0) first_fault = fault;
    }
  }
};

int LiveEffects(const TForm1& form) {
  int n = 0;
  for (int i = 0; i < kEffectRing; ++i) n += form.effects[i].age >= 1 || !form.effects[i].text.empty();
  return n;
}

TEST(AutoplayTest, TwoThousandVisitsKeepTheStateInBoundsAndMemoryFlat) {
  const fs::path base = MakeShopFolder("autoplay");
  {
    Autoplay bot(base);
    ASSERT_TRUE(bot.form);
    // Warm up: every sound and picture has been loaded once.
    while (bot.visits < 300) bot.Step();
    const long rss_start = ResidentKiB();
    const size_t waves_start = bot.form->wave_cache.size();

    long steps = 0;
    while (bot.visits < 2300 && steps < 5'000'000) {
      bot.Step();
      ++steps;
    }
    const long rss_end = ResidentKiB();
    std::printf(
        "autoplay: %d visits, %d frames, %d games cleared, %d seals stuck, %d purchases tried, "
        "RSS %ld -> %ld KiB, waves %zu -> %zu, live effects %d\n",
        bot.visits, bot.frames, bot.games_cleared, bot.seals_stuck, bot.purchases_tried, rss_start, rss_end,
        waves_start, bot.form->wave_cache.size(), LiveEffects(*bot.form));

    EXPECT_GE(bot.visits, 2300);
    EXPECT_GT(bot.frames, 1000);
    EXPECT_GT(bot.seals_stuck, 100);
    EXPECT_EQ(bot.bad_frames, 0) << bot.first_fault;
    EXPECT_LE(rss_end - rss_start, 4096) << "resident memory grew";
  }
  fs::remove_all(base);
}

}  // namespace
