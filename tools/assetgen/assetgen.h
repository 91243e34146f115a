// The asset generator: draws every picture, synthesizes every sound and
// composes the music, deterministically, into the game's cg/ and dat/.
#pragma once

#include <string>

namespace assetgen {

// A generator writes its files below `out` (the dist folder: out/cg, out/dat).
using GenerateFn = void (*)(const std::string& out);

// Generators register themselves from their own source files.
struct Register {
  Register(const char* name, GenerateFn fn, int order = 100);
};

}  // namespace assetgen
