// Golden runs: a scripted player plays whole days on the headless platform
// with every random draw fixed, and everything the player would notice is
// written down as it happens: a checksum of the frames shown between two of
// the player's clicks, every sound and music call, every line of the message
// log, and the bytes of my.dat and 成績.txt whenever they change. The record
// must match the one in this folder line for line.
//
// After a change that is meant to alter a frame, a sound or a saved byte:
//   GOLDEN_UPDATE=1 build/tests/golden/golden_runs
// rewrites tests/golden/*.txt; commit them and say why in the commit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/form.h"
#include "game/random.h"
#include "platform/headless/headless_platform.h"
#include "platform/music.h"
#include "platform/platform.h"

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kFnvStart = 0xcbf29ce484222325ull;
uint64_t Fnv(uint64_t h, const void* data, size_t n) {
  const auto* p = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 0x100000001b3ull;
  return h;
}
std::string Hex(uint64_t h) {
  char buf[17];
  std::snprintf(buf, sizeof buf, "%012llx", static_cast<unsigned long long>(h & 0xffffffffffffull));
  return buf;
}
// The records name a log line's ink by the code it had when they were made.
int RecordCode(Ink ink) {
  switch (ink) {
    case Ink::Plain:
      return 4;
    case Ink::Green:
      return 301;
    case Ink::Yellow:
      return 302;
    case Ink::Blue:
      return 303;
    case Ink::Pink:
      return 304;
    case Ink::Red:
      return 307;
    case Ink::Yellow2:
      return 308;
    case Ink::Pink2:
      return 310;
  }
  return -1;
}
std::string Short(const std::string& name) {
  return name.size() > 4 && name.ends_with(".wav") ? name.substr(0, name.size() - 4) : name;
}

// What happened since the player's last click.
struct Pending {
  int frames = 0;
  uint64_t frame_hash = kFnvStart;
  std::vector<std::string> sounds, music, texts;
};

// Music calls, as the game makes them; every piece it names exists.
class RecordingMusic : public MusicPlayer {
 public:
  explicit RecordingMusic(Pending& pending) : pending_(pending) {}
  bool Open(const std::string& path) override {
    open_ = fs::exists(path);
    pending_.music.push_back("open " + fs::path(path).filename().string() + (open_ ? "" : "?"));
    return open_;
  }
  bool Play() override {
    pending_.music.push_back("play");
    return open_;
  }
  void Stop() override { pending_.music.push_back("stop"); }
  bool IsOpen() const override { return open_; }

 private:
  Pending& pending_;
  bool open_ = false;
};

class GoldenPlatform : public HeadlessPlatform {
 public:
  GoldenPlatform(std::string base, Pending& pending) : HeadlessPlatform(std::move(base)), pending_(pending) {
    music = std::make_unique<RecordingMusic>(pending);
  }
  Bitmap last;  // the frame on screen, kept for screenshots
  bool keep_last = false;
  void Present(const Bitmap& scene) override {
    HeadlessPlatform::Present(scene);
    if (keep_last) last = scene;
    ++pending_.frames;
    pending_.frame_hash = Fnv(pending_.frame_hash, scene.Pixels(),
                              static_cast<size_t>(scene.Width()) * scene.Height() * sizeof(uint32_t));
  }

 private:
  Pending& pending_;
};

// Every draw of Random: a value queued for its range, or the next of a fixed
// sequence.
struct Draws {
  std::map<int, std::deque<int>> queued;
  RandomScript rest = FixedRandomScript(17);
  void Queue(int n, std::initializer_list<int> values) {
    for (int v : values) queued[n].push_back(v);
  }
  int Next(int n) {
    auto q = queued.find(n);
    if (q != queued.end() && !q->second.empty()) {
      const int v = q->second.front();
      q->second.pop_front();
      return v;
    }
    return rest(n);
  }
};

// How the player finishes a visit.
enum class Visit {
  Refuse,
  NoMaterial,
  Plain0,
  Plain7,
  Plain9,
  Plain11,
  Miss,
  Disliked,
  Liked,
  Great,
  Neutral,
  Gain
};
enum class Tier { None, Neutral, Disliked, Liked, Great };

