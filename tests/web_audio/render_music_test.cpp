// The music rendered for the browser ends where the desktop's player reports
// the end of the same piece, so the game restarts it at the same point on
// both; and a broken call leaves no half-written file behind.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/desktop/fluid_music.h"

namespace fs = std::filesystem;

namespace {

const fs::path kScript = fs::path(TEST_SOURCE_DIR) / "scripts" / "render_music";

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint64_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint64_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + i];
  return v;
}

// Seconds of an Ogg Vorbis file: the last page's sample count over the rate
// of the identification header. -1 when the file is not that.
double OggSeconds(const std::vector<uint8_t>& b) {
  static const uint8_t kId[] = {1, 'v', 'o', 'r', 'b', 'i', 's'};
  if (b.size() < 58 || !std::equal(b.begin(), b.begin() + 4, "OggS")) return -1;
  size_t id = 27 + b[26];  // the first page's body, after its segment table
  if (id + 16 > b.size() || !std::equal(kId, kId + 7, b.begin() + id)) return -1;
  uint64_t rate = Le(b, id + 12, 4);
  for (size_t at = b.size() - 27; at > 0; --at) {
    if (std::equal(b.begin() + at, b.begin() + at + 4, "OggS") && rate > 0) {
      return static_cast<double>(Le(b, at + 6, 8)) / rate;
    }
  }
  return -1;
}

constexpr int kRate = 44100;
constexpr long kLoudnessFrames = 10L * kRate;  // the first ten seconds

double Rms(const std::vector<int16_t>& samples) {
  double sum = 0;
  for (int16_t v : samples) sum += static_cast<double>(v) * v;
  return samples.empty() ? 0 : std::sqrt(sum / samples.size());
}

// What the desktop's player makes of a piece: the seconds until it reports
// the end, and the loudness of its start.
struct Desktop {
  double seconds = -1;
  double rms = 0;
};

Desktop DesktopPlay(const std::string& midi) {
  Desktop d;
  auto music = FluidMusic::Create(kRate, "/usr/share/sounds/sf2/TimGM6mb.sf2");
  if (!music || !music->Open(midi) || !music->Play()) return d;
  std::vector<int16_t> start, chunk(512 * 2);
  uint32_t generation = 0;
  for (long played = 0; played < kRate * 600L; played += 512) {
    std::fill(chunk.begin(), chunk.end(), 0);
    bool ended = music->MixInto(chunk.data(), 512, generation);
    if (played < kLoudnessFrames) start.insert(start.end(), chunk.begin(), chunk.end());
    if (ended) {
      d.seconds = (played + 512.0) / kRate;
      break;
    }
  }
  d.rms = Rms(start);
  return d;
}

// The loudness of the start of an Ogg file, decoded by oggdec.
double OggStartRms(const fs::path& ogg) {
  fs::path raw = ogg.string() + ".raw";
  std::string command = "oggdec -Q -R -o " + raw.string() + " " + ogg.string();
  if (std::system(command.c_str()) != 0) return 0;
  std::vector<uint8_t> bytes = ReadAll(raw);
  fs::remove(raw);
  std::vector<int16_t> samples;
  for (size_t i = 0; i + 1 < bytes.size() && samples.size() < kLoudnessFrames * 2; i += 2) {
    samples.push_back(static_cast<int16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  return Rms(samples);
}

class RenderMusic : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::access(kScript.c_str(), X_OK), 0) << kScript;
    out = fs::temp_directory_path() / ("render_music_" + std::to_string(::getpid()));
    fs::remove_all(out);
  }
  void TearDown() override { fs::remove_all(out); }
  // The script's exit status; -1 when it did not exit by itself.
  int Run(const std::string& args) {
    std::string command = kScript.string() + " " + args + " >" + (out.string() + ".log") + " 2>&1";
    int status = std::system(command.c_str());
    fs::remove(out.string() + ".log");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  fs::path out;
};

TEST_F(RenderMusic, EveryPieceEndsWhereTheDesktopEndsItAtTheSameLoudness) {
  ASSERT_EQ(Run(std::string(TEST_DIST_DIR) + " " + out.string()), 0);
  for (const char* name : {"col", "shop", "star"}) {
    SCOPED_TRACE(name);
    fs::path ogg = out / (std::string(name) + ".ogg");
    Desktop desktop = DesktopPlay(std::string(TEST_DIST_DIR) + "/dat/" + name + ".mid");
    ASSERT_GT(desktop.seconds, 5.0);
    // The desktop sees the end at its next 512-frame callback: 11.6 ms.
    EXPECT_NEAR(OggSeconds(ReadAll(ogg)), desktop.seconds, 0.05);
    // The same gain: the compression changes the loudness only a little.
    ASSERT_GT(desktop.rms, 100.0);
    EXPECT_NEAR(OggStartRms(ogg) / desktop.rms, 1.0, 0.1);
  }
  EXPECT_FALSE(fs::exists(out / "col.ogg.part"));
}

TEST_F(RenderMusic, BadCallsFailAndWriteNothing) {
  EXPECT_EQ(Run(out.string()), 2);  // no output folder given
  fs::path empty = out / "no_dist";
  fs::create_directories(empty / "dat");
  EXPECT_EQ(Run(empty.string() + " " + (out / "ogg").string()), 1);  // no .mid to render
  std::ofstream(empty / "dat" / "col.mid") << "not a MIDI file";
  EXPECT_EQ(Run(empty.string() + " " + (out / "ogg").string() + " col"), 1);
  EXPECT_FALSE(fs::exists(out / "ogg" / "col.ogg"));
}

}  // namespace
