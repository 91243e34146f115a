// The desktop icon in the hicolor sizes: the shop's pink gift box on a warm
// tile, resampled from the game's own cg/hako.bmp so the menu shows the game.
#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/bitmap.h"
#include "tools/assetgen/assetgen.h"

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr Rgb kTile = 0xFFF1DC;    // cream, the shop's wall
constexpr Rgb kBorder = 0xE07A9A;  // the ribbon's pink
constexpr int kSub = 4;            // samples per pixel and axis

Rgb Mix(const int (&sum)[3], int n) {
  return static_cast<Rgb>((sum[0] / n) << 16 | (sum[1] / n) << 8 | (sum[2] / n));
}

// The box fills the middle 13/16 of the tile; transparent pixels show the tile.
Bitmap DrawIcon(const Bitmap& box, int size) {
  Bitmap icon(size, size);
  const Rgb key = box.Pixel(0, box.Height() - 1);
  const double inset = size * 3.0 / 32.0, span = size - 2 * inset;
  const int border = std::max(1, size / 32);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      if (x < border || y < border || x >= size - border || y >= size - border) {
        icon.SetPixel(x, y, kBorder);
        continue;
      }
      int sum[3] = {0, 0, 0};
      for (int sy = 0; sy < kSub; ++sy) {
        for (int sx = 0; sx < kSub; ++sx) {
          double u = (x + (sx + 0.5) / kSub - inset) / span;
          double v = (y + (sy + 0.5) / kSub - inset) / span;
          Rgb c = kTile;
          if (u >= 0 && u < 1 && v >= 0 && v < 1) {
            Rgb p = box.Pixel(static_cast<int>(u * box.Width()), static_cast<int>(v * box.Height()));
            if (p != key) c = p;
          }
          sum[0] += c >> 16 & 0xFF;
          sum[1] += c >> 8 & 0xFF;
          sum[2] += c & 0xFF;
        }
      }
      icon.SetPixel(x, y, Mix(sum, kSub * kSub));
    }
  }
  return icon;
}

void GenerateIcons(const std::string& out) {
  Bitmap box;
  if (!box.LoadFromFile(out + "/cg/hako.bmp")) throw std::runtime_error("icons: cannot read cg/hako.bmp");
  for (int size : kSizes) {
    std::string s = std::to_string(size);
    std::string dir = out + "/icons/hicolor/" + s + "x" + s + "/apps";
    std::filesystem::create_directories(dir);
    if (!DrawIcon(box, size).SaveToPng(dir + "/picolatte.png"))
      throw std::runtime_error("icons: cannot write " + dir + "/picolatte.png");
  }
}

// After the pictures, which draw cg/hako.bmp.
static assetgen::Register reg("icons", &GenerateIcons, 200);

}  // namespace
