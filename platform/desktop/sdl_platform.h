// The desktop: an SDL window, SDL's audio device and FluidSynth's music.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

// The real window. Prints one warning on stderr and falls back to silence
// when there is no audio device.
std::unique_ptr<Platform> CreateSdlPlatform(const std::string& base_dir);
