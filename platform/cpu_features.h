// Which vector units this machine has, asked once. Loops built for AVX2
// (with __attribute__((target("avx2")))) are only called where it is there.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__)
#define PICOLATTE_X86_VECTORS 1

inline bool HasAvx2() {
  static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
  return has;
}
#endif
