// What the canvas keeps of the text it has drawn and measured: rendered runs
// as coverage and measured sizes, each keyed by (pixel size, bold, text) and
// bounded; the least recently used go first.
#pragma once

#include <cstddef>

inline constexpr size_t kTextCacheEntries = 512;    // per cache
inline constexpr size_t kTextCacheBytes = 4 << 20;  // per cache, about

struct TextCacheUse {
  size_t runs = 0;       // rendered runs held
  size_t run_bytes = 0;  // their coverage and bookkeeping
  size_t sizes = 0;      // measured sizes held
};
TextCacheUse TextCacheUsage();
