// Wrapping materials, each in two stages: wrapped (open, tissue or bread
// peeking out) and folded (closed, with a ribbon or tape). The folded ones
// are also the materials' own pictures.
#include "tools/assetgen/pictures.h"

namespace pic {
namespace {

struct BagStyle {
  int size;
  Col paper, dots;
};

// Polka-dot paper bag; `open` shows tissue and the back rim, otherwise the top
// is folded over and tied with a bow.
Canvas PaperBag(const BagStyle& st, bool open) {
  float s = st.size;
  Canvas c(st.size, st.size);
  float x0 = s * 0.16f, x1 = s * 0.84f, top = open ? s * 0.30f : s * 0.36f, bottom = s * 0.94f;
  if (open) {
    // Tissue paper puffing out of the mouth.
    c.Draw(Ellipse(s * 0.5f, top, (x1 - x0) * 0.5f, s * 0.07f), Darker(st.paper, 0.35f));
    for (auto [fx, fy, r] : {std::tuple{0.32f, 0.20f, 0.13f}, {0.52f, 0.13f, 0.15f}, {0.70f, 0.21f, 0.12f}})
      c.Draw(Circle(s * fx, s * fy, s * r),
             Radial(s * fx - 2, s * fy - 2, s * r * 1.4f, Hex(0xFFFFFF), Hex(0xF4E4F0)));
    c.Draw(Polygon({{s * 0.42f, s * 0.18f}, {s * 0.50f, s * 0.02f}, {s * 0.58f, s * 0.18f}}), Hex(0xFFF4FA));
    Twinkle(c, s * 0.83f, s * 0.12f, s * 0.08f, Hex(0xFFE45A));
  }
  Shape body = Polygon({{x0, top}, {x1, top}, {x1 + s * 0.03f, bottom}, {x0 - s * 0.03f, bottom}});
  c.Draw(body, Vertical(top, Lighter(st.paper, 0.25f), bottom, st.paper));
  for (int r = 0; r < 5; ++r)
    for (int k = 0; k < 4; ++k) {
      float x = x0 + (x1 - x0) * (k + (r % 2 ? 0.75f : 0.25f)) / 4,
            y = top + (bottom - top) * (r + 0.6f) / 5.2f;
      if (x < x1 - 1) c.Draw(Circle(x, y, s * 0.035f), st.dots);
    }
  c.Line(s * 0.5f, top + 1, s * 0.5f, bottom - 1, 0.6f, Darker(st.paper, 0.08f));
  if (open) {
    c.Draw(Rect(x0, top, x1, top + s * 0.05f), Lighter(st.paper, 0.5f));
  } else {
    // The top folded down over the front, with a bow on the fold.
    c.Draw(Polygon({{x0 - 0.5f, top - s * 0.05f},
                    {x1 + 0.5f, top - s * 0.05f},
                    {x1 + 0.5f, top + s * 0.13f},
                    {x0 - 0.5f, top + s * 0.13f}}),
           Vertical(top - s * 0.05f, Darker(st.paper, 0.05f), top + s * 0.13f, Darker(st.paper, 0.22f)));
    c.Line(x0, top + s * 0.13f, x1, top + s * 0.13f, 1, Darker(st.paper, 0.4f));
    c.Emoji("🎀", s * 0.5f, top + s * 0.06f, s * 0.42f);
  }
  return c;
}

struct BoxStyle {
  int size;
  Col box, ribbon;
};

Canvas GiftBox(const BoxStyle& st, bool open) {
  float s = st.size;
  Canvas c(st.size, st.size);
  float x0 = s * 0.12f, x1 = s * 0.88f, top = s * 0.42f, bottom = s * 0.94f;
  if (open) {
    // The lid leans against the back, the box shows tissue inside.
    c.Draw(
        Polygon(
            {{s * 0.18f, s * 0.05f}, {s * 0.86f, s * 0.12f}, {s * 0.84f, s * 0.40f}, {s * 0.16f, s * 0.34f}}),
        Vertical(s * 0.05f, Lighter(st.box, 0.2f), s * 0.4f, Darker(st.box, 0.1f)));
    c.Draw(
        Polygon(
            {{s * 0.46f, s * 0.07f}, {s * 0.56f, s * 0.08f}, {s * 0.54f, s * 0.38f}, {s * 0.44f, s * 0.36f}}),
        st.ribbon);
    c.Draw(Ellipse(s * 0.5f, top, (x1 - x0) * 0.5f, s * 0.08f), Darker(st.box, 0.45f));
    for (auto [fx, r] : {std::pair{0.33f, 0.12f}, {0.5f, 0.14f}, {0.67f, 0.12f}})
      c.Draw(Circle(s * fx, top - s * 0.02f, s * r),
             Radial(s * fx - 2, top - 3, s * r * 1.5f, Hex(0xFFFFFF), Hex(0xE8E0F4)));
    Twinkle(c, s * 0.5f, top - s * 0.14f, s * 0.07f, Hex(0xFFE45A));
    c.Draw(Rect(x0, top, x1, bottom), Vertical(top, Lighter(st.box, 0.15f), bottom, st.box));
    c.Draw(Rect(x0, top, x1, top + s * 0.04f), Lighter(st.box, 0.5f));
  } else {
    c.Draw(Rect(x0, top, x1, bottom), Vertical(top, Lighter(st.box, 0.15f), bottom, st.box));
    c.Draw(Rect(x0 - s * 0.04f, top - s * 0.08f, x1 + s * 0.04f, top + s * 0.1f),
           Vertical(top - s * 0.08f, Lighter(st.box, 0.3f), top + s * 0.1f, Darker(st.box, 0.08f)));
    c.Draw(Rect(s * 0.45f, top - s * 0.08f, s * 0.55f, bottom), st.ribbon);
    c.Draw(Rect(x0, top + s * 0.24f, x1, top + s * 0.32f), st.ribbon);
    // Bow: two loops and two tails.
    Col dark = Darker(st.ribbon, 0.25f);
    c.Draw(Ellipse(s * 0.36f, top - s * 0.16f, s * 0.14f, s * 0.09f), st.ribbon);
    c.Draw(Ellipse(s * 0.64f, top - s * 0.16f, s * 0.14f, s * 0.09f), st.ribbon);
    c.Draw(Ellipse(s * 0.37f, top - s * 0.16f, s * 0.07f, s * 0.04f), dark);
    c.Draw(Ellipse(s * 0.63f, top - s * 0.16f, s * 0.07f, s * 0.04f), dark);
    c.Draw(Polygon({{s * 0.5f, top - s * 0.12f}, {s * 0.36f, top + s * 0.02f}, {s * 0.42f, top + s * 0.04f}}),
           dark);
    c.Draw(Polygon({{s * 0.5f, top - s * 0.12f}, {s * 0.64f, top + s * 0.02f}, {s * 0.58f, top + s * 0.04f}}),
           dark);
    c.Draw(Circle(s * 0.5f, top - s * 0.14f, s * 0.06f), Lighter(st.ribbon, 0.2f));
  }
  return c;
}

Canvas CarrierBag(bool open) {
  const float s = 40;
  Canvas c(40, 40);
  Col paper = Hex(0xFFB86A), stripe = Hex(0xFFF1DA), rope = Hex(0x8A4A2A);
  float top = open ? 15 : 17;
  if (open) {
    c.Draw(Ring(13, top, 5.5f, 4.3f), rope);
    c.Draw(Ring(27, top, 5.5f, 4.3f), rope);
    for (auto [x, y, r] : {std::tuple{14.f, 13.f, 5.f}, {21.f, 10.f, 6.f}, {27.f, 13.f, 5.f}})
      c.Draw(Circle(x, y, r), Radial(x - 1, y - 2, r * 1.5f, Hex(0xFFFFFF), Hex(0xE0F0FF)));
    Twinkle(c, 32, 6, 3, Hex(0xFFE45A));
  } else {
    c.Draw(Ring(20, top - 2, 8, 6.8f), rope);
  }
  Shape body = RoundRect(5, top, 35, s - 2, 2);
  c.Draw(body, Vertical(top, Lighter(paper, 0.2f), s - 2, paper));
  for (float x = 9; x < 35; x += 8) c.Draw(Rect(x, top, x + 3, s - 2), stripe);
  if (open) {
    c.Draw(Rect(5, top, 35, top + 2), Lighter(paper, 0.45f));
  } else {
    c.Draw(Rect(5, top, 35, top + 5), Darker(paper, 0.15f));
    c.Draw(Circle(20, top + 3, 4.5f), Hex(0xFF5F9E));
    c.Draw(Heart(20, top + 3, 5.5f), Hex(0xFFFFFF));
  }
  return c;
}

Canvas BreadBag(bool open) {
  const int n = 36;
  Canvas c(n, n);
  Col kraft = Hex(0xE2B47A);
  float top = open ? 12 : 14;
  if (open) {
    c.Emoji("🥖", 19, 9, 22, false, -30);
    c.Emoji("🥐", 12, 11, 13);
  }
  c.Draw(Polygon({{6, top}, {30, top}, {31, 34}, {5, 34}}), Vertical(top, Lighter(kraft, 0.2f), 34, kraft));
  c.Draw(RoundRect(12, top + 7, 24, top + 16, 2), Hex(0xFFF6E4));
  c.Emoji("🍞", 18, top + 11.5f, 8);
  if (open) {
    for (float x = 6; x < 30; x += 3)
      c.Draw(Polygon({{x, top}, {x + 1.5f, top + 2}, {x + 3, top}}), Lighter(kraft, 0.5f));
  } else {
    c.Draw(Rect(5.5f, top - 3, 30.5f, top + 3), Darker(kraft, 0.15f));
    c.Line(6, top, 30, top, 1, Darker(kraft, 0.35f));
    c.Draw(RoundRect(14, top - 4, 22, top + 4, 1.5f), Hex(0x8ED0F0));
    c.Draw(Heart(18, top, 4), Hex(0xFFFFFF));
  }
  return c;
}

}  // namespace

void DrawWrapping(const std::string& out) {
  const BagStyle bags[4] = {{32, Hex(0x9EE6C8), Hex(0xFFFFFF)},   // ちっちゃな袋
                            {36, Hex(0xFFA6CC), Hex(0xFFFFFF)},   // 小さな袋
                            {40, Hex(0xC4AEF4), Hex(0xFFF3A0)},   // 大きめの袋
                            {44, Hex(0x8EC8F4), Hex(0xFFFFFF)}};  // 特大の袋
  const char* bag_names[4] = {"mepoka_small", "mepoka", "mepoka_mid", "mepoka_big"};
  for (int i = 0; i < 4; ++i) {
    SaveSprite(out, std::string(bag_names[i]) + ".bmp", PaperBag(bags[i], true));
    SaveSprite(out, std::string(bag_names[i]) + "2.bmp", PaperBag(bags[i], false));
  }
  const BoxStyle small_box{40, Hex(0xFFC4DC), Hex(0xE8446E)}, big_box{44, Hex(0x9AD0F0), Hex(0xF0C020)};
  SaveSprite(out, "hako0.bmp", GiftBox(small_box, true));
  SaveSprite(out, "hako.bmp", GiftBox(small_box, false));
  SaveSprite(out, "hako1.bmp", GiftBox(big_box, true));
  SaveSprite(out, "hako2.bmp", GiftBox(big_box, false));
  SaveSprite(out, "tesage.bmp", CarrierBag(true));
  SaveSprite(out, "tesage2.bmp", CarrierBag(false));
  SaveSprite(out, "kami.bmp", BreadBag(true));
  SaveSprite(out, "kami2.bmp", BreadBag(false));
}

}  // namespace pic
