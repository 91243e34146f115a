// Text blending, eight pixels at a time with AVX2 or SSE2 on x86-64, one at
// a time elsewhere; all give the same pixels.
#include "platform/text_blend.h"

#include "platform/cpu_features.h"

#ifdef PICOLATTE_X86_VECTORS
#include <immintrin.h>
#endif

namespace {

// Red and blue side by side in one multiply, green in another.
void BlendScalar(uint32_t* out, const uint8_t* cover, int n, uint32_t color) {
  for (int x = 0; x < n; ++x) {
    uint32_t a = cover[x];
    if (a == 255) {
      out[x] = color;
    } else if (a != 0) {
      uint32_t p = out[x], na = 255 - a;
      ++a;
      uint32_t rb = (((color & 0xFF00FF) * a + (p & 0xFF00FF) * na) >> 8) & 0xFF00FF;
      uint32_t g = (((color & 0x00FF00) * a + (p & 0x00FF00) * na) >> 8) & 0x00FF00;
      out[x] = rb | g;
    }
  }
}

#ifdef PICOLATTE_X86_VECTORS
// Both vector units work on each channel in 16 bits. With wc = a + 1 (0
// where a is 0, which leaves the pixel as it was) the blend is
// (colour * wc + pixel * (256 - wc)) >> 8 = pixel + ((colour - pixel) * wc >> 8),
// and that last term is the high half of ((colour - pixel) << 7) * (wc << 1),
// both factors fitting in 16 bits.

// Eight weights wc << 1 from eight coverage bytes.
inline __m128i Weights(const uint8_t* cover) {
  const __m128i zero = _mm_setzero_si128();
  __m128i a = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cover)), zero);
  __m128i wc = _mm_add_epi16(_mm_add_epi16(a, _mm_set1_epi16(1)), _mm_cmpeq_epi16(a, zero));
  return _mm_slli_epi16(wc, 1);
}

// Whole blocks of eight of `n` pixels; returns how many it did.
int BlendSse2(uint32_t* out, const uint8_t* cover, int n, uint32_t color) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i color7 = _mm_slli_epi16(_mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(color)), zero), 7);
  int x = 0;
  for (; x + 8 <= n; x += 8) {
    __m128i wc = Weights(cover + x);
    // Each pixel's weight in all four of its channels, two pixels a register.
    __m128i lo = _mm_unpacklo_epi16(wc, wc), hi = _mm_unpackhi_epi16(wc, wc);
    const __m128i weights[4] = {_mm_unpacklo_epi32(lo, lo), _mm_unpackhi_epi32(lo, lo),
                                _mm_unpacklo_epi32(hi, hi), _mm_unpackhi_epi32(hi, hi)};
    for (int half = 0; half < 2; ++half) {
      __m128i* at = reinterpret_cast<__m128i*>(out + x + 4 * half);
      __m128i px = _mm_loadu_si128(at);
      __m128i p0 = _mm_unpacklo_epi8(px, zero), p1 = _mm_unpackhi_epi8(px, zero);
      __m128i d0 = _mm_sub_epi16(color7, _mm_slli_epi16(p0, 7));
      __m128i d1 = _mm_sub_epi16(color7, _mm_slli_epi16(p1, 7));
      p0 = _mm_add_epi16(p0, _mm_mulhi_epi16(d0, weights[2 * half]));
      p1 = _mm_add_epi16(p1, _mm_mulhi_epi16(d1, weights[2 * half + 1]));
      _mm_storeu_si128(at, _mm_packus_epi16(p0, p1));
    }
  }
  return x;
}

// The same, eight pixels a register.
__attribute__((target("avx2"))) int BlendAvx2(uint32_t* out, const uint8_t* cover, int n, uint32_t color) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i color7 =
      _mm256_slli_epi16(_mm256_unpacklo_epi8(_mm256_set1_epi32(static_cast<int>(color)), zero), 7);
  // Unpacking works within each 128-bit half: the low unpack holds pixels
  // 0, 1 and 4, 5, the high one 2, 3 and 6, 7. These pick their weights.
  const __m256i pick_lo = _mm256_setr_epi8(0, 1, 0, 1, 0, 1, 0, 1, 2, 3, 2, 3, 2, 3, 2, 3, 8, 9, 8, 9, 8, 9,
                                           8, 9, 10, 11, 10, 11, 10, 11, 10, 11);
  const __m256i pick_hi = _mm256_setr_epi8(4, 5, 4, 5, 4, 5, 4, 5, 6, 7, 6, 7, 6, 7, 6, 7, 12, 13, 12, 13, 12,
                                           13, 12, 13, 14, 15, 14, 15, 14, 15, 14, 15);
  int x = 0;
  for (; x + 8 <= n; x += 8) {
    __m256i w = _mm256_broadcastsi128_si256(Weights(cover + x));
    __m256i* at = reinterpret_cast<__m256i*>(out + x);
    __m256i px = _mm256_loadu_si256(at);
    __m256i p0 = _mm256_unpacklo_epi8(px, zero), p1 = _mm256_unpackhi_epi8(px, zero);
    __m256i d0 = _mm256_sub_epi16(color7, _mm256_slli_epi16(p0, 7));
    __m256i d1 = _mm256_sub_epi16(color7, _mm256_slli_epi16(p1, 7));
    p0 = _mm256_add_epi16(p0, _mm256_mulhi_epi16(d0, _mm256_shuffle_epi8(w, pick_lo)));
    p1 = _mm256_add_epi16(p1, _mm256_mulhi_epi16(d1, _mm256_shuffle_epi8(w, pick_hi)));
    _mm256_storeu_si256(at, _mm256_packus_epi16(p0, p1));
  }
  return x;
}

#endif

}  // namespace

void BlendCoverOn([[maybe_unused]] BlendUnit unit, uint32_t* out, const uint8_t* cover, int n,
                  uint32_t color) {
  color &= 0xFFFFFF;
  int done = 0;
#ifdef PICOLATTE_X86_VECTORS
  if (unit == BlendUnit::kAvx2) done = BlendAvx2(out, cover, n, color);
  if (unit == BlendUnit::kSse2) done = BlendSse2(out, cover, n, color);
#endif
  BlendScalar(out + done, cover + done, n - done, color);
}

void BlendCover(uint32_t* out, const uint8_t* cover, int n, uint32_t color) {
  color &= 0xFFFFFF;
  int done = 0;
#ifdef PICOLATTE_X86_VECTORS
  done = HasAvx2() ? BlendAvx2(out, cover, n, color) : BlendSse2(out, cover, n, color);
#endif
  if (done < n) BlendScalar(out + done, cover + done, n - done, color);
}

std::vector<BlendUnit> BlendUnitsHere() {
  std::vector<BlendUnit> units{BlendUnit::kScalar};
#ifdef PICOLATTE_X86_VECTORS
  units.push_back(BlendUnit::kSse2);
  if (HasAvx2()) units.push_back(BlendUnit::kAvx2);
#endif
  return units;
}
