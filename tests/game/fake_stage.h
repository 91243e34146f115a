// A stage that writes down what the shop day shows and plays, and random
// draws scripted per range, for testing the day without a window.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "game/random.h"
#include "game/shop_day.h"

// Everything the day did, in order, one entry each:
//   a line as its text, "[red]" etc. before it when coloured; "click" for a
//   wait; "offer:|断る|包む"; "scene:x", "front", "customer:x", "package:x",
//   "goods:N", "cleared", "hearts:x,y", "playing"/"title", "log cleared";
//   "sound:C:name", "music:name", "silence"; "picker:101,103",
//   "collection:…", "shop:a|b"; "save", "close".
class FakeStage : public Stage {
 public:
  std::vector<std::string> log;
  std::vector<std::string> lines;  // the lines alone

  void Line(const std::string& text, Ink ink) override {
    log.push_back(InkTag(ink) + text);
    lines.push_back(log.back());
  }
  void WaitForClick() override { log.push_back("click"); }
  void Offer(Command a, Command b, Command c) override {
    log.push_back(std::string("offer:") + CommandLabel(a) + "|" + CommandLabel(b) + "|" + CommandLabel(c));
  }
  void ShowScene(const std::string& p) override { log.push_back("scene:" + p); }
  void ShowShopFront() override { log.push_back("front"); }
  void ShowCustomer(const std::string& p) override { log.push_back("customer:" + p); }
  void ShowPackage(const std::string& p) override { log.push_back("package:" + p); }
  void ShowGoods(int goods) override { log.push_back("goods:" + std::to_string(goods)); }
  void ClearCounter() override { log.push_back("cleared"); }
  void Hearts(int x, int y) override {
    log.push_back("hearts:" + std::to_string(x) + "," + std::to_string(y));
  }
  void Playing(bool on) override { log.push_back(on ? "playing" : "title"); }
  void ClearLog() override { log.push_back("log cleared"); }
  void Sound(int channel, const std::string& name) override {
    log.push_back("sound:" + std::to_string(channel) + ":" + name);
  }
  void Music(const std::string& name) override { log.push_back("music:" + name); }
  void Silence() override { log.push_back("silence"); }
  void OpenSealBox(SealBoxUse use, const std::vector<int>& seals) override {
    std::string entry = use == SealBoxUse::Picker ? "picker:" : "collection:";
    for (size_t i = 0; i < seals.size(); ++i) entry += (i ? "," : "") + std::to_string(seals[i]);
    log.push_back(entry);
  }
  void OpenShop(const std::vector<std::string>& offer) override {
    std::string entry = "shop:";
    for (size_t i = 0; i < offer.size(); ++i) entry += (i ? "|" : "") + offer[i];
    log.push_back(entry);
  }
  void Save() override { log.push_back("save"); }
  void Close() override { log.push_back("close"); }

  static std::string InkTag(Ink ink) {
    static const char* const kTags[] = {"",       "[green]", "[yellow]",  "[blue]",
                                        "[pink]", "[red]",   "[yellow2]", "[pink2]"};
    return kTags[static_cast<int>(ink)];
  }
  bool Has(const std::string& entry) const { return Index(entry) >= 0; }
  int Count(const std::string& entry) const {
    return static_cast<int>(std::count(log.begin(), log.end(), entry));
  }
  int Index(const std::string& entry) const {
    auto it = std::find(log.begin(), log.end(), entry);
    return it == log.end() ? -1 : static_cast<int>(it - log.begin());
  }
  // The entries starting with `prefix`, in order.
  std::vector<std::string> Starting(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& e : log)
      if (e.rfind(prefix, 0) == 0) out.push_back(e);
    return out;
  }
};

// Random(n) takes the next value queued for n; a draw nothing was queued for
// gives 0 and is noted.
class ScriptedDraws {
 public:
  ScriptedDraws() {
    SetRandomScript([this](int n) {
      asked.push_back(n);
      auto q = queued.find(n);
      if (q == queued.end() || q->second.empty()) return 0;
      const int v = q->second.front();
      q->second.pop_front();
      return v;
    });
  }
  ~ScriptedDraws() { SetRandomScript(nullptr); }
  void Queue(int n, std::initializer_list<int> values) {
    for (int v : values) queued[n].push_back(v);
  }
  bool AllUsed() const {
    for (const auto& [n, q] : queued)
      if (!q.empty()) return false;
    return true;
  }
  std::map<int, std::deque<int>> queued;
  std::vector<int> asked;
};

// A shop day on a recording stage, with the clerk's stock empty.
class DayTest : public ::testing::Test {
 protected:
  FakeStage stage;
  ShopDay day{stage};
  ScriptedDraws draws;
  tmy& my = day.my;

  // Customer `who` at the counter with `goods`.
  void AtCounter(int who, int goods) {
    day.current_customer = who;
    day.current_goods = goods;
  }
  int CustomerNamed(const std::string& name) const {
    for (int i = 0; i < kCustomerCount; ++i)
      if (day.customer_table[i].name == name) return i;
    return -1;
  }
};
