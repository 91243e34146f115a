// The player's window and sound choices, kept in a small settings.ini between
// starts: fullscreen, master volume, mute and the language.
#pragma once

#include <cstddef>
#include <string>

#include "app/lang.h"

inline constexpr int kVolumeStep = 10;                  // percent per press of - or +
inline constexpr size_t kSettingsMaxBytes = 64 * 1024;  // a few lines; more is not a settings file

struct GameSettings {
  bool fullscreen = false;
  int volume = 100;  // 0-100, percent, in steps of kVolumeStep
  bool muted = false;
  Language language = Language::Japanese;
  bool operator==(const GameSettings&) const = default;
};

// The file's text, CR LF free so that any editor keeps it readable.
std::string FormatSettings(const GameSettings& settings);
// Reads the text of a settings file into `settings`. A line that is not a
// comment, a section, a known key with a valid value or an unknown key is
// passed over: its setting keeps the default, and the result is false with
// `why` naming every such line.
bool ParseSettings(const std::string& text, GameSettings& settings, std::string& why);

struct SettingsLoad {
  GameSettings settings;
  std::string problem;  // empty unless the file was unreadable or corrupt
};
// A missing file gives the defaults without a problem. A file that cannot be
// read (not a plain file, over kSettingsMaxBytes) gives the defaults and the
// problem. Bad lines give the defaults for what they held, the problem, and
// the file is written again at once so that the next start does not
// complain again.
SettingsLoad LoadSettings(const std::string& path);
// Creates the folder when needed; false with `why` on failure.
bool SaveSettings(const std::string& path, const GameSettings& settings, std::string& why);

// What the output plays at: 0 when muted.
int EffectiveVolume(const GameSettings& settings);
