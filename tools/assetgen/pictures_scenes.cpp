// The 195 x 130 scenes (the game shows them doubled): title, menu, about,
// the shop, the manager, night, thief, morning, the letter and the clear.
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/assetgen/pictures.h"

namespace pic {
namespace {

constexpr int kW = 195, kH = 130;

// Lettering with a white rim, a darker edge and a soft shadow.
void Lettering(Canvas& c, const std::string& text, float cx, float y, int px, const Paint& fill, Col edge,
               float rim = 2) {
  Canvas t(kW, kH);
  t.TextCentered(text, cx, y, px, true, fill);
  t.Outline(Hex(0xFFFFFF), rim);
  t.Outline(edge, 1);
  c.Over(t.Silhouette(WithAlpha(Darker(edge, 0.3f), 0.35f)), 2, 2);
  c.Over(t);
}

void Scatter(Canvas& c, uint32_t seed, int count, Box area,
             const std::function<void(Canvas&, float, float, Dice&)>& fn) {
  Dice d(seed);
  for (int i = 0; i < count; ++i)
    fn(c, area.x0 + d.Unit() * (area.x1 - area.x0), area.y0 + d.Unit() * (area.y1 - area.y0), d);
}

void PastelBack(Canvas& c, Col top, Col bottom, uint32_t seed) {
  c.Fill(Vertical(0, top, kH, bottom));
  for (int i = -kH; i < kW; i += 18)
    c.Draw(Polygon({{float(i), 0}, {i + 7.f, 0}, {i + 7.f + kH, float(kH)}, {float(i + kH), float(kH)}}),
           Hex(0xFFFFFF, 0.18f));
  Scatter(c, seed, 22, {0, 0, kW, kH}, [](Canvas& cv, float x, float y, Dice& d) {
    if (d.Int(2))
      cv.Draw(Heart(x, y, 5 + d.Int(4)), Hex(0xFFFFFF, 0.55f));
    else
      Twinkle(cv, x, y, 2.5f + d.Int(3), Hex(0xFFFFFF, 0.7f));
  });
}

void Title(const std::string& out) {
  Canvas c(kW, kH);
  PastelBack(c, Hex(0xFFD6EA), Hex(0xFFF2D6), 7);
  c.Draw(Ellipse(97, 120, 110, 26), Hex(0xFFFFFF, 0.5f));
  c.Emoji("🎁", 40, 96, 40, false, -10);
  c.Emoji("🎀", 155, 98, 30, false, 12);
  c.Emoji("🧸", 97, 100, 34);
  Lettering(c, "ピコラッテ", 97, 26, 34, Vertical(26, Hex(0xFF7AB8), 62, Hex(0xE8307A)), Hex(0xB0205A), 2.5f);
  c.TextCentered("～ラッピングのお店～", 97, 64, 11, true, Solid(Hex(0xB0407A)));
  Twinkle(c, 22, 24, 6, Hex(0xFFF4A0));
  Twinkle(c, 176, 58, 5, Hex(0xFFFFFF));
  Save(out, "title.bmp", ToOpaque(c, Hex(0xFFFFFF)));
}

void Login(const std::string& out) {
  Canvas c(kW, kH);
  PastelBack(c, Hex(0xFFE2F0), Hex(0xE8E0FF), 11);
  // The shop front on the left; the lower right stays calm for the menu.
  c.Draw(Rect(10, 36, 98, 118), Hex(0xFFF6EA));
  c.Draw(Rect(10, 118, 98, 122), Hex(0xC89A70));
  for (int i = 0; i < 6; ++i)
    c.Draw(Polygon({{6 + i * 16.f, 28},
                    {22 + i * 16.f, 28},
                    {22 + i * 16.f, 40},
                    {14 + i * 16.f, 44},
                    {6 + i * 16.f, 40}}),
           i % 2 ? Hex(0xFFFFFF) : Hex(0xFF7AAE));
  c.Draw(RoundRect(18, 52, 50, 92, 2), Vertical(52, Hex(0xBFE8FF), 92, Hex(0x8ACCF0)));
  c.Emoji("🎁", 34, 80, 18);
  c.Emoji("🧸", 27, 63, 13);
  c.Draw(RoundRect(60, 56, 88, 118, 3), Hex(0xC8845A));
  c.Draw(Circle(83, 88, 2), Hex(0xF2C230));
  c.Draw(RoundRect(26, 4, 82, 24, 4), Hex(0xFFFFFF));
  c.TextCentered("ピコラッテ", 54, 8, 12, true, Solid(Hex(0xE8307A)));
  // A dark plum board under the menu: the labels are drawn in white and pink.
  c.Draw(RoundRect(118, 82, 200, 134, 7), Hex(0x7A3A5E));
  c.Draw(RoundRect(120, 84, 200, 134, 6), Vertical(84, Hex(0x5A2A48), 130, Hex(0x3E1C34)));
  Save(out, "login.bmp", ToOpaque(c, Hex(0xFFFFFF)));
}

void About(const std::string& out) {
  Canvas c(kW, kH);
  PastelBack(c, Hex(0xDFF4FF), Hex(0xFFE8F4), 13);
  c.Draw(RoundRect(12, 10, 183, 78, 8), Hex(0xFFFFFF, 0.85f));
  c.Stroke(RoundRect(12, 10, 183, 78, 8), Hex(0xFFA6CC), 1.5f);
  c.TextCentered("ピコラッテへようこそ", 97, 16, 13, true, Solid(Hex(0xE8307A)));
  c.TextCentered("お客さんの品物を包んで", 97, 36, 11, true, Solid(Hex(0x6A4A8A)));
  c.TextCentered("かわいいシールを貼ってあげよう", 97, 51, 11, true, Solid(Hex(0x6A4A8A)));
  c.Emoji("🎁", 26, 104, 26);
  c.Emoji("✂️", 58, 108, 18);
  c.Emoji("🎀", 86, 104, 22);
  Save(out, "title2.bmp", ToOpaque(c, Hex(0xFFFFFF)));
}

// Shelves with little wrapped gifts.
void Shelf(Canvas& c, float x0, float x1, float y, uint32_t seed) {
  c.Draw(Rect(x0, y, x1, y + 4), Hex(0xA8683A));
  c.Draw(Rect(x0, y + 4, x1, y + 6), Hex(0x7A4424));
  Dice d(seed);
  const Col paper[] = {Hex(0xFF9EC4), Hex(0x9ED8F4), Hex(0xFFE27A), Hex(0xB8E89A), Hex(0xD0B0F4)};
  for (float x = x0 + 2; x < x1 - 10;) {
    float w = 8 + d.Int(6), h = 7 + d.Int(9);
    Col p = paper[d.Int(5)], r = paper[d.Int(5)];
    c.Draw(Rect(x, y - h, x + w, y), Vertical(y - h, Lighter(p, 0.3f), y, p));
    c.Draw(Rect(x + w / 2 - 1, y - h, x + w / 2 + 1, y), Darker(r, 0.2f));
    c.Draw(Circle(x + w / 2 - 1.5f, y - h, 1.6f), Darker(r, 0.2f));
    c.Draw(Circle(x + w / 2 + 1.5f, y - h, 1.6f), Darker(r, 0.2f));
    x += w + 2 + d.Int(3);
  }
}

Canvas ShopInterior() {
  Canvas c(kW, kH);
  c.Fill(Vertical(0, Hex(0xFFE9D2), kH, Hex(0xF6CFA8)));
  for (float x = 4; x < kW; x += 12) c.Draw(Rect(x, 0, x + 5, kH), Hex(0xFFFFFF, 0.25f));
  c.Draw(Rect(0, 0, kW, 5), Hex(0xC88A5A));
  // Shelves left and right, a window with curtains in the middle back.
  c.Draw(Rect(2, 10, 62, 100), Hex(0xE8B888));
  c.Draw(Rect(133, 10, 193, 100), Hex(0xE8B888));
  for (int i = 0; i < 3; ++i) {
    Shelf(c, 2, 62, 34 + i * 28, 21 + i);
    Shelf(c, 133, 193, 34 + i * 28, 31 + i);
  }
  c.Draw(RoundRect(78, 12, 117, 44, 3), Hex(0xFFFFFF));
  c.Draw(RoundRect(80, 14, 115, 42, 2), Vertical(14, Hex(0xA8DCFF), 42, Hex(0xE4F6FF)));
  c.Draw(Polygon({{76, 10}, {90, 10}, {84, 46}, {76, 46}}), Hex(0xFF9EC4));
  c.Draw(Polygon({{105, 10}, {119, 10}, {119, 46}, {111, 46}}), Hex(0xFF9EC4));
  c.Draw(Rect(74, 8, 121, 12), Hex(0xC8845A));
  c.Emoji("🕰️", 97, 56, 12);
  c.Draw(Rect(0, 100, kW, kH), Vertical(100, Hex(0xD8A878), kH, Hex(0xB88458)));
  return c;
}

void Haikei2(const std::string& out) {
  Save(out, "haikei2.bmp", ToOpaque(ShopInterior(), Hex(0xFFFFFF)));
}

// Every opaque pixel to the nearest of a few colours: flat areas with hard
// edges inside the drawing, as a pixel artist would paint them.
void SnapToPalette(Canvas& c, const std::vector<uint32_t>& palette) {
  c.MapColors([&](Col p) {
    if (p.a < 0.5f) return p;
    Col best = p;
    float dist = 1e9f;
    for (uint32_t rgb : palette) {
      Col q = Hex(rgb);
      float d = (p.r - q.r) * (p.r - q.r) + (p.g - q.g) * (p.g - q.g) + (p.b - q.b) * (p.b - q.b);
      if (d < dist) dist = d, best = q;
    }
    return best;
  });
}

void Manager(const std::string& out) {
  Canvas c(kW, kH);
  c.Fill(Vertical(0, Hex(0x7A4A3A), kH, Hex(0x3E2420)));
  for (float x = 0; x < kW; x += 16) c.Draw(Rect(x, 0, x + 1, kH), Hex(0x2A1410, 0.5f));
  // The chart on the wall and the name plate, crisp-edged like every sprite.
  Canvas wall(kW, kH);
  wall.Draw(Rect(18, 14, 54, 40), Hex(0xC8A070));
  wall.Draw(Rect(20, 16, 52, 38), Hex(0xFFF6E4));
  for (float x = 24; x < 50; x += 6) wall.Draw(Rect(x, 18, x + 1, 36), Hex(0xD8E0F0));
  for (float y = 20; y < 36; y += 5) wall.Draw(Rect(22, y, 50, y + 1), Hex(0xD8E0F0));
  wall.Line(23, 34, 31, 27, 1.4f, Hex(0xE03040));
  wall.Line(31, 27, 37, 30, 1.4f, Hex(0xE03040));
  wall.Line(37, 30, 48, 19, 1.4f, Hex(0xE03040));
  wall.Draw(Rect(12, 100, 56, 118), Hex(0xE8C890));
  wall.Harden();
  wall.Outline(Hex(0x2A1410), 1);
  c.Over(wall);
  c.TextCentered("天長", 34, 103, 12, true, Solid(Hex(0x5A2A14)));
  // 天長 himself: big, gruff, moustache, in his suit. Drawn as one sprite with
  // hard edges and an ink line, so he is as sharp as the customers.
  Canvas man(kW, kH);
  man.Draw(RoundRect(52, 78, 142, 160, 30), Vertical(78, Hex(0x4A4A5A), kH, Hex(0x2A2A36)));
  man.Draw(Polygon({{86, 78}, {108, 78}, {97, 104}}), Hex(0xFFFFFF));
  // The emoji's own shirt is green: make it the white shirt under his suit.
  Canvas head(kW, kH);
  head.Emoji("👨🏻‍🦲", 97, 50, 64);
  head.MapColors([](Col p) {
    bool green = p.g > p.r + 0.15f && p.g >= p.b - 0.05f;
    return green ? Hex(0xF4F4F8, p.a) : p;
  });
  head.Harden();
  man.Over(head);
  man.Draw(Polygon({{70, 84}, {86, 78}, {97, 104}, {52, 110}}), Hex(0x3E3E4C));  // lapels over it
  man.Draw(Polygon({{124, 84}, {108, 78}, {97, 104}, {142, 110}}), Hex(0x3E3E4C));
  man.Line(86, 78, 97, 104, 1, Hex(0x24242E));
  man.Line(108, 78, 97, 104, 1, Hex(0x24242E));
  man.Draw(Polygon({{93, 82}, {101, 82}, {99, 104}, {97, 108}, {95, 104}}), Hex(0xC0202E));  // the tie
  man.Draw(Polygon({{78, 60}, {88, 54}, {97, 58}, {106, 54}, {116, 60}, {108, 64}, {97, 61}, {86, 64}}),
           Hex(0x3A2414));
  man.Line(80, 37, 92, 41, 3, Hex(0x3A2414));
  man.Line(114, 37, 102, 41, 3, Hex(0x3A2414));
  man.Harden();
  SnapToPalette(man, {0xF9DDBD, 0xEDC391, 0x3A2414, 0x24202A, 0xF4F4F8, 0xD4D4DE, 0x3E3E4C, 0x4A4A5A,
                      0x38384A, 0x2C2C38, 0xC0202E});
  man.Outline(Ink(), 1);
  c.Over(man);
  Save(out, "ten.bmp", ToOpaque(c, Hex(0)));
}

Canvas NightSky(uint32_t seed, float moon_r) {
  Canvas c(kW, kH);
  c.Fill(Vertical(0, Hex(0x10143A), kH, Hex(0x3A3A78)));
  Scatter(c, seed, 40, {0, 0, kW, 90}, [](Canvas& cv, float x, float y, Dice& d) {
    if (d.Int(4) == 0)
      Twinkle(cv, x, y, 2 + d.Int(2), Hex(0xFFF8C8));
    else
      cv.Draw(Circle(x, y, 0.6f), Hex(0xFFFFFF, 0.8f));
  });
  if (moon_r > 0) {
    c.Draw(Circle(140, 40, moon_r * 1.6f), Hex(0xFFF8C0, 0.12f));
    c.Draw(Circle(140, 40, moon_r * 1.25f), Hex(0xFFF8C0, 0.18f));
    c.Emoji("🌕", 140, 40, moon_r * 2);
  } else {
    c.Emoji("🌙", 160, 22, 18);
  }
  // Rooftops and a lit window: the clerk's home.
  c.Draw(Polygon({{0, 100}, {30, 80}, {60, 100}}), Hex(0x1A1A30));
  c.Draw(Rect(6, 98, 54, kH), Hex(0x24243E));
  c.Draw(Polygon({{44, 104}, {86, 72}, {128, 104}}), Hex(0x2A1E3A));
  c.Draw(Rect(52, 102, 120, kH), Hex(0x34284A));
  c.Draw(Rect(76, 108, 96, 124), Hex(0xFFD87A));
  c.Line(86, 108, 86, 124, 1, Hex(0x34284A));
  c.Draw(Rect(130, 110, kW, kH), Hex(0x1A1A30));
  return c;
}

void Night(const std::string& out) {
  Canvas c = NightSky(3, 0);
  c.Text("Zzz", 100, 88, 12, true, Solid(Hex(0xC8D0FF)));
  Save(out, "night.bmp", ToOpaque(c, Hex(0)));
  Canvas m = NightSky(5, 28);
  Twinkle(m, 104, 22, 4, Hex(0xFFFFFF));
  Save(out, "night2.bmp", ToOpaque(m, Hex(0)));
}

Canvas DarkShop() {
  Canvas c = ShopInterior();
  c.MapColors([](Col p) { return Mix(Darker(Tinted(p, Hex(0x4A5AA8)), 0.55f), p, 0.08f); });
  c.Draw(RoundRect(80, 14, 115, 42, 2), Vertical(14, Hex(0x1A2050), 42, Hex(0x30386A)));
  c.Emoji("🌙", 104, 24, 10);
  return c;
}

void Thief(const std::string& out) {
  Canvas c = DarkShop();
  c.Draw(Polygon({{150, 130}, {175, 58}, {193, 58}, {193, 130}}), Hex(0xFFF4C0, 0.18f));
  c.Text("ゴト・・・", 14, 104, 12, true, Solid(Hex(0xC8D0FF)));
  Save(out, "yoru.bmp", ToOpaque(c, Hex(0)));

  Canvas t = DarkShop();
  t.Draw(Circle(97, 64, 48), Hex(0xFFF4C0, 0.12f));
  // The thief: striped shirt, eye mask, a sack over the shoulder.
  t.Draw(RoundRect(62, 84, 132, 150, 24), Hex(0x2A2A36));
  for (float y = 90; y < kH; y += 8)
    t.Draw(Inter(RoundRect(62, 84, 132, 150, 24), Rect(0, y, kW, y + 4)), Hex(0xE8E8F0));
  // A man's face (not a smiley): stubble, a sly grin, the eye mask and a cap.
  t.Emoji("👨🏻", 97, 62, 46);
  for (int i = 0; i < 18; ++i)
    t.Draw(Circle(84 + (i % 6) * 5.2f, 74 + (i / 6) * 3.2f + (i % 2), 0.8f), Hex(0x5A4A48, 0.6f));
  t.Draw(RoundRect(74, 53, 120, 65, 5), Hex(0x14141C));
  t.Draw(Ellipse(87, 59, 5, 3), Hex(0xFFFFFF));
  t.Draw(Ellipse(107, 59, 5, 3), Hex(0xFFFFFF));
  t.Draw(Circle(89, 59, 1.8f), Hex(0x14141C));
  t.Draw(Circle(109, 59, 1.8f), Hex(0x14141C));
  t.Draw(Inter(Ellipse(97, 48, 25, 17), Rect(0, 0, kW, 48)), Hex(0x22222E));
  t.Emoji("💰", 148, 90, 36);
  t.Line(130, 96, 146, 80, 3, Hex(0x8A6A4A));
  Save(out, "yoru2.bmp", ToOpaque(t, Hex(0)));
}

Canvas Morning(uint32_t seed) {
  Canvas c(kW, kH);
  c.Fill(Vertical(0, Hex(0x8ED4FF), 100, Hex(0xFFF0C8)));
  c.Draw(Circle(160, 30, 26), Hex(0xFFF2A0, 0.3f));
  c.Draw(Circle(160, 30, 16), Radial(156, 26, 18, Hex(0xFFFDE0), Hex(0xFFC838)));
  Scatter(c, seed, 4, {0, 8, 120, 40}, [](Canvas& cv, float x, float y, Dice& d) {
    float r = 6 + d.Int(4);
    cv.Draw(Union(Union(Circle(x, y, r), Circle(x + r, y + 2, r * 0.8f)), Circle(x - r, y + 2, r * 0.7f)),
            Hex(0xFFFFFF, 0.9f));
  });
  c.Draw(Ellipse(50, 120, 110, 30), Hex(0x8ED070));
  c.Draw(Ellipse(170, 126, 90, 26), Hex(0x6EC060));
  c.Draw(Rect(0, 112, kW, kH), Hex(0x7EC868));
  return c;
}

void Mornings(const std::string& out) {
  Canvas a = Morning(41);
  a.Draw(Polygon({{20, 100}, {50, 74}, {80, 100}}), Hex(0xE86A5A));
  a.Draw(Rect(26, 98, 74, 120), Hex(0xFFF2DC));
  a.Draw(Rect(44, 104, 56, 120), Hex(0xB07A48));
  a.Emoji("🐓", 120, 96, 30);
  a.Text("コケコッコー", 92, 66, 11, true, Solid(Hex(0xE05A2A)));
  Save(out, "asa.bmp", ToOpaque(a, Hex(0xFFFFFF)));

  auto nest = [](Canvas& c) {
    c.Draw(Ellipse(97, 112, 44, 14), Vertical(98, Hex(0xD8A860), 126, Hex(0x9A6A30)));
    for (int i = 0; i < 9; ++i) c.Line(56 + i * 10.f, 104, 64 + i * 9.f, 120, 1.2f, Hex(0xB08040));
  };
  Canvas h = Morning(43);
  nest(h);
  h.Emoji("🐔", 80, 78, 54);
  h.Emoji("🥚", 128, 100, 22);
  Save(out, "asa2.bmp", ToOpaque(h, Hex(0xFFFFFF)));

  Canvas g = Morning(47);
  nest(g);
  g.Draw(Circle(110, 86, 34), Hex(0xFFF2A0, 0.35f));
  g.Draw(Circle(110, 86, 24), Hex(0xFFF8C8, 0.45f));
  g.Emoji("🐔", 66, 78, 50);
  Canvas egg(kW, kH);
  egg.Emoji("🥚", 112, 90, 36);
  egg.MapColors([](Col p) { return Tinted(p, Hex(0xF2B418)); });
  g.Over(egg);
  g.Draw(Ellipse(104, 82, 3, 6), Hex(0xFFFFF0, 0.9f));
  for (auto [x, y, r] :
       {std::tuple{134.f, 64.f, 6.f}, {90.f, 60.f, 5.f}, {140.f, 100.f, 4.f}, {120.f, 56.f, 3.f}})
    Twinkle(g, x, y, r, Hex(0xFFFFFF));
  Save(out, "asa2a.bmp", ToOpaque(g, Hex(0xFFFFFF)));

  Canvas k = Morning(53);
  k.Emoji("🐣", 80, 98, 34);
  k.Emoji("🐤", 118, 96, 30);
  k.Text("ピヨ", 124, 66, 11, true, Solid(Hex(0xE8A010)));
  Save(out, "asa3.bmp", ToOpaque(k, Hex(0xFFFFFF)));
}

void Letter(const std::string& out) {
  Canvas c(kW, kH);
  PastelBack(c, Hex(0xF4E2FF), Hex(0xFFE2EC), 61);
  c.Draw(Polygon({{20, 8}, {178, 6}, {182, 124}, {16, 126}}), Hex(0x8A6A9A, 0.3f));
  c.Draw(Polygon({{18, 5}, {176, 4}, {178, 121}, {14, 123}}), Vertical(4, Hex(0xFFFCF0), 123, Hex(0xFFF0DA)));
  for (float y = 30; y < 118; y += 15) c.Line(26, y + 13, 168, y + 13, 0.6f, Hex(0xE8C8D8));
  c.Emoji("👑", 166, 16, 16);
  Col ink = Hex(0x5A3A6A);
  c.Text("シールマスターへ", 26, 12, 12, true, Solid(Hex(0xC0307A)));
  c.Text("全てのシールを集めたそうじゃな。", 26, 31, 10, false, Solid(ink));
  c.Text("見事なり！そなたこそ真の", 26, 46, 10, false, Solid(ink));
  c.Text("シールマスターじゃ。これからも", 26, 61, 10, false, Solid(ink));
  c.Text("心をこめて包むのじゃぞ。", 26, 76, 10, false, Solid(ink));
  c.Text("シール王より", 110, 100, 11, true, Solid(Hex(0xC0307A)));
  c.Draw(Circle(40, 104, 9), Hex(0xD0202E));
  c.Draw(Heart(40, 104, 9), Hex(0xFF9EC4));
  Save(out, "letter.bmp", ToOpaque(c, Hex(0xFFFFFF)));
}

void Clear(const std::string& out) {
  Canvas c(kW, kH);
  c.Fill(Radial(97, 60, 120, Hex(0xFFF6C8), Hex(0xFFA6CC)));
  for (int i = 0; i < 16; ++i) {
    float a = i * 3.14159f / 8;
    c.Draw(Polygon({{97, 60},
                    {97 + 160 * std::cos(a), 60 + 160 * std::sin(a)},
                    {97 + 160 * std::cos(a + 0.18f), 60 + 160 * std::sin(a + 0.18f)}}),
           Hex(0xFFFFFF, 0.3f));
  }
  Scatter(c, 71, 60, {0, 0, kW, kH}, [](Canvas& cv, float x, float y, Dice& d) {
    const Col conf[] = {Hex(0xFF5A9A), Hex(0x5AC8FF), Hex(0xFFD23C), Hex(0x7AD87A), Hex(0xB07CFF)};
    float a = d.Unit() * 3.14f;
    cv.Line(x, y, x + 3 * std::cos(a), y + 3 * std::sin(a), 2, conf[d.Int(5)]);
  });
  c.Emoji("🎉", 26, 30, 30);
  c.Emoji("🎉", 169, 30, 30, true);
  c.Emoji("👑", 97, 22, 30);
  Lettering(c, "おめでとう！", 97, 42, 24, Vertical(42, Hex(0xFF7AB8), 68, Hex(0xE8307A)), Hex(0xB0205A));
  c.TextCentered("GAME CLEAR", 97, 74, 14, true, Solid(Hex(0xC07A10)));
  c.Emoji("🎁", 40, 106, 24);
  c.Emoji("🧸", 154, 106, 24);
  Save(out, "clear.bmp", ToOpaque(c, Hex(0xFFFFFF)));
}

}  // namespace

void DrawScenes(const std::string& out) {
  Title(out);
  Login(out);
  About(out);
  Haikei2(out);
  Manager(out);
  Night(out);
  Thief(out);
  Mornings(out);
  Letter(out);
  Clear(out);
}

}  // namespace pic
