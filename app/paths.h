// Where the game's files are: the shipped pictures and sounds, and the
// player's own files (progress, name list, results sheet, mixer settings).
// Portable play keeps everything beside the executable.
#pragma once

#include <string>

struct GamePaths {
  std::string cg;         // folder of the pictures, ends in '/'
  std::string dat;        // folder of the sounds and music, ends in '/'
  std::string save;       // folder of my.dat and name.dat, ends in '/'
  std::string sheet;      // full path of the results sheet 成績.txt
  std::string mixer_ini;  // full path of SOUNDMIX.INI (need not exist)
};

// Everything under `base_dir` (which ends in '/'): cg/, dat/, the sheet and
// SOUNDMIX.INI beside them.
GamePaths PortablePaths(const std::string& base_dir);
