// Registers the picture generator: every BMP under cg/.
#include "tools/assetgen/pictures.h"

#include <map>

#include "tools/assetgen/assetgen.h"

namespace pic {

void SaveSprite(const std::string& out, const std::string& name, Canvas c, bool outline) {
  if (outline) c.Outline(Ink(), 1.0f);
  c.Harden();
  c.FillPinholes();
  Save(out, name, ToSprite(c));
}

void Twinkle(Canvas& c, float cx, float cy, float r, Col col) {
  c.Draw(Polygon({{cx, cy - r},
                  {cx + r * 0.22f, cy - r * 0.22f},
                  {cx + r, cy},
                  {cx + r * 0.22f, cy + r * 0.22f},
                  {cx, cy + r},
                  {cx - r * 0.22f, cy + r * 0.22f},
                  {cx - r, cy},
                  {cx - r * 0.22f, cy - r * 0.22f}}),
         col);
}

void Pixels(Canvas& c, int x, int y, const std::vector<const char*>& rows, Col col) {
  for (size_t j = 0; j < rows.size(); ++j)
    for (int i = 0; rows[j][i]; ++i)
      if (rows[j][i] == '#')
        c.Draw(Rect(float(x + i), float(y + int(j)), float(x + i + 1), float(y + int(j) + 1)), col);
}

namespace {
const std::vector<const char*>& Glyph(char ch) {
  static const std::map<char, std::vector<const char*>> font = {
      {'0', {".##.", "#..#", "#..#", "#..#", "#..#", ".##."}},
      {'3', {"###.", "...#", ".##.", "...#", "...#", "###."}},
      {'4', {"..#.", ".##.", "#.#.", "####", "..#.", "..#."}},
      {'5', {"####", "#...", "###.", "...#", "...#", "###."}},
      {'6', {".##.", "#...", "###.", "#..#", "#..#", ".##."}},
      {'-', {"....", "....", "####", "....", "....", "...."}},
      {'p', {"....", "###.", "#..#", "###.", "#...", "#..."}},
      {'Z', {"####", "...#", "..#.", ".#..", "#...", "####"}},
      {'z', {"....", "....", "###.", ".#..", "#...", "###."}},
      {'L', {"#...", "#...", "#...", "#...", "#...", "####"}},
      {'O', {".##.", "#..#", "#..#", "#..#", "#..#", ".##."}},
      {'V', {"#..#", "#..#", "#..#", "#..#", ".##.", ".##."}},
      {'E', {"####", "#...", "###.", "#...", "#...", "####"}},
  };
  static const std::vector<const char*> blank = {"....", "....", "....", "....", "....", "...."};
  auto it = font.find(ch);
  return it == font.end() ? blank : it->second;
}
}  // namespace

void PixelText(Canvas& c, int x, int y, const std::string& text, Col col) {
  for (size_t i = 0; i < text.size(); ++i) Pixels(c, x + int(i) * 5, y, Glyph(text[i]), col);
}
int PixelTextWidth(const std::string& text) {
  return text.empty() ? 0 : int(text.size()) * 5 - 1;
}

void KabutoBeetle(Canvas& c, float cx, float cy, float size) {
  const float k = size / 24.0f;  // drawn on a 24-unit grid, horn tip at -12
  auto P = [&](float x, float y) { return Pt{cx + x * k, cy + y * k}; };
  const Col shell = Hex(0x6A3418), dark = Hex(0x2E160A), leg = Hex(0x3A1C0C);
  // Three pairs of legs, bent, behind the body.
  for (float s : {-1.f, 1.f}) {
    c.Line(P(0, -1).x, P(0, -1).y, P(7 * s, -3).x, P(7 * s, -3).y, 1.3f * k, leg);
    c.Line(P(7 * s, -3).x, P(7 * s, -3).y, P(9 * s, -6).x, P(9 * s, -6).y, 1.1f * k, leg);
    c.Line(P(0, 3).x, P(0, 3).y, P(8 * s, 3).x, P(8 * s, 3).y, 1.3f * k, leg);
    c.Line(P(8 * s, 3).x, P(8 * s, 3).y, P(10 * s, 7).x, P(10 * s, 7).y, 1.1f * k, leg);
    c.Line(P(0, 6).x, P(0, 6).y, P(7 * s, 9).x, P(7 * s, 9).y, 1.3f * k, leg);
    c.Line(P(7 * s, 9).x, P(7 * s, 9).y, P(8 * s, 12).x, P(8 * s, 12).y, 1.1f * k, leg);
  }
  // Wing cases: a glossy oval split down the middle.
  Shape wings = Ellipse(cx, cy + 4.5f * k, 6.2f * k, 7.5f * k);
  c.Draw(wings, Radial(cx - 2.5f * k, cy + 1 * k, 9 * k, Hex(0xA8602E), shell));
  c.Line(cx, cy - 2.5f * k, cx, cy + 11.8f * k, 0.8f * k, dark);
  c.Draw(Ellipse(cx - 3 * k, cy + 2 * k, 1.2f * k, 3 * k), Hex(0xE0A070, 0.8f));
  // The shield behind the head, with the small second horn.
  c.Draw(Ellipse(cx, cy - 3.5f * k, 5.2f * k, 3.4f * k),
         Radial(cx - 1.5f * k, cy - 4.5f * k, 6 * k, Hex(0x8A4A22), dark));
  c.Draw(Polygon({P(-1.2f, -5), P(0, -8), P(1.2f, -5)}), dark);
  c.Draw(Ellipse(cx, cy - 6.5f * k, 2.6f * k, 1.8f * k), dark);
  // The fine horn: long, thick at the root, forked at the tip.
  c.Draw(Polygon({P(-1.6f, -7), P(-0.8f, -10.5f), P(0.8f, -10.5f), P(1.6f, -7)}), dark);
  c.Line(P(0, -10).x, P(0, -10).y, P(-2.2f, -12.5f).x, P(-2.2f, -12.5f).y, 1.3f * k, dark);
  c.Line(P(0, -10).x, P(0, -10).y, P(2.2f, -12.5f).x, P(2.2f, -12.5f).y, 1.3f * k, dark);
}

void Scythe(Canvas& c, float x0, float y0, float x1, float y1, float blade, bool flip) {
  const float s = flip ? -1.0f : 1.0f;
  // The blade: a long crescent from the head of the shaft, arching over and
  // hanging down to its point, the sharp edge underneath.
  float cx = x1 - s * blade * 0.5f, cy = y1 + blade * 0.32f;
  Shape crescent = Minus(Ellipse(cx, cy, blade * 0.55f, blade * 0.36f),
                         Ellipse(cx, cy + blade * 0.14f, blade * 0.56f, blade * 0.3f));
  Shape side = flip ? Rect(x1, y1 - blade, x1 + blade * 1.2f, y1 + blade)
                    : Rect(x1 - blade * 1.2f, y1 - blade, x1, y1 + blade);
  c.Draw(Inter(crescent, side), Linear(cx, y1, Hex(0xF8FAFF), cx, cy, Hex(0xA0A8C0)));
  c.Stroke(Inter(crescent, side), Hex(0x4A5068), std::max(0.7f, blade * 0.05f));
  c.Line(x0, y0, x1, y1, std::max(1.2f, blade * 0.12f), Hex(0x7A5232));
}

namespace {
void GeneratePictures(const std::string& out) {
  DrawGoods(out);
  DrawWrapping(out);
  DrawSeals(out);
  DrawCustomers(out);
  DrawScenes(out);
  DrawShop(out);
}
}  // namespace

}  // namespace pic

static assetgen::Register reg("pictures", &pic::GeneratePictures);
