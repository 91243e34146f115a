// Pictures read from files: every BMP depth Windows writes, JPEG, and files
// that are broken in ways a player's disk can break them.
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/bitmap.h"

namespace {

namespace fs = std::filesystem;

struct TempDir {
  fs::path path = fs::temp_directory_path() / ("picolatte_pics_" + std::to_string(getpid()));
  TempDir() { fs::create_directories(path); }
  ~TempDir() { fs::remove_all(path); }
  std::string File(const std::string& name) const { return (path / name).string(); }
};

void Le(std::vector<unsigned char>& v, uint32_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) v.push_back((x >> (8 * i)) & 0xFF);
}

// A 4 x 2 BMP with the given depth; pixel (x, y) has palette index
// (x + y) % colours, or for true colour the colour table entry itself.
std::vector<unsigned char> MakeBmp(int bits, const std::vector<uint32_t>& colours) {
  const int w = 4, h = 2;
  int stride = ((w * bits + 31) / 32) * 4;
  int palette = bits <= 8 ? (1 << bits) : 0;
  std::vector<unsigned char> v{'B', 'M'};
  uint32_t offset = 54 + palette * 4;
  Le(v, offset + stride * h, 4);
  Le(v, 0, 4);
  Le(v, offset, 4);
  Le(v, 40, 4);
  Le(v, w, 4);
  Le(v, h, 4);
  Le(v, 1, 2);
  Le(v, bits, 2);
  Le(v, 0, 4);
  Le(v, stride * h, 4);
  Le(v, 2835, 4);
  Le(v, 2835, 4);
  Le(v, palette, 4);
  Le(v, 0, 4);
  for (int i = 0; i < palette; ++i) Le(v, i < static_cast<int>(colours.size()) ? colours[i] : 0, 4);
  for (int y = h - 1; y >= 0; --y) {
    std::vector<unsigned char> row(stride, 0);
    for (int x = 0; x < w; ++x) {
      int index = (x + y) % static_cast<int>(colours.size());
      uint32_t c = colours[index];
      switch (bits) {
        case 1: row[x / 8] |= index << (7 - x % 8); break;
        case 4: row[x / 2] |= index << (x % 2 ? 0 : 4); break;
        case 8: row[x] = index; break;
        case 24:
          row[x * 3] = c & 0xFF;
          row[x * 3 + 1] = (c >> 8) & 0xFF;
          row[x * 3 + 2] = (c >> 16) & 0xFF;
          break;
        case 32:
          for (int k = 0; k < 4; ++k) row[x * 4 + k] = (c >> (8 * k)) & 0xFF;
          break;
      }
    }
    v.insert(v.end(), row.begin(), row.end());
  }
  return v;
}

void Write(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

class PictureFiles : public ::testing::TestWithParam<int> {};

TEST_P(PictureFiles, EveryBmpDepthReadsTheSameColours) {
  int bits = GetParam();
  std::vector<uint32_t> colours = {0xFF0000, 0x00FF00};
  if (bits >= 4) colours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  TempDir dir;
  Write(dir.File("p.bmp"), MakeBmp(bits, colours));
  Bitmap b;
  ASSERT_TRUE(b.LoadFromFile(dir.File("p.bmp")));
  ASSERT_EQ(b.Width(), 4);
  ASSERT_EQ(b.Height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(b.Pixel(x, y), colours[(x + y) % colours.size()] & 0xFFFFFF) << bits << " bits at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Depths, PictureFiles, ::testing::Values(1, 4, 8, 24, 32));

TEST(PictureFilesRoundTrip, SavedBmpReadsBackExactly) {
  TempDir dir;
  Bitmap b(7, 3);  // odd width: rows are padded
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) b.SetPixel(x, y, (x * 37) << 16 | (y * 91) << 8 | (x * y));
  ASSERT_TRUE(b.SaveToBmp(dir.File("r.bmp")));
  Bitmap back;
  ASSERT_TRUE(back.LoadFromFile(dir.File("r.bmp")));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(back.Pixel(x, y), b.Pixel(x, y));
}

TEST(PictureFilesRoundTrip, JpegIsReadCloseToItsColours) {
  TempDir dir;
  std::string path = dir.File("j.jpg");
  {
    jpeg_compress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    jpeg_stdio_dest(&info, f);
    info.image_width = 16;
    info.image_height = 8;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(16 * 3);
    for (int i = 0; i < 16; ++i) row[i * 3] = 200, row[i * 3 + 1] = 40, row[i * 3 + 2] = 90;
    while (info.next_scanline < 8) {
      JSAMPROW rows[1] = {row.data()};
      jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(f);
  }
  Bitmap b;
  ASSERT_TRUE(b.LoadFromFile(path));
  EXPECT_EQ(b.Width(), 16);
  Rgb p = b.Pixel(8, 4);
  EXPECT_NEAR(static_cast<int>(p >> 16), 200, 6);
  EXPECT_NEAR(static_cast<int>((p >> 8) & 0xFF), 40, 6);
  EXPECT_NEAR(static_cast<int>(p & 0xFF), 90, 6);
}

TEST(PictureFilesBroken, AFailedLoadLeavesThePictureAsItWas) {
  TempDir dir;
  Bitmap b(3, 3);
  b.SetPixel(1, 1, 0xABCDEF);
  std::vector<unsigned char> good = MakeBmp(24, {0xFF0000, 0x00FF00});
  std::vector<std::vector<unsigned char>> broken = {
      {},                                                // empty file
      {'B', 'M', 1, 2, 3},                               // header cut short
      std::vector<unsigned char>(good.begin(), good.begin() + 60),  // pixels missing
      {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I'},  // JPEG cut short
      {'G', 'I', 'F', '8', '9', 'a', 0, 0},              // some other format
  };
  std::vector<unsigned char> huge = good;
  huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;  // absurd width
  broken.push_back(huge);
  for (size_t i = 0; i < broken.size(); ++i) {
    Write(dir.File("bad.bmp"), broken[i]);
    EXPECT_FALSE(b.LoadFromFile(dir.File("bad.bmp"))) << "case " << i;
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Pixel(1, 1), 0xABCDEFu);
  }
  EXPECT_FALSE(b.LoadFromFile(dir.File("missing.bmp")));
  EXPECT_EQ(b.Pixel(1, 1), 0xABCDEFu);
}

}  // namespace
