// The fifty seals: 26 x 26 stickers with a white die-cut edge. The キラキラ
// ones sit on a holographic backing, the golden egg is gold all over.
#include <cmath>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <vector>

#include "tools/assetgen/pictures.h"

namespace pic {
namespace {

constexpr int kSize = 26;
constexpr float kMid = kSize / 2.0f;
using DrawFn = std::function<void(Canvas&)>;

Col Hue(float h) {
  h = h - std::floor(h);
  float r = std::fabs(h * 6 - 3) - 1, g = 2 - std::fabs(h * 6 - 2), b = 2 - std::fabs(h * 6 - 4);
  auto c = [](float v) { return v < 0 ? 0.f : (v > 1 ? 1.f : v); };
  return Lighter({c(r), c(g), c(b), 1}, 0.45f);
}

// A holographic round backing with sparkles: the キラキラ seals.
void Holo(Canvas& c, float hue0) {
  c.Draw(Star(kMid, kMid, 11.2f, 9.6f, 12), [hue0](float x, float y) { return Hue(hue0 + (x + y) / 40.0f); });
  Twinkle(c, 5, 6, 3.5f, Hex(0xFFFFFF));
  Twinkle(c, 21, 20, 3, Hex(0xFFFFFF));
}

void Emoji(Canvas& c, const char* e, float size = 21) {
  c.Emoji(e, kMid, kMid, size);
}
DrawFn Plain(const char* e, float size = 21) {
  return [e, size](Canvas& c) { Emoji(c, e, size); };
}
DrawFn Shiny(const char* e, float hue0, float size = 17) {
  return [=](Canvas& c) {
    Holo(c, hue0);
    Emoji(c, e, size);
  };
}
DrawFn OnDisc(Col back, const char* e, float size = 18) {
  return [=](Canvas& c) {
    c.Draw(Circle(kMid, kMid, 10.6f), Radial(9, 9, 16, Lighter(back, 0.4f), back));
    Emoji(c, e, size);
  };
}

void GoStone(Canvas& c, bool black) {
  c.Draw(Circle(kMid, kMid + 1, 10), black ? Hex(0x000008, 0.5f) : Hex(0x8A8A9A, 0.5f));
  c.Draw(Circle(kMid, kMid, 10),
         Radial(9, 9, 14, black ? Hex(0x6A6A78) : Hex(0xFFFFFF), black ? Hex(0x14141C) : Hex(0xD8D8E0)));
  c.Draw(Ellipse(9.5f, 9, 3, 1.8f), black ? Hex(0xA0A0B0, 0.8f) : Hex(0xFFFFFF));
}

const std::vector<DrawFn>& AllSeals() {
  static const std::vector<DrawFn> seals = {
      Plain("💩"),  // 01 うんち
      [](Canvas& c) {
        c.Draw(Heart(kMid, kMid, 21), Radial(9, 8, 16, Hex(0xFF9EC8), Hex(0xF02A6A)));
        Twinkle(c, 9, 9, 3, Hex(0xFFFFFF));
      },
      Plain("🌸"),  // 03 お花
      Plain("⭐"),  // 04 星型
      [](Canvas& c) {
        Emoji(c, "🐑", 19);
        c.Emoji("💤", 20, 6, 9);
      },               // 05 グーグー
      Plain("😭"),      // 06 エンエン
      [](Canvas& c) {  // 07 フワフワ
        Emoji(c, "☁️", 23);
        c.Draw(Circle(10, 15, 1.3f), Hex(0x3B2A3F));
        c.Draw(Circle(16, 15, 1.3f), Hex(0x3B2A3F));
        c.Draw(Ellipse(8, 17.5f, 1.8f, 1), Hex(0xFF9EC8));
        c.Draw(Ellipse(18, 17.5f, 1.8f, 1), Hex(0xFF9EC8));
      },
      [](Canvas& c) {
        Emoji(c, "🍥", 20);
        Twinkle(c, 21, 5, 3, Hex(0xFFE45A));
      },               // 08 ちるほろ
      [](Canvas& c) {  // 09 犬: the whole dog, wagging its tail
        c.Emoji("🐕", 12, kMid + 1, 21);
        for (float r : {3, 5}) c.Draw(Minus(Ring(20, 10, r, r - 0.9f), Rect(0, 0, 20, kSize)), Ink());
      },
      Plain("🐱"),
      Plain("🐻"),        // 09-11
      Shiny("💩", 0.0f),  // 12 うんち キラキラ
      [](Canvas& c) {    // 13 ぽぷり キラキラ: her face, a flower in her hair
        Holo(c, 0.3f);
        Emoji(c, "👧🏻", 17);
        c.Emoji("🌸", 19, 6, 8);
      },
      [](Canvas& c) {
        Holo(c, 0.55f);
        c.TextCentered("VX", kMid, 6, 13, true, Solid(Hex(0x5A2A9A)));
      },
      Plain("💀"),      // 15 髑髏
      [](Canvas& c) {  // 16 とっても可愛いピンク 超キラキラ
        c.Draw(Star(kMid, kMid, 11.6f, 8, 8), Radial(10, 9, 16, Hex(0xFFE0F0), Hex(0xFF5FA8)));
        Emoji(c, "💖", 15);
        Twinkle(c, 4, 4, 4, Hex(0xFFFFFF));
        Twinkle(c, 22, 6, 3, Hex(0xFFF4A0));
        Twinkle(c, 21, 22, 4, Hex(0xFFFFFF));
      },
      [](Canvas& c) { KabutoBeetle(c, kMid, kMid + 1.5f, 23); },  // 17 かぶとむし
      [](Canvas& c) {                                             // 18 いちごちゃん
        Emoji(c, "🍓", 22);
        c.Draw(Circle(10.5f, 15, 1.2f), Hex(0x3B2A3F));
        c.Line(14, 15.6f, 15.5f, 14.2f, 1, Hex(0x3B2A3F));  // the wink
        c.Line(15.5f, 14.2f, 17, 15.6f, 1, Hex(0x3B2A3F));
        c.Draw(Inter(Circle(12.5f, 17.2f, 2), Rect(0, 17.6f, kSize, kSize)), Hex(0x3B2A3F));  // a smile
      },
      Plain("🪳", 20),  // 19 ゴキブリ
      [](Canvas& c) {
        Emoji(c, "💎", 20);
        Twinkle(c, 21, 5, 3.5f, Hex(0xFFFFFF));
      },               // 20 ダイヤモンド
      [](Canvas& c) {  // 21 ナナ: the boy of the famous doll, on a star
        c.Draw(Star(kMid, kMid + 1, 12.4f, 7, 5), Radial(10, 9, 15, Hex(0xE0C8FF), Hex(0x8A4AE0)));
        Emoji(c, "👦", 14);
        Twinkle(c, 21, 21, 3, Hex(0xFFE45A));
      },
      Plain("🎵", 19),                       // 22 ♪
      Plain("🌷"),                           // 23 チューリップ
      Plain("🐟"),                           // 24 おさかな
      OnDisc(Hex(0xE8E4F4), "♠️", 16),  // 25 スペード
      Plain("🗡️"),                     // 26 剣
      [](Canvas& c) {                       // 27 盆栽
        c.Draw(Polygon({{6, 19}, {20, 19}, {18, 24}, {8, 24}}), Hex(0x3A5AA0));
        c.Line(13, 19, 12, 12, 2, Hex(0x6A4422));
        c.Line(12, 14, 17, 10, 1.5f, Hex(0x6A4422));
        c.Draw(Ellipse(9, 9, 5, 3.5f), Hex(0x3E9A4A));
        c.Draw(Ellipse(17, 8, 5, 3.5f), Hex(0x4FB35A));
        c.Draw(Ellipse(13, 5, 4, 3), Hex(0x5FC86A));
      },
      [](Canvas& c) { GoStone(c, true); },   // 28 碁石 黒
      [](Canvas& c) { GoStone(c, false); },  // 29 碁石 白
      [](Canvas& c) {
        OnDisc(Hex(0xA8D8FF), "🤖", 18)(c);
        Twinkle(c, 21, 5, 3, Hex(0xFFE45A));
      },                                                  // 30 ハジメロボ
      Shiny("🌺", 0.9f, 18),                               // 31 派手なお花
      [](Canvas& c) {                                     // 32 天長
        OnDisc(Hex(0xFFE7A8), "👨🏻‍🦲", 19)(c);  // bald, as in his office
        c.Draw(Polygon({{8, 17}, {kMid, 15}, {18, 17}, {16, 18.5f}, {kMid, 17.2f}, {10, 18.5f}}),
               Hex(0x3A2414));
      },
      Plain("🐔"),                      // 33 コッコ
      Plain("🥚", 19),               // 34 エッグ
      Plain("🐤"),                      // 35 ピヨ
      OnDisc(Hex(0x2A3A7A), "🌙", 17),  // 36 ムーン
      Plain("🐈‍⬛"),             // 37 黒猫
      [](Canvas& c) {                  // 38 怒りの毒紅玉: a red apple scowling, poison dripping
        c.Emoji("🍎", kMid, 14, 22);
        const Col ink = Hex(0x2A0A14);
        c.Line(6.5f, 10.5f, 11.5f, 13, 1.6f, ink);  // brows down to the middle
        c.Line(19.5f, 10.5f, 14.5f, 13, 1.6f, ink);
        c.Draw(Circle(9.5f, 14.5f, 1.6f), Hex(0xFFFFFF));
        c.Draw(Circle(16.5f, 14.5f, 1.6f), Hex(0xFFFFFF));
        c.Draw(Circle(10, 14.8f, 0.9f), ink);
        c.Draw(Circle(16, 14.8f, 0.9f), ink);
        c.Line(9, 20, 11, 18.6f, 1.1f, ink);  // a jagged frown
        c.Line(11, 18.6f, 13, 19.8f, 1.1f, ink);
        c.Line(13, 19.8f, 15, 18.6f, 1.1f, ink);
        c.Line(15, 18.6f, 17, 20, 1.1f, ink);
        c.Draw(Union(Circle(20, 22, 1.8f), Polygon({{18.4f, 21.4f}, {20, 17.5f}, {21.6f, 21.4f}})),
               Hex(0x9A3AD8));  // a drop of poison
        c.Emoji("💢", 21, 5, 9);
      },
      [](Canvas& c) {  // 39 死神: hooded, holding a big scythe
        c.Draw(Polygon({{9, 8}, {15, 9}, {18, 16}, {19, 25}, {2, 25}, {3, 15}}),
               Vertical(8, Hex(0x4A3A60), 25, Hex(0x1E1628)));
        c.Draw(Ellipse(10, 15, 4.6f, 5), Hex(0x0E0A14));
        c.Emoji("💀", 10, 15.5f, 8.5f);
        Scythe(c, 21, 25, 21, 2, 18);
        c.Draw(Circle(19.5f, 18, 1.8f), Hex(0xE8E4DC));  // the bony hand on the shaft
      },
      [](Canvas& c) {  // 40 眼帯
        Emoji(c, "🙂", 21);
        c.Line(3, 8, 23, 14, 1.2f, Hex(0x1A1A22));
        c.Draw(Ellipse(9, 11.5f, 4, 3.5f), Hex(0x1A1A22));
      },
      [](Canvas& c) {
        Emoji(c, "💀", 19);
        c.Draw(Heart(19, 19, 10), Hex(0xFF4A9A));
        c.Text("LOVE", 1, 0, 8, true, Solid(Hex(0xFF4A9A)));
      },
      Plain("🎸"),        // 42 ギター
      Plain("🛡️"),  // 43 ナイトシールド
      Shiny("😭", 0.6f),  // 44 エンエン キラキラ
      [](Canvas& c) {    // 45 00-6435p: the mysterious number itself, on a dark tag
        c.Draw(RoundRect(0.5f, 3, 25.5f, 23, 3), Vertical(3, Hex(0x34344A), 23, Hex(0x14141E)));
        c.TextCentered("00-", kMid, 3, 8, true, Solid(Hex(0x7CFF8A)));
        c.TextCentered("6435p", kMid, 12, 7, true, Solid(Hex(0xFFE45A)));
      },
      [](Canvas& c) {
        Emoji(c, "💰", 20);
        c.Emoji("💎", 19, 19, 9);
        Twinkle(c, 5, 5, 3, Hex(0xFFF4A0));
      },               // 46 お宝
      [](Canvas& c) {  // 47 王子: his profile on a cameo, crowned
        c.Draw(Ellipse(kMid, kMid, 10.5f, 11.5f), Radial(10, 9, 14, Hex(0x4A6AD0), Hex(0x1E2E78)));
        c.Draw(Ring(kMid, kMid, 10.5f, 9.4f), Hex(0xF2C230));
        const Col gold = Hex(0xF8D870);
        Shape head = Polygon({{8.5f, 7.5f},
                              {12.5f, 6.2f},
                              {16, 7.5f},
                              {17.2f, 10},
                              {17.6f, 11},
                              {20.2f, 14.2f},
                              {18, 14.8f},
                              {18.8f, 15.8f},
                              {17.9f, 16.4f},
                              {18.5f, 17.2f},
                              {17.2f, 19.2f},
                              {14.5f, 20},
                              {15, 23},
                              {9.5f, 23},
                              {9.5f, 17.5f},
                              {7, 13}});
        c.Draw(head, gold);
        c.Draw(Inter(head, Ellipse(9.5f, 11.5f, 3.6f, 5.5f)), Hex(0xD8A030));  // hair
        c.Draw(Polygon({{8, 8},
                        {8.5f, 3},
                        {10.5f, 5.5f},
                        {12, 2.5f},
                        {13.5f, 5.5f},
                        {15.5f, 3},
                        {16, 7.5f},
                        {12, 6}}),
               Hex(0xF2C230));                                    // the crown
        c.Line(14.8f, 11.2f, 16.2f, 11.2f, 0.9f, Hex(0x1E2E78));  // the eye
      },
      [](Canvas& c) {  // 48 VIRGIN
        c.Draw(Polygon({{3, 4}, {23, 4}, {23, 16}, {kMid, 24}, {3, 16}}),
               Linear(3, 4, Hex(0xF04040), 23, 24, Hex(0x2A3AA0)));
        c.TextCentered("V", kMid, 4, 15, true, Solid(Hex(0xFFE45A)));
      },
      Plain("💴"),      // 49 お金
      [](Canvas& c) {  // 50 ゴールデンエッグ
        c.Draw(Star(kMid, kMid, 11.5f, 8.6f, 10), Radial(kMid, kMid, 13, Hex(0xFFF8C0), Hex(0xFFC020)));
        Canvas egg(kSize, kSize);
        egg.Emoji("🥚", kMid, kMid, 17);
        egg.MapColors([](Col p) { return Tinted(p, Hex(0xF2B418)); });
        c.Over(egg);
        c.Draw(Ellipse(10.5f, 9.5f, 1.6f, 2.6f), Hex(0xFFFFF0));
        Twinkle(c, 19, 6, 3, Hex(0xFFFFFF));
      },
  };
  return seals;
}

}  // namespace

void DrawSeals(const std::string& out) {
  const auto& seals = AllSeals();
  if (seals.size() != 50) throw std::runtime_error("the seal drawings do not match the fifty seals");
  for (size_t i = 0; i < seals.size(); ++i) {
    Canvas art(kSize, kSize);
    seals[i](art);
    art.Harden(0.35f);
    Canvas c(kSize + 2, kSize + 2);  // room for the die-cut edge
    c.Over(art, 1, 1);
    c.Outline(Hex(0xFFFFFF), 1.6f);  // the die-cut edge
    c.Outline(Hex(0xA49AB4), 1.0f);
    char name[32];
    std::snprintf(name, sizeof name, "seal%02zu.bmp", i + 1);
    SaveSprite(out, name, std::move(c), false);
  }
}

}  // namespace pic
