// The bytes of the game's font file as installed by the scripts, or none.
#pragma once

#include <cstdio>
#include <vector>

inline std::vector<char> ReadGameFont() {
  std::vector<char> bytes;
  std::FILE* f = std::fopen("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf", "rb");
  if (!f) return bytes;
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  std::fclose(f);
  return bytes;
}
