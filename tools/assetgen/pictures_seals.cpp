// The fifty seals: 26 x 26 stickers with a white die-cut edge. The キラキラ
// ones sit on a holographic backing, the golden egg is gold all over.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <tuple>
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

// Draws with `fn` on a layer of its own and puts it down with a dark line
// around it: a bold silhouette that reads at the seal's real size.
void Inked(Canvas& c, const DrawFn& fn) {
  Canvas layer(kSize, kSize);
  fn(layer);
  layer.Harden(0.35f);
  layer.Outline(Ink(), 1.0f);
  c.Over(layer);
}

// An ellipse turned by `deg` (clockwise on screen) about its centre.
Shape TurnedEllipse(float cx, float cy, float rx, float ry, float deg) {
  float a = deg * 3.14159265f / 180, cs = std::cos(a), sn = std::sin(a), r = std::max(rx, ry);
  return {[=](float x, float y) {
            float dx = x - cx, dy = y - cy, u = (dx * cs + dy * sn) / rx, v = (-dx * sn + dy * cs) / ry;
            return u * u + v * v <= 1;
          },
          {cx - r, cy - r, cx + r, cy + r}};
}

// The sheep グーグー's face, fast asleep: a ring of wool, eyes shut, a smile.
void SleepingSheep(Canvas& c, float cx, float cy) {
  Shape wool = Circle(cx, cy, 6.6f);
  for (int i = 0; i < 9; ++i) {
    float a = float(i) * 6.2831853f / 9 - 1.5707963f;
    wool = Union(wool, Circle(cx + 7.2f * std::cos(a), cy + 6.6f * std::sin(a), 2.7f));
  }
  c.Draw(wool, Radial(cx - 3, cy - 4, 12, Hex(0xFFFFFF), Hex(0xD6D2E4)));
  c.Draw(Ellipse(cx - 7.6f, cy + 1.5f, 2.8f, 1.7f), Hex(0xC89E84));  // ears, drooping
  c.Draw(Ellipse(cx + 7.6f, cy + 1.5f, 2.8f, 1.7f), Hex(0xC89E84));
  c.Draw(Ellipse(cx, cy + 1.5f, 5.6f, 5), Hex(0xF6D8C0));
  int x = int(std::floor(cx)), y = int(std::floor(cy));
  Pixels(c, x - 5, y + 1, {"#..#", ".##."}, Ink());  // eyes shut tight
  Pixels(c, x + 2, y + 1, {"#..#", ".##."}, Ink());
  Pixels(c, x - 5, y + 3,
         {
             "##",
         },
         Hex(0xFF8AAE));
  Pixels(c, x + 4, y + 3, {"##"}, Hex(0xFF8AAE));
  Pixels(c, x - 1, y + 4, {"#..#", ".##."}, Hex(0x9A4A5A));  // a sleepy smile
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
      Plain("🌸"),      // 03 お花
      Plain("⭐"),      // 04 星型
      [](Canvas& c) {  // 05 グーグー: the sheep's face asleep, Zz over it
        Inked(c, [](Canvas& l) { SleepingSheep(l, 11, 15); });
        PixelText(c, 17, 0, "Z", Hex(0x2A5AD8));
        PixelText(c, 22, 5, "z", Hex(0x2A5AD8));
      },
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
      [](Canvas& c) {  // 09 犬: a puppy side on, its tail up and wagging
        Inked(c, [](Canvas& l) {
          const Col fur = Hex(0xE0A060), dark = Hex(0x8A4A22);
          l.Draw(Capsule(18, 15, 21.5f, 6.5f, 2.6f), fur);  // the tail
          for (float x : {7.5f, 10.5f, 15.5f, 18.5f})
            l.Draw(RoundRect(x - 1.2f, 16, x + 1.2f, 23.5f, 0.8f), fur);
          l.Draw(Ellipse(13, 16, 7, 4.2f), fur);
          l.Draw(Ellipse(13.5f, 17.5f, 4.5f, 2), Hex(0xFFE8C8));  // the pale belly
          l.Draw(Circle(6.5f, 10, 4.6f), fur);
          l.Draw(Ellipse(3, 12, 2.8f, 2), Hex(0xFFE8C8));       // the muzzle
          l.Draw(Ellipse(8.2f, 10.5f, 1.8f, 3.4f), dark);       // the floppy ear
          l.Line(5.5f, 14.6f, 10, 14.6f, 1.4f, Hex(0xE0303A));  // the collar
        });
        Pixels(c, 4, 8, {"#"}, Ink());  // eye and nose
        Pixels(c, 0, 11, {"#"}, Ink());
        // Wag lines beside the tail.
        Pixels(c, 23, 3, {"#.", ".#", ".#", "#."}, Ink());
        Pixels(c, 17, 1, {".#", "#.", "#.", ".#"}, Ink());
      },
      Plain("🐱"),
      Plain("🐻"),        // 09-11
      Shiny("💩", 0.0f),  // 12 うんち キラキラ
      [](Canvas& c) {    // 13 ぽぷり キラキラ: her face, a flower in her hair
        Holo(c, 0.3f);
        Inked(c, [](Canvas& l) {
          const Col hair = Hex(0x6A3420);
          l.Draw(Union(Circle(kMid, 12.5f, 7.6f), RoundRect(5.4f, 12, 20.6f, 21, 2)), hair);
          l.Draw(Ellipse(kMid, 15, 5.6f, 5.4f), Hex(0xFFE4D0));
          l.Draw(Polygon({{6.5f, 8},
                          {19.5f, 8},
                          {19.5f, 12.5f},
                          {17, 11},
                          {15, 12.5f},
                          {13, 11},
                          {11, 12.5f},
                          {9, 11},
                          {6.5f, 12.5f}}),
                 hair);  // the fringe
          for (float a = 0; a < 6.28f; a += 1.2566f)
            l.Draw(Circle(18.5f + 2.2f * std::cos(a), 7 + 2.2f * std::sin(a), 1.7f), Hex(0xFF7AB0));
          l.Draw(Circle(18.5f, 7, 1.1f), Hex(0xFFE45A));
        });
        Pixels(c, 10, 14, {"#", "#"}, Ink());  // eyes, cheeks, smile
        Pixels(c, 15, 14, {"#", "#"}, Ink());
        Pixels(c, 8, 16, {"#"}, Hex(0xFF8AAE));
        Pixels(c, 17, 16, {"#"}, Hex(0xFF8AAE));
        Pixels(c, 12, 18, {"##"}, Hex(0xD0405A));
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
      [](Canvas& c) {  // 19 ゴキブリ: seen from above, shiny, all legs and feelers
        Inked(c, [](Canvas& l) {
          const Col leg = Hex(0x3A1C0C);
          for (float s : {-1.f, 1.f}) {
            l.Line(kMid, 11, kMid + 8 * s, 8.5f, 1.2f, leg);
            l.Line(kMid + 8 * s, 8.5f, kMid + 9.5f * s, 5, 1, leg);
            l.Line(kMid, 15, kMid + 8.5f * s, 16, 1.2f, leg);
            l.Line(kMid + 8.5f * s, 16, kMid + 10.5f * s, 20, 1, leg);
            l.Line(kMid, 18, kMid + 7 * s, 21.5f, 1.2f, leg);
            l.Line(kMid + 7 * s, 21.5f, kMid + 8.5f * s, 25, 1, leg);
            l.Line(kMid + 1 * s, 6, kMid + 5 * s, 2, 0.9f, leg);  // the feelers
            l.Line(kMid + 5 * s, 2, kMid + 10 * s, 0.8f, 0.9f, leg);
          }
          l.Draw(Ellipse(kMid, 16, 5.4f, 8.2f), Radial(11, 13, 9, Hex(0xA85A28), Hex(0x4A200C)));
          l.Draw(Ellipse(kMid, 9, 4.6f, 3.2f), Radial(12, 8, 5, Hex(0xC88850), Hex(0x6A3418)));
          l.Draw(Ellipse(kMid, 6.2f, 2, 1.4f), Hex(0x2A1008));
        });
        c.Line(kMid, 12, kMid, 23.5f, 0.8f, Hex(0x2A1008));     // where the wings meet
        c.Draw(Ellipse(10.6f, 15, 0.9f, 2.6f), Hex(0xF0C090));  // the gloss
      },
      [](Canvas& c) {
        Emoji(c, "💎", 20);
        Twinkle(c, 21, 5, 3.5f, Hex(0xFFFFFF));
      },               // 20 ダイヤモンド
      [](Canvas& c) {  // 21 ナナ: the boy of the famous doll, on a star
        c.Draw(Star(kMid, kMid + 1, 12.4f, 7, 5), Radial(10, 9, 15, Hex(0xE0C8FF), Hex(0x8A4AE0)));
        Emoji(c, "👦", 14);
        Twinkle(c, 21, 21, 3, Hex(0xFFE45A));
      },
      [](Canvas& c) {  // 22 ♪: one eighth note
        Inked(c, [](Canvas& l) {
          const Paint ink = Linear(4, 4, Hex(0x6A4AD8), 20, 24, Hex(0x2A1E78));
          l.Draw(TurnedEllipse(9, 19.5f, 4.6f, 3.3f, -25), ink);
          l.Draw(Rect(12, 3, 14.2f, 19.5f), ink);
          l.Draw(Polygon({{12.5f, 2.5f},
                          {15, 3.5f},
                          {19.5f, 7.5f},
                          {21, 11.5f},
                          {19.8f, 16.5f},
                          {19, 16.2f},
                          {19.4f, 12.5f},
                          {17.5f, 9.5f},
                          {13, 8}}),
                 ink);
          l.Draw(Ellipse(7.8f, 18.4f, 1.6f, 0.9f), Hex(0xB8A8FF));
        });
      },
      [](Canvas& c) {  // 23 チューリップ: a red one
        Inked(c, [](Canvas& l) {
          const Col green = Hex(0x3AA040);
          l.Draw(Capsule(kMid, 14, kMid, 24, 2), green);
          l.Draw(Polygon({{12.5f, 24}, {5, 14}, {7.5f, 14.5f}, {13, 20}}), Hex(0x4FBA4A));
          l.Draw(Polygon({{13.5f, 24}, {21.5f, 16}, {19, 16}, {13, 21}}), Hex(0x4FBA4A));
          Shape cup = Union(
              Ellipse(kMid, 10, 6.4f, 5.6f),
              Polygon(
                  {{6.6f, 10}, {7, 1.5f}, {10.2f, 5}, {kMid, 0.8f}, {15.8f, 5}, {19, 1.5f}, {19.4f, 10}}));
          l.Draw(cup, Radial(10, 6, 10, Hex(0xFF6A50), Hex(0xD0101E)));
          l.Line(10.2f, 5.5f, 10.8f, 13.5f, 1, Hex(0x9A0814));  // where the petals overlap
          l.Line(15.8f, 5.5f, 15.2f, 13.5f, 1, Hex(0x9A0814));
        });
      },
      Plain("🐟"),                           // 24 おさかな
      OnDisc(Hex(0xE8E4F4), "♠️", 16),  // 25 スペード
      Plain("🗡️"),                     // 26 剣
      [](Canvas& c) {  // 27 盆栽: a pine, twisted trunk, flat pads of needles, in its pot
        Inked(c, [](Canvas& l) {
          const Col bark = Hex(0x7A4A26);
          l.Line(12, 20.5f, 9.5f, 16.5f, 2.8f, bark);
          l.Line(9.5f, 16.5f, 14, 12.5f, 2.6f, bark);
          l.Line(14, 12.5f, 11.5f, 8, 2.2f, bark);
          l.Line(11.5f, 8, 12.5f, 4.5f, 1.8f, bark);
          l.Line(14, 12.5f, 19, 11.5f, 1.6f, bark);
          l.Line(9.5f, 16.5f, 5, 15, 1.6f, bark);
          // Each pad: dark needles underneath, the sunlit top lighter.
          for (auto [x, y, rx] : {std::tuple{19.5f, 10.5f, 4.6f}, {5.5f, 13.5f, 4.4f}, {12.5f, 4.8f, 6.2f}}) {
            l.Draw(Ellipse(x, y, rx, 2.6f), Hex(0x1E5A2E));
            l.Draw(Ellipse(x, y - 0.9f, rx - 1, 1.6f), Hex(0x4E9A3A));
          }
          l.Draw(Rect(3, 19.5f, 23, 21.5f), Hex(0x5A6AB8));  // the rim of the pot
          l.Draw(Polygon({{4.5f, 21.5f}, {21.5f, 21.5f}, {20, 25}, {6, 25}}), Hex(0x3A4A98));
        });
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
      [](Canvas& c) {                  // 37 黒猫: black from ears to tail, yellow eyes, white whiskers
        const Col black = Hex(0x141018);
        c.Draw(Capsule(17.5f, 23, 22.5f, 20, 2.6f), black);  // the tail, curling up
        c.Draw(Capsule(22.5f, 20, 23.2f, 13, 2.6f), black);
        c.Draw(Capsule(23.2f, 13, 21, 10.5f, 2.4f), black);
        c.Draw(Ellipse(12, 19.5f, 6.4f, 5.6f), black);
        c.Draw(Circle(10.5f, 10.5f, 6), black);
        c.Draw(Polygon({{4.6f, 9}, {4.8f, 1.5f}, {9.8f, 5.2f}}), black);  // ears
        c.Draw(Polygon({{11.2f, 5.2f}, {16.2f, 1.5f}, {16.4f, 9}}), black);
        Pixels(c, 6, 4, {"#", "##"}, Hex(0xFF7AA8));
        Pixels(c, 14, 4, {".#", "##"}, Hex(0xFF7AA8));
        Pixels(c, 7, 9, {"##", "##"}, Hex(0xFFE030));  // eyes
        Pixels(c, 12, 9, {"##", "##"}, Hex(0xFFE030));
        Pixels(c, 8, 9, {"#", "#"}, black);
        Pixels(c, 13, 9, {"#", "#"}, black);
        Pixels(c, 10, 12, {"#"}, Hex(0xFF7AA8));
        const Col whisker = Hex(0xE8E8F4);
        Pixels(c, 2, 11, {"###...", "...###", "###..."}, whisker);
        Pixels(c, 14, 11, {"...###", "###...", "...###"}, whisker);
      },
      [](Canvas& c) {  // 38 怒りの毒紅玉: a red apple scowling, poison dripping
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
      [](Canvas& c) {  // 39 死神: hooded, a skull for a face, a big scythe over the moon
        c.Draw(Circle(kMid, kMid, 12.4f), Radial(10, 9, 16, Hex(0xB89AE8), Hex(0x6A48B0)));
        c.Draw(Polygon({{3, 25.5f}, {4, 14}, {6, 7}, {10.5f, 3.5f}, {15, 7}, {17, 14}, {18, 25.5f}}),
               Vertical(4, Hex(0x3A2E4A), 25, Hex(0x120E18)));
        c.Draw(Ellipse(10.5f, 11, 3.8f, 4.2f), Hex(0x060408));  // the dark of the hood
        c.Draw(Union(Circle(10.5f, 10.5f, 2.8f), Rect(9, 11, 12, 14)), Hex(0xF4F0E4));
        Pixels(c, 9, 10, {"#.#"}, Hex(0x060408));
        Pixels(c, 10, 12, {"#"}, Hex(0x060408));
        Scythe(c, 21, 25.5f, 20.5f, 2, 18);
        c.Draw(Circle(20.4f, 15, 1.5f), Hex(0xF4F0E4));  // the bony hand on the shaft
      },
      [](Canvas& c) {  // 40 眼帯
        Emoji(c, "🙂", 21);
        c.Line(3, 8, 23, 14, 1.2f, Hex(0x1A1A22));
        c.Draw(Ellipse(9, 11.5f, 4, 3.5f), Hex(0x1A1A22));
      },
      [](Canvas& c) {  // 41 LOVE髑髏: a skull whose eye sockets are hearts
        Inked(c, [](Canvas& l) {
          l.Draw(Union(Circle(kMid, 11, 9.4f), RoundRect(7.5f, 14, 18.5f, 24, 2.5f)),
                 Radial(10, 7, 16, Hex(0xFFFFFF), Hex(0xD8D0C4)));
        });
        c.Draw(Heart(8.6f, 12, 7.4f), Hex(0xE8105A));
        c.Draw(Heart(17.4f, 12, 7.4f), Hex(0xE8105A));
        Pixels(c, 7, 10, {"#"}, Hex(0xFFB8D0));  // a shine in each
        Pixels(c, 16, 10, {"#"}, Hex(0xFFB8D0));
        Pixels(c, 12, 16, {"##", "##"}, Ink());                                       // the nose
        Pixels(c, 8, 20, {"##########", "#..#..#..#", "#..#..#..#"}, Hex(0x5A4A50));  // the teeth
      },
      Plain("🎸"),        // 42 ギター
      Plain("🛡️"),  // 43 ナイトシールド
      Shiny("😭", 0.6f),  // 44 エンエン キラキラ
      [](Canvas& c) {    // 45 00-6435p: the mysterious number itself, on a dark tag
        c.Draw(RoundRect(0, 2, 26, 24, 3), Hex(0x1A1A2E));
        c.Stroke(RoundRect(0, 2, 26, 24, 3), Hex(0x6A6A9A), 1);
        PixelText(c, (kSize - PixelTextWidth("00-")) / 2, 5, "00-", Hex(0x7CFF8A));
        PixelText(c, (kSize - PixelTextWidth("6435p")) / 2, 14, "6435p", Hex(0xFFE45A));
      },
      [](Canvas& c) {
        Emoji(c, "💰", 20);
        c.Emoji("💎", 19, 19, 9);
        Twinkle(c, 5, 5, 3, Hex(0xFFF4A0));
      },               // 46 お宝
      [](Canvas& c) {  // 47 王子: his profile on a cameo, crowned
        c.Draw(Ellipse(kMid, kMid, 11, 12.4f), Hex(0xE8B020));
        c.Draw(Ellipse(kMid, kMid, 9.8f, 11.2f), Hex(0x1E2E80));
        const Col face = Hex(0xFFE8B0);
        c.Draw(Polygon({{7.5f, 9},
                        {15.6f, 9},
                        {16.6f, 11.6f},
                        {17.2f, 12.6f},
                        {19, 15.2f},
                        {17.6f, 15.8f},
                        {18, 16.5f},
                        {17.3f, 17.1f},
                        {17.8f, 17.7f},
                        {17.2f, 19.3f},
                        {14.6f, 20},
                        {15, 23.5f},
                        {10, 23.5f},
                        {9.5f, 19},
                        {7.5f, 15}}),
               face);
        c.Draw(Polygon({{7.2f, 8.8f},
                        {16, 8.8f},
                        {15.8f, 10.6f},
                        {12.2f, 10.6f},
                        {11.4f, 13},
                        {12.4f, 16},
                        {11, 18.2f},
                        {9.5f, 19.6f},
                        {7, 15}}),
               Hex(0xC88A28));                                     // his hair
        c.Draw(Ellipse(12.6f, 14.4f, 1.1f, 1.6f), Hex(0xF0C888));  // the ear
        c.Draw(
            Polygon({{7.5f, 9.5f}, {7.5f, 3}, {10, 5.5f}, {12, 1.8f}, {14, 5.5f}, {16.5f, 3}, {16.5f, 9.5f}}),
            Hex(0xFFD020));  // the crown
        Pixels(c, 11, 6, {"##"}, Hex(0xE0202E));
        Pixels(c, 15, 12, {"#"}, Hex(0x1E2E80));  // the eye
      },
      [](Canvas& c) {  // 48 VIRGIN
        c.Draw(Polygon({{3, 4}, {23, 4}, {23, 16}, {kMid, 24}, {3, 16}}),
               Linear(3, 4, Hex(0xF04040), 23, 24, Hex(0x2A3AA0)));
        c.TextCentered("V", kMid, 4, 15, true, Solid(Hex(0xFFE45A)));
      },
      [](Canvas& c) {  // 49 お金: a fan of notes and a gold coin
        Inked(c, [](Canvas& l) {
          l.Draw(Polygon({{2.5f, 9}, {20, 2.5f}, {23.5f, 12}, {6, 18.5f}}), Hex(0x9ACC7A));
          l.Draw(Rect(1.5f, 8, 23.5f, 20), Hex(0xD8F0C0));
          l.Draw(Circle(20, 20, 5), Hex(0xF2B418));
        });
        c.Stroke(Rect(3, 9.5f, 22, 18.5f), Hex(0x4A9A4A), 1);
        Pixels(c, 9, 10, {"#...#", ".#.#.", "..#..", "#####", "..#..", "#####", "..#.."},
               Hex(0x1E6A2E));  // ¥
        c.Draw(Circle(20, 20, 3.6f), Hex(0xFFD850));
        Pixels(c, 18, 18, {"#."}, Hex(0xFFFFF0));
      },
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
