// The save files that ship with the game: a fresh dat/my.dat and dat/name.dat,
// written only when they are missing (a rebuild keeps the player's progress).
#include "save/save_files.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "tools/assetgen/assetgen.h"

namespace {

void GenerateSaveFiles(const std::string& out) {
  FileError error = CreateDeliveredSaveFiles(out + "/dat");
  if (error.failed())
    throw std::runtime_error("save files: " + error.path + ": " + std::strerror(error.code));
}

static assetgen::Register reg("savefiles", &GenerateSaveFiles, 10);

}  // namespace
