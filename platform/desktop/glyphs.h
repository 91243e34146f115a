// Colour emoji and anti-aliased text as plain RGBA images, for the asset
// generator's drawings (the game itself draws text through Bitmap).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbaImage {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;  // straight (not premultiplied) alpha, row by row
  bool Empty() const { return width == 0 || height == 0; }
};

// One Noto Color Emoji sequence (skin tones and joined sequences included) at
// the font's only bitmap size, about 136 x 128. Empty when the font is missing
// or nothing visible was drawn.
RgbaImage RenderEmoji(const std::string& utf8);

// Text in IPAPGothic, `pixel_size` pixels, white with coverage in alpha.
RgbaImage RenderText(const std::string& utf8, int pixel_size, bool bold);
