// A shop on the headless platform for the game's tests: its own copy of the
// save folder, scripted random draws, and a clerk's finger that ends every
// click wait by itself.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/form.h"
#include "content/words.h"
#include "game/random.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"

namespace fs = std::filesystem;

// Random draws scripted per range: Random(n) takes the next value queued for
// n, or `fixed[n]` when one is set, or else the seeded generator. Every
// message line draws Random(2) for its typing sound, so draws of 2 are best
// scripted with `fixed`.
struct DrawScript {
  std::map<int, std::deque<int>> queued;
  std::map<int, int> fixed;
  std::vector<int> asked;  // every n, in order

  void Install() {
    SetRandomScript([this](int n) {
      asked.push_back(n);
      auto q = queued.find(n);
      if (q != queued.end() && !q->second.empty()) {
        const int value = q->second.front();
        q->second.pop_front();
        return value;
      }
      auto f = fixed.find(n);
      return f != fixed.end() ? f->second : -1;
    });
  }
  ~DrawScript() { SetRandomScript(nullptr); }
  void Queue(int n, std::initializer_list<int> values) {
    for (int v : values) queued[n].push_back(v);
  }
  // The draws asked for, without the typing sounds' Random(2).
  std::vector<int> AskedBesidesTyping() const {
    std::vector<int> out;
    for (int n : asked)
      if (n != 2) out.push_back(n);
    return out;
  }
  bool AllUsed() const {
    for (const auto& [n, q] : queued)
      if (!q.empty()) return false;
    return true;
  }
};

