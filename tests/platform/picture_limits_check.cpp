// Pictures that are no pictures: a folder, a pipe or a device in a picture's
// place, and tiny files that declare huge sizes. Each is refused at once and
// leaves the bitmap as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/bitmap.h"
#include "platform/picture_decode.h"
#include "tests/platform/hostile_pictures.h"

namespace {

namespace fs = std::filesystem;

struct TempDir {
  fs::path path = fs::temp_directory_path() / ("picolatte_limits_" + std::to_string(getpid()));
  TempDir() { fs::create_directories(path); }
  ~TempDir() { fs::remove_all(path); }
  std::string File(const std::string& name) const { return (path / name).string(); }
};

// An 8-bit BMP of two grey levels, run-length coded or plain, with `pixels`
// following the header as they are (a lying header is the point).
Bytes Bmp8(int32_t w, int32_t h, uint32_t compression, const Bytes& pixels) {
  Bytes v{'B', 'M'};
  const uint32_t offset = 14 + 40 + 2 * 4;
  Le(v, offset + static_cast<uint32_t>(pixels.size()), 4);
  Le(v, 0, 4);
  Le(v, offset, 4);
  Le(v, 40, 4);
  Le(v, static_cast<uint32_t>(w), 4);
  Le(v, static_cast<uint32_t>(h), 4);
  Le(v, 1, 2);
  Le(v, 8, 2);
  Le(v, compression, 4);
  Le(v, static_cast<uint32_t>(pixels.size()), 4);
  Le(v, 2835, 4);
  Le(v, 2835, 4);
  Le(v, 2, 4);  // colours used
  Le(v, 0, 4);
  Le(v, 0x202020, 4);
  Le(v, 0xE0E0E0, 4);
  v.insert(v.end(), pixels.begin(), pixels.end());
  return v;
}

constexpr uint32_t kRle8 = 1;
const Bytes kEndOfBitmap = {0, 1};

// The frame header (SOF0) declares another size than the data holds.
Bytes WithDeclaredSize(Bytes jpeg, int w, int h) {
  EXPECT_TRUE(DeclareJpegSize(jpeg, w, h)) << "no frame header";
  return jpeg;
}

void Write(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// A picture with something to lose.
Bitmap Marked() {
  Bitmap b(3, 3);
  b.SetPixel(1, 1, 0xABCDEF);
  return b;
}

void ExpectUnchanged(const Bitmap& b) {
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 3);
  EXPECT_EQ(b.Pixel(1, 1), 0xABCDEFu);
}

}  // namespace

