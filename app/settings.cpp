// settings.ini: a few "Key=value" lines under [picolatte].
#include "app/settings.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "files/regular_file.h"
#include "save/save_files.h"

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

std::string ReadProblem(int code) {
  switch (code) {
    case EFBIG:
      return "larger than " + std::to_string(kSettingsMaxBytes / 1024) + " KB";
    case EINVAL:
      return "not a plain file";
    case EISDIR:
      return "a folder";
    default:
      return std::strerror(code);
  }
}

}  // namespace

std::string FormatSettings(const GameSettings& s) {
  std::ostringstream out;
  out << "; ピコラッテ: window, sound and language, written when the game closes.\n"
      << "[picolatte]\n"
      << "Fullscreen=" << (s.fullscreen ? 1 : 0) << "\n"
      << "Volume=" << s.volume << "\n"
      << "Muted=" << (s.muted ? 1 : 0) << "\n"
      << "Language=" << LanguageCode(s.language) << "\n";
  return out.str();
}

bool ParseSettings(const std::string& text, GameSettings& settings, std::string& why) {
  GameSettings read;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  why.clear();
  // One bad line costs only what it held: the other choices stay.
  auto bad = [&](const std::string& what) {
    if (!why.empty()) why += "; ";
    why += "line " + std::to_string(number) + what;
  };
  while (std::getline(in, line)) {
    ++number;
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line == "[picolatte]") continue;
    size_t eq = line.find('=');
    if (eq == std::string::npos) {
      bad(" is not Key=value");
      continue;
    }
    std::string key = Trim(line.substr(0, eq));
    std::string value = Trim(line.substr(eq + 1));
    int v = 0;
    bool ok = true;
    if (key == "Fullscreen") {
      if ((ok = ParseInt(value, 0, 1, v))) read.fullscreen = v != 0;
    } else if (key == "Volume") {
      if ((ok = ParseInt(value, 0, 100, v) && v % kVolumeStep == 0)) read.volume = v;
    } else if (key == "Muted") {
      if ((ok = ParseInt(value, 0, 1, v))) read.muted = v != 0;
    } else if (key == "Language") {
      ok = ParseLanguage(value, read.language);
    }  // keys of later versions are skipped
    if (!ok) bad(": bad value for " + key + ", the default is used");
  }
  settings = read;
  return why.empty();
}

SettingsLoad LoadSettings(const std::string& path) {
  SettingsLoad result;
  std::string text;
  // A few lines: anything bigger, or not a plain file, is not ours.
  if (int code = ReadRegularFile(path, text, kSettingsMaxBytes); code != 0) {
    if (code != ENOENT) result.problem = path + ": " + ReadProblem(code) + "; the defaults are used";
    return result;
  }
  std::string why;
  if (!ParseSettings(text, result.settings, why)) {
    result.problem = path + ": " + why;
    // Written back at once so that the next start does not complain again.
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
  // The same writer as the progress: a new file of its own, renamed over.
  FileError error = WriteFileAtomic(path, FormatSettings(settings));
  if (error.failed()) {
    why = path + ": " + std::strerror(error.code);
    return false;
  }
  return true;
}

int EffectiveVolume(const GameSettings& settings) {
  return settings.muted ? 0 : settings.volume;
}
