// The 26 customers: 60 x 75 busts facing the counter (the game shows them at
// 120 x 150). A person emoji is the head; shoulders, clothes, hair pieces and
// props are drawn around it so each one reads as who they are.
#include <functional>
#include <vector>

#include "tools/assetgen/pictures.h"

namespace pic {
namespace {

constexpr int kW = 60, kH = 75;
constexpr float kHeadX = 30, kHeadY = 27, kHead = 40;
using DrawFn = std::function<void(Canvas&)>;

struct Customer {
  const char* file;
  const char* head;  // emoji
  Col clothes;
  DrawFn behind;  // drawn before the body (long hair, hoods, capes)
  DrawFn front;   // drawn after the head (collars, hats, props)
  Col skin = Hex(0xF7D5BC);
};

void Body(Canvas& c, const Customer& k) {
  c.Draw(RoundRect(25, 40, 35, 54, 3), Darker(k.skin, 0.08f));
  Shape torso = RoundRect(5, 50, 55, 95, 17);
  c.Draw(torso, Vertical(50, Lighter(k.clothes, 0.18f), 75, Darker(k.clothes, 0.12f)));
  c.Line(15, 62, 15, 75, 1, Darker(k.clothes, 0.25f));
  c.Line(45, 62, 45, 75, 1, Darker(k.clothes, 0.25f));
}

// A white round collar on a dress or blouse.
void RoundCollar(Canvas& c, Col col = Hex(0xFFFFFF)) {
  c.Draw(Ellipse(24, 52, 7, 4.5f), col);
  c.Draw(Ellipse(36, 52, 7, 4.5f), col);
}
void VNeck(Canvas& c, Col inner) {
  c.Draw(Polygon({{23, 50}, {37, 50}, {30, 62}}), inner);
}
void Sailor(Canvas& c) {
  c.Draw(Polygon({{12, 52}, {48, 52}, {38, 64}, {30, 58}, {22, 64}}), Hex(0x2A3A80));
  c.Line(14, 54, 24, 62, 1, Hex(0xFFFFFF));
  c.Line(46, 54, 36, 62, 1, Hex(0xFFFFFF));
  c.Emoji("🎀", 30, 60, 12);
}
void Hood(Canvas& c, Col col, bool pointed) {
  if (pointed) {
    c.Draw(Polygon({{9, 14}, {13, 0}, {21, 9}}), col);
    c.Draw(Polygon({{51, 14}, {47, 0}, {39, 9}}), col);
  } else {
    c.Draw(Circle(11, 9, 6), col);
    c.Draw(Circle(49, 9, 6), col);
    c.Draw(Circle(11, 9, 3), Lighter(col, 0.35f));
    c.Draw(Circle(49, 9, 3), Lighter(col, 0.35f));
  }
  c.Draw(Ellipse(30, 28, 25, 25), col);
}

const std::vector<Customer>& AllCustomers() {
  static const std::vector<Customer> all = {
      {"girl00.bmp", "👧🏻", Hex(0xFF9EC4), nullptr,
       [](Canvas& c) {
         RoundCollar(c);
         c.Emoji("🎀", 46, 10, 15);
       }},
      {"girl01.bmp", "🧛🏻‍♀️", Hex(0x2A2233), nullptr,
       [](Canvas& c) {
         c.Draw(Polygon({{20, 50}, {40, 50}, {36, 56}, {24, 56}}), Hex(0xE8E0F0));
         c.Emoji("💀", 30, 60, 9);
         c.Draw(Heart(16, 64, 5), Hex(0x9A2A5A));
       }},
      {"girl02.bmp", "👸🏼", Hex(0xD59AE8), nullptr,
       [](Canvas& c) {
         for (int i = 0; i < 9; ++i)
           c.Draw(Circle(20 + i * 2.5f, 54 + (i < 5 ? i : 8 - i) * 1.4f, 1.4f), Hex(0xFFFFFF));
         c.Emoji("💎", 30, 63, 8);
         for (float x : {8.f, 52.f}) c.Draw(Ellipse(x, 58, 6, 4), Hex(0xF4D0FF));
         Twinkle(c, 51, 7, 4, Hex(0xFFF4A0));
       }},
      {"boy00.bmp", "👦🏻", Hex(0x6CC070), nullptr,
       [](Canvas& c) {
         c.Emoji("🧢", 30, 9, 30);
         c.Emoji("🪲", 48, 55, 12, false, 20);
       }},
      {"girl03.bmp", "👩🏻‍🦰", Hex(0x3F4E8A), nullptr,
       [](Canvas& c) {
         c.Draw(Polygon({{12, 10}, {15, 0}, {22, 7}}), Hex(0x22222A));
         c.Draw(Polygon({{48, 10}, {45, 0}, {38, 7}}), Hex(0x22222A));
         RoundCollar(c);
         c.Emoji("🐈‍⬛", 49, 58, 14);
       }},
      {"boy01.bmp", "👦🏼", Hex(0xFFD23C), nullptr,
       [](Canvas& c) {
         c.Draw(Inter(Ellipse(30, 12, 16, 10), Rect(0, 0, 60, 12)),
                Linear(14, 0, Hex(0xFF5A5A), 46, 0, Hex(0x5A8AFF)));
         c.Draw(Rect(14, 10, 46, 13), Hex(0xFFD23C));
         c.Line(30, 3, 30, 0, 2, Hex(0x555566));
         c.Draw(Ellipse(23, 1.5f, 7, 1.6f), Hex(0x5ACF6A));
         c.Draw(Ellipse(37, 1.5f, 7, 1.6f), Hex(0xFFB03A));
         c.TextCentered("ピ", 30, 55, 12, true, Solid(Hex(0xE04A4A)));
       }},
      {"girl04.bmp", "👧🏽", Hex(0xF0505A), nullptr,
       [](Canvas& c) {
         RoundCollar(c, Hex(0xFFE0E0));
         c.Emoji("💢", 47, 9, 14);
         c.Draw(Ellipse(20, 34, 3, 1.6f), Hex(0xFF7A8A, 0.7f));
         c.Draw(Ellipse(40, 34, 3, 1.6f), Hex(0xFF7A8A, 0.7f));
       }},
      {"boy02.bmp", "👦🏻", Hex(0x2E2E3A), nullptr,
       [](Canvas& c) {
         c.Emoji("🕶️", 30, 26, 26);
         VNeck(c, Hex(0xB02A3A));
         c.Emoji("💀", 43, 60, 9);
       }},
      {"seven.bmp", "🧑🏻", Hex(0xFFFFFF), nullptr,
       [](Canvas& c) {
         for (float y = 56; y < 75; y += 6) c.Draw(Rect(6, y, 54, y + 2.5f), Hex(0x3DB05A));
         c.Draw(Circle(30, 63, 7), Hex(0xF07A2A));
         c.TextCentered("7", 30, 56, 13, true, Solid(Hex(0xFFFFFF)));
       }},
      {"tun.bmp", "👱🏻‍♀️", Hex(0xFF8A4A),
       [](Canvas& c) {
         c.Draw(Ellipse(8, 30, 6, 15), Hex(0xF6CB5A));
         c.Draw(Ellipse(52, 30, 6, 15), Hex(0xF6CB5A));
       },
       [](Canvas& c) {
         c.Emoji("🎀", 10, 13, 12);
         c.Emoji("🎀", 50, 13, 12);
         RoundCollar(c);
         c.Emoji("💢", 46, 40, 10);
       }},
      {"mun.bmp", "👩🏻", Hex(0x2C3A78), nullptr,
       [](Canvas& c) {
         c.Emoji("🌙", 46, 9, 13);
         Twinkle(c, 17, 62, 3, Hex(0xFFF07A));
         Twinkle(c, 42, 68, 2.5f, Hex(0xFFF07A));
         Twinkle(c, 35, 58, 2, Hex(0xFFFFFF));
       }},
      {"wata.bmp", "👧🏻", Hex(0xFFC0DA),
       [](Canvas& c) {
         for (auto [x, y, r] : {std::tuple{10.f, 20.f, 9.f},
                                {50.f, 20.f, 9.f},
                                {16.f, 8.f, 9.f},
                                {44.f, 8.f, 9.f},
                                {30.f, 4.f, 10.f},
                                {8.f, 34.f, 7.f},
                                {52.f, 34.f, 7.f}})
           c.Draw(Circle(x, y, r), Radial(x - 2, y - 3, r * 1.3f, Hex(0xFFFFFF), Hex(0xFFD6EA)));
       },
       [](Canvas& c) {
         RoundCollar(c);
         c.Emoji("🍓", 46, 12, 11);
       }},
      {"yukari.bmp", "👩🏻", Hex(0x9A6AC8), nullptr,
       [](Canvas& c) {
         c.Emoji("👒", 30, 12, 36);
         c.Emoji("🌺", 44, 12, 12);
         c.Emoji("🌷", 49, 62, 12);
       }},
      {"monato.bmp", "🧝🏻", Hex(0x6A4AA8), nullptr,
       [](Canvas& c) {
         c.Draw(Polygon({{18, 50}, {42, 50}, {30, 64}}), Hex(0xE8D0FF));
         c.Draw(Circle(30, 56, 3), Hex(0x7CF0D0));
         Twinkle(c, 9, 12, 4, Hex(0xE8D0FF));
         Twinkle(c, 52, 44, 3, Hex(0xE8D0FF));
       }},
      {"yuuka.bmp", "👩🏻‍🎤", Hex(0x1E1E28), nullptr,
       [](Canvas& c) {
         VNeck(c, Hex(0xE8326A));
         c.Line(14, 52, 14, 75, 1.2f, Hex(0xC0C4D0));
         c.Emoji("💀", 44, 62, 10);
         c.Draw(Heart(18, 64, 6), Hex(0xFF4A9A));
       }},
      {"jisrof.bmp", "🧔🏻", Hex(0xC0202E), nullptr,
       [](Canvas& c) {
         c.Draw(RoundRect(8, 48, 52, 58, 5), Hex(0xFFFFFF));
         for (float x = 12; x < 50; x += 6) c.Draw(Ellipse(x, 53, 1, 1.8f), Hex(0x22222A));
         c.Emoji("👑", 30, 5, 26);
         c.Draw(Circle(30, 64, 3), Hex(0xF2C230));
       }},
      {"nobu.bmp", "🧑🏻", Hex(0x8A94A8), nullptr,
       [](Canvas& c) {
         c.Draw(Minus(Ring(30, 26, 22, 19), Rect(0, 24, 60, 60)), Hex(0x3A3A48));
         for (float x : {9.f, 51.f}) {
           c.Draw(RoundRect(x - 5, 21, x + 5, 35, 4), Hex(0x3A3A48));
           c.Draw(RoundRect(x - 3, 23, x + 3, 33, 3), Hex(0x6AD0F0));
         }
         c.Line(25, 52, 24, 66, 1.2f, Hex(0xFFFFFF));
         c.Line(35, 52, 36, 66, 1.2f, Hex(0xFFFFFF));
         c.Emoji("🎵", 49, 48, 10);
       }},
      {"bione.bmp", "👨🏻", Hex(0xB8C0D0), nullptr,
       [](Canvas& c) {
         c.Draw(Ellipse(11, 55, 9, 6), Linear(4, 50, Hex(0xF4F6FF), 18, 60, Hex(0x8A92A8)));
         c.Draw(Ellipse(49, 55, 9, 6), Linear(42, 50, Hex(0xF4F6FF), 56, 60, Hex(0x8A92A8)));
         c.Emoji("🛡️", 42, 64, 18);
       }},
      {"unbou.bmp", "👶🏻", Hex(0x8ACBF4), nullptr,
       [](Canvas& c) {
         c.Draw(Ellipse(30, 55, 11, 7), Hex(0xFFFFFF));
         c.Draw(Ring(30, 55, 11, 10), Hex(0x8ACBF4));
         c.Emoji("💩", 14, 62, 15);
       }},
      {"toku.bmp", "👴🏻", Hex(0x6A5A48), nullptr,
       [](Canvas& c) {
         c.Draw(Polygon({{22, 49}, {38, 49}, {30, 70}}), Hex(0xE8E0D0));
         c.Line(22, 49, 32, 75, 2, Hex(0x3A3028));
         c.Line(38, 49, 28, 75, 2, Hex(0x3A3028));
         c.Emoji("🍵", 48, 64, 14);
       }},
      {"maichel.bmp", "👨🏼", Hex(0x2C2C38), nullptr,
       [](Canvas& c) {
         c.Emoji("🎩", 30, 6, 26);
         VNeck(c, Hex(0xFFFFFF));
         c.Draw(Polygon({{24, 52}, {30, 55}, {36, 52}, {36, 58}, {30, 55}, {24, 58}}), Hex(0xD0202E));
         c.Draw(Ring(38, 27, 5, 4), Hex(0xF2C230));
         c.Line(43, 28, 46, 44, 0.8f, Hex(0xF2C230));
       }},
      {"tam.bmp", "🧒🏻", Hex(0xB07A48), [](Canvas& c) { Hood(c, Hex(0xB07A48), false); },
       [](Canvas& c) { c.Draw(Ellipse(30, 63, 8, 6), Hex(0xE8C8A0)); }},
      {"unporo.bmp", "👶🏼", Hex(0x9AA0B4), [](Canvas& c) { Hood(c, Hex(0x9AA0B4), true); },
       [](Canvas& c) {
         c.Draw(Ellipse(30, 55, 10, 6), Hex(0xFFFFFF));
         c.Emoji("☁️", 47, 62, 14);
       }},
      {"sanae.bmp", "👧🏻", Hex(0xF4F4FA), nullptr,
       [](Canvas& c) {
         Sailor(c);
         c.Emoji("⭐", 47, 10, 11);
       }},
      {"bubuko.bmp", "👩🏻‍🦱", Hex(0xFF6AA8), nullptr,
       [](Canvas& c) {
         for (auto [x, y] :
              {std::pair{9.f, 55.f}, {16.f, 52.f}, {44.f, 52.f}, {51.f, 55.f}, {5.f, 62.f}, {55.f, 62.f}})
           c.Draw(Circle(x, y, 5), Hex(0xFFE0F0));
         c.Emoji("💎", 30, 58, 12);
         c.Emoji("🐷", 45, 67, 10);
         Twinkle(c, 38, 52, 3, Hex(0xFFFFFF));
       }},
      {"prince.bmp", "🤴🏻", Hex(0x2A4AA8),
       [](Canvas& c) {
         c.Draw(Polygon({{2, 75}, {8, 48}, {52, 48}, {58, 75}}), Hex(0xC0202E));
       },
       [](Canvas& c) {
         c.Draw(Ellipse(10, 53, 7, 3.5f), Hex(0xF2C230));
         c.Draw(Ellipse(50, 53, 7, 3.5f), Hex(0xF2C230));
         for (float y = 58; y < 75; y += 5) c.Draw(Circle(30, y, 1.5f), Hex(0xF2C230));
         c.Line(20, 60, 24, 68, 1.2f, Hex(0xF2C230));
         c.Line(40, 60, 36, 68, 1.2f, Hex(0xF2C230));
       }},
  };
  return all;
}

}  // namespace

void DrawCustomers(const std::string& out) {
  for (const Customer& k : AllCustomers()) {
    Canvas c(kW, kH);
    if (k.behind) k.behind(c);
    Body(c, k);
    c.Emoji(k.head, kHeadX, kHeadY, kHead);
    if (k.front) k.front(c);
    // The bottom row runs into the counter; keep the bottom-left pixel clear for the key.
    SaveSprite(out, k.file, std::move(c));
  }
}

}  // namespace pic