TEST(PictureFilesNoFile, FolderPipeAndDeviceAreRefusedAtOnce) {
  TempDir dir;
  fs::create_directory(dir.File("folder.bmp"));
  ASSERT_EQ(mkfifo(dir.File("pipe.bmp").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", dir.File("zero.bmp"));
  for (const char* name : {"folder.bmp", "pipe.bmp", "zero.bmp"}) {
    Bitmap b = Marked();
    EXPECT_FALSE(b.LoadFromFile(dir.File(name))) << name;
    ExpectUnchanged(b);
  }
}

TEST(PictureFilesOversized, BmpBeyondTheSizeLimitsIsRefused) {
  TempDir dir;
  struct Case {
    int32_t w, h;
    const char* what;
  };
  for (const Case& c : {Case{16384, 16384, "a 1 KB file declaring 16384 x 16384"},
                        Case{4097, 1, "one pixel wider than 4096"}, Case{1, -4097, "top-down, too tall"},
                        Case{4000, 4001, "sides within 4096, more than 16 million pixels"}}) {
    Write(dir.File("big.bmp"), Bmp8(c.w, c.h, kRle8, kEndOfBitmap));
    Bitmap b = Marked();
    EXPECT_FALSE(b.LoadFromFile(dir.File("big.bmp"))) << c.what;
    ExpectUnchanged(b);
  }
  // At the limits a picture still loads.
  Write(dir.File("wide.bmp"), Bmp8(4096, 2, kRle8, kEndOfBitmap));
  Bitmap wide;
  ASSERT_TRUE(wide.LoadFromFile(dir.File("wide.bmp")));
  EXPECT_EQ(wide.Width(), 4096);
  Write(dir.File("plain.bmp"), Bmp8(4096, 3, 0, Bytes(4096 * 3, 1)));
  Bitmap plain;
  ASSERT_TRUE(plain.LoadFromFile(dir.File("plain.bmp")));
  EXPECT_EQ(plain.Pixel(4095, 2), 0xE0E0E0u);
}

TEST(PictureFilesOversized, PlainBmpMustHoldTheRowsItDeclares) {
  TempDir dir;
  // 100 rows of 100 bytes declared, 99 and a half present.
  Write(dir.File("short.bmp"), Bmp8(100, 100, 0, Bytes(100 * 100 - 50, 1)));
  Bitmap b = Marked();
  EXPECT_FALSE(b.LoadFromFile(dir.File("short.bmp")));
  ExpectUnchanged(b);
  Write(dir.File("full.bmp"), Bmp8(100, 100, 0, Bytes(100 * 100, 1)));
  EXPECT_TRUE(b.LoadFromFile(dir.File("full.bmp")));
  EXPECT_EQ(b.Width(), 100);
}

TEST(PictureFilesOversized, JpegSizeIsCheckedBeforeDecoding) {
  TempDir dir;
  const Bytes small = SmallJpeg(16, 8);
  for (const auto& [w, h] : {std::pair{16000, 16000}, std::pair{4097, 8}, std::pair{4000, 4001}}) {
    Write(dir.File("big.jpg"), WithDeclaredSize(small, w, h));
    Bitmap b = Marked();
    EXPECT_FALSE(b.LoadFromFile(dir.File("big.jpg"))) << w << " x " << h;
    ExpectUnchanged(b);
  }
  // A real picture wider than 4096 is refused as well.
  Write(dir.File("wide.jpg"), SmallJpeg(4100, 8));
  Bitmap b = Marked();
  EXPECT_FALSE(b.LoadFromFile(dir.File("wide.jpg")));
  ExpectUnchanged(b);
}

// Each repeat of a scan costs a pass over every block, in a few bytes: up to
// the limit the picture loads, past it the file is refused before decoding.
TEST(PictureFilesOversized, ProgressiveJpegWithTooManyScansIsRefused) {
  TempDir dir;
  const Bytes jpeg = FlatProgressiveJpeg(1024, 768);  // 10 scans
  for (const auto& [copies, loads] : {std::pair{0, true}, std::pair{kMaxJpegScans - 10, true},
                                      std::pair{kMaxJpegScans - 9, false}, std::pair{2000, false}}) {
    Write(dir.File("scans.jpg"), WithLastScanRepeated(jpeg, copies));
    Bitmap b = Marked();
    EXPECT_EQ(b.LoadFromFile(dir.File("scans.jpg")), loads) << copies << " copies";
    if (loads) {
      EXPECT_EQ(b.Width(), 1024);
      EXPECT_NEAR(static_cast<int>(b.Pixel(512, 384) & 0xFF), 128, 2);
    } else {
      ExpectUnchanged(b);
    }
  }
}

TEST(PictureFilesOversized, JpegWhoseDataEndsEarlyIsRefused) {
  TempDir dir;
  Bytes jpeg = SmallJpeg(256, 256);
  Write(dir.File("whole.jpg"), jpeg);
  Bitmap whole;
  ASSERT_TRUE(whole.LoadFromFile(dir.File("whole.jpg")));
  EXPECT_EQ(whole.Width(), 256);
  jpeg.resize(jpeg.size() / 2);
  Write(dir.File("half.jpg"), jpeg);
  Bitmap b = Marked();
  EXPECT_FALSE(b.LoadFromFile(dir.File("half.jpg")));
  ExpectUnchanged(b);
  // A small frame declared huge: the data ends long before its pixels.
  Write(dir.File("lying.jpg"), WithDeclaredSize(SmallJpeg(16, 8), 4000, 4000));
  EXPECT_FALSE(b.LoadFromFile(dir.File("lying.jpg")));
  ExpectUnchanged(b);
}
