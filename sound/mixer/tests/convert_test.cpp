// Converting loaded sounds to the session's format, byte for byte.
#include <cstdlib>
#include <cstring>

#include "sound/mixer/tests/mixer_fixture.h"

namespace {

TPcmFormat Format(uint16_t channels, uint32_t rate, uint16_t bits) {
  TPcmFormat f;
  f.channels = channels;
  f.samples_per_sec = rate;
  f.bits_per_sample = bits;
  f.block_align = static_cast<uint16_t>(channels * bits / 8);
  f.bytes_per_sec = rate * f.block_align;
  return f;
}

std::vector<uint8_t> Convert(const TPcmFormat& from, const TPcmFormat& to, const std::vector<uint8_t>& in) {
  auto* data = static_cast<uint8_t*>(std::malloc(in.size()));
  std::memcpy(data, in.data(), in.size());
  int32_t length = static_cast<int32_t>(in.size());
  ConvertWave(from, to, data, length);
  std::vector<uint8_t> out(data, data + length);
  std::free(data);
  return out;
}

const TPcmFormat kMono11 = Format(1, 11025, 8);

}  // namespace

TEST_F(MixerTest, SixteenBitStereo22050BecomesAQuarterAsEightBitMono11025) {
  Start(false);
  // High bytes: L 0x10 0xE0 0x7F 0x01, R 0x30 0x00 0x7F 0x80.
  const auto pcm = Samples16({0x1000, 0x3000, -0x2000, 0x0000, 0x7F00, 0x7F00, 0x0100, -0x8000});
  const auto file = MakeWav({1, 2, 22050, 16}, pcm);
  TMixWave* w = LoadWave(s, TMemoryFile{file.data(), static_cast<uint32_t>(file.size())});
  waves.push_back(w);
  // Unsigned: 144 96 255 129 / 176 128 255 0; mono: 160 112 255 64;
  // groups of 2: 128 + (32 - 16) / 2 = 136, then the last group's first frame.
  ASSERT_EQ(w->length, 2);
  EXPECT_EQ(w->data[0], 136);
  EXPECT_EQ(w->data[1], 255);
  EXPECT_EQ(w->source_format.channels, 2);
  EXPECT_EQ(w->source_format.samples_per_sec, 22050u);
  EXPECT_EQ(w->source_format.bits_per_sample, 16);
}

TEST(WaveConvert, FromFortyFourKiloGroupsOfFourTruncatingTowardZero) {
  // -105 / 4 is -26 toward zero (not -27); the ninth frame is left over.
  const std::vector<uint8_t> in = {100, 101, 102, 104, 127, 127, 127, 126, 50};
  EXPECT_EQ(Convert(Format(1, 44100, 8), kMono11, in), (std::vector<uint8_t>{102, 127}));
  // Groups of two at 22050, averaging stereo frames channel by channel.
  const std::vector<uint8_t> st = {10, 200, 30, 100, 90, 90, 0, 0};
  EXPECT_EQ(Convert(Format(2, 22050, 8), Format(2, 11025, 8), st), (std::vector<uint8_t>{20, 150, 90, 90}));
}

TEST(WaveConvert, UpwardsRampsEachFrameAndRepeatsTheLast) {
  // d = (111 - 100) / 2 = 5, (90 - 111) / 2 = -10 toward zero, (200 - 90) / 2 = 55.
  const std::vector<uint8_t> in = {100, 111, 90, 200};
  EXPECT_EQ(Convert(Format(1, 22050, 8), Format(1, 44100, 8), in),
            (std::vector<uint8_t>{100, 105, 111, 101, 90, 145, 200, 200}));
  // Mono to stereo first (each sample twice), then 11025 to 44100 in fours.
  EXPECT_EQ(Convert(kMono11, Format(2, 44100, 8), {0, 40}),
            (std::vector<uint8_t>{0, 0, 10, 10, 20, 20, 30, 30, 40, 40, 40, 40, 40, 40, 40, 40}));
}

TEST(WaveConvert, SixteenBitIsTheHighByteMadeUnsigned) {
  EXPECT_EQ(Convert(Format(1, 11025, 16), kMono11, Samples16({-32768, -1, 0, 255, 256, 32767})),
            (std::vector<uint8_t>{0, 127, 128, 128, 129, 255}));
  // A trailing odd byte is no sample.
  auto odd = Samples16({0x4000});
  odd.push_back(0x7F);
  EXPECT_EQ(Convert(Format(1, 11025, 16), kMono11, odd), (std::vector<uint8_t>{0xC0}));
}

