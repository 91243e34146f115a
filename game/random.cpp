// The game's one random generator.
#include "game/random.h"

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

RandomScript FixedRandomScript(uint64_t seed) {
  // splitmix64: the same sequence on every machine and compiler, unlike the
  // standard distributions.
  return [state = seed](int) mutable {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<int>((z ^ (z >> 31)) >> 33);
  };
}
