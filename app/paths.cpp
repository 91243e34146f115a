// The portable layout: the game's folder holds everything.
#include "app/paths.h"

#include "save/save_files.h"

GamePaths PortablePaths(const std::string& base_dir) {
  GamePaths paths;
  paths.cg = base_dir + "cg/";
  paths.dat = base_dir + "dat/";
  paths.save = paths.dat;
  paths.sheet = base_dir + kResultsSheetName;
  paths.mixer_ini = base_dir + "SOUNDMIX.INI";
  return paths;
}
