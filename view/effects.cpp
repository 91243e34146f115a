// Floating texts: message lines rising up the lower left with their colour
// cycles, and heart bursts drawn on the light layer.
#include <array>
#include <cmath>

#include "view/draw.h"

namespace {

struct LineStyle {
  Ink ink;
  Rgb shadow;
  int cycle_length;
  std::array<Rgb, 10> cycle;
};

constexpr std::array<LineStyle, 8> kLineStyles = {{
    {Ink::Plain,
     0x555555,
     9,
     {0xFFFFFF, 0xEEEEEE, 0xDDDDDD, 0xCCCCCC, 0xBBBBBB, 0xBBBBBB, 0xCCCCCC, 0xDDDDDD, 0xEEEEEE, 0}},
    {Ink::Green,
     0x555555,
     10,  // green
     {0x00EA12, 0x00DB10, 0x00BF0F, 0x00B50E, 0x00B50D, 0x00B50C, 0x00B50D, 0x00B50E, 0x00BF0F, 0x00DB10}},
    {Ink::Yellow,
     0x555555,
     10,  // yellow
     {0xFFE800, 0xE8D800, 0xDFC402, 0xDFAD02, 0xDF9D02, 0xDF8702, 0xDF9D02, 0xDFAD02, 0xDFC402, 0xE8D800}},
    {Ink::Blue,
     0x555555,
     10,  // blue
     {0x7EECF8, 0x64E8F7, 0x4EE4F5, 0x34E0F3, 0x1FDCF1, 0x0FD2E8, 0x1FDCF1, 0x34E0F3, 0x4EE4F5, 0x64E8F7}},
    {Ink::Pink,
     0x555555,
     10,  // pink
     {0xFF4AA5, 0xFF379B, 0xFF158A, 0xFB00A9, 0xE300B6, 0xD201D8, 0xE300B6, 0xFB00A9, 0xFF158A, 0xFF379B}},
    {Ink::Red,
     0x555555,
     10,  // red
     {0xFF4646, 0xFF2626, 0xFF0606, 0xD90000, 0xC40000, 0xB50000, 0xC40000, 0xD90000, 0xFF0606, 0xFF2626}},
    {Ink::Yellow2,
     0x555555,
     10,  // yellow2
     {0xDDDD88, 0xCCCC77, 0xBBBB66, 0xAAAA55, 0x999955, 0x888855, 0x999955, 0xAAAA55, 0xBBBB66, 0xCCCC77}},
    {Ink::Pink2,
     0x552255,
     10,  // pink2
     {0xFFBBCC, 0xEEAABB, 0xDD99AA, 0xCC8899, 0xBB7788, 0xAA6677, 0xBB7788, 0xCC8899, 0xDD99AA, 0xEEAABB}},
}};

// A line's colours; nullptr for anything else.
const LineStyle* StyleOf(const FloatingText& effect) {
  if (effect.kind != EffectKind::Line) return nullptr;
  for (const LineStyle& style : kLineStyles) {
    if (style.ink == effect.ink) return &style;
  }
  return nullptr;
}

// The hearts darken as they fly out.
// A floating line and its shadow, in one colour each.
TFont LineFont(Rgb color) {
  return {kGameFace, 10, true, color};
}

Rgb HeartColor(int age) {
  if (age <= 3) return 0xEE55AA;
  if (age <= 7) return 0xDD4488;
  if (age <= 11) return 0xBB3377;
  if (age <= 15) return 0x992255;
  if (age <= 18) return 0x551133;
  return 0x331122;
}

}  // namespace

void DrawHeart(Bitmap& bak, LitAreas& lit, int x, int y, int age) {
  const Rgb color = HeartColor(age);
  const Pen pen = {color, 1};
  const Brush brush = {color, false};
  int r = 2 * age;
  for (int j = 1; j <= 4; ++j) {
    double a = (90 * j + age) * 3.1415 / 180;
    int px = x + static_cast<int>(std::trunc(std::cos(a) * r));
    int py = y + static_cast<int>(std::trunc(std::sin(a) * r));
    // Everything below stays inside this box: two discs, a closed triangle
    // and a fill that the triangle holds in. Cut by the edge, the triangle
    // may not hold the fill, so then the whole layer counts as lit.
    const int left = px - 10, top = py - 15, right = px + 11, bottom = py + 1;
    if (left < 0 || top < 0 || right > bak.Width() || bottom > bak.Height()) {
      lit.everywhere = true;
    } else {
      lit.areas.push_back({left, top, right, bottom});
    }
    bak.Ellipse(px - 10, py - 15, px, py - 5, pen, brush);
    bak.Ellipse(px, py - 15, px + 10, py - 5, pen, brush);
    bak.Line(px, py, px - 10, py - 10, pen);
    bak.Line(px - 10, py - 10, px + 10, py - 10, pen);
    bak.Line(px + 10, py - 10, px, py, pen);
    bak.FloodFill(px, py - 2, color, color);
  }
}

// A line ages every other frame and a heart every frame; each is drawn once
// more when it has gone past its end (a line above the scene, a heart past
// twenty frames) and finished at the next step.
void UpdateEffects(TSceneVars& scene) {
  for (FloatingText& effect : scene.effects) {
    if (effect.age < 1) continue;
    const LineStyle* style = StyleOf(effect);
    if (effect.last_frame) {
      effect.last_frame = false;
      if (style) {
        effect.age = 0;
        effect.text.clear();
        continue;
      }
      if (effect.kind == EffectKind::Heart) {
        effect.age = -1;
        continue;
      }
    }
    effect.age += style ? scene.frame_counter % 2 : 1;
    if (style) effect.last_frame = effect.y - effect.age < -10;
    if (effect.kind == EffectKind::Heart) effect.last_frame = effect.age > 20;
  }
}

void DrawEffects(Bitmap& cg, Bitmap& bak, LitAreas& lit, const TSceneVars& scene,
                 const TranslateText& shown) {
  for (const FloatingText& effect : scene.effects) {
    if (effect.age < 1) continue;
    const LineStyle* style = StyleOf(effect);
    const int t = effect.age;
    if (style) {
      int top = effect.y - t;
      if (!effect.text.empty()) {
        const std::string text = shown(effect.text);
        cg.TextOut(effect.x + 1, top + 1, text, LineFont(style->shadow));
        cg.TextOut(effect.x, top, text, LineFont(style->cycle[t % style->cycle_length]));
      }
    } else if (effect.kind == EffectKind::Heart) {
      DrawHeart(bak, lit, effect.x, effect.y, t);
    }
  }
}
