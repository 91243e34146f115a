// Loading WAV files: what is accepted, and the message for each kind of
// broken file, from memory and from disk.
#include <sys/stat.h>

#include "sound/mixer/tests/mixer_fixture.h"

namespace {

class LoadTest : public MixerTest {
 protected:
  void SetUp() override {
    MixerTest::SetUp();
    Start(false);
  }
  // The message of a failed load, from memory and from a file; both must agree.
  std::string LoadError(const std::vector<uint8_t>& bytes) {
    static const uint8_t kNothing = 0;  // an empty file still has an address
    const uint8_t* buffer = bytes.empty() ? &kNothing : bytes.data();
    const std::string from_memory = ErrorOf([&] {
      LoadWave(s, TMemoryFile{buffer, static_cast<uint32_t>(bytes.size())});
    });
    const std::string path = (dir / "broken.wav").string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    EXPECT_EQ(ErrorOf([&] { LoadWave(s, path, kLoadFile); }), from_memory);
    return from_memory;
  }
  TMixWave* LoadFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    TMixWave* w = LoadWave(s, path, kLoadFile);
    waves.push_back(w);
    return w;
  }
};

const std::vector<uint8_t> kPcm = {1, 2, 3, 4};

std::vector<uint8_t> WithChunks(std::initializer_list<std::pair<const char*, std::vector<uint8_t>>> chunks) {
  std::vector<uint8_t> body;
  for (const auto& [id, data] : chunks) PutChunk(body, id, data);
  return Riff(body);
}

}  // namespace

TEST_F(LoadTest, RefusesWhatIsNotAWave) {
  EXPECT_EQ(LoadError({}), "This is not a WAVE file");
  EXPECT_EQ(LoadError({'R', 'I', 'F', 'F'}), "This is not a WAVE file");
  std::vector<uint8_t> avi = Riff({}, "AVI ");
  EXPECT_EQ(LoadError(avi), "This is not a WAVE file");
  std::vector<uint8_t> text(64, 'x');
  EXPECT_EQ(LoadError(text), "This is not a WAVE file");
}

TEST_F(LoadTest, ReportsEachMissingOrBrokenPart) {
  EXPECT_EQ(LoadError(WithChunks({{"data", kPcm}})), "WAVE file is corrupted");
  WavFormat short_fmt;
  short_fmt.fmt_size = 14;
  EXPECT_EQ(LoadError(WithChunks({{"fmt ", FmtBody(short_fmt)}, {"data", kPcm}})),
            "Failed to read format chunk");
  WavFormat float_fmt;
  float_fmt.format_tag = 3;
  float_fmt.bits = 32;
  EXPECT_EQ(LoadError(MakeWav(float_fmt, kPcm)), "The file is not a PCM file");
  EXPECT_EQ(LoadError(WithChunks({{"fmt ", FmtBody({})}})), "WAVE file has no data chunk");
  // A data chunk before the format chunk is not looked for again.
  EXPECT_EQ(LoadError(WithChunks({{"data", kPcm}, {"fmt ", FmtBody({})}})), "WAVE file has no data chunk");
  EXPECT_EQ(LoadError(MakeWav({}, {})), "The data chunk has no data");
  EXPECT_EQ(LoadError(MakeWav({1, 1, 11025, 24}, {1, 2, 3, 4, 5, 6})), "File format not supported");
  // One byte of 16-bit sound is no sample at all.
  EXPECT_EQ(LoadError(MakeWav({1, 1, 11025, 16}, {7})), "Failed to convert wave format");
  // A single sample is a sound, as it is or converted.
  EXPECT_EQ(LoadFile("one.wav", MakeWav({}, {200}))->length, 1);
  EXPECT_EQ(LoadFile("one16.wav", MakeWav({1, 1, 11025, 16}, {0, 0x40}))->length, 1);
}

