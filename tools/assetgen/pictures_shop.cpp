// The shop's fixed pieces and the interface pictures: the start-up
// background, the counter (front, top edge, right-hand board), the choice
// marker, the seal box, and the two pictures that are never seen.
#include "tools/assetgen/pictures.h"

namespace pic {
namespace {

// 390 x 260 pastel checks with hearts and stars, behind the start-up picture.
void StartBackground(const std::string& out) {
  Canvas c(390, 260);
  for (int y = 0; y < 260; y += 26)
    for (int x = 0; x < 390; x += 26)
      c.Draw(Rect(x, y, x + 26, y + 26), ((x + y) / 26) % 2 ? Hex(0xFFE4F0) : Hex(0xFFF4E0));
  for (int y = 13; y < 260; y += 52)
    for (int x = 13; x < 390; x += 52) {
      c.Draw(Heart(x, y, 9), Hex(0xFFB8D6));
      Twinkle(c, x + 26, y + 26, 5, Hex(0xFFFFFF));
    }
  c.Draw(Circle(195, 100, 70), Hex(0xFFFFFF, 0.45f));
  c.Draw(Circle(195, 100, 56), Hex(0xFFFFFF, 0.35f));
  c.Draw(Rect(0, 0, 390, 10), Hex(0xFF9EC4));
  c.Draw(Rect(0, 250, 390, 260), Hex(0xFF9EC4));
  for (int x = 0; x < 390; x += 10) {
    c.Draw(Circle(x + 5, 10, 5), Hex(0xFF9EC4));
    c.Draw(Circle(x + 5, 250, 5), Hex(0xFF9EC4));
  }
  Save(out, "00.bmp", ToOpaque(c, Hex(0xFFFFFF)));
}

// Counter front, copied opaque at (0, 150): a light trim on top where the
// goods card is written, darker panels below behind the choice labels.
void CounterFront(const std::string& out) {
  Canvas c(390, 110);
  c.Fill(Vertical(0, Hex(0x9A5E3A), 110, Hex(0x6A3A22)));
  for (int i = 0; i < 6; ++i) {
    float x = 8 + i * 64.f;
    c.Draw(RoundRect(x, 32, x + 56, 104, 4), Hex(0x5A2E1A, 0.5f));
    c.Draw(RoundRect(x + 2, 34, x + 54, 102, 3), Vertical(34, Hex(0xA8683E), 102, Hex(0x7E4428)));
    c.Draw(Heart(x + 28, 68, 10), Hex(0xFFB8D6, 0.35f));
  }
  c.Draw(Rect(0, 0, 390, 26), Vertical(0, Hex(0xFFF8F0), 26, Hex(0xFFE6EE)));
  for (int x = 0; x < 390; x += 12) c.Draw(Circle(x + 6, 26, 6), Hex(0xFFE6EE));
  for (int x = 0; x < 390; x += 12) c.Draw(Circle(x + 6, 27, 2), Hex(0xFFB8D6));
  c.Draw(Rect(0, 0, 390, 3), Hex(0xFF9EC4));
  Save(out, "front2.bmp", ToOpaque(c, Hex(0)));
}

// The counter top (drawn with black as its key, at (0, 100)): a marble slab
// from y 38 to 50, a bell and a little vase.
void CounterTop(const std::string& out) {
  Canvas c(390, 50);
  c.Draw(Rect(0, 38, 390, 50), Vertical(38, Hex(0xFFFFFF), 50, Hex(0xF0E2E6)));
  c.Draw(Rect(0, 47, 390, 50), Hex(0xE0C8D0));
  c.Emoji("🛎️", 46, 33, 14);
  c.Emoji("🌷", 330, 30, 18);
  c.Harden();
  Bitmap b = ToSprite(c, 0x000000, false);  // a fixed key: the slab runs to the corner
  Save(out, "front_mid.bmp", b);
}

// Right-hand board at (260, 0): dark wood where the status panel writes in
// white, a plant on top.
void RightBoard(const std::string& out) {
  Canvas c(130, 150);
  c.Draw(RoundRect(14, 26, 130, 132, 6), Hex(0x5A3420));
  c.Draw(RoundRect(18, 30, 130, 128, 4), Vertical(30, Hex(0x3A2A2E), 128, Hex(0x2A1E22)));
  for (float y = 40; y < 126; y += 14) c.Line(22, y, 126, y, 0.6f, Hex(0xFFFFFF, 0.05f));
  c.Emoji("🪴", 34, 14, 26);
  c.Draw(Rect(14, 132, 130, 150), Vertical(132, Hex(0xC8845A), 150, Hex(0x9A5E3A)));
  c.Emoji("🧸", 116, 140, 20);
  SaveSprite(out, "front3.bmp", std::move(c));
}

// The choice marker: a little gift whose centre sits at y 28, beside the label.
void ChoiceMarker(const std::string& out) {
  Canvas c(30, 44);
  c.Emoji("🎁", 15, 28, 20);
  Twinkle(c, 25, 17, 3, Hex(0xFFF4A0));
  SaveSprite(out, "box.bmp", std::move(c));
}

// The seal album: rows of 30-pixel cells from (20, 20), ten across.
void SealBox(const std::string& out) {
  Canvas c(340, 260);
  Shape frame = RoundRect(4, 2, 338, 258, 14);
  c.Draw(frame, Vertical(0, Hex(0xFF9EC4), 260, Hex(0xE87AAE)));
  c.Draw(RoundRect(10, 12, 332, 252, 10), Vertical(12, Hex(0xFFF8FB), 252, Hex(0xFFEAF3)));
  for (int row = 0; row < 8; ++row)
    for (int col = 0; col < 10; ++col) {
      float x = 20 + 30 * col, y = 20 + 30 * row;
      c.Draw(RoundRect(x - 1, y - 1, x + 29, y + 29, 5), Hex(0xFFD6E8, 0.6f));
      c.Draw(Circle(x + 14, y + 14, 1.5f), Hex(0xFFB8D6, 0.8f));
    }
  for (float y = 6; y < 256; y += 16) c.Draw(Circle(7, y, 1.6f), Hex(0xFFFFFF));
  c.Draw(RoundRect(250, -4, 330, 12, 6), Hex(0xFFFFFF));
  c.TextCentered("SEAL BOOK", 290, 0, 10, true, Solid(Hex(0xE8307A)));
  c.Emoji("🎀", 246, 4, 14);
  SaveSprite(out, "seal_box.bmp", std::move(c), false);
}

}  // namespace

void DrawShop(const std::string& out) {
  StartBackground(out);
  CounterFront(out);
  CounterTop(out);
  RightBoard(out);
  ChoiceMarker(out);
  SealBox(out);
  // Slot 2 keeps this but never draws it.
  Canvas h(8, 8, Hex(0xFFE6EE));
  Save(out, "haikei.bmp", ToOpaque(h, Hex(0xFFFFFF)));
  // The empty layer: one pixel that is its own key colour.
  Bitmap nothing(1, 1);
  nothing.SetPixel(0, 0, 0xFF00FF);
  Save(out, "not.bmp", nothing);
}

}  // namespace pic
