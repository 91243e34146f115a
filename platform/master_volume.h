// The master volume applied to the final 16-bit samples of the output.
#pragma once

#include <cstdint>

// Scales `count` samples in place by the volume `percent` (0-100). The gain
// follows the square of the percentage, so that each step of the - and +
// keys sounds about as large as the one before; 100 leaves the samples
// untouched and 0 silences them.
void ScaleVolume(int16_t* samples, int count, int percent);