// A folder for one test's shop: the pictures of the build, and a copy of its
// sounds and save folder without any saved progress.
inline fs::path MakeShopFolder(const std::string& tag) {
  static int serial = 0;
  fs::path base = fs::temp_directory_path() /
                  ("picolatte_" + tag + "_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
  fs::remove_all(base);
  fs::create_directories(base);
  fs::create_directory_symlink(fs::path(TEST_DIST_DIR) / "cg", base / "cg");
  // Sounds and music of the build; the name list as shipped; no progress.
  fs::create_directories(base / "dat");
  for (const fs::directory_entry& e : fs::directory_iterator(fs::path(TEST_DIST_DIR) / "dat")) {
    std::string name = e.path().filename().string();
    if (name != "my.dat" && name != "name.dat") fs::copy(e.path(), base / "dat" / name);
  }
  fs::copy_file(fs::path(TEST_DEFAULTS_DIR) / "dat" / "name.dat", base / "dat" / "name.dat");
  return base;
}

struct Line {
  EffectKind kind;
  std::string text;
  int x, y;
};

class ShopTest : public ::testing::Test {
 protected:
  fs::path base;
  std::unique_ptr<HeadlessPlatform> platform;
  std::unique_ptr<TForm1> form;
  DrawScript draws;
  std::vector<Line> lines;  // every effect written, in order
  struct Sound {
    int channel;
    std::string name;
    size_t after_lines;  // how many lines had been written when it played
  };
  std::vector<Sound> sounds;
  int waits = 0;       // click waits ended by the finger
  bool finger = true;  // end click waits by clicking the scene

  void SetUp() override {
    base = MakeShopFolder("game");
    Open();
  }

  void TearDown() override {
    Close();
    fs::remove_all(base);
  }

  // Starts the program on the test's folder (again, to see what was saved).
  void Open() {
    platform = std::make_unique<HeadlessPlatform>(base.string() + "/");
    platform->on_idle = [this](HeadlessPlatform& p) {
      Harvest();
      if (!finger || !form || form->click_wait != ClickWait::Waiting) return;
      // A wait that twenty clicks do not end never will: stop clicking, and
      // the platform closes the window after its idle time.
      if (++clicks_unheard_ > 20) {
        if (clicks_unheard_ == 21) ADD_FAILURE() << "a click wait ignores the clicks";
        return;
      }
      ++waits;
      p.Click(10, 10);
    };
    form = std::make_unique<TForm1>(*platform);
    form->on_play_sound = [this](int channel, const std::string& name) {
      if (name == "3.wav") clicks_unheard_ = 0;  // a wait was ended
      Harvest();
      sounds.push_back({channel, name, lines.size()});
    };
    ASSERT_TRUE(form->FormCreate());
    // Past the title picture and the title screen to the title menu.
    platform->Click(10, 10);
    platform->Click(10, 10);
    form->ProcessMessages(0);
    ASSERT_EQ(form->screen_phase, ScreenPhase::Menu);
    seen_ = form->effect_next;
    sounds.clear();
    draws.Install();
  }

  void Close() {
    if (!form) return;
    form->FormClose();
    form->FormDestroy();
    form.reset();
    platform.reset();
  }

  // Collects the effects written since the last look.
  void Harvest() {
    if (!form) return;
    while (seen_ != form->effect_next) {
      seen_ = (seen_ + 1) % kEffectRing;
      const FloatingText& e = form->effects[seen_];
      if (e.kind == EffectKind::None) continue;  // cleared by a new game
      lines.push_back({e.kind, e.text, e.x, e.y});
    }
  }

  // Runs a step and collects what it printed.
  template <typename Step>
  void Run(Step step) {
    Harvest();
    step();
    Harvest();
  }

  // A game in progress with `customer` at the counter holding `goods`.
  void AtCounter(int customer, int goods) {
    form->screen_phase = ScreenPhase::Playing;
    form->current_customer = customer;
    form->current_goods = goods;
    form->LoadCustomerPicture(form->customer_table[customer].picture);
    form->LoadPackagePicture(form->goods_table[goods].picture);
    form->item_box.visible = false;
  }

  // Lets virtual time pass with frames running, until `done` holds.
  template <typename Done>
  bool PumpUntil(Done done, int max_calls = 2000) {
    for (int i = 0; i < max_calls; ++i) {
      if (done()) return true;
      form->ProcessMessages(20);
    }
    Harvest();
    return done();
  }

  // Clicks a choice label by its text.
  void Choose(const std::string& text) {
    int n = -1;
    for (int i = 0; i < 3; ++i)
      if (form->choice_text[i] == text) n = i;
    ASSERT_GE(n, 0) << "not offered: " << text;
    ASSERT_TRUE(form->choices_active);
    platform->Click(kChoiceLeft + 20, kChoiceTop[n] + 10);
    Harvest();
    form->ProcessMessages(0);
    Harvest();
  }

  void ClickScene(int x, int y) {
    platform->Click(x, y);
    form->ProcessMessages(0);
    Harvest();
  }

  // The sounds played, as "channel:name", leaving out the typing and the
  // clicks that end waits.
  std::vector<std::string> Heard() const {
    std::vector<std::string> out;
    for (const Sound& s : sounds)
      if (s.name != "moji.wav" && s.name != "3.wav") out.push_back(std::to_string(s.channel) + ":" + s.name);
    return out;
  }
  bool HeardSound(const std::string& channel_and_name) const {
    for (const std::string& s : Heard())
      if (s == channel_and_name) return true;
    return false;
  }
  void Forget() {
    lines.clear();
    sounds.clear();
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const Line& l : lines)
      if (l.kind != EffectKind::Heart) out.push_back(l.text);
    return out;
  }
  bool Printed(const std::string& text) const { return Count(text) > 0; }
  int Count(const std::string& text) const {
    int n = 0;
    for (const Line& l : lines) n += l.text == text;
    return n;
  }
  // Index of the first line from `from` on equal to text, -1 if none.
  int IndexOf(const std::string& text, size_t from = 0) const {
    for (size_t i = from; i < lines.size(); ++i)
      if (lines[i].text == text) return static_cast<int>(i);
    return -1;
  }
  std::array<std::string, 3> Offered() const { return form->choice_text; }
  static std::array<std::string, 3> Choices(const char* a, const char* b, const char* c) { return {a, b, c}; }
  // A customer number by name, -1 when none.
  int CustomerNamed(const std::string& name) const {
    for (int i = 0; i < kCustomerCount; ++i)
      if (form->customer_table[i].name == name) return i;
    return -1;
  }
  int SealsHeld() const {
    int n = 0;
    for (int g = 0; g < kGoodsCount; ++g)
      if (form->goods_table[g].kind == kKindSeal) n += form->my.stock[g];
    return n;
  }

 private:
  int seen_ = 0;
  int clicks_unheard_ = 0;
};

inline constexpr int kPink2 = 310, kRed = 307, kYellow = 302, kYellow2 = 308, kBlue = 303, kPink = 304,
                     kGreen = 301;
