// The game's own lines: seal reactions, the manager's speeches and the credit.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "content/words.h"
#include "tests/content/sjis.h"

namespace {

template <size_t N>
std::vector<std::string> All(const std::array<const char*, N>& lines) {
  return std::vector<std::string>(lines.begin(), lines.end());
}

// One message line runs across the 390-pixel scene in 13-pixel bold type:
// 28 full-width characters at most.
void ExpectFitsMessageLine(const std::string& line) {
  ASSERT_FALSE(line.empty());
  std::optional<std::string> bytes = sjis::FromUtf8(line);
  ASSERT_TRUE(bytes) << line;
  EXPECT_LE(bytes->size(), 56u) << line;
}

std::vector<std::vector<std::string>> EveryGroup() {
  using namespace words;
  return {All(kGreatReactions), All(kLikedReactions), All(kDislikedReactions), All(kNeutralReactions),
          All(kManagerWageCut), All(kManagerBonus70), All(kManagerBonus81),    All(kManagerBonus91),
          All(kManagerPerfect), All(kManagerClear),   All(kManagerStory1),     All(kManagerStory2),
          All(kManagerStory3),  All(kManagerParting), {kManagerPromotion},     {kManagerDismissal},
          {kAboutCredit}};
}

TEST(Words, EveryLineIsShiftJisAndFitsOneMessageLine) {
  int lines = 0, roomy = 0;
  for (const std::vector<std::string>& group : EveryGroup()) {
    for (const std::string& line : group) {
      ExpectFitsMessageLine(line);
      ++lines;
      roomy += sjis::FromUtf8(line).value_or(std::string(99, ' ')).size() <= 48;
    }
  }
  EXPECT_EQ(lines, 12 + 11 + 11 + 12 + 3 + 3 + 4 + 4 + 4 + 8 + 6 + 7 + 7 + 2 + 3);
  EXPECT_GE(roomy * 10, lines * 9);  // most lines leave room to spare
}

// A reaction is drawn at random: the same line twice would only make one
// of them twice as likely.
TEST(Words, ReactionsOfATierAreAllDifferent) {
  using namespace words;
  for (const std::vector<std::string>& tier :
       {All(kGreatReactions), All(kLikedReactions), All(kDislikedReactions), All(kNeutralReactions)}) {
    EXPECT_EQ(std::set<std::string>(tier.begin(), tier.end()).size(), tier.size());
  }
  EXPECT_EQ(std::string(kLikedReactions[0]), "あ、これ好きなシールだ、やった!!");
  EXPECT_EQ(std::string(kNeutralReactions[0]), "シールありがとう！");
  EXPECT_EQ(std::string(kManagerWageCut[1]), "今日の給料は少し減らさせてもらう");
}

TEST(Words, StoriesOpenWithDotsAndShareTheirClosingLine) {
  using namespace words;
  const std::vector<std::vector<std::string>> stories = {All(kManagerStory1), All(kManagerStory2),
                                                         All(kManagerStory3)};
  for (const std::vector<std::string>& story : stories) {
    EXPECT_EQ(story.front().rfind("....", 0), 0u) << story.front();
    for (size_t k = 1; k < story.size(); ++k) EXPECT_NE(story[k].rfind("....", 0), 0u) << story[k];
  }
  EXPECT_EQ(stories[1].back(), stories[0].back());
  EXPECT_EQ(stories[2].back(), stories[0].back());
  // The closing line closes a story and says nothing else.
  for (const std::vector<std::string>& story : stories)
    for (size_t k = 0; k + 1 < story.size(); ++k) EXPECT_NE(story[k], stories[0].back());
}

}  // namespace
