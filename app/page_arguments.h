// What the page passes the game from its address (web/page.js): the page's
// ?fixed-random=N (the same draws as a desktop run with that number),
// ?replay=CLICKS&stop=MS (a replay on a virtual clock, held at the stop) and
// ?lang=en|ja. Read on their own so that a hand-typed address never stops
// the game: what cannot be read is reported and left out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct PageArguments {
  std::optional<uint64_t> fixed_random;
  std::string replay;              // the clicks, read by the replay itself
  std::optional<uint64_t> stop_ms;  // a replay runs only with a stop
  std::string lang;
  std::vector<std::string> problems;  // one line for each argument left out
};

PageArguments ReadPageArguments(const std::vector<std::string>& args);