// The night's draws: moon, thief, chick, hen, egg, golden egg ("-" leaves it
// to the fixed sequence).
struct Night {
  int moon, thief, chick, hen, egg, golden;
};

struct Day {
  int lo, hi;   // satisfaction the player aims at for the review; lo -1: just enough for a promotion
  int variety;  // visits that try the next kinds of the variety list first
  Night night;  // what the night brings
};

struct Plan {
  std::vector<std::string> title;  // title menu choices in turn; "" = close the window
  std::vector<Day> days;
  int quit_after_visits = -1;  // the window is closed once this many visits of the last game are over
};

class GoldenRun {
 public:
  GoldenRun(const std::string& name, Plan plan) : name_(name), plan_(std::move(plan)) {
    dir_ = fs::temp_directory_path() / ("picolatte_golden_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  ~GoldenRun() { fs::remove_all(dir_); }

  std::vector<std::string> record;
  // Played in `language`; with `shots`, the frame before each of the first
  // `max_shots` clicks is written there as NNN-what.png.
  Language language = Language::Japanese;
  fs::path shots;
  int max_shots = 0;

  void Play() {
    draws_.Queue(5, {4, 4, 4, 4, 4, 4});  // the new game's plain seals: four of each
    draws_.Queue(3, {2, 2, 2, 2});
    SetRandomScript([this](int n) { return draws_.Next(n); });
    platform_ = std::make_unique<GoldenPlatform>(dir_.string() + "/", pending_);
    platform_->on_idle = [this](HeadlessPlatform&) { Decide(); };
    GamePaths paths;
    paths.cg = std::string(TEST_DIST_DIR) + "/cg/";
    paths.dat = std::string(TEST_DIST_DIR) + "/dat/";
    paths.save = dir_.string() + "/";
    paths.sheet = dir_.string() + "/成績.txt";
    paths.mixer_ini = dir_.string() + "/SOUNDMIX.INI";
    form_ = std::make_unique<TForm1>(*platform_, paths);
    form_->on_play_sound = [this](int channel, const std::string& name) {
      Harvest();
      pending_.sounds.push_back(std::to_string(channel) + Short(name));
    };
    label_ = "start";
    ASSERT_TRUE(form_->FormCreate());
    form_->UseLanguage(language);
    platform_->keep_last = !shots.empty();
    seen_ = form_->effect_next;
    Act("title picture", 10, 10);
    Act("title screen", 10, 10);
    while (!form_->closing && actions_ < 30000) form_->ProcessMessages(form_->TimeToNextTick());
    EXPECT_TRUE(form_->closing) << "the run did not end";
    form_->FormDestroy();
    Flush("closed");
    SetRandomScript(nullptr);
  }

 private:
  std::string name_;
  Plan plan_;
  fs::path dir_;
  Pending pending_;
  Draws draws_;
  std::unique_ptr<GoldenPlatform> platform_;
  std::unique_ptr<TForm1> form_;
  std::string label_;
  int seen_ = 0;
  int actions_ = 0;
  int idle_calls_ = 0;
  std::string files_seen_;
  // The player's memory.
  size_t title_step_ = 0;
  size_t day_ = 0;
  int visit_in_day_ = 0;
  int variety_ = 0;
  int games_ = 0;
  int visits_this_game_ = 0;
  bool quit_sent_ = false;
  Visit visit_ = Visit::Plain0;
  bool no_material_ = false, no_seal_ = false;
  std::deque<int> shop_plan_;  // rows to pick (>= 0), -1 buy, -2 close
  std::map<int, int> met_;     // customer -> visits

  // --- what the player sees ---------------------------------------------------
  void Harvest() {
    while (seen_ != form_->effect_next) {
      seen_ = (seen_ + 1) % kEffectRing;
      const EffectKind kind = form_->effects[seen_].kind;
      const std::string& text = form_->effects[seen_].text;
      if (kind == EffectKind::None) continue;
      if (kind == EffectKind::Heart) {
        pending_.texts.push_back("heart " + std::to_string(form_->effects[seen_].x) + "," +
                                 std::to_string(form_->effects[seen_].y));
        continue;
      }
      // The log shows what the player reads, in either language.
      if (text.find("がもうありません") != std::string::npos || text.rfind("Out of ", 0) == 0)
        no_material_ = true;
      if (text.find("シールがもう１枚もありません") != std::string::npos || text == "Not a single sticker left")
        no_seal_ = true;
      pending_.texts.push_back(std::to_string(RecordCode(form_->effects[seen_].ink)) + " " + text);
    }
  }

  // Ends the record line of the last click and notes the saved files.
  void Flush(const std::string& next_label) {
    Harvest();
    std::string line = label_;
    if (pending_.frames > 0) line += "  f" + std::to_string(pending_.frames) + ":" + Hex(pending_.frame_hash);
    auto list = [&line](const char* tag, const std::vector<std::string>& items, const char* sep) {
      if (items.empty()) return;
      line += std::string("  ") + tag + "[";
      for (size_t i = 0; i < items.size(); ++i) line += (i ? sep : "") + items[i];
      line += "]";
    };
    list("s", pending_.sounds, " ");
    list("m", pending_.music, " ");
    list("t", pending_.texts, " / ");
    record.push_back(line);
    pending_ = Pending{};
    for (const char* file : {"my.dat", "成績.txt"}) {
      std::ifstream in(dir_ / file, std::ios::binary);
      if (!in) continue;
      std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      std::string note = std::string("= ") + file + " " + std::to_string(bytes.size()) + " bytes " +
                         Hex(Fnv(kFnvStart, bytes.data(), bytes.size()));
      if (files_seen_.find(note) == std::string::npos) {
        record.push_back(note);
        files_seen_ += note + "\n";
      }
    }
    label_ = next_label;
  }

  // The player clicks a quarter of a second after the last thing happened.
  void Act(const std::string& label, int x, int y) {
    if (!shots.empty() && actions_ < max_shots && !platform_->last.Empty()) {
      // Named after what led to it; a choice by the label the player read.
      std::string what = label_.rfind("choose ", 0) == 0 ? "choose " + form_->Shown(label_.substr(7)) : label_;
      std::string name = std::to_string(1000 + actions_).substr(1) + "-" + what;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') c = '_';
      platform_->last.SaveToPng((shots / (name + ".png")).string());
    }
    Flush(label);
    ++actions_;
    idle_calls_ = 0;
    platform_->Click(x, y, 250);
  }

  // --- what the player does ---------------------------------------------------
  void Decide() {
    if (form_->closing) return;
    Harvest();
    TForm1& f = *form_;
    if (f.click_wait == ClickWait::Waiting) return Act("click", 10, 10);
    if (f.item_box.visible) return Shop();
    if (f.seal_box_mode == SealBoxMode::Collection) {
      if (f.seal_box_state == SealBoxState::Open) Act("close collection", 200, 130);
      return;
    }
    if (f.seal_box_state == SealBoxState::Open) return PickSeal();
    if (f.seal_box_state == SealBoxState::SealHeld && f.seal_box_mode == SealBoxMode::Picker) {
      if (visit_ == Visit::Miss) return Act("stick off", 40, 40);
      // A delighted customer pays twice the price: the draw after the typing
      // sounds' (which only pick a channel) says so.
      if (visit_ == Visit::Great) draws_.Queue(2, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
      return Act("stick", 195, 170);
    }
    if (f.choices_active && f.seal_box_state != SealBoxState::SlidingIn &&
        f.seal_box_state != SealBoxState::SlidingOut)
      return Choose();
    if (++idle_calls_ > 2000) {  // nothing to do for a long while: give up
      ADD_FAILURE() << name_ << ": the player is stuck after " << label_;
      Quit();
    }
  }

  void Quit() {
    if (quit_sent_) return;
    quit_sent_ = true;
    Flush("close window");
    InputEvent quit;
    quit.kind = InputEvent::Quit;
    platform_->Push(quit, 250);
  }

  void Pick(int n) {
    const std::string& text = form_->choice_text[n];
    Act("choose " + text, kChoiceLeft + 20, kChoiceTop[n] + 10);
  }
  int Offered(const std::string& text) const {
    for (int i = 0; i < 3; ++i)
      if (form_->choice_text[i] == text) return i;
    return -1;
  }

  void Choose() {
    const auto& t = form_->choice_text;
    if (t[2] == "Start") {
      if (title_step_ >= plan_.title.size() || plan_.title[title_step_].empty()) return Quit();
      const std::string& want = plan_.title[title_step_++];
      if (want == "Start") {
        draws_.queued.clear();
        ++games_;
        visits_this_game_ = 0;
        day_ = games_ == 1 ? 0 : day_;
        BeginDay();
        NextVisit();
      }
      return Pick(Offered(want));
    }
    if (t[2] == "包む") {
      const bool refuse = visit_ == Visit::Refuse || no_material_;
      no_material_ = false;
      return Pick(refuse ? 1 : 2);
    }
    if (t[2] == "折る") return Pick(2);
    if (t[2] == "シール") {
      const bool plain = no_seal_ || visit_ == Visit::Plain0 || visit_ == Visit::Plain7 ||
                         visit_ == Visit::Plain9 || visit_ == Visit::Plain11;
      if (!plain) return Pick(2);
      const int r = visit_ == Visit::Plain7    ? 7
                    : visit_ == Visit::Plain9  ? 9
                    : visit_ == Visit::Plain11 ? 11
                                               : 0;
      no_seal_ = false;
      draws_.Queue(12, {r});
      return Pick(1);
    }
    if (t[2] == "次") {
      ++visits_this_game_;
      if (plan_.quit_after_visits >= 0 && games_ >= 2 && visits_this_game_ > plan_.quit_after_visits)
        return Quit();
      draws_.queued.clear();  // what the last visit and night did not use
      NextVisit();
      return Pick(2);
    }
    if (t[2] == "帰って寝る") {
      draws_.queued.clear();
      if (day_ + 1 >= plan_.days.size()) return Quit();
      const Night& n = CurrentDay().night;
      draws_.Queue(15, {n.moon, n.thief});
      draws_.Queue(13, {n.chick});
      draws_.Queue(12, {n.hen});
      draws_.Queue(10, {n.egg});
      if (n.golden >= 0) draws_.Queue(5, {n.golden});
      if (n.thief == 0 && n.golden < 0) draws_.Queue(5, {0});  // he finds the first seal
      if (n.thief == 0 && n.golden > 0) {
        for (int i = 0; i < 300; ++i) draws_.Queue(5, {1});  // the thief finds no seal: he takes money
      }
      ++day_;
      BeginDay();
      return Pick(2);
    }
    ADD_FAILURE() << name_ << ": unknown choices " << t[0] << "|" << t[1] << "|" << t[2];
    Quit();
  }

  const Day& CurrentDay() const { return plan_.days[std::min(day_, plan_.days.size() - 1)]; }
  void BeginDay() { visit_in_day_ = 0; }

  // Which customer comes next and how the visit goes.
  void NextVisit() {
    const tmy& my = form_->my;
    const Day& day = CurrentDay();
    static constexpr Visit kVariety[] = {Visit::Refuse, Visit::NoMaterial, Visit::Plain0, Visit::Plain7,
                                         Visit::Plain9, Visit::Plain11,    Visit::Miss,   Visit::Disliked,
                                         Visit::Liked,  Visit::Great,      Visit::Neutral};
    if (visit_in_day_ < day.variety) {
      visit_ = kVariety[variety_++ % std::size(kVariety)];
    } else if (my.satisfaction < (day.lo >= 0 ? day.lo : std::min(5 * my.clerk_level + 50, 99))) {
      visit_ = Visit::Gain;
    } else if (my.satisfaction > day.hi) {
      visit_ = Visit::Refuse;
    } else {
      visit_ = Visit::Plain7;  // no change in satisfaction
    }
    ++visit_in_day_;

    // The customer: for a seal visit one the clerk holds a seal of that tier
    // for; to gain, the highest rank; else whoever came least.
    const Tier want = visit_ == Visit::Great      ? Tier::Great
                      : visit_ == Visit::Liked    ? Tier::Liked
                      : visit_ == Visit::Disliked ? Tier::Disliked
                      : visit_ == Visit::Neutral  ? Tier::Neutral
                                                  : Tier::None;
    // Only wishes whose material is in stock (out of stock for NoMaterial; any
    // for a refusal).
    auto wish_slot = [&](int c) {
      const tman& m = form_->customer_table[c];
      int wishes = 0;
      while (wishes < 9 && m.wished_goods[wishes] != 0) ++wishes;
      for (int i = 0; i < wishes; ++i) {
        const int k = (met_[c] + i) % wishes;
        const int wrap = form_->goods_table[m.wished_goods[k]].wrap_class;
        const bool in_stock = WrapStyleFor(wrap) && my.stock[kFirstMaterial + wrap] > 0;
        if (visit_ == Visit::Refuse || in_stock == (visit_ != Visit::NoMaterial)) return k;
      }
      return -1;
    };
    int best = -1;
    auto better = [&](int c) {
      if (best < 0) return true;
      const int rc = form_->customer_table[c].rank, rb = form_->customer_table[best].rank;
      if (visit_ == Visit::Gain && rc != rb) return rc > rb;
      return met_[c] < met_[best];
    };
    for (int pass = 0; pass < 3 && best < 0; ++pass) {
      for (int c = 0; c < 99; ++c) {
        const tman& m = form_->customer_table[c];
        if (m.name.empty() || m.rank > my.clerk_level || m.wished_goods[0] == 0) continue;
        if (pass == 0 && want != Tier::None && BestSeal(c, want) < 0) continue;
        if (pass <= 1 && wish_slot(c) < 0) continue;
        if (better(c)) best = c;
      }
    }
    const int slot = std::max(wish_slot(best), 0);
    ++met_[best];
    draws_.Queue(99, {best});
    draws_.Queue(9, {slot});
    if (my.hours_to_closing == 1) draws_.Queue(10, {0, 0, 0, 0});  // the last visit: "aha" and every story
  }

  Tier TierOf(int customer, int seal) const {
    const tman& m = form_->customer_table[customer];
    auto lists = [seal](const auto& list) { return std::find(list.begin(), list.end(), seal) != list.end(); };
    Tier tier = Tier::Neutral;
    if (lists(m.liked_seals)) tier = Tier::Liked;
    if (lists(m.disliked_seals)) tier = Tier::Disliked;
    if (seal == kSealHajimeRobo || seal == kSealHen) tier = Tier::Liked;
    if (seal == m.liked_seals[0]) tier = Tier::Great;
    return tier;
  }

  // The first cell of the picker holding a seal of that tier, -1 if none.
  // Tier::None: the best one there is.
  int BestSeal(int customer, Tier want) const {
    int best = -1;
    Tier best_tier = Tier::None;
    int cell = 0;
    for (int g = 0; g < kGoodsCount && cell < 80; ++g) {
      if (form_->goods_table[g].kind != kKindSeal) continue;
      for (int piece = 0; piece < form_->my.stock[g] && cell < 80; ++piece, ++cell) {
        const Tier tier = TierOf(customer, g);
        if (want != Tier::None && tier == want) return cell;
        if (want == Tier::None && tier != Tier::Disliked && (best < 0 || tier > best_tier)) {
          best = cell;
          best_tier = tier;
        }
      }
    }
    return want == Tier::None ? best : -1;
  }

  void PickSeal() {
    Tier want = Tier::None;
    if (visit_ == Visit::Great) want = Tier::Great;
    if (visit_ == Visit::Liked) want = Tier::Liked;
    if (visit_ == Visit::Disliked) want = Tier::Disliked;
    if (visit_ == Visit::Neutral) want = Tier::Neutral;
    int cell = BestSeal(form_->current_customer, want);
    if (cell < 0) cell = BestSeal(form_->current_customer, Tier::None);
    if (cell < 0) cell = 0;
    Act("seal " + std::to_string(cell), 20 + 30 * (cell % 10) + 15, 20 + 30 * (cell / 10) + 15);
  }

  // The evening shop: the first ten rows, two of each wrapping material and
  // three of each seal, then home.
  void Shop() {
    if (shop_plan_.empty()) {
      const auto& entries = form_->item_box.entries;
      for (int row = 0; row < std::min<int>(entries.size(), 10); ++row) {
        shop_plan_.push_back(row);
        const int goods = FindGoodsByName(form_->goods_table, entries[row]);
        for (int i = 0; i < (goods >= kFirstMaterial ? 2 : 3); ++i) shop_plan_.push_back(-1);
      }
      shop_plan_.push_back(-2);
    }
    const int step = shop_plan_.front();
    shop_plan_.pop_front();
    if (step >= 0) return Act("shop row " + std::to_string(step), 230, 8 + 14 * step + 7);
    if (step == -1) return Act("shop buy", 100, 215);
    shop_plan_.clear();
    Act("shop close", 100, 243);
  }
};

// The record held against the one in this folder; the first difference is
// shown with the lines before it.
void Compare(const std::string& name, const std::vector<std::string>& actual) {
  const fs::path golden = fs::path(GOLDEN_DIR) / (name + ".txt");
  {
    std::ofstream out(name + ".actual.txt", std::ios::binary);
    for (const std::string& line : actual) out << line << '\n';
  }
  if (const char* update = std::getenv("GOLDEN_UPDATE"); update && std::string(update) == "1") {
    std::ofstream out(golden, std::ios::binary);
    for (const std::string& line : actual) out << line << '\n';
    std::printf("golden record written: %s (%zu lines)\n", golden.c_str(), actual.size());
    return;
  }
  std::ifstream in(golden, std::ios::binary);
  ASSERT_TRUE(in) << "no record " << golden << " (GOLDEN_UPDATE=1 writes it)";
  std::vector<std::string> expected;
  for (std::string line; std::getline(in, line);) expected.push_back(line);
  const size_t n = std::min(expected.size(), actual.size());
  for (size_t i = 0; i < n; ++i) {
    if (expected[i] == actual[i]) continue;
    std::string context;
    for (size_t j = i >= 3 ? i - 3 : 0; j < i; ++j) context += "    " + expected[j] + "\n";
    FAIL() << name << ": first difference at line " << i + 1 << " of " << golden << "\n"
           << "  after:\n"
           << context << "  expected: " << expected[i] << "\n  actual:   " << actual[i]
           << "\n(the whole run is in " << fs::absolute(name + ".actual.txt") << ")";
  }
  ASSERT_EQ(expected.size(), actual.size())
      << name << ": the run is " << (actual.size() < n + 1 ? "shorter" : "longer") << " than the record; it "
      << (actual.size() > n ? "goes on with: " + actual[n] : "ends after: " + actual.back());
}

// The run covers what it is meant to: each entry must appear in the record.
void ExpectCovers(const std::vector<std::string>& record, std::initializer_list<const char*> marks) {
  for (const char* mark : marks) {
    bool found = false;
    for (const std::string& line : record) found = found || line.find(mark) != std::string::npos;
    EXPECT_TRUE(found) << "the run never shows " << mark;
  }
}

constexpr Night kMoon = {0, 1, 1, 1, 1, -1}, kChick = {1, 1, 0, 1, 1, -1}, kHen = {1, 1, 1, 0, 1, -1},
                kThief = {1, 0, 1, 1, 1, -1}, kEgg = {1, 1, 1, 1, 0, 1}, kGolden = {1, 1, 1, 1, 0, 0},
                kThiefMoney = {1, 0, 1, 1, 1, 1}, kQuiet = {1, 1, 1, 1, 1, -1};

// Ten days of a career: a wage cut, every bonus, a perfect day, promotions
// up to level 8, every kind of visit and payment, every customer, the
// manager's stories, the evening shop each night and each kind of night; the
// window is closed on the tenth evening.
Plan CareerPlan() {
  Plan plan;
  plan.title = {"Start"};
  plan.days = {
      {22, 30, 6, kMoon},   {72, 80, 5, kChick},   {82, 90, 1, kHen},         {92, 99, 0, kThief},
      {100, 100, 0, kEgg},  {-1, 100, 2, kGolden}, {-1, 100, 2, kThiefMoney}, {-1, 100, 1, kQuiet},
      {-1, 100, 0, kQuiet}, {-1, 100, 1, kQuiet},
  };
  return plan;
}

TEST(GoldenRuns, Career) {
  GoldenRun run("career", CareerPlan());
  run.Play();
  Compare("career", run.record);
  ExpectCovers(run.record, {"チップを大量に代金に加算してくれた",
                            "チップを代金に加算してくれた",
                            "お金を半分しか払ってくれなかった",
                            "お金を払ってくれなかった",
                            "は泣きながらどこかへ行った",
                            "は帰っていった....",
                            "むっつりして",
                            "不服そうに",
                            "怒りながら",
                            "ちょっと、ちゃんと貼ってよ",
                            "3great",
                            "3up2",
                            "3oe",
                            "がもうありません",
                            "円減った",
                            "満足度は 100％",
                            "満足度は 9",
                            "レベルアップ!! → 1",
                            "レベルアップ!! → 8",
                            "月が出てる",
                            "ヒヨコだ",
                            "しかも黄金だ",
                            "あ、卵を産んだ!!",
                            "盗まれた!!",
                            "円が盗まれてしまった",
                            "0buy",
                            "0back",
                            "open shop.mid",
                            "open star.mid",
                            "1aa",
                            "1aha",
                            "お礼にこれやるよ",
                            "= my.dat",
                            "= 成績.txt"});
  CustomerTable customers;
  FillCustomerTable(customers);
  for (const tman& m : customers) {
    if (!m.name.empty()) ExpectCovers(run.record, {(m.name + "が現れた!!").c_str()});
  }
}

// The same career played in English: every sound, music call and saved byte
// is the Japanese run's, click for click (only frames and the log's words
// differ). GOLDEN_SHOTS=DIR also writes the first days' frames there
// (scripts/screenshots_en).
TEST(GoldenRuns, CareerInEnglishSoundsAndSavesTheSame) {
  auto kept = [](const std::vector<std::string>& record) {
    std::vector<std::string> out;
    for (const std::string& line : record) {
      if (line.rfind("= ", 0) == 0) {
        out.push_back(line);
        continue;
      }
      std::string heard;
      for (const char* tag : {"  s[", "  m["}) {
        size_t at = line.find(tag);
        if (at != std::string::npos) heard += line.substr(at, line.find(']', at) - at + 1);
      }
      out.push_back(heard);
    }
    return out;
  };
  GoldenRun japanese("career_ja", CareerPlan());
  japanese.Play();
  GoldenRun english("career_en", CareerPlan());
  english.language = Language::English;
  if (const char* dir = std::getenv("GOLDEN_SHOTS")) {
    english.shots = dir;
    english.max_shots = 400;
    fs::create_directories(english.shots);
  }
  english.Play();
  EXPECT_EQ(kept(english.record), kept(japanese.record));
  // The log in English; the choices taken are the same commands.
  ExpectCovers(english.record, {"Roxanne appears!!", "The Manager appears!!", "choose 包む", "Right, home to bed"});
}

// A lost game and the title menu: a day of refusals ends in dismissal, the
// collection is opened and closed, About is read, a new game starts and the
// window is closed during it.
TEST(GoldenRuns, DismissalAndCollection) {
  Plan plan;
  plan.title = {"Start", "Collection", "About", "Start"};
  plan.days = {{0, 0, 0, kQuiet}};
  plan.quit_after_visits = 2;
  GoldenRun run("dismissal", plan);
  run.Play();
  Compare("dismissal", run.record);
  ExpectCovers(run.record, {"ゲームオーバー", "open col.mid", "close collection", "そんだけ", "close window",
                            "= my.dat", "= 成績.txt"});
}

}  // namespace
