// Reading pictures (BMP of every depth Windows writes, JPEG) and writing them
// (24-bit BMP for the game's assets, PNG for review sheets). A broken file is
// refused whole; it never leaves a half-read picture behind.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "files/regular_file.h"
#include "platform/bitmap.h"
#include "platform/picture_decode.h"
#include "platform/text_rects.h"

namespace {

// The largest BMP of such a size (32 bits per pixel) with room for headers.
constexpr size_t kMaxFileBytes = kMaxPicturePixels * 4 + (1 << 16);

int32_t Le32(const unsigned char* p) {
  return static_cast<int32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
}
int Le16(const unsigned char* p) {
  return p[0] | p[1] << 8;
}

// Refuses headers whose size would make the decoder allocate absurdly, and
// uncompressed pictures whose pixels the file does not hold.
bool BmpSizeIsSane(const std::string& data) {
  const auto* d = reinterpret_cast<const unsigned char*>(data.data());
  if (data.size() < 26) return false;
  const int64_t offset = static_cast<uint32_t>(Le32(&d[10]));
  const int32_t header = Le32(&d[14]);
  int64_t w, h, bits, compression = 0;
  if (header == 12) {
    w = Le16(&d[18]);
    h = Le16(&d[20]);
    bits = Le16(&d[24]);
  } else {
    if (data.size() < 34) return false;
    w = Le32(&d[18]);
    h = Le32(&d[22]);
    bits = Le16(&d[28]);
    compression = static_cast<uint32_t>(Le32(&d[30]));
  }
  if (h < 0) h = -h;
  if (!PictureSizeIsSane(w, h)) return false;
  // Run-length pictures (1: RLE8, 2: RLE4) have no fixed size to check.
  if (compression == 1 || compression == 2) return true;
  if (bits <= 0 || bits > 32) return false;
  const int64_t stride = (w * bits + 31) / 32 * 4;
  return offset + stride * h <= static_cast<int64_t>(data.size());
}

void Put16(std::vector<unsigned char>& v, uint32_t x) {
  v.push_back(x & 0xFF);
  v.push_back((x >> 8) & 0xFF);
}
void Put32(std::vector<unsigned char>& v, uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}
void PutBe32(std::vector<unsigned char>& v, uint32_t x) {
  for (int s = 24; s >= 0; s -= 8) v.push_back((x >> s) & 0xFF);
}

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}

uint32_t Crc32(const unsigned char* p, size_t n, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void PngChunk(std::vector<unsigned char>& png, const char* type, const std::vector<unsigned char>& body) {
  PutBe32(png, static_cast<uint32_t>(body.size()));
  size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), body.begin(), body.end());
  PutBe32(png, Crc32(&png[start], png.size() - start));
}

}  // namespace

bool JpegScansWithinLimit(const std::vector<unsigned char>& jpeg) {
  const size_t n = jpeg.size();
  int scans = 0;
  size_t i = 2;  // past the start marker
  while (i + 1 < n) {
    if (jpeg[i] != 0xFF) {
      ++i;  // stray bytes between segments: the decoders skip them too
      continue;
    }
    const unsigned char marker = jpeg[i + 1];
    if (marker == 0xFF) {
      ++i;  // fill byte
      continue;
    }
    if (marker == 0xD9) break;  // end of the picture
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
      i += 2;  // markers without a length
      continue;
    }
    if (i + 3 >= n) break;
    i += 2 + (jpeg[i + 2] << 8 | jpeg[i + 3]);
    if (marker != 0xDA) continue;
    if (++scans > kMaxJpegScans) return false;
    // The scan's coded data runs to the next marker other than a stuffed
    // zero or a restart marker.
    while (i + 1 < n &&
           !(jpeg[i] == 0xFF && jpeg[i + 1] != 0x00 && !(jpeg[i + 1] >= 0xD0 && jpeg[i + 1] <= 0xD7)))
      ++i;
  }
  return true;
}

bool Bitmap::LoadFromFile(const std::string& path) {
  // Every failure, a folder or a pipe in the picture's place included, ends
  // here as false: a picture that cannot be read never stops the game.
  std::string data;
  if (ReadRegularFile(path, data, kMaxFileBytes) != 0 || data.size() < 4) return false;
  DecodedPicture picture;
  bool ok = false;
  try {
    std::vector<unsigned char> bytes(data.begin(), data.end());
    if (bytes[0] == 'B' && bytes[1] == 'M') {
      ok = BmpSizeIsSane(data) && DecodeBmpPicture(bytes, picture);
    } else if (bytes[0] == 0xFF && bytes[1] == 0xD8) {
      ok = JpegScansWithinLimit(bytes) && DecodeJpegPicture(bytes, picture);
    }
  } catch (const std::exception&) {
    ok = false;  // out of memory for the pixels
  }
  if (!ok) return false;
  pixels_ = std::move(picture.xrgb);
  width_ = picture.width;
  height_ = picture.height;
  text_rects::Forget(*this);
  return true;
}

bool Bitmap::SaveToBmp(const std::string& path) const {
  if (Empty()) return false;
  int w = Width(), h = Height();
  int stride = (w * 3 + 3) & ~3;
  std::vector<unsigned char> b;
  b.reserve(54 + stride * h);
  b.push_back('B');
  b.push_back('M');
  Put32(b, 54 + stride * h);
  Put32(b, 0);
  Put32(b, 54);
  Put32(b, 40);
  Put32(b, w);
  Put32(b, h);
  Put16(b, 1);
  Put16(b, 24);
  Put32(b, 0);
  Put32(b, stride * h);
  Put32(b, 3780);  // 96 dpi
  Put32(b, 3780);
  Put32(b, 0);
  Put32(b, 0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      Rgb p = Pixel(x, y);
      b.push_back(p & 0xFF);
      b.push_back((p >> 8) & 0xFF);
      b.push_back((p >> 16) & 0xFF);
    }
    for (int pad = w * 3; pad < stride; ++pad) b.push_back(0);
  }
  return WriteFile(path, b);
}

// PNG with stored (uncompressed) deflate blocks: no extra library, and review
// sheets need no compression.
bool Bitmap::SaveToPng(const std::string& path) const {
  if (Empty()) return false;
  int w = Width(), h = Height();
  std::vector<unsigned char> raw;
  raw.reserve(static_cast<size_t>(h) * (w * 3 + 1));
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);
    for (int x = 0; x < w; ++x) {
      Rgb p = Pixel(x, y);
      raw.push_back((p >> 16) & 0xFF);
      raw.push_back((p >> 8) & 0xFF);
      raw.push_back(p & 0xFF);
    }
  }
  std::vector<unsigned char> z{0x78, 0x01};
  for (size_t pos = 0; pos < raw.size() || pos == 0;) {
    size_t n = std::min<size_t>(65535, raw.size() - pos);
    bool last = pos + n >= raw.size();
    z.push_back(last ? 1 : 0);
    Put16(z, static_cast<uint32_t>(n));
    Put16(z, static_cast<uint32_t>(~n & 0xFFFF));
    z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
    pos += n;
    if (last) break;
  }
  uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  PutBe32(z, b << 16 | a);
  std::vector<unsigned char> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<unsigned char> ihdr;
  PutBe32(ihdr, w);
  PutBe32(ihdr, h);
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
  PngChunk(png, "IHDR", ihdr);
  PngChunk(png, "IDAT", z);
  PngChunk(png, "IEND", {});
  return WriteFile(path, png);
}
