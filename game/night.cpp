// Home and asleep: the moon, the thief, the day count, and a morning that
// may bring a chick, a hen or an egg, each with a seal.
#include <string>

#include "game/random.h"
#include "game/shop_day.h"

void ShopDay::NightAndMorning() {
  stage.Silence();
  bool lucky = false;  // at most one of moon, chick, hen and egg per night
  stage.Sound(2, "night.wav");

  if (Random(15) == 0) {
    lucky = true;
    stage.ShowScene("night2.bmp");
    Say("『すやすや・・・・・・』");
    Say("『ん？月が出てる・・・・！』");
    GainItem(kSealMoon);
  } else {
    stage.ShowScene("night.bmp");
    Say("『すやすや・・・・・・』");
  }

  // The thief only bothers clerks from level 2 on.
  if (Random(15) == 0 && my.clerk_level >= 2) {
    stage.ShowScene("yoru.bmp");
    Say("ゴト・・・・・・");
    stage.ShowScene("yoru2.bmp");
    stage.Sound(3, "dorobou.wav");
    Say("へへへっ、珍しいシールはないかなーん♪", Ink::Pink2);
    Say("泥棒が侵入した!!", Ink::Red);

    bool stolen = false;
    for (int goods = 0; goods < kGoodsCount; ++goods) {
      if (my.stock[goods] < 1 || goods_table[goods].kind != kKindSeal) continue;
      if (Random(5) != 0) continue;
      my.stock[goods] -= 1;
      stage.Sound(0, "down.wav");
      Say("【" + goods_table[goods].name + "】が 1枚盗まれた!!(残: " + std::to_string(my.stock[goods]) +
              "枚)",
          Ink::Red);
      stolen = true;
    }
    if (!stolen) {
      const int half = my.money / 2;
      my.money -= half;
      Say("お金 " + std::to_string(half) + "円が盗まれてしまった!!", Ink::Red);
    }
  }

  my.day += 1;
  if (my.day > my.best_days) my.best_days = my.day;

  if (Random(13) == 0 && !lucky) {
    lucky = true;
    stage.ShowScene("asa3.bmp");
    Say("次の日・・・・・");
    stage.Sound(0, "hit.wav");
    Say("あ、ヒヨコだ!!");
    GainItem(135);  // ピヨチール
  } else {
    stage.Sound(3, "koke.wav");
    stage.ShowScene("asa.bmp");
    Say("次の日・・・・・");
  }

  if (Random(12) == 0 && !lucky) {
    lucky = true;
    GainItem(kSealHen);
  }

  if (Random(10) == 0 && !lucky) {
    stage.Sound(0, "takara.wav");
    if (Random(5) != 0) {
      stage.ShowScene("asa2.bmp");
      Say("あ、卵を産んだ!!");
      GainItem(134);  // エッグチール
    } else {
      stage.ShowScene("asa2a.bmp");
      Say("あ、卵を産んだ!!、しかも黄金だ!!");
      GainItem(150);  // ゴールデンエッグチール
    }
  }

  stage.ShowShopFront();
  stage.Sound(1, "oha.wav");
  Say("おはようございますー");
  stage.Line("よーし仕事だぜ", Ink::Plain);

  my.hours_to_closing = my.clerk_level + 8;
  my.satisfaction = 0;
  stage.Offer(Command::None, Command::None, Command::Next);
}
