// Reading pictures (BMP of every depth Windows writes, JPEG) and writing them
// (24-bit BMP for the game's assets, PNG for review sheets). A broken file is
// refused whole; it never leaves a half-read picture behind.
#include <SDL.h>
#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "files/regular_file.h"
#include "platform/bitmap.h"

namespace {

// The scene is 390 x 260: anything far beyond that is a broken or hostile
// file, refused before a single pixel is allocated.
constexpr int64_t kMaxSide = 4096;
constexpr int64_t kMaxPixels = 16'000'000;
// The largest BMP of such a size (32 bits per pixel) with room for headers.
constexpr size_t kMaxFileBytes = kMaxPixels * 4 + (1 << 16);

bool SizeIsSane(int64_t w, int64_t h) {
  return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
}

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
  if (!SizeIsSane(w, h)) return false;
  // Run-length pictures (1: RLE8, 2: RLE4) have no fixed size to check.
  if (compression == 1 || compression == 2) return true;
  if (bits <= 0 || bits > 32) return false;
  const int64_t stride = (w * bits + 31) / 32 * 4;
  return offset + stride * h <= static_cast<int64_t>(data.size());
}

SDL_Surface* DecodeBmp(const std::string& data) {
  if (!BmpSizeIsSane(data)) return nullptr;
  SDL_RWops* rw = SDL_RWFromConstMem(data.data(), static_cast<int>(data.size()));
  if (!rw) return nullptr;
  SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
  if (!loaded) return nullptr;
  SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XRGB8888, 0);
  SDL_FreeSurface(loaded);
  return converted;
}

struct JpegError {
  jpeg_error_mgr mgr;
  jmp_buf jump;
};

void JpegFail(j_common_ptr info) {
  longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}
// Warnings stay quiet, except that data ending before the last pixel (the
// file's end, or the end marker, comes too soon) ends the decoding: a file
// too short for its declared size is refused early.
void JpegWarning(j_common_ptr info, int level) {
  const int code = info->err->msg_code;
  if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) JpegFail(info);
}

SDL_Surface* DecodeJpeg(const std::string& data) {
  jpeg_decompress_struct info{};
  JpegError err{};
  info.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegFail;
  err.mgr.emit_message = JpegWarning;
  SDL_Surface* volatile out = nullptr;
  std::vector<unsigned char> row;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    if (out) SDL_FreeSurface(out);
    return nullptr;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()), data.size());
  jpeg_read_header(&info, TRUE);
  // Before jpeg_start_decompress, which allocates for the declared size.
  if (!SizeIsSane(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    return nullptr;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (!SizeIsSane(info.output_width, info.output_height) || info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return nullptr;
  }
  out =
      SDL_CreateRGBSurfaceWithFormat(0, info.output_width, info.output_height, 32, SDL_PIXELFORMAT_XRGB8888);
  if (!out) {
    jpeg_destroy_decompress(&info);
    return nullptr;
  }
  row.resize(info.output_width * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    int y = info.output_scanline;
    jpeg_read_scanlines(&info, rows, 1);
    auto* px = reinterpret_cast<Uint32*>(static_cast<Uint8*>(out->pixels) + y * out->pitch);
    for (unsigned x = 0; x < info.output_width; ++x)
      px[x] = row[x * 3] << 16 | row[x * 3 + 1] << 8 | row[x * 3 + 2];
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return out;
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

bool Bitmap::LoadFromFile(const std::string& path) {
  // Every failure, a folder or a pipe in the picture's place included, ends
  // here as false: a picture that cannot be read never stops the game.
  std::string data;
  if (ReadRegularFile(path, data, kMaxFileBytes) != 0 || data.size() < 4) return false;
  SDL_Surface* s = nullptr;
  try {
    const auto* d = reinterpret_cast<const unsigned char*>(data.data());
    if (d[0] == 'B' && d[1] == 'M') {
      s = DecodeBmp(data);
    } else if (d[0] == 0xFF && d[1] == 0xD8) {
      s = DecodeJpeg(data);
    }
  } catch (const std::exception&) {
    s = nullptr;  // out of memory for a row buffer
  }
  if (!s) return false;
  if (surface_) SDL_FreeSurface(surface_);
  surface_ = s;
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
