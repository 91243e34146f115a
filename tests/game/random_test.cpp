// The shop's one die: every face of a draw about equally often, never a face
// outside the range, and a script's values brought into it.
#include <gtest/gtest.h>

#include <vector>

#include "game/random.h"

namespace {

TEST(RandomDraws, EveryFaceAboutEquallyOftenAndNoneOutside) {
  SeedRandom(20261208);
  for (int n : {1, 2, 3, 7, 10, 100}) {
    std::vector<int> seen(n);
    const int per_face = 4000;
    for (int i = 0; i < n * per_face; ++i) {
      int v = Random(n);
      ASSERT_TRUE(v >= 0 && v < n) << v << " of " << n;
      ++seen[v];
    }
    // Five standard deviations either side at most.
    for (int face = 0; face < n; ++face) EXPECT_NEAR(seen[face], per_face, 5 * 64) << face << " of " << n;
  }
}

TEST(RandomDraws, EmptyRangesAndScriptedValues) {
  std::vector<int> asked;
  SetRandomScript([&](int n) {
    asked.push_back(n);
    return n == 6 ? 17 : -1;
  });
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-4), 0);
  EXPECT_TRUE(asked.empty());  // an empty range is no draw at all
  EXPECT_EQ(Random(6), 17 % 6);
  int fallback = Random(9);  // -1: the generator draws instead
  EXPECT_TRUE(fallback >= 0 && fallback < 9);
  EXPECT_EQ(asked, (std::vector<int>{6, 9}));
  SetRandomScript(nullptr);
}

}  // namespace
