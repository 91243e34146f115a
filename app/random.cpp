// The game's one random generator.
#include "app/random.h"

#include <random>
#include <utility>

namespace {
std::mt19937_64& Generator() {
  static std::mt19937_64 generator(20261208);
  return generator;
}
RandomScript& Script() {
  static RandomScript script;
  return script;
}
ScriptedRandom*& Installed() {
  static ScriptedRandom* installed = nullptr;
  return installed;
}
}  // namespace

void SeedRandom(uint64_t seed) {
  Generator().seed(seed);
}

void SetRandomScript(RandomScript script) {
  Script() = std::move(script);
}

int Random(int n) {
  if (n <= 0) return 0;
  if (Script()) {
    int v = Script()(n);
    if (v >= 0) return v % n;
  }
  return static_cast<int>(std::uniform_int_distribution<uint64_t>(0, n - 1)(Generator()));
}

void ScriptedRandom::Install() {
  Installed() = this;
  SetRandomScript([this](int n) {
    draws.push_back(n);
    if (values.empty()) return -1;
    int v = values.front();
    values.pop_front();
    return v;
  });
}

ScriptedRandom::~ScriptedRandom() {
  if (Installed() == this) {
    Installed() = nullptr;
    SetRandomScript(nullptr);
  }
}
