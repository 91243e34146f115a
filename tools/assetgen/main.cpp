// assetgen OUT_DIR [generator ...]: runs every registered generator (or only
// the named ones) and writes the game's assets below OUT_DIR.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/assetgen/assetgen.h"

namespace assetgen {
namespace {
struct Entry {
  const char* name;
  GenerateFn fn;
  int order;
};
std::vector<Entry>& Registry() {
  static std::vector<Entry> entries;
  return entries;
}
}  // namespace

Register::Register(const char* name, GenerateFn fn, int order) {
  Registry().push_back({name, fn, order});
}

}  // namespace assetgen

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: assetgen OUT_DIR [generator ...]\n");
    return 2;
  }
  std::string out = argv[1];
  std::filesystem::create_directories(out + "/cg");
  std::filesystem::create_directories(out + "/dat");
  auto entries = assetgen::Registry();
  std::stable_sort(entries.begin(), entries.end(), [](auto& a, auto& b) { return a.order < b.order; });
  std::vector<std::string> only(argv + 2, argv + argc);
  try {
    for (auto& e : entries) {
      if (!only.empty() && std::find(only.begin(), only.end(), e.name) == only.end()) continue;
      e.fn(out);
    }
  } catch (const std::exception& ex) {
    std::fprintf(stderr, "assetgen: %s\n", ex.what());
    return 1;
  }
  return 0;
}
