// The picture families of the game, each drawn by its own file, and the bits
// of style they share.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/draw_kit.h"

namespace pic {

void DrawGoods(const std::string& out);      // articles, 40 x 40
void DrawWrapping(const std::string& out);   // bags and boxes, open and folded
void DrawSeals(const std::string& out);      // seal01-seal50, 26 x 26 stickers
void DrawCustomers(const std::string& out);  // 60 x 75 busts
void DrawScenes(const std::string& out);     // 195 x 130 scenes
void DrawShop(const std::string& out);       // 00, shop front pieces, choice marker, seal box, odds

// The ink line around every sprite, so it reads on any background.
inline Col Ink() {
  return Hex(0x3B2A3F);
}

// Outlines and hardens a sprite drawing and writes it with a magenta key.
void SaveSprite(const std::string& out, const std::string& name, Canvas c, bool outline = true);

// Sparkle: a four-pointed twinkle.
void Twinkle(Canvas& c, float cx, float cy, float r, Col col);

// Small pixel-exact marks for details that must read at the picture's real
// size (closed eyes, letters, digits): every '#' of `rows` is one pixel of
// `col`, the first row's first character at (x, y).
void Pixels(Canvas& c, int x, int y, const std::vector<const char*>& rows, Col col);
// A line of text in a 4 x 6 pixel font (digits, "-", "p", "Z", "z", "L",
// "O", "V", "E"), one clear column between characters.
void PixelText(Canvas& c, int x, int y, const std::string& text, Col col);
int PixelTextWidth(const std::string& text);

// A rhinoceros beetle seen from above, horn forward (up), `size` tall from
// the tip of the horn to the end of the wings.
void KabutoBeetle(Canvas& c, float cx, float cy, float size);

// A scythe: the shaft from (x0, y0) at the grip to (x1, y1) at the head, the
// curved blade sweeping to the left of the head (to the right when `flip`).
void Scythe(Canvas& c, float x0, float y0, float x1, float y1, float blade, bool flip = false);

}  // namespace pic
