// The decoders under Bitmap::LoadFromFile. The desktop decodes with SDL (BMP)
// and libjpeg, the browser with stb_image; both give the same pixels.
#pragma once

#include <cstdint>
#include <vector>

// The scene is 390 x 260: anything far beyond that is a broken or hostile
// file, refused before a single pixel is allocated.
inline constexpr int64_t kMaxPictureSide = 4096;
inline constexpr int64_t kMaxPicturePixels = 16'000'000;

inline bool PictureSizeIsSane(int64_t w, int64_t h) {
  return w > 0 && h > 0 && w <= kMaxPictureSide && h <= kMaxPictureSide && w * h <= kMaxPicturePixels;
}

struct DecodedPicture {
  int width = 0, height = 0;
  std::vector<uint32_t> xrgb;  // 0x00RRGGBB, row by row
};

// False, with `out` untouched, for anything that is not a whole picture.
bool DecodeBmpPicture(const std::vector<unsigned char>& data, DecodedPicture& out);
bool DecodeJpegPicture(const std::vector<unsigned char>& data, DecodedPicture& out);
