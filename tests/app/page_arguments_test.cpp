// The arguments the page hands the game from its address: a hand-typed one
// is read or left out with a word, never a stop of the game.
#include "app/page_arguments.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

TEST(PageArguments, EachIsReadOrLeftOutWithAWord) {
  struct Case {
    std::vector<std::string> args;
    std::optional<uint64_t> fixed_random, stop_ms;
    std::string replay, lang;
    size_t problems;
  };
  const Case cases[] = {
      {{}, {}, {}, "", "", 0},
      {{"--fixed-random=42"}, 42, {}, "", "", 0},
      {{"--fixed-random=18446744073709551615"}, UINT64_MAX, {}, "", "", 0},
      {{"--fixed-random=18446744073709551616"}, {}, {}, "", "", 1},  // past 64 bits
      {{"--fixed-random=4x"}, {}, {}, "", "", 1},
      {{"--fixed-random=-1"}, {}, {}, "", "", 1},
      {{"--fixed-random="}, {}, {}, "", "", 1},
      {{"--replay=10,20,300", "--stop=1500"}, {}, 1500, "10,20,300", "", 0},
      {{"--stop=999999999"}, {}, 999999999, "", "", 0},
      {{"--stop=1000000000"}, {}, {}, "", "", 1},  // ten digits: not a replay's stop
      {{"--stop=15 "}, {}, {}, "", "", 1},
      {{"--lang=en"}, {}, {}, "", "en", 0},
      {{"--lang=en", "--lang=ja"}, {}, {}, "", "ja", 0},  // the last one counts
      {{"--language=en", "lang=en", "--replay"}, {}, {}, "", "", 0},
  };
  for (const Case& c : cases) {
    std::string what;
    for (const std::string& a : c.args) what += a + " ";
    PageArguments read = ReadPageArguments(c.args);
    EXPECT_EQ(read.fixed_random, c.fixed_random) << what;
    EXPECT_EQ(read.stop_ms, c.stop_ms) << what;
    EXPECT_EQ(read.replay, c.replay) << what;
    EXPECT_EQ(read.lang, c.lang) << what;
    EXPECT_EQ(read.problems.size(), c.problems) << what;
  }
}

}  // namespace
