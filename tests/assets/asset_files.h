// Helpers for the asset checks: reading generated files and running the
// generator into a scratch folder.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace asset_test {

inline std::string DatPath(const std::string& name) {
  return std::string(TEST_DIST_DIR) + "/dat/" + name;
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline uint32_t Le16(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8;
}
inline uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return Le16(b, at) | Le16(b, at + 2) << 16;
}
inline uint32_t Be16(const std::vector<uint8_t>& b, size_t at) {
  return b[at] << 8 | b[at + 1];
}
inline uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
  return Be16(b, at) << 16 | Be16(b, at + 2);
}
inline std::string Tag(const std::vector<uint8_t>& b, size_t at) {
  return at + 4 <= b.size() ? std::string(b.begin() + long(at), b.begin() + long(at) + 4) : "";
}

// A fresh folder under the temp dir, removed with the object.
struct ScratchDir {
  std::filesystem::path path;
  explicit ScratchDir(const std::string& tag)
      : path(std::filesystem::temp_directory_path() /
             ("asset_test_" + tag + "_" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~ScratchDir() { std::filesystem::remove_all(path); }
};

// Runs `assetgen DIR generator`; true when it exits with 0.
inline bool RunGenerator(const std::filesystem::path& dir, const std::string& generator) {
  std::string cmd = "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy '" + std::string(ASSETGEN_BIN) + "' '" +
                    dir.string() + "' " + generator + " >/dev/null";
  return std::system(cmd.c_str()) == 0;
}

// Names in double quotes ending in `extension` in the game's own sources
// (tests excluded): every file the game asks for by name.
inline std::vector<std::string> NamesInGameSources(const std::string& extension) {
  std::vector<std::string> names;
  for (const char* folder : {"app", "content", "game", "view", "inventory", "save", "sound"}) {
    std::filesystem::path root = std::filesystem::path(GAME_SOURCE_DIR) / folder;
    if (!std::filesystem::exists(root)) continue;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
      // Relative to the checkout, whose own path may hold a "tests" folder.
      std::string p = "/" + std::filesystem::relative(entry.path(), GAME_SOURCE_DIR).string();
      if (!entry.is_regular_file() || p.find("/tests/") != std::string::npos) continue;
      std::ifstream f(entry.path());
      std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
      for (size_t end = text.find(extension + "\""); end != std::string::npos;
           end = text.find(extension + "\"", end + 1)) {
        size_t start = text.rfind('"', end);
        if (start == std::string::npos) continue;
        std::string name = text.substr(start + 1, end + extension.size() - start - 1);
        if (name.find_first_of(" \n/\\") == std::string::npos && name.size() > extension.size())
          names.push_back(name);
      }
    }
  }
  return names;
}

}  // namespace asset_test
