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

// A progressive JPEG is decoded scan by scan, and each scan walks every
// block of the picture however few bytes it takes: a scan repeated a
// thousand times in a small file holds the game for many seconds. Encoders
// write 10 scans or fewer; a file with more than this is refused.
inline constexpr int kMaxJpegScans = 32;
// Whether the scans of the JPEG (up to its end marker) are within that
// number; false as soon as they are not.
bool JpegScansWithinLimit(const std::vector<unsigned char>& jpeg);

struct DecodedPicture {
  int width = 0, height = 0;
  std::vector<uint32_t> xrgb;  // 0x00RRGGBB, row by row
};

// False, with `out` untouched, for anything that is not a whole picture.
bool DecodeBmpPicture(const std::vector<unsigned char>& data, DecodedPicture& out);
bool DecodeJpegPicture(const std::vector<unsigned char>& data, DecodedPicture& out);
