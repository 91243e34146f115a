// What the evening shop and the seal collection play and stop: the music
// piece, the box opening, the way back, the collection's closing.
#include "platform/music.h"
#include "tests/game/fixture.h"

namespace {

// Notes which pieces the game opens, plays and stops.
class NotedMusic : public MusicPlayer {
 public:
  explicit NotedMusic(std::vector<std::string>& calls) : calls_(calls) {}
  bool Open(const std::string& path) override {
    calls_.push_back("open " + fs::path(path).filename().string());
    open_ = true;
    return true;
  }
  bool Play() override {
    calls_.push_back("play");
    return open_;
  }
  void Stop() override { calls_.push_back("stop"); }
  bool IsOpen() const override { return open_; }

 private:
  std::vector<std::string>& calls_;
  bool open_ = false;
};

class ShopMusicTest : public ShopTest {
 protected:
  void SetUp() override {
    ShopTest::SetUp();
    platform->music = std::make_unique<NotedMusic>(music);
  }
  std::vector<std::string> music;
};

TEST_F(ShopMusicTest, TheShopOpensWithItsBoxAndOneOfTwoPieces) {
  form->screen_phase = 1;
  draws.Queue(5, {0});
  Run([&] { form->OpenShop(); });
  EXPECT_EQ(music, (std::vector<std::string>{"open shop.mid", "play"}));
  EXPECT_TRUE(HeardSound("0:box.wav"));
  EXPECT_TRUE(form->item_box.visible);

  Forget();
  Run([&] { form->CloseItemPanel(); });
  EXPECT_EQ(Heard(), (std::vector<std::string>{"0:back.wav"}));
  EXPECT_FALSE(form->item_box.visible);
  EXPECT_EQ(Offered(), Choices("", "", "帰って寝る"));

  music.clear();
  for (int draw : {1, 4}) {
    draws.Queue(5, {draw});
    Run([&] { form->OpenShop(); });
  }
  EXPECT_EQ(music, (std::vector<std::string>{"open star.mid", "play", "open star.mid", "play"}));
}

TEST_F(ShopMusicTest, ClosingTheCollectionSoundsAndStopsItsMusic) {
  form->my.seal_collected[100] = 1;
  form->OfferChoices("Collection", "About", "Start");
  Choose("Collection");
  EXPECT_EQ(music, (std::vector<std::string>{"open col.mid", "play"}));
  ASSERT_TRUE(PumpUntil([&] { return form->seal_box_state == 2; }));
  Forget();
  ClickScene(200, 100);
  EXPECT_TRUE(HeardSound("0:4.wav"));
  EXPECT_EQ(music.back(), "play");  // still playing while the box leaves
  ASSERT_TRUE(PumpUntil([&] { return form->seal_box_state == 0; }));
  EXPECT_EQ(music.back(), "stop");
  EXPECT_EQ(Offered(), Choices("Collection", "About", "Start"));
}

}  // namespace
