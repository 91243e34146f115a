// Master volume on the output's samples.
#include "platform/master_volume.h"

void ScaleVolume(int16_t* samples, int count, int percent) {
  if (percent >= 100) return;
  if (percent < 0) percent = 0;
  const int32_t gain = percent * percent;  // out of 10000
  for (int i = 0; i < count; ++i) samples[i] = static_cast<int16_t>(samples[i] * gain / 10000);
}
