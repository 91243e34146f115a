// A small reader for SOUNDMIX.INI: "[section]" lines and "key=value" lines,
// names compared without regard to case, integers read from the start of
// the value. A missing file or key gives the fallback.
#include <cctype>
#include <sstream>

#include "files/regular_file.h"
#include "sound/mixer/internal.h"

namespace {

constexpr size_t kMaxIniBytes = 1 << 20;

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// Leading sign and digits; anything else ends the number ("12ms" is 12, "x" is 0).
int ParseInt(const std::string& v) {
  size_t i = 0;
  bool negative = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) negative = v[i++] == '-';
  long long n = 0;
  for (; i < v.size() && std::isdigit(static_cast<unsigned char>(v[i])); ++i) {
    n = n * 10 + (v[i] - '0');
    if (n > INT32_MAX) n = INT32_MAX;  // huge values saturate instead of wrapping
  }
  return static_cast<int>(negative ? -n : n);
}

}  // namespace

IniFile::IniFile(const std::string& path) {
  // Anything but a regular file of sane size reads as no file: defaults.
  if (ReadRegularFile(path, text_, kMaxIniBytes) != 0) return;
  // Editors on some systems save a UTF-8 mark in front of the first section.
  if (text_.rfind("\xEF\xBB\xBF", 0) == 0) text_.erase(0, 3);
}

int IniFile::GetInt(const std::string& section, const std::string& key, int fallback) const {
  std::istringstream lines(text_);
  std::string line;
  bool in_section = false;
  while (std::getline(lines, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      // The first section of a name wins, as with the system's profile files.
      if (in_section) return fallback;
      in_section = close != std::string::npos && SameName(Trim(line.substr(1, close - 1)), section);
      continue;
    }
    if (!in_section) continue;
    size_t eq = line.find('=');
    if (eq == std::string::npos || !SameName(Trim(line.substr(0, eq)), key)) continue;
    std::string value = Trim(line.substr(eq + 1));
    return value.empty() ? fallback : ParseInt(value);
  }
  return fallback;
}
