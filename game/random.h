// Random(n): a uniform integer from 0 to n - 1 from the game's one generator,
// seeded from the clock at start. Tests script the draws.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>

int Random(int n);
void SeedRandom(uint64_t seed);

// Test hook: while set, every draw asks it first. Return a value to use it
// (reduced into range), or -1 to fall back on the generator.
using RandomScript = std::function<int(int n)>;
void SetRandomScript(RandomScript script);
// A script of draws that depend on `seed` alone, for runs that must match
// across machines (the browser and the desktop).
RandomScript FixedRandomScript(uint64_t seed);

// A simple script: a queue of values handed out in order, then the seeded
// generator. `draws` records every n asked for.
struct ScriptedRandom {
  std::deque<int> values;
  std::deque<int> draws;
  void Install();
  ~ScriptedRandom();
};
