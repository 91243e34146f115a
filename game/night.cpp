// Home and asleep: the moon, the thief, the day count, and a morning that
// may bring a chick, a hen or an egg, each with a seal.
#include <string>

#include "app/form.h"
#include "app/random.h"

void TForm1::NightAndMorning() {
  PlayMusic("not");
  bool lucky = false;  // at most one of moon, chick, hen and egg per night
  PlaySound(2, "night.wav");

  if (Random(15) == 0) {
    lucky = true;
    LoadScenePicture("night2.bmp");
    Say("『すやすや・・・・・・』");
    Say("『ん？月が出てる・・・・！』");
    GainItem(kSealMoon);
  } else {
    LoadScenePicture("night.bmp");
    Say("『すやすや・・・・・・』");
  }

  // The thief only bothers clerks from level 2 on.
  if (Random(15) == 0 && my.clerk_level >= 2) {
    LoadScenePicture("yoru.bmp");
    Say("ゴト・・・・・・");
    LoadScenePicture("yoru2.bmp");
    PlaySound(3, "dorobou.wav");
    SayColor("へへへっ、珍しいシールはないかなーん♪", "pink2");
    SayColor("泥棒が侵入した!!", "red");

    bool stolen = false;
    for (int goods = 0; goods < kGoodsCount; ++goods) {
      if (my.stock[goods] < 1 || goods_table[goods].kind != kKindSeal) continue;
      if (Random(5) != 0) continue;
      my.stock[goods] -= 1;
      PlaySound(0, "down.wav");
      SayColor("【" + goods_table[goods].name + "】が 1枚盗まれた!!(残: " + std::to_string(my.stock[goods]) +
                   "枚)",
               "red");
      stolen = true;
    }
    if (!stolen) {
      const int half = my.money / 2;
      my.money -= half;
      SayColor("お金 " + std::to_string(half) + "円が盗まれてしまった!!", "red");
    }
  }

  my.day += 1;
  if (my.day > my.best_days) my.best_days = my.day;

  if (Random(13) == 0 && !lucky) {
    lucky = true;
    LoadScenePicture("asa3.bmp");
    Say("次の日・・・・・");
    PlaySound(0, "hit.wav");
    Say("あ、ヒヨコだ!!");
    GainItem(135);  // ピヨチール
  } else {
    PlaySound(3, "koke.wav");
    LoadScenePicture("asa.bmp");
    Say("次の日・・・・・");
  }

  if (Random(12) == 0 && !lucky) {
    lucky = true;
    GainItem(kSealHen);
  }

  if (Random(10) == 0 && !lucky) {
    PlaySound(0, "takara.wav");
    if (Random(5) != 0) {
      LoadScenePicture("asa2.bmp");
      Say("あ、卵を産んだ!!");
      GainItem(134);  // エッグチール
    } else {
      LoadScenePicture("asa2a.bmp");
      Say("あ、卵を産んだ!!、しかも黄金だ!!");
      GainItem(150);  // ゴールデンエッグチール
    }
  }

  ShowShopScene();
  PlaySound(1, "oha.wav");
  Say("おはようございますー");
  PrintMessage("よーし仕事だぜ");

  my.hours_to_closing = my.clerk_level + 8;
  my.satisfaction = 0;
  OfferChoices("", "", "次");
}
