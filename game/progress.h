// The record `tmy`: the running game and the lasting progress, saved as it
// is laid out here (my.dat).
#pragma once

#include <array>
#include <cstdint>

struct tmy {
  int32_t satisfaction = 0;                    // 0-100, percent; today's customer satisfaction
  int32_t money = 0;                           // yen, 0-999999999
  int32_t clerk_level = 0;                     // customers of higher rank do not come; 10 clears
  std::array<int32_t, 1000> stock{};           // pieces held, by goods number
  std::array<int32_t, 1000> seal_collected{};  // 1 once stuck; saved
  int32_t play_count = 0;                      // games begun; saved
  int32_t hours_to_closing = 0;                // 0 to clerk_level + 8
  int32_t day = 0;                             // nights passed in this game
  std::array<int32_t, 100> progress_flags{};   // saved, see below
  int32_t best_level = 0;                      // saved
  int32_t best_days = 0;                       // saved
};

// Entries of progress_flags.
inline constexpr int kStoryTold1 = 0;  // 0, 1, 2: the manager's stories
inline constexpr int kLetterRead = 3;
inline constexpr int kGameCleared = 4;
