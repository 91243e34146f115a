// Where the player's own files live. Played from its own folder (a build tree
// or an unpacked copy with a writable dat/) the game keeps everything beside
// the executable; installed, the pictures and sounds are read-only under
// ../share/games/picolatte and the progress goes to the player's home.
#pragma once

#include <string>
#include <vector>

#include "app/paths.h"

// The variables that decide the home folders; empty means unset.
struct HomeEnvironment {
  std::string home;             // $HOME
  std::string xdg_data_home;    // $XDG_DATA_HOME
  std::string xdg_config_home;  // $XDG_CONFIG_HOME
};

struct PlayerFiles {
  GamePaths paths;
  std::string shipped;   // folder of the shipped cg/, dat/ and defaults, ends in '/'
  std::string settings;  // full path of settings.ini (window and volume)
  bool installed = false;
  std::vector<std::string> problems;  // one line each, for stderr at start
};

// Decides the layout for an executable in `exe_dir` (ends in '/') and, when
// installed, makes the player's folders and copies each shipped default
// (my.dat, name.dat) that the player does not have yet. Never replaces a file
// that exists. A home that cannot be written is listed in `problems`; the
// game then reads the shipped defaults where the player has no copy, and its
// saves to the player's folder fail with their reason.
PlayerFiles LocatePlayerFiles(const std::string& exe_dir, const HomeEnvironment& env);

// The variables of this process (HOME falls back to the password database).
HomeEnvironment CurrentHomeEnvironment();
