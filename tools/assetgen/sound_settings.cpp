// SOUNDMIX.INI beside the game: the mixer's settings, written only when the
// file is missing so that a player's own settings survive a rebuild.
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "tools/assetgen/assetgen.h"

namespace {

// With the mixer's built-in blocks (3 x 2048 bytes at 11025 a second) a
// sound that starts while another one plays waits for half a second of
// already mixed sound. Two blocks of 512 bytes at 22050 a second hold 46 ms,
// so the typing blip stays with its line, and the sounds keep their highs.
constexpr const char* kSettings =
    "; Settings of the sound effects mixer. Every key is optional.\r\n"
    "; Short blocks let a sound start soon after its event; if the sound\r\n"
    "; stutters, raise WaveBlocks (2 to 6) or WaveBlockLen (512 to 4096).\r\n"
    "; SamplesPerSec: 11, 22 or 44 (thousand samples a second).\r\n"
    "[default]\r\n"
    "WaveBlocks=2\r\n"
    "WaveBlockLen=512\r\n"
    "SamplesPerSec=22\r\n";

void GenerateSoundSettings(const std::string& out) {
  std::string path = out + "/SOUNDMIX.INI";
  if (std::filesystem::exists(path)) return;
  std::ofstream file(path, std::ios::binary);
  file << kSettings;
  if (!file.flush()) throw std::runtime_error("cannot write " + path);
}

static assetgen::Register reg("soundsettings", &GenerateSoundSettings, 11);

}  // namespace