TEST(WaveConvert, StereoToMonoRoundsDown) {
  EXPECT_EQ(Convert(Format(2, 11025, 8), kMono11, {0, 1, 255, 254, 128, 129, 7}),
            (std::vector<uint8_t>{0, 254, 128}));
}

TEST(WaveConvert, FactorOneCopiesSoOddRatesPlayAtTheOutputRate) {
  const std::vector<uint8_t> in = {1, 2, 3, 200};
  EXPECT_EQ(Convert(Format(1, 8000, 8), kMono11, in), in);   // 11025 / 8000 = 1
  EXPECT_EQ(Convert(Format(1, 16000, 8), kMono11, in), in);  // (16000 + 5512) / 11025 = 1
}

TEST(WaveConvert, SameFormatKeepsTheVeryBlock) {
  auto* data = static_cast<uint8_t*>(std::malloc(3));
  data[0] = 9;
  uint8_t* before = data;
  int32_t length = 3;
  ConvertWave(kMono11, kMono11, data, length);
  EXPECT_EQ(data, before);
  EXPECT_EQ(length, 3);
  std::free(data);
}

TEST(WaveConvert, OnlyEightAndSixteenBitsAndOneOrTwoChannels) {
  for (const TPcmFormat& f : {Format(1, 11025, 24), Format(1, 11025, 32), Format(1, 22050, 12),
                              Format(3, 11025, 8), Format(1, 0, 16)}) {
    auto* data = static_cast<uint8_t*>(std::malloc(12));
    int32_t length = 12;
    EXPECT_EQ(ErrorOf([&] { ConvertWave(f, kMono11, data, length); }), "File format not supported");
    EXPECT_EQ(data, nullptr);  // freed by the converter
  }
}

// A converted sound may take at most 64 MB: a rate of 2 per second ramps
// each frame into 5512 (11025 / 2), so 12175 frames just fit and 12176 do not.
// The refused one is refused before anything is allocated for it.
TEST(WaveConvert, ResultsBeyondSixtyFourMegabytesAreNotSupported) {
  const TPcmFormat slow = Format(1, 2, 8);
  const std::vector<uint8_t> fits(12175, 128);
  EXPECT_EQ(Convert(slow, kMono11, fits).size(), 12175u * 5512u);
  for (const auto& [from, bytes] :
       {std::pair{slow, 12176}, std::pair{Format(1, 1, 8), 97000}, std::pair{Format(1, 1, 16), 2 * 97000}}) {
    auto* data = static_cast<uint8_t*>(std::malloc(bytes));
    int32_t length = bytes;
    EXPECT_EQ(ErrorOf([&] { ConvertWave(from, kMono11, data, length); }), "File format not supported");
    EXPECT_EQ(data, nullptr);
  }
  // Mono to stereo counts too.
  const TPcmFormat stereo11 = Format(2, 11025, 8);
  auto* data = static_cast<uint8_t*>(std::malloc((32 << 20) + 1));
  int32_t length = (32 << 20) + 1;
  EXPECT_EQ(ErrorOf([&] { ConvertWave(Format(1, 22050, 8), stereo11, data, length); }),
            "File format not supported");
  EXPECT_EQ(data, nullptr);
  // A step's result of exactly 64 MB is still a sound.
  EXPECT_EQ(Convert(Format(1, 22050, 8), stereo11, std::vector<uint8_t>(32 << 20, 128)).size(), 32u << 20);
}

TEST_F(MixerTest, EightBitMono11025IsUsedAsIs) {
  Start(false);
  const std::vector<uint8_t> pcm = {0, 1, 2, 128, 254, 255, 77};
  const auto file = MakeWav({}, pcm);
  TMixWave* w = LoadWave(s, TMemoryFile{file.data(), static_cast<uint32_t>(file.size())});
  waves.push_back(w);
  EXPECT_EQ(std::vector<uint8_t>(w->data, w->data + w->length), pcm);
  EXPECT_EQ(w->spare[0] | w->spare[1] | w->spare[2], 0);
}

TEST_F(MixerTest, SessionAt44100RampsA22050FileIntoTwos) {
  WriteIni("[default]\nSamplesPerSec=44\n");
  Start(false);
  const auto file = MakeWav({1, 1, 22050, 8}, {10, 20, 30});
  TMixWave* w = LoadWave(s, TMemoryFile{file.data(), static_cast<uint32_t>(file.size())});
  waves.push_back(w);
  EXPECT_EQ(std::vector<uint8_t>(w->data, w->data + w->length),
            (std::vector<uint8_t>{10, 15, 20, 25, 30, 30}));
}