TEST_F(LoadTest, TruncatedOrLyingDataIsAShortRead) {
  std::vector<uint8_t> file = MakeWav({}, std::vector<uint8_t>(100, 50));
  file.erase(file.end() - 10, file.end());
  EXPECT_EQ(LoadError(file), "Failed to read data chunk");
  // A size near 4 GB must not be allocated before it is found missing.
  std::vector<uint8_t> liar = MakeWav({}, kPcm);
  liar[40] = liar[41] = liar[42] = liar[43] = 0xFF;
  EXPECT_EQ(LoadError(liar), "Failed to read data chunk");
}

TEST_F(LoadTest, SkipsOtherChunksAndTheirPadding) {
  // An odd-sized chunk is padded to an even length before the next one.
  TMixWave* w = LoadFile(
      "list.wav",
      WithChunks({{"LIST", {1, 2, 3}}, {"fmt ", FmtBody({})}, {"fact", {9, 9, 9, 9}}, {"data", kPcm}}));
  EXPECT_EQ(std::vector<uint8_t>(w->data, w->data + w->length), kPcm);
  // A larger format chunk (with the extension size) is left as a whole.
  WavFormat ext;
  ext.fmt_size = 18;
  TMixWave* w2 = LoadFile("ext.wav", MakeWav(ext, kPcm));
  EXPECT_EQ(w2->length, 4);
}

TEST_F(LoadTest, NamesTheSoundAfterItsSourceCutToFifteen) {
  TMixWave* w = LoadFile("a_long_sound_name.wav", MakeWav({}, kPcm));
  const std::string full = (dir / "a_long_sound_name.wav").string();
  EXPECT_EQ(std::string(w->name), full.substr(0, 15));
  EXPECT_EQ(w->name[15], '\0');
  const auto file = MakeWav({}, kPcm);
  TMixWave* m = LoadWave(s, TMemoryFile{file.data(), static_cast<uint32_t>(file.size())});
  waves.push_back(m);
  EXPECT_STREQ(m->name, "");
}

TEST_F(LoadTest, SourcesThatCannotBeOpened) {
  const std::string missing = (dir / "none.wav").string();
  EXPECT_EQ(ErrorOf([&] { LoadWave(s, missing, kLoadFile); }), "Failed to open wave file " + missing);
  EXPECT_EQ(ErrorOf([&] { LoadWave(s, "BEEP", kLoadResource); }), "Failed to open \"WAVE\" resource BEEP");
  EXPECT_EQ(ErrorOf([&] { LoadWave(s, 7, kLoadResource); }), "Failed to open \"WAVE\" resource 7");
  EXPECT_EQ(ErrorOf([&] {
              LoadWave(s, TMemoryFile{nullptr, 10});
            }),
            "Failed to open memory file, mmioOpen error=259.\rMay need to make sure memory is read-write");
}

// A folder, a pipe without writer or an endless device in a sound's place is
// a file that cannot be opened, reported at once.
TEST_F(LoadTest, WhatIsNoRegularFileCannotBeOpened) {
  const std::string folder = (dir / "folder.wav").string();
  const std::string pipe = (dir / "pipe.wav").string();
  const std::string zero = (dir / "zero.wav").string();
  std::filesystem::create_directory(folder);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", zero);
  for (const std::string& path : {folder, pipe, zero})
    EXPECT_EQ(ErrorOf([&] { LoadWave(s, path, kLoadFile); }), "Failed to open wave file " + path);
}

TEST_F(LoadTest, SessionAndDeviceMustBeFit) {
  const auto file = MakeWav({}, kPcm);
  const TMemoryFile memory{file.data(), static_cast<uint32_t>(file.size())};
  EXPECT_EQ(ErrorOf([&] { LoadWave(nullptr, memory); }), "Invalid Session handle");
  TMixSession fake{};
  EXPECT_EQ(ErrorOf([&] { LoadWave(&fake, memory); }), "Invalid Session handle");
  device.format_ok = false;
  EXPECT_EQ(ErrorOf([&] { LoadWave(s, memory); }), "The waveform device can\xB4t play this format");
  EXPECT_EQ(ErrorOf([&] { ReleaseWave(s, nullptr); }), "The given pointer was not valid");
}
