// Replay scripts: parsing and queueing.
#include "platform/headless/replay.h"

#include <sstream>

#include "platform/headless/headless_platform.h"

namespace {

bool ParseNumber(const std::string& text, int limit, int& out) {
  if (text.empty() || text.size() > 9) return false;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v > limit) return false;
  out = v;
  return true;
}

}  // namespace

bool ParseReplayClicks(const std::string& text, std::vector<ReplayClick>& clicks) {
  std::vector<ReplayClick> parsed;
  std::stringstream list(text);
  std::string item;
  while (std::getline(list, item, ',')) {
    std::stringstream fields(item);
    std::string delay, x, y, extra;
    ReplayClick click;
    if (!std::getline(fields, delay, ':') || !std::getline(fields, x, ':') || !std::getline(fields, y, ':') ||
        std::getline(fields, extra, ':'))
      return false;
    if (!ParseNumber(delay, 3600000, click.delay_ms) || !ParseNumber(x, kSceneWidth - 1, click.x) ||
        !ParseNumber(y, kSceneHeight - 1, click.y))
      return false;
    parsed.push_back(click);
  }
  if (!text.empty() && text.back() == ',') return false;
  clicks = std::move(parsed);
  return true;
}

void ScriptReplay(HeadlessPlatform& platform, const std::vector<ReplayClick>& clicks, uint64_t stop_at_ms) {
  for (const ReplayClick& c : clicks) platform.Click(c.x, c.y, c.delay_ms);
  platform.stop_at_ms = stop_at_ms;
}
