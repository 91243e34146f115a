// The lines the game speaks besides the customers' own: seal reactions, the
// manager's speeches and the About credit. All UTF-8.
#pragma once

#include <array>

namespace words {

extern const std::array<const char*, 12> kGreatReactions;
extern const std::array<const char*, 11> kLikedReactions;
extern const std::array<const char*, 11> kDislikedReactions;
extern const std::array<const char*, 12> kNeutralReactions;

// The manager (天長) at the day-end review, by verdict tier.
extern const std::array<const char*, 3> kManagerWageCut;  // 21-30 %
extern const std::array<const char*, 3> kManagerBonus70;  // 70-80 %
extern const std::array<const char*, 4> kManagerBonus81;  // 81-90 %
extern const std::array<const char*, 4> kManagerBonus91;  // 91-99 %
extern const std::array<const char*, 4> kManagerPerfect;  // 100 %
extern const char* const kManagerPromotion;
extern const std::array<const char*, 8> kManagerClear;
extern const char* const kManagerDismissal;
extern const std::array<const char*, 6> kManagerStory1;  // each opens with "...."
extern const std::array<const char*, 7> kManagerStory2;  // 2 and 3 close like 1
extern const std::array<const char*, 7> kManagerStory3;
extern const std::array<const char*, 2> kManagerParting;

extern const char* const kAboutCredit;

}  // namespace words
