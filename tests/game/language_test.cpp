// Playing in English: the switch on the title and the L key, labels that
// show English while the commands stay Japanese, and saves that do not
// change by a byte.
#include <fstream>
#include <sstream>

#include "save/save_files.h"
#include "tests/game/fixture.h"

namespace {

class LanguageTest : public ShopTest {
 protected:
  // One scripted visit: the customer, a seal the customer likes, payment.
  void PlayVisit() {
    // The same draws on every run, whatever they are asked for.
    SetRandomScript([state = 12345u](int n) mutable {
      state = state * 1103515245u + 12345u;
      return static_cast<int>((state >> 8) % static_cast<unsigned>(n));
    });
    Choose("Start");
    ASSERT_TRUE(PumpUntil([&] { return form->choices_active; }));
    ASSERT_EQ(Offered(), Choices("", "断る", "包む"));
    const tman& c = form->customer_table[form->current_customer];
    form->my.stock[c.liked_seals[1]] = 1;
    Choose("包む");
    ASSERT_TRUE(PumpUntil([&] { return form->choices_active; }));
    if (Offered()[2] == "折る") {
      Choose("折る");
      ASSERT_TRUE(PumpUntil([&] { return form->choices_active; }));
      Choose("はい終わり");
    } else {
      Choose("断る");
    }
    ASSERT_TRUE(PumpUntil([&] { return form->choices_active && Offered()[2] == "次"; }));
  }
  std::string Saved(const char* name) {
    std::ifstream in(base / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  std::vector<std::string> SavedFiles() {
    EXPECT_TRUE(form->SaveProgress());
    return {Saved("dat/my.dat"), Saved("dat/name.dat"), Saved(kResultsSheetName)};
  }
  // What the player reads on the choice labels.
  std::array<std::string, 3> Labels() {
    std::array<std::string, 3> out;
    for (int i = 0; i < 3; ++i) out[i] = form->Shown(form->choice_text[i]);
    return out;
  }
};

TEST_F(LanguageTest, TheTitleButtonAndTheLKeySwitchTheShownTextsOnly) {
  ASSERT_TRUE(form->LanguageButtonShown());
  ClickScene(20, 10);
  EXPECT_EQ(form->settings.language, Language::English);
  EXPECT_EQ(form->Shown("次のお客様どうぞー"), "Next customer, please!");
  EXPECT_EQ(form->Shown(form->dialog.yes), "Yes (Y)");
  Choose("Start");
  EXPECT_FALSE(form->LanguageButtonShown()) << "only on the title menu";
  ASSERT_TRUE(PumpUntil([&] { return form->choices_active; }));
  EXPECT_EQ(form->choice_text[2], "包む") << "the command stays as the game compares it";
  EXPECT_EQ(Labels()[2], "Wrap");
  // The log takes each line in English as it comes.
  for (const Line& line : lines) {
    bool kana_or_kanji = false;
    for (unsigned char c : line.text) kana_or_kanji = kana_or_kanji || (c >= 0xE3 && c <= 0xE9);
    EXPECT_FALSE(kana_or_kanji) << line.text;
  }
  EXPECT_GT(lines.size(), 2u);
  platform->Key(KeyCode::L);
  form->ProcessMessages(0);
  EXPECT_EQ(form->settings.language, Language::Japanese);
  EXPECT_EQ(Labels()[2], "包む");
}

TEST_F(LanguageTest, ASwitchToEnglishAndBackChangesNoSavedByte) {
  PlayVisit();
  const std::vector<std::string> japanese = SavedFiles();
  Close();
  fs::remove_all(base);
  base = MakeShopFolder("language");
  Open();
  ClickScene(20, 10);  // English
  PlayVisit();
  EXPECT_EQ(SavedFiles(), japanese) << "saved while in English";
  platform->Key(KeyCode::L);
  form->ProcessMessages(0);
  ASSERT_EQ(form->settings.language, Language::Japanese);
  EXPECT_EQ(SavedFiles(), japanese) << "saved after the switch back";
}

TEST_F(LanguageTest, WithoutItsCatalogueEnglishShowsJapanese) {
  Close();
  fs::remove(base / "dat" / "en.mo");
  Open();
  ClickScene(20, 10);
  EXPECT_EQ(form->settings.language, Language::English);
  EXPECT_EQ(form->Shown("包む"), "包む");
}

}  // namespace
