// The master volume on the output's final samples.
#include <gtest/gtest.h>

#include <vector>

#include "platform/master_volume.h"

TEST(MasterVolume, FullLeavesSamplesAndZeroSilences) {
  std::vector<int16_t> full = {32767, -32768, 1234, -1, 0};
  auto copy = full;
  ScaleVolume(copy.data(), static_cast<int>(copy.size()), 100);
  EXPECT_EQ(copy, full);
  ScaleVolume(copy.data(), static_cast<int>(copy.size()), 0);
  EXPECT_EQ(copy, std::vector<int16_t>(full.size(), 0));
}

TEST(MasterVolume, StepsFollowTheSquareAndKeepTheSign) {
  std::vector<int16_t> s = {10000, -10000, 32767, -32768};
  ScaleVolume(s.data(), 4, 50);
  EXPECT_EQ(s[0], 2500);
  EXPECT_EQ(s[1], -2500);
  EXPECT_EQ(s[2], 8191);
  EXPECT_EQ(s[3], -8192);
  // Each step down is quieter than the last; none wraps around.
  int16_t last = 32767;
  for (int p = 90; p >= 10; p -= 10) {
    int16_t v = 32767;
    ScaleVolume(&v, 1, p);
    EXPECT_LT(v, last) << p;
    EXPECT_GT(v, 0) << p;
    last = v;
  }
}

TEST(MasterVolume, OnlyTheGivenCountIsTouched) {
  std::vector<int16_t> s = {1000, 1000, 1000};
  ScaleVolume(s.data(), 2, 10);
  EXPECT_EQ(s[0], 10);
  EXPECT_EQ(s[1], 10);
  EXPECT_EQ(s[2], 1000);
}
