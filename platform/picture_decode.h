// The decoders under Bitmap::LoadFromFile. The desktop decodes with SDL (BMP)
// and libjpeg, the browser with stb_image; both give the same pixels.
#pragma once

#include <cstdint>
#include <vector>

// Larger sides are refused before anything is allocated.
inline constexpr int kMaxPictureSide = 16384;

struct DecodedPicture {
  int width = 0, height = 0;
  std::vector<uint32_t> xrgb;  // 0x00RRGGBB, row by row
};

// False, with `out` untouched, for anything that is not a whole picture.
bool DecodeBmpPicture(const std::vector<unsigned char>& data, DecodedPicture& out);
bool DecodeJpegPicture(const std::vector<unsigned char>& data, DecodedPicture& out);
