// settings.ini: a few "Key=value" lines under [picolatte].
#include "app/settings.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace {

std::string Trim(const std::string& s) {
  size_t begin = s.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return "";
  size_t end = s.find_last_not_of(" \t\r");
  return s.substr(begin, end - begin + 1);
}

bool ParseInt(const std::string& text, int lo, int hi, int& value) {
  int v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < lo || v > hi) return false;
  value = v;
  return true;
}

}  // namespace

std::string FormatSettings(const GameSettings& s) {
  std::ostringstream out;
  out << "; ピコラッテ: window and sound, written when the game closes.\n"
      << "[picolatte]\n"
      << "Fullscreen=" << (s.fullscreen ? 1 : 0) << "\n"
      << "Volume=" << s.volume << "\n"
      << "Muted=" << (s.muted ? 1 : 0) << "\n";
  return out.str();
}

bool ParseSettings(const std::string& text, GameSettings& settings, std::string& why) {
  GameSettings read;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line == "[picolatte]") continue;
    size_t eq = line.find('=');
    if (eq == std::string::npos) {
      why = "line " + std::to_string(number) + " is not Key=value";
      return false;
    }
    std::string key = Trim(line.substr(0, eq));
    std::string value = Trim(line.substr(eq + 1));
    int v = 0;
    bool ok = true;
    if (key == "Fullscreen") {
      ok = ParseInt(value, 0, 1, v);
      read.fullscreen = v != 0;
    } else if (key == "Volume") {
      ok = ParseInt(value, 0, 100, v) && v % kVolumeStep == 0;
      read.volume = v;
    } else if (key == "Muted") {
      ok = ParseInt(value, 0, 1, v);
      read.muted = v != 0;
    }  // keys of later versions are skipped
    if (!ok) {
      why = "line " + std::to_string(number) + ": bad value for " + key;
      return false;
    }
  }
  settings = read;
  return true;
}

SettingsLoad LoadSettings(const std::string& path) {
  SettingsLoad result;
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    if (errno != ENOENT) result.problem = path + ": " + std::strerror(errno);
    return result;
  }
  std::ostringstream text;
  text << file.rdbuf();
  std::string why;
  if (!ParseSettings(text.str(), result.settings, why)) {
    result.problem = path + ": " + why + "; the defaults are used";
    result.settings = GameSettings{};
    std::string save_why;
    if (!SaveSettings(path, result.settings, save_why)) result.problem += " (" + save_why + ")";
  }
  return result;
}

bool SaveSettings(const std::string& path, const GameSettings& settings, std::string& why) {
  std::error_code ec;
  auto folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  if (ec) {
    why = folder.string() + ": " + ec.message();
    return false;
  }
  // Written beside and renamed over, so a full disk never leaves half a file.
  std::string temp = path + ".new";
  {
    std::ofstream file(temp, std::ios::binary | std::ios::trunc);
    file << FormatSettings(settings);
    if (!file.flush()) {
      why = temp + ": " + std::strerror(errno);
      file.close();
      std::filesystem::remove(temp, ec);
      return false;
    }
  }
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    why = path + ": " + ec.message();
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

int EffectiveVolume(const GameSettings& settings) {
  return settings.muted ? 0 : settings.volume;
}
