// Laying rendered text (coverage, 0-255 a pixel) in one colour onto XRGB
// pixels. Each covered pixel becomes (colour * (a + 1) + pixel * (255 - a))
// >> 8 per channel, a fully covered one exactly the colour; uncovered ones
// stay as they are.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/cpu_features.h"

// Pixels BlendCover handles together: covered stretches are best cut into
// multiples of it, even if that takes in some uncovered pixels.
#ifdef PICOLATTE_X86_VECTORS
inline constexpr int kBlendBlock = 8;
#else
inline constexpr int kBlendBlock = 1;
#endif

// Blends `n` pixels of `out` with `cover` in `color` (0xRRGGBB), on the
// best unit this machine has. The pixels' top bytes must be 0 (every Bitmap
// keeps them so); they stay 0.
void BlendCover(uint32_t* out, const uint8_t* cover, int n, uint32_t color);

// The ways of blending, which all give the same pixels; for checking them
// against each other.
enum class BlendUnit { kScalar, kSse2, kAvx2 };
std::vector<BlendUnit> BlendUnitsHere();
void BlendCoverOn(BlendUnit unit, uint32_t* out, const uint8_t* cover, int n, uint32_t color);
