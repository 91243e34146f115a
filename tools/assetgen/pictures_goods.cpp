// The articles customers bring: 40 x 40 sprites, an emoji or two with drawn
// parts (rings, covers, pillows, boxes) that say what the article is.
#include <cmath>
#include <functional>
#include <tuple>
#include <vector>

#include "tools/assetgen/pictures.h"

namespace pic {
namespace {

constexpr int kSize = 40;
using DrawFn = std::function<void(Canvas&)>;

const Col kMetal = Hex(0xC8CCD8), kMetalDark = Hex(0x7C8294), kPaper = Hex(0xFFF8EE);

// A key ring at the top with a short chain down to the charm.
void KeyRing(Canvas& c, float cx, float top, float chain_end) {
  c.Draw(Ring(cx, top + 5, 5, 3.2f), kMetal);
  c.Draw(Ring(cx, top + 5, 5, 4.2f), kMetalDark);
  for (float y = top + 10; y < chain_end; y += 3) c.Draw(Ellipse(cx, y + 1, 1.2f, 1.6f), kMetalDark);
}

void Notebook(Canvas& c, Col cover) {
  c.Draw(RoundRect(9, 5, 33, 36, 2), Darker(cover, 0.25f));
  c.Draw(RoundRect(8, 4, 31, 35, 2), Vertical(4, Lighter(cover, 0.2f), 35, cover));
  c.Draw(Rect(28, 5, 31, 34), kPaper);
  for (float y = 7; y < 34; y += 4) c.Draw(Capsule(6, y, 11, y, 1.6f), kMetalDark);
}

void Pillow(Canvas& c, Col col) {
  Shape p = RoundRect(3, 10, 37, 32, 9);
  c.Draw(p, Vertical(10, Lighter(col, 0.35f), 32, col));
  c.Stroke(p, Darker(col, 0.15f), 1.2f);
  for (auto [x, y] : {std::pair{5.f, 12.f}, {35.f, 12.f}, {5.f, 30.f}, {35.f, 30.f}})
    c.Draw(Circle(x, y, 2), Darker(col, 0.1f));
}

void Eraser(Canvas& c, Col body, Col sleeve) {
  Shape b = RoundRect(5, 13, 35, 29, 3);
  c.Draw(b, Vertical(13, Lighter(body, 0.3f), 29, body));
  c.Draw(Rect(14, 12, 29, 30), sleeve);
  c.Draw(Rect(14, 12, 29, 14), Lighter(sleeve, 0.4f));
}

void CdCase(Canvas& c, const char* badge, const char* number, Col tint) {
  c.Draw(RoundRect(4, 4, 36, 36, 2), Hex(0xE8EEF6));
  c.Draw(RoundRect(6, 6, 34, 34, 1), Vertical(6, Lighter(tint, 0.5f), 34, tint));
  c.Emoji("💿", 20, 20, 22);
  c.Emoji(badge, 29, 29, 13);
  if (*number) c.Text(number, 8, 6, 11, true, Solid(Hex(0x6A2A7A)));
}

void Doll(Canvas& c, const char* face, Col dress) {
  c.Draw(Polygon({{20, 18}, {33, 37}, {7, 37}}), Vertical(18, Lighter(dress, 0.3f), 37, dress));
  c.Draw(Capsule(11, 24, 7, 30, 3.5f), Hex(0xFFDCC0));
  c.Draw(Capsule(29, 24, 33, 30, 3.5f), Hex(0xFFDCC0));
  c.Emoji(face, 20, 13, 22);
}

// A little poop: three coils and a tip, about `w` wide, sitting on (cx, base).
void Poop(Canvas& c, float cx, float base, float w) {
  const Col brown = Hex(0x8A4A1E), light = Hex(0xB87040);
  c.Draw(Ellipse(cx, base - w * 0.16f, w * 0.5f, w * 0.17f), brown);
  c.Draw(Ellipse(cx, base - w * 0.42f, w * 0.36f, w * 0.15f), light);
  c.Draw(Ellipse(cx, base - w * 0.64f, w * 0.22f, w * 0.13f), brown);
  c.Draw(Polygon({{cx - w * 0.12f, base - w * 0.7f},
                  {cx + w * 0.12f, base - w * 0.95f},
                  {cx + w * 0.12f, base - w * 0.7f}}),
         brown);
}

// A mechanical pencil lying from the lower left (its point) to the upper
// right (the knock cap): `t` runs along it from the point, 0 to 1.
struct PencilAxis {
  Pt tip, cap;
  Pt At(float t, float side) const {  // side: pixels across, to the lower right positive
    float dx = cap.x - tip.x, dy = cap.y - tip.y, len = std::sqrt(dx * dx + dy * dy);
    return {tip.x + dx * t - dy / len * side, tip.y + dy * t + dx / len * side};
  }
  Shape Band(float t0, float t1, float w0, float w1) const {
    return Polygon({At(t0, -w0), At(t1, -w1), At(t1, w1), At(t0, w0)});
  }
};

void Strap(Canvas& c, float x0, float y0, float x1, float y1, Col col) {
  c.Line(x0, y0, x1, y1, 2, col);
}

void PosterArt(Canvas& c) {
  // A rolled-open poster with a starlet and stars, held by pins.
  c.Draw(Polygon({{6, 4}, {35, 6}, {34, 37}, {5, 35}}), Hex(0xFFFFFF));
  c.Draw(Polygon({{8, 6}, {33, 8}, {32, 35}, {7, 33}}), Vertical(6, Hex(0xFFB3D9), 35, Hex(0x9B7BFF)));
  c.Emoji("🌟", 13, 12, 9);
  c.Emoji("✨", 28, 28, 8);
  c.Emoji("👩‍🎤", 21, 23, 20);
  c.Draw(Circle(7, 5, 2), Hex(0xFF4070));
  c.Draw(Circle(34, 7, 2), Hex(0x40A0FF));
}

struct Goods {
  const char* file;
  DrawFn draw;
};

const std::vector<Goods>& AllGoods() {
  static const std::vector<Goods> goods = {
      {"key01.bmp",
       [](Canvas& c) {
         KeyRing(c, 20, 1, 17);
         c.Emoji("💩", 20, 27, 22);
       }},
      {"key02.bmp",
       [](Canvas& c) {
         KeyRing(c, 20, 1, 17);
         c.Draw(Heart(20, 28, 22), Radial(16, 24, 14, Hex(0xFF9EC8), Hex(0xF0306E)));
         Twinkle(c, 15, 23, 3, Hex(0xFFFFFF));
       }},
      {"note.bmp",
       [](Canvas& c) {
         Notebook(c, Hex(0x8FD3F4));
         c.Emoji("🐱", 19, 19, 17);
       }},
      {"kan00.bmp",
       [](Canvas& c) {
         c.Draw(Circle(20, 21, 16), kMetalDark);
         c.Draw(Circle(20, 20, 15), Radial(15, 14, 20, Hex(0xFFF3B0), Hex(0xFFC65A)));
         c.Emoji("🐱", 20, 21, 21);
         c.Draw(Ellipse(13, 11, 4, 2), Hex(0xFFFFFF, 0.7f));
       }},
      {"note01.bmp",  // the cover covered in poops
       [](Canvas& c) {
         Notebook(c, Hex(0xFFE08A));
         for (auto [x, y, w] : {std::tuple{14.f, 12.f, 8.f},
                                {24.f, 10.f, 7.f},
                                {19.f, 19.f, 9.f},
                                {12.f, 26.f, 7.f},
                                {25.f, 24.f, 7.f},
                                {15.f, 33.f, 7.f},
                                {24.5f, 33.f, 8.f}})
           Poop(c, x, y, w);
       }},
      {"doll02.bmp",  // the sheep グーグー, asleep as always
       [](Canvas& c) {
         const Col wool = Hex(0xFFFFFF), shade = Hex(0xD8D4E6), skin = Hex(0xF6D8C0);
         c.Draw(Ellipse(11, 36, 4, 2.4f), Hex(0xB88A70));  // feet
         c.Draw(Ellipse(27, 36, 4, 2.4f), Hex(0xB88A70));
         Shape body = Ellipse(19, 27, 13, 8.5f);
         for (float x = 8; x <= 30; x += 5.5f) body = Union(body, Circle(x, 33, 3.2f));
         c.Draw(body, Radial(16, 22, 16, wool, shade));
         Shape head = Circle(15, 17, 8);
         for (int i = 0; i < 8; ++i) {
           float a = float(i) * 0.785398f;
           head = Union(head, Circle(15 + 8 * std::cos(a), 17 + 7.5f * std::sin(a), 3));
         }
         c.Draw(head, Radial(12, 11, 14, wool, shade));
         c.Draw(Ellipse(5, 20, 3.6f, 2), Hex(0xC89E84));  // ears, drooping
         c.Draw(Ellipse(25, 20, 3.6f, 2), Hex(0xC89E84));
         c.Draw(Ellipse(15, 20, 6.5f, 5.6f), skin);
         Pixels(c, 10, 19, {"#...#", ".###."}, Ink());  // eyes shut
         Pixels(c, 16, 19, {"#...#", ".###."}, Ink());
         Pixels(c, 10, 22, {"##"}, Hex(0xFF8AAE));
         Pixels(c, 19, 22, {"##"}, Hex(0xFF8AAE));
         Pixels(c, 13, 23, {"#...#", ".###."}, Hex(0x9A4A5A));
         c.Draw(Circle(22.5f, 24.5f, 2.6f), Hex(0xBFE6FF, 0.9f));  // a sleep bubble
         c.Draw(Circle(21.8f, 23.6f, 0.8f), Hex(0xFFFFFF));
         PixelText(c, 28, 2, "Z", Hex(0x2A5AD8));
         PixelText(c, 34, 8, "z", Hex(0x2A5AD8));
       }},
      {"doll03.bmp",
       [](Canvas& c) {
         c.Emoji("☁️", 20, 27, 34);
         c.Emoji("🐰", 20, 17, 22);
       }},
      {"doll04.bmp",  // エンエン: a little girl doll in a dress, crying her eyes out
       [](Canvas& c) {
         const Col hair = Hex(0x6A3420), skin = Hex(0xFFE2CC), dress = Hex(0xFF7AAE);
         c.Draw(RoundRect(14, 33, 18.5f, 38.5f, 1.5f), Hex(0xFFFFFF));  // socks and shoes
         c.Draw(RoundRect(21.5f, 33, 26, 38.5f, 1.5f), Hex(0xFFFFFF));
         c.Draw(Ellipse(16, 38, 3, 1.6f), Hex(0xC02040));
         c.Draw(Ellipse(24, 38, 3, 1.6f), Hex(0xC02040));
         c.Draw(Capsule(13, 23, 9, 30, 3), skin);  // arms, up to her eyes
         c.Draw(Capsule(27, 23, 31, 30, 3), skin);
         c.Draw(Polygon({{15, 21}, {25, 21}, {31, 34}, {9, 34}}),
                Vertical(21, Lighter(dress, 0.25f), 34, dress));
         c.Draw(Rect(9.5f, 32.5f, 30.5f, 34), Hex(0xFFFFFF));  // lace hem
         c.Draw(Circle(17.5f, 22.5f, 2.5f), Hex(0xFFFFFF));    // collar
         c.Draw(Circle(22.5f, 22.5f, 2.5f), Hex(0xFFFFFF));
         c.Draw(Ellipse(6.5f, 15, 3.6f, 5.5f), hair);  // pigtails with red bows
         c.Draw(Ellipse(33.5f, 15, 3.6f, 5.5f), hair);
         c.Draw(Circle(20, 11.5f, 9.6f), hair);
         c.Draw(Ellipse(20, 14, 7.6f, 7), skin);
         c.Draw(Polygon({{11, 10},
                         {29, 10},
                         {29, 12},
                         {26, 10.5f},
                         {23, 12},
                         {20, 10.5f},
                         {17, 12},
                         {14, 10.5f},
                         {11, 12}}),
                hair);  // the fringe
         for (float x : {7.5f, 32.5f}) {
           c.Draw(Polygon({{x, 8}, {x - 3.5f, 5.5f}, {x - 3.5f, 10.5f}}), Hex(0xE0203A));
           c.Draw(Polygon({{x, 8}, {x + 3.5f, 5.5f}, {x + 3.5f, 10.5f}}), Hex(0xE0203A));
         }
         Pixels(c, 14, 13, {"#...#", ".#.#.", "..#.."}, Ink());  // eyes squeezed shut
         Pixels(c, 21, 13, {"#...#", ".#.#.", "..#.."}, Ink());
         const Col tear = Hex(0x4AB0FF);
         c.Draw(Rect(15, 16, 17, 22), tear);  // tears streaming down
         c.Draw(Rect(23, 16, 25, 22), tear);
         c.Draw(Ellipse(20, 18.5f, 2.4f, 2), Hex(0xA02036));  // wailing
         c.Draw(Ellipse(20, 19.6f, 1.4f, 0.8f), Hex(0xFF8AA0));
       }},
      {"doll05.bmp",
       [](Canvas& c) {
         c.Draw(Ellipse(13, 8, 3.5f, 8), Hex(0xB98A5E));
         c.Draw(Ellipse(27, 8, 3.5f, 8), Hex(0xB98A5E));
         c.Draw(Ellipse(13, 8, 1.8f, 6), Hex(0xFFB7C9));
         c.Draw(Ellipse(27, 8, 1.8f, 6), Hex(0xFFB7C9));
         c.Emoji("🧸", 20, 24, 30);
       }},
      {"pen00.bmp",  // a mechanical pencil with a cat on its knock cap
       [](Canvas& c) {
         const PencilAxis p{{4, 38}, {25, 17}};
         c.Line(p.At(-0.02f, 0).x, p.At(-0.02f, 0).y, p.At(0.05f, 0).x, p.At(0.05f, 0).y, 1, Hex(0x2A2A34));
         c.Draw(p.Band(0.04f, 0.16f, 0.6f, 2.6f),
                Linear(4, 34, Hex(0xF0F2F8), 10, 30, Hex(0x8A90A4)));  // point
         c.Draw(p.Band(0.16f, 0.42f, 3, 3), Hex(0xFF7AAE));            // grip
         for (float t = 0.19f; t < 0.42f; t += 0.045f) c.Draw(p.Band(t, t + 0.018f, 3, 3), Hex(0xC84A80));
         c.Draw(p.Band(0.42f, 0.9f, 3, 3), Linear(0, 0, Hex(0xFFD6E6), 8, 8, Hex(0xFFB0CC)));  // barrel
         c.Draw(p.Band(0.42f, 0.9f, 0.8f, -0.4f), Hex(0xFFFFFF, 0.8f));                        // its shine
         c.Draw(p.Band(0.9f, 1.04f, 2.6f, 2.6f), Linear(0, 0, Hex(0xF0F2F8), 6, 6, Hex(0x8A90A4)));  // cap
         c.Draw(p.Band(0.56f, 0.9f, -3.4f, -4.6f), Hex(0xB8BCCC));  // the clip
         c.Draw(Circle(p.At(0.58f, -4.1f).x, p.At(0.58f, -4.1f).y, 1), Hex(0xB8BCCC));
         // The cat sits on the cap, on a little spring, and sways when it is knocked.
         Pt top = p.At(1.04f, 0);
         c.Line(top.x, top.y, top.x + 1.5f, top.y - 2.5f, 1.2f, kMetalDark);
         const Col fur = Hex(0xFFB050);
         Pt h{top.x + 4, top.y - 7};
         c.Draw(Polygon({{h.x - 5.6f, h.y - 1}, {h.x - 5, h.y - 7}, {h.x - 1.5f, h.y - 3.5f}}), fur);  // ears
         c.Draw(Polygon({{h.x + 5.6f, h.y - 1}, {h.x + 5, h.y - 7}, {h.x + 1.5f, h.y - 3.5f}}), fur);
         c.Draw(Ellipse(h.x, h.y, 6, 5), fur);
         Pixels(c, int(h.x) - 3, int(h.y) - 1, {"#....#", "#....#"}, Ink());
         Pixels(c, int(h.x) - 1, int(h.y) + 1, {".##.", "#..#"}, Hex(0xC0405A));
         Pixels(c, int(h.x) - 6, int(h.y) + 1, {"##.........##"}, Hex(0xFF9EB8));
       }},
      {"pen01.bmp",
       [](Canvas& c) {
         c.Emoji("🖊️", 18, 23, 32);
         c.Emoji("🍥", 30, 9, 14);
       }},
      {"hankachi00.bmp",
       [](Canvas& c) {
         for (int i = 0; i < 8; ++i) {
           float t = 6 + i * 4;
           for (auto [x, y] : {std::pair{t, 5.f}, {t, 35.f}, {5.f, t}, {35.f, t}})
             c.Draw(Circle(x, y, 2.4f), Hex(0xFFFFFF));
         }
         c.Draw(Rect(6, 6, 34, 34), Linear(6, 6, Hex(0xFFE0F0), 34, 34, Hex(0xFFB8DA)));
         c.Draw(Rect(9, 9, 31, 31), Hex(0xFFEAF4));
         c.Draw(Heart(20, 20, 10), Hex(0xFF7AB4));
       }},
      {"cd00.bmp", [](Canvas& c) { CdCase(c, "🌸", "", Hex(0xF7A8C8)); }},
      {"makura00.bmp",
       [](Canvas& c) {
         Pillow(c, Hex(0xB8C8FF));
         c.Emoji("🐑", 20, 21, 18);
         c.Emoji("💤", 31, 10, 10);
       }},
      {"cap00.bmp",
       [](Canvas& c) {
         c.Draw(Polygon({{5, 33}, {35, 33}, {33, 22}, {22, 6}, {10, 16}}),
                Vertical(6, Hex(0x7A88FF), 33, Hex(0x3B44B0)));
         c.Draw(RoundRect(3, 29, 37, 37, 4), Hex(0xFFFFFF));
         c.Draw(Circle(24, 6, 4.5f), Hex(0xFFFFFF));
         Twinkle(c, 14, 24, 3, Hex(0xFFF07A));
         Twinkle(c, 26, 19, 2.5f, Hex(0xFFF07A));
         c.Emoji("💤", 32, 16, 10);
       }},
      {"makura01.bmp",
       [](Canvas& c) {
         Pillow(c, Hex(0xFFE39A));
         c.Emoji("💩", 20, 21, 18);
       }},
      {"stick.bmp",
       [](Canvas& c) {
         c.Line(9, 36, 25, 14, 3, Hex(0xB07CFF));
         for (int i = 0; i < 4; ++i)
           c.Line(11 + i * 4, 33 - i * 5.5f, 12 + i * 4, 32 - i * 5.5f, 3, Hex(0xFFFFFF));
         c.Emoji("🐟", 27, 11, 20, false, -35);
         Twinkle(c, 34, 24, 4, Hex(0xFFE45A));
         Twinkle(c, 8, 8, 3, Hex(0xFFE45A));
       }},
      {"gom00.bmp",
       [](Canvas& c) {
         Eraser(c, Hex(0xB8F0A0), Hex(0x5AA0E8));
         c.Emoji("🤪", 21, 21, 14);
       }},
      {"doll06.bmp", [](Canvas& c) { c.Emoji("🧸", 20, 21, 38); }},
      {"doll07.bmp",
       [](Canvas& c) {
         c.Draw(Ellipse(12, 6, 4, 7), Hex(0xF5B6CE));
         c.Draw(Ellipse(28, 6, 4, 7), Hex(0xF5B6CE));
         c.Draw(Ellipse(12, 6, 2, 5), Hex(0xFFE0EC));
         c.Draw(Ellipse(28, 6, 2, 5), Hex(0xFFE0EC));
         Canvas bear(40, 40);
         bear.Emoji("🧸", 20, 23, 34);
         bear.MapColors([](Col p) { return Mix(p, Tinted(p, Hex(0xF2A0C4)), 0.75f); });
         c.Over(bear);
       }},
      {"choker.bmp",
       [](Canvas& c) {
         c.Draw(Ring(20, 17, 15, 11), Hex(0x2A2230));
         c.Draw(Ring(20, 17, 14, 13), Hex(0x6A5A78));
         c.Emoji("💀", 20, 30, 15);
       }},
      {"sweet.bmp",
       [](Canvas& c) {
         Canvas b(40, 40);
         b.Emoji("🧴", 18, 21, 34);
         b.MapColors([](Col p) { return Tinted(p, Hex(0xFF8CC6)); });
         c.Over(b);
         c.Emoji("🫧", 32, 10, 12);
         c.Draw(Heart(18, 25, 9), Hex(0xFFFFFF));
       }},
      {"megane00.bmp",
       [](Canvas& c) {
         c.Emoji("🕶️", 20, 22, 36);
         Twinkle(c, 31, 12, 4, Hex(0xFFFFFF));
       }},
      {"poster.bmp", PosterArt},
      {"gogle.bmp", [](Canvas& c) { c.Emoji("🥽", 20, 20, 36); }},
      {"case.bmp",
       [](Canvas& c) {
         c.Draw(RoundRect(4, 8, 36, 36, 3), Hex(0xD8F4FF, 0.95f));
         c.Draw(Rect(5, 26, 35, 35), Hex(0xB57A45));
         KabutoBeetle(c, 20, 21, 15);
         c.Draw(RoundRect(3, 5, 37, 11, 2), Hex(0x3DAA4A));
         for (float x = 8; x < 34; x += 4) c.Line(x, 7, x, 9, 1, Hex(0x1F6A2A));
         c.Draw(Capsule(14, 4, 26, 4, 2.5f), Hex(0x2F8A3A));
       }},
      {"makura02.bmp",
       [](Canvas& c) {
         c.Draw(Capsule(8, 32, 32, 8, 15), Hex(0xFFF1D6));
         c.Draw(Capsule(8, 32, 32, 8, 11), Hex(0xFFE2B0));
         c.Emoji("🐶", 25, 15, 18);
       }},
      {"cutter.bmp",
       [](Canvas& c) {
         c.Draw(Polygon({{27, 5}, {35, 10}, {25, 22}, {21, 18}}),
                Linear(24, 8, Hex(0xF4F7FF), 32, 16, Hex(0x9AA4B8)));
         for (int i = 0; i < 3; ++i)
           c.Line(27 - i * 2.f, 10 + i * 3.f, 31 - i * 2.f, 12 + i * 3.f, 0.8f, kMetalDark);
         c.Draw(Capsule(8, 33, 24, 18, 9), Hex(0xFFD23C));
         c.Draw(Capsule(10, 30, 20, 21, 3), Hex(0xE8A010));
         c.Draw(Circle(18, 24, 2), Hex(0x555A66));
       }},
      {"ichigopan.bmp",
       [](Canvas& c) {
         c.Emoji("🍞", 20, 23, 34);
         c.Emoji("🍓", 20, 16, 16);
       }},
      {"keitai.bmp",
       [](Canvas& c) {
         c.Draw(RoundRect(11, 3, 29, 37, 4), Linear(11, 3, Hex(0xFFA8D8), 29, 37, Hex(0x8AB8FF)));
         c.Draw(RoundRect(14, 7, 26, 23, 2), Hex(0x30405A));
         c.Draw(RoundRect(15, 8, 25, 22, 1), Vertical(8, Hex(0xB8F0FF), 22, Hex(0x6AC8F0)));
         for (int r = 0; r < 3; ++r)
           for (int k = 0; k < 3; ++k) c.Draw(Circle(16 + k * 4, 27 + r * 3.2f, 1.2f), Hex(0xFFFFFF));
         c.Draw(Heart(20, 15, 6), Hex(0xFF5FA8));
         c.Line(29, 6, 34, 2, 1.2f, Hex(0xFF5FA8));
         c.Draw(Circle(35, 3, 2), Hex(0xFFD23C));
       }},
      {"mayoke.bmp",
       [](Canvas& c) {
         c.Draw(Polygon({{12, 3}, {29, 3}, {29, 37}, {12, 37}}), Hex(0xFFF4D8));
         c.Draw(Rect(14, 5, 27, 35), Hex(0xFFFBEA));
         c.Text("魔", 14, 7, 12, true, Solid(Hex(0xD0202A)));
         c.Text("除", 14, 20, 12, true, Solid(Hex(0xD0202A)));
         c.Draw(Ring(20, 33, 3, 1.8f), Hex(0xD0202A));
         c.Draw(Polygon({{12, 3}, {20, 0}, {29, 3}}), Hex(0xE84040));
       }},
      {"neko.bmp",
       [](Canvas& c) {
         c.Draw(Ellipse(20, 31, 16, 7), Radial(16, 28, 16, Hex(0xFFE4F0), Hex(0xF5A0C8)));
         c.Emoji("🐈", 20, 22, 24);
         Twinkle(c, 8, 10, 3.5f, Hex(0xFFD0E8));
         Twinkle(c, 33, 8, 2.5f, Hex(0xFFD0E8));
       }},
      {"pantoban.bmp",
       [](Canvas& c) {
         Strap(c, 20, 2, 12, 18, Hex(0xFF6AA8));
         Strap(c, 20, 2, 28, 18, Hex(0xFF6AA8));
         c.Draw(Circle(20, 3, 2.5f), kMetal);
         c.Emoji("🍞", 12, 27, 17);
         c.Emoji("🐼", 28, 27, 17);
       }},
      {"pantu.bmp",
       [](Canvas& c) {
         Canvas p(40, 40);
         p.Emoji("🩲", 20, 21, 36);
         p.MapColors([](Col q) { return Tinted(q, Hex(0x6CCB74)); });
         c.Over(p);
         for (auto [x, y] : {std::pair{12.f, 17.f}, {20.f, 21.f}, {28.f, 17.f}}) {
           c.Draw(Ellipse(x, y, 1.5f, 3), Hex(0x1F7A30));
         }
       }},
      {"takara.bmp",
       [](Canvas& c) {
         c.Draw(RoundRect(5, 17, 35, 36, 2), Vertical(17, Hex(0xB8733A), 36, Hex(0x7E4A20)));
         c.Draw(Ellipse(20, 17, 15, 9), Vertical(8, Hex(0xD48A48), 17, Hex(0x9A5A28)));
         c.Draw(Rect(5, 16, 35, 19), Hex(0xF2C230));
         c.Draw(Rect(9, 9, 12, 36), Hex(0xF2C230));
         c.Draw(Rect(28, 9, 31, 36), Hex(0xF2C230));
         c.Draw(RoundRect(17, 18, 23, 25, 1), Hex(0xF2C230));
         c.Emoji("💎", 20, 9, 10);
       }},
      {"sinigami.bmp",
       [](Canvas& c) {
         // A pair: hook, a little skull, and the scythe swinging under it.
         for (float x : {13.f, 27.f}) {
           bool right = x > 20;
           c.Draw(Ring(x, 4, 3.4f, 2.2f), kMetal);
           c.Emoji("💀", x, 11, 8);
           Scythe(c, x, 38, x, 17, 11, right);
         }
       }},
      {"igo.bmp",
       [](Canvas& c) {
         c.Draw(RoundRect(3, 8, 37, 36, 2), Hex(0xA8743A));
         c.Draw(Rect(3, 6, 37, 32), Vertical(6, Hex(0xF2C880), 32, Hex(0xDDA860)));
         for (int i = 0; i < 6; ++i) {
           c.Line(7, 9 + i * 4.4f, 33, 9 + i * 4.4f, 0.9f, Hex(0xF0408A));  // the pink lines
           c.Line(7 + i * 5.2f, 9, 7 + i * 5.2f, 31, 0.9f, Hex(0xF0408A));
         }
         c.Draw(Circle(12, 13, 2.2f), Hex(0x202028));
         c.Draw(Circle(22, 22, 2.2f), Hex(0xFFFFFF));
         c.Draw(Circle(27, 13, 2.2f), Hex(0x202028));
         c.Draw(Heart(17, 22, 6), Hex(0xFF6AA8));
       }},
      {"nana.bmp", [](Canvas& c) { Doll(c, "👦", Hex(0x4A7AE8)); }},
      {"doll01.bmp",
       [](Canvas& c) {
         // A stuffed cat whose eyes sit far apart, at the sides of its head.
         const Col fur = Hex(0xE8A050), ink = Hex(0x3B2A3F);
         c.Draw(Ellipse(20, 31, 11, 7), fur);
         c.Draw(Capsule(30, 33, 36, 23, 3), fur);
         c.Draw(Polygon({{6, 12}, {8, 2}, {15, 8}}), fur);
         c.Draw(Polygon({{34, 12}, {32, 2}, {25, 8}}), fur);
         c.Draw(Ellipse(20, 16, 14, 11), Radial(16, 12, 14, Hex(0xFFD090), fur));
         c.Draw(Circle(8.5f, 15, 3), Hex(0xFFFFFF));
         c.Draw(Circle(31.5f, 15, 3), Hex(0xFFFFFF));
         c.Draw(Circle(8, 15.5f, 1.7f), ink);
         c.Draw(Circle(32, 15.5f, 1.7f), ink);
         c.Draw(Polygon({{18.5f, 18}, {21.5f, 18}, {20, 19.8f}}), Hex(0xE0607A));
         c.Line(20, 20, 18, 22, 0.8f, ink);
         c.Line(20, 20, 22, 22, 0.8f, ink);
       }},
      {"kussion.bmp",
       [](Canvas& c) {
         Shape s = RoundRect(3, 5, 37, 35, 10);
         c.Draw(s, Radial(16, 15, 24, Hex(0xFFE4F0), Hex(0xF5A0C8)));
         c.Emoji("🐱", 20, 20, 22);
         c.Draw(Ellipse(9, 30, 3, 1.5f), Hex(0xFF8CB8));
       }},
      {"taol.bmp",
       [](Canvas& c) {
         c.Draw(RoundRect(4, 10, 36, 34, 3), Hex(0x8ACCF4));
         c.Draw(RoundRect(4, 6, 36, 28, 3), Vertical(6, Hex(0xE6F6FF), 28, Hex(0xB8E2FA)));
         for (float x = 6; x < 35; x += 3) c.Line(x, 28, x, 33, 0.8f, Hex(0x6AB0E0));
         c.TextCentered("ZR", 20, 10, 13, true, Solid(Hex(0x2A6AC0)));
       }},
      {"cd01.bmp", [](Canvas& c) { CdCase(c, "🌷", "2", Hex(0x9AE0B0)); }},
      {"cd02.bmp", [](Canvas& c) { CdCase(c, "🌻", "3", Hex(0xFFD870)); }},
      {"cd03.bmp",
       [](Canvas& c) {
         c.Draw(RoundRect(4, 4, 36, 36, 2), Hex(0xE8EEF6));
         c.Draw(RoundRect(6, 6, 34, 34, 1), Vertical(6, Hex(0x8A6AE0), 34, Hex(0x3A2A80)));
         c.Emoji("📀", 20, 20, 22);
         c.Emoji("🎵", 29, 29, 12);
       }},
      {"key03.bmp",
       [](Canvas& c) {
         KeyRing(c, 20, 1, 16);
         c.Emoji("🛡️", 20, 27, 22);
       }},
      {"tea.bmp",
       [](Canvas& c) {
         // The tin.
         c.Draw(Ellipse(20, 36, 11, 3), Hex(0x2E7A3A));
         c.Draw(Rect(9, 17, 31, 36), Linear(9, 0, Hex(0x4FB35E), 31, 0, Hex(0x2E7A3A)));
         c.Draw(Rect(13, 17, 16, 36), Hex(0x8AD898, 0.6f));
         c.Draw(RoundRect(12, 21, 28, 34, 3), Hex(0xFFF8E8));
         c.TextCentered("茶", 20, 21, 12, true, Solid(Hex(0x2E7A3A)));
         // The lid, and the white rabbit sitting on it as its knob.
         c.Draw(Rect(9, 13, 31, 18), Hex(0x2E6A34));
         c.Draw(Ellipse(20, 18, 11, 2), Hex(0x2E6A34));
         c.Draw(Ellipse(20, 13, 11, 3), Hex(0x4FA35A));
         const Col fur = Hex(0xFFFFFF), inner = Hex(0xFFB0C8);
         c.Draw(Ellipse(20, 12, 7, 3.2f), fur);              // body
         c.Draw(Capsule(16.5f, 1.5f, 17.5f, 7, 3.2f), fur);  // ears
         c.Draw(Capsule(23.5f, 1.5f, 22.5f, 7, 3.2f), fur);
         c.Draw(Capsule(16.7f, 2.5f, 17.4f, 6, 1.2f), inner);
         c.Draw(Capsule(23.3f, 2.5f, 22.6f, 6, 1.2f), inner);
         c.Draw(Circle(20, 8.5f, 4.2f), fur);  // head
         c.Draw(Circle(18.3f, 8, 0.8f), Hex(0x3B2A3F));
         c.Draw(Circle(21.7f, 8, 0.8f), Hex(0x3B2A3F));
         c.Draw(Circle(20, 9.8f, 0.7f), inner);
         c.Draw(Circle(16.5f, 10, 0.9f), Hex(0xFF8CB8, 0.7f));
         c.Draw(Circle(23.5f, 10, 0.9f), Hex(0xFF8CB8, 0.7f));
       }},
      {"bou.bmp",
       [](Canvas& c) {
         c.Line(8, 35, 28, 11, 4, Hex(0xC08850));
         c.Line(8, 35, 13, 29, 5, Hex(0x7A4A26));
         c.Draw(Circle(30, 9, 7), Radial(28, 7, 8, Hex(0xE8B078), Hex(0xA06A36)));
       }},
      {"tower.bmp",
       [](Canvas& c) {
         c.Draw(RoundRect(8, 34, 32, 38, 1), Hex(0x6A6A78));
         c.Emoji("🗼", 20, 19, 34);
       }},
      {"juce.bmp",
       [](Canvas& c) {
         Canvas m(40, 40);
         m.Emoji("🥛", 18, 22, 32);
         m.MapColors([](Col q) { return Mix(q, Tinted(q, Hex(0xFFA0C8)), 0.8f); });
         c.Over(m);
         c.Line(22, 4, 25, 14, 2, Hex(0x40C0F0));
         c.Emoji("🍓", 28, 30, 14);
       }},
      {"reis.bmp",
       [](Canvas& c) {
         c.Emoji("👕", 20, 20, 36);
         c.TextCentered("REI", 20, 15, 10, true, Solid(Hex(0xE0206A)));
       }},
      {"warpro.bmp",
       [](Canvas& c) {
         c.Draw(RoundRect(3, 22, 37, 36, 3), Hex(0xD8D4E0));
         for (int r = 0; r < 3; ++r)
           for (int k = 0; k < 8; ++k)
             c.Draw(Rect(6 + k * 3.8f, 25 + r * 3.5f, 8.8f + k * 3.8f, 27.5f + r * 3.5f), Hex(0xFFFFFF));
         c.Draw(RoundRect(8, 4, 32, 22, 2), Hex(0x9A98A8));
         c.Draw(Rect(10, 6, 30, 19), Hex(0x2A3A2A));
         c.Text("VXN", 12, 7, 9, true, Solid(Hex(0x7CFF8A)));
         c.Line(12, 16, 24, 16, 1, Hex(0x7CFF8A));
       }},
      {"rip.bmp",
       [](Canvas& c) {
         Canvas l(40, 40);
         l.Emoji("💄", 20, 20, 34);
         l.MapColors([](Col q) {  // the red stick becomes a clear pink
           return q.r > q.g + 0.25f ? Mix(Tinted(q, Hex(0xFF6AB4)), Hex(0xFF7ABE, q.a), 0.6f) : q;
         });
         c.Over(l);
       }},
      {"nail.bmp",
       [](Canvas& c) {
         c.Emoji("💅", 15, 24, 26);
         c.Draw(RoundRect(26, 16, 36, 36, 2), Hex(0xFF7AC0));
         c.Draw(Rect(28, 9, 34, 16), Hex(0x3A3040));
         Twinkle(c, 9, 7, 4, Hex(0xFFE45A));
         Twinkle(c, 31, 26, 3, Hex(0xFFFFFF));
       }},
      {"aroma.bmp",
       [](Canvas& c) {
         c.Draw(Circle(17, 24, 13), Radial(13, 20, 16, Hex(0xFFF0F8), Hex(0xD6A0F0)));
         for (auto [x, y] : {std::pair{12.f, 21.f}, {20.f, 28.f}, {22.f, 18.f}, {13.f, 30.f}})
           c.Draw(Circle(x, y, 1.4f), Hex(0xFF80C0));
         c.Emoji("🌹", 17, 24, 14);  // the rose scent
         c.Emoji("🫧", 31, 10, 14);
       }},
      {"goishi.bmp",
       [](Canvas& c) {
         c.Draw(Ellipse(20, 26, 17, 11), Vertical(16, Hex(0xC08850), 37, Hex(0x7A4A26)));
         c.Draw(Ellipse(20, 22, 15, 5), Hex(0x4A2C14));
         for (auto [x, y, b] : {std::tuple{13.f, 20.f, true},
                                {20.f, 18.f, false},
                                {27.f, 20.f, true},
                                {17.f, 23.f, false},
                                {24.f, 23.f, true}}) {
           c.Draw(Ellipse(x, y, 4, 3), b ? Hex(0x1A1A22) : Hex(0xF4F4F8));
           c.Draw(Ellipse(x - 1, y - 1, 1.5f, 0.8f), b ? Hex(0x6A6A7A) : Hex(0xFFFFFF));
         }
       }},
      {"goishi2.bmp",
       [](Canvas& c) {
         c.Draw(Ellipse(20, 26, 17, 11), Vertical(16, Hex(0xFFC8E0), 37, Hex(0xD080A8)));
         c.Draw(Ellipse(20, 22, 15, 5), Hex(0x8A4A6A));
         for (auto [x, y, b] : {std::tuple{13.f, 20.f, true},
                                {20.f, 18.f, false},
                                {27.f, 20.f, true},
                                {17.f, 23.f, false},
                                {24.f, 23.f, true}}) {
           c.Draw(Ellipse(x, y, 4, 3), b ? Hex(0xFF6AB0) : Hex(0x6AB8FF));
           c.Draw(Ellipse(x - 1, y - 1, 1.5f, 0.8f), Hex(0xFFFFFF));
         }
       }},
      {"key04.bmp",
       [](Canvas& c) {
         KeyRing(c, 20, 1, 16);
         c.Emoji("🐟", 20, 27, 24);
       }},
      {"buruma.bmp",
       [](Canvas& c) {
         Canvas p(40, 40);
         p.Emoji("🩲", 20, 21, 36);
         p.MapColors([](Col q) { return Tinted(q, Hex(0x3A4AB8)); });
         c.Over(p);
         c.Emoji("🌺", 28, 16, 10);
       }},
      {"trance.bmp",
       [](Canvas& c) {
         Canvas p(40, 40);
         p.Emoji("🩳", 20, 20, 36);
         p.MapColors([](Col q) { return Tinted(q, Hex(0x8AAA3A)); });
         c.Over(p);
         for (auto [x, y] : {std::pair{12.f, 14.f}, {22.f, 16.f}, {15.f, 25.f}, {27.f, 26.f}, {30.f, 12.f}})
           c.Draw(Circle(x, y, 1.6f), Hex(0x2E4A12));
       }},
      {"shut.bmp",
       [](Canvas& c) {
         Canvas s(40, 40);
         s.Emoji("👚", 20, 20, 36);
         s.MapColors([](Col q) { return Mix(Tinted(q, Hex(0xF4F6FF)), q, 0.1f); });
         c.Over(s);
         c.Draw(Polygon({{13, 8}, {20, 16}, {27, 8}, {24, 8}, {20, 12}, {16, 8}}), Hex(0x2A3A80));
         c.Emoji("🎀", 20, 16, 12);
       }},
      {"scurt.bmp",  // the pleated school skirt in its navy and green check
       [](Canvas& c) {
         Shape skirt = Polygon({{11, 9}, {29, 9}, {36, 34}, {4, 34}});
         c.Draw(skirt, Hex(0x2A3670));
         // The check: broad green bands across and down, thin red lines through them.
         for (float y : {12.f, 20.f, 28.f}) c.Draw(Inter(skirt, Rect(0, y, 40, y + 3)), Hex(0x3A7A5A));
         for (int i = 0; i < 4; ++i) {
           float t0 = 11 + i * 5.2f, b0 = 5 + i * 9;
           c.Draw(Inter(skirt, Polygon({{t0 + 1, 9}, {t0 + 3, 9}, {b0 + 4.5f, 34}, {b0 + 1.5f, 34}})),
                  Hex(0x3A7A5A, 0.75f));
         }
         for (float y : {13.f, 21.f, 29.f}) c.Draw(Inter(skirt, Rect(0, y, 40, y + 1)), Hex(0xE04060));
         for (int i = 0; i < 4; ++i) c.Line(13 + i * 5.2f, 9, 8 + i * 9, 34, 0.8f, Hex(0xE04060));
         for (int i = 0; i < 7; ++i) c.Line(12 + i * 2.7f, 10, 5.5f + i * 4.8f, 33.5f, 0.8f, Hex(0x151C40));
         c.Draw(Rect(10.5f, 5.5f, 29.5f, 10), Hex(0x1E2858));  // the waistband
       }},
      {"bag.bmp",
       [](Canvas& c) {
         c.Emoji("👜", 20, 22, 34);
         c.Emoji("🐐", 30, 30, 12);
       }},
      {"death.bmp",
       [](Canvas& c) {
         Canvas j(40, 40);
         j.Emoji("👖", 20, 20, 37);
         j.MapColors([](Col q) { return Tinted(q, Hex(0x30304A)); });
         c.Over(j);
         for (float y : {22.f, 31.f}) c.Line(23, y, 29, y + 1, 1, Hex(0xE8E8F4));  // the rips
         c.Emoji("💀", 14, 27, 10);                                                 // on the knee
       }},
      {"coke.bmp",
       [](Canvas& c) {
         c.Draw(Polygon({{16, 4}, {24, 4}, {24, 10}, {28, 18}, {27, 36}, {13, 36}, {12, 18}, {16, 10}}),
                Linear(12, 0, Hex(0x6A2A18), 28, 0, Hex(0x3A140A)));
         c.Draw(Rect(12, 19, 28, 27), Hex(0xE8202A));
         c.Line(14, 23, 26, 22, 1.2f, Hex(0xFFFFFF));
         c.Draw(Rect(15, 2, 25, 5), Hex(0xE8202A));
         c.Line(15, 12, 14, 34, 1.5f, Hex(0xFFFFFF, 0.4f));
       }},
      {"barger.bmp", [](Canvas& c) { c.Emoji("🍔", 20, 20, 36); }},
      {"virgin.bmp",
       [](Canvas& c) {
         c.Draw(RoundRect(3, 8, 37, 34, 1), Hex(0xFFFFFF));
         c.Draw(Rect(4, 9, 36, 33), Linear(4, 9, Hex(0xF04040), 36, 33, Hex(0x2A3AA0)));
         c.Emoji("🤖", 24, 20, 20);
         c.Text("V", 5, 9, 13, true, Solid(Hex(0xFFE45A)));
         c.Draw(Rect(4, 29, 36, 33), Hex(0xFFE45A));
       }},
      {"monatoso.bmp",
       [](Canvas& c) {
         c.Draw(Circle(20, 25, 15), Hex(0xB07CFF, 0.35f));
         c.Emoji("🧪", 20, 22, 30);
         Twinkle(c, 31, 8, 4, Hex(0xE8D0FF));
         Twinkle(c, 8, 14, 3, Hex(0xE8D0FF));
       }},
      {"gom01.bmp",
       [](Canvas& c) {
         Eraser(c, Hex(0xFF9CC8), Hex(0xFFFFFF));
         c.Draw(Heart(21, 21, 8), Hex(0xFF5FA8));
       }},
      {"gom02.bmp",
       [](Canvas& c) {
         Eraser(c, Hex(0xF2C230), Hex(0xFFF4C0));
         c.Draw(Rect(6, 15, 34, 17), Hex(0xFFFBD8, 0.8f));
         Twinkle(c, 9, 9, 5, Hex(0xFFFFFF));
         Twinkle(c, 33, 31, 4, Hex(0xFFF4A0));
       }},
      {"nikuman.bmp",
       [](Canvas& c) {
         c.Draw(Ellipse(20, 26, 16, 11), Radial(16, 20, 18, Hex(0xFFFFFF), Hex(0xE8DCCC)));
         c.Draw(Ellipse(20, 17, 10, 7), Radial(17, 14, 10, Hex(0xFFFFFF), Hex(0xEDE2D2)));
         for (int i = 0; i < 5; ++i) c.Line(20, 13, 13 + i * 3.5f, 20, 0.8f, Hex(0xC8B8A0));
         c.Draw(Circle(20, 12, 2), Hex(0xF0E6D8));
         for (float x : {13.f, 20.f, 27.f}) c.Draw(Capsule(x, 7, x + 1.5f, 1, 1.6f), Hex(0xFFFFFF, 0.8f));
       }},
      {"cake.bmp", [](Canvas& c) { c.Emoji("🎂", 20, 20, 38); }},
      {"hayashi.bmp",
       [](Canvas& c) {
         // 林さん carved in wood: the bust in warm grain on a wooden block.
         c.Draw(Rect(6, 31, 34, 38), Vertical(31, Hex(0x9A6234), 38, Hex(0x6A3E1C)));
         c.Draw(Rect(8, 29, 32, 32), Hex(0xB07A44));
         Canvas bust(40, 40);
         bust.Draw(RoundRect(9, 22, 31, 34, 7), Hex(0xA0A0A0));  // shoulders
         bust.Emoji("👨", 20, 15, 25);
         bust.MapColors([](Col p) {
           Col wood = Tinted(p, Hex(0xC08048));
           return Mix(wood, Hex(0xC8864A, p.a), 0.25f);
         });
         // Grain: thin darker rings across the carving.
         for (int i = 0; i < 7; ++i) {
           float y = 5 + i * 4.2f;
           Shape band = Minus(Ellipse(14, y + 14, 18, 14), Ellipse(14, y + 14.6f, 18, 13.6f));
           for (int py = 0; py < 40; ++py)
             for (int px = 0; px < 40; ++px)
               if (band.in(px + 0.5f, py + 0.5f) && bust.At(px, py).a > 0.5f)
                 bust.Blend(px, py, Hex(0x5A3012), 0.22f);
         }
         c.Over(bust);
       }},
      {"croun.bmp",
       [](Canvas& c) {
         c.Emoji("👑", 20, 22, 38);
         c.Emoji("💎", 20, 21, 10);
         Twinkle(c, 34, 8, 4, Hex(0xFFFFFF));
       }},
      {"tiala.bmp",
       [](Canvas& c) {
         c.Draw(Ring(20, 38, 18, 15), Hex(0xD8DCE8));
         Shape peaks = Polygon({{4, 30}, {8, 18}, {13, 24}, {20, 8}, {27, 24}, {32, 18}, {36, 30}, {20, 24}});
         c.Draw(Minus(peaks, Circle(20, 38, 15)), Linear(0, 8, Hex(0xFFFFFF), 0, 30, Hex(0xB8BED0)));
         c.Draw(Circle(20, 14, 3.5f), Hex(0x5AC8FF));
         c.Draw(Circle(9, 22, 2.2f), Hex(0xFF7AC0));
         c.Draw(Circle(31, 22, 2.2f), Hex(0xFF7AC0));
         c.Draw(Circle(20, 25, 2.2f), Hex(0x5AC8FF));
         Twinkle(c, 28, 7, 4, Hex(0xFFFFFF));
       }},
  };
  return goods;
}

}  // namespace

void DrawGoods(const std::string& out) {
  for (const Goods& g : AllGoods()) {
    Canvas c(kSize, kSize);
    g.draw(c);
    SaveSprite(out, g.file, std::move(c));
  }
}

}  // namespace pic
