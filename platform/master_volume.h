// The master volume applied to the final 16-bit samples of the output.
#pragma once

#include <cstdint>

// Scales `count` samples in place by the volume `percent` (0-100). The gain
// follows the square of the percentage, so that each step of the - and +
// keys sounds about as large as the one before; 100 leaves the samples
// untouched and 0 silences them.
void ScaleVolume(int16_t* samples, int count, int percent);
// The same gain as a factor (0 to 1), for an output that scales in floating
// point (the browser's gain node).
inline double VolumeGain(int percent) {
  if (percent >= 100) return 1.0;
  if (percent <= 0) return 0.0;
  return percent * percent / 10000.0;
}
