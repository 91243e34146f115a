// M mutes and unmutes, - and + (or =) step the master volume; the choice
// floats briefly over the upper right of the scene.
#include "app/form.h"

namespace {
constexpr int kNoticeX = 300, kNoticeY = 24;
}

bool TForm1::VolumeKey(KeyCode key) {
  GameSettings& s = settings;
  if (key == KeyCode::M) {
    s.muted = !s.muted;
  } else if (key == KeyCode::Minus) {
    s.volume = std::max(0, s.volume - kVolumeStep);
    s.muted = false;
  } else if (key == KeyCode::Plus) {
    s.volume = std::min(100, s.volume + kVolumeStep);
    s.muted = false;
  } else {
    return false;
  }
  platform.SetVolume(EffectiveVolume(s));
  AddEffect(kNoticeX, kNoticeY, s.muted ? "消音" : "音量 " + std::to_string(s.volume) + "%", kKindMessage);
  return true;
}
