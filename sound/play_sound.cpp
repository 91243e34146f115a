// Sound effects: the mixer component of the window, the five sound slots and
// PlaySound. Every sound call swallows its errors: a sound that cannot play
// is silence, never a stop of the game. Without a mixer the game is silent.
#include <cstdio>
#include <exception>

#include "app/form.h"
#include "sound/mixer/mixer.h"

void TForm1::CreateSoundMixer() {
  try {
    auto mixer = std::make_unique<TSoundMixer>(platform.WaveOut(), paths.mixer_ini);
    mixer->SetActivated(true);
    mixer->SetChannels(31);  // channels 0 to 4
    SoundMixer1 = std::move(mixer);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "picolatte: no sound effects: %s\n", e.what());
    SoundMixer1.reset();
  }
}

TMixWave* TForm1::CachedWave(const std::string& name) {
  if (auto it = wave_cache.find(name); it != wave_cache.end()) {
    it->second.last_play = ++wave_plays;
    return it->second.wave;
  }
  // A file known not to fit is not even converted again.
  if (auto known = wave_sizes.find(name); known != wave_sizes.end() && !MakeRoomForWave(known->second))
    return nullptr;
  TMixWave* wave = SoundMixer1->LoadWaveFile(DatPath(name));
  if (!wave) return nullptr;
  wave_sizes[name] = wave->length;
  if (!MakeRoomForWave(wave->length)) {
    SoundMixer1->FreeWaveData(wave);
    return nullptr;
  }
  wave_cache.emplace(name, CachedSound{wave, ++wave_plays});
  wave_cache_bytes += wave->length;
  return wave;
}

// Frees the least recently played silent waves until `bytes` more fit in the
// budget. False when they still do not fit beside the waves that sound; a
// wave bigger than the budget fits when nothing else is left.
bool TForm1::MakeRoomForWave(int64_t bytes) {
  bool sounding = false;
  while (wave_cache_bytes + bytes > wave_cache_budget) {
    auto oldest = wave_cache.end();
    for (auto it = wave_cache.begin(); it != wave_cache.end(); ++it) {
      if (SoundMixer1->WaveInUse(it->second.wave)) {
        sounding = true;
      } else if (oldest == wave_cache.end() || it->second.last_play < oldest->second.last_play) {
        oldest = it;
      }
    }
    if (oldest == wave_cache.end()) return !sounding;
    ReleaseCachedWave(oldest->second.wave);
  }
  return true;
}

// Slots and cache share their waves, so each is forgotten before it is freed
// and none is freed twice.
void TForm1::ReleaseCachedWave(TMixWave* wave) {
  for (TMixWave*& slot : sound_slots)
    if (slot == wave) slot = nullptr;
  for (auto it = wave_cache.begin(); it != wave_cache.end();) {
    if (it->second.wave == wave) {
      wave_cache_bytes -= wave->length;
      it = wave_cache.erase(it);
    } else {
      ++it;
    }
  }
  SoundMixer1->FreeWaveData(wave);
}

void TForm1::OpenSoundSlots() {
  if (!SoundMixer1) return;
  try {
    for (TMixWave*& slot : sound_slots) {
      TMixWave* wave = CachedWave("1.wav");
      if (!wave) return;
      slot = wave;
    }
  } catch (...) {
    // The remaining slots stay empty; start-up goes on.
  }
}

void TForm1::FreeSoundSlots() {
  if (!SoundMixer1) return;
  try {
    // The slots first, newest channel first; then whatever else was loaded.
    for (int channel = kSoundSlots - 1; channel >= 0; --channel) {
      if (TMixWave* wave = sound_slots[channel]) ReleaseCachedWave(wave);
    }
    while (!wave_cache.empty()) ReleaseCachedWave(wave_cache.begin()->second.wave);
  } catch (...) {
  }
}

void TForm1::PlaySound(int channel, const std::string& name) {
  if (on_play_sound) on_play_sound(channel, name);
  if (!SoundMixer1 || channel < 0 || channel >= kSoundSlots) return;
  try {
    TMixWave* wave = CachedWave(name);
    if (!wave) return;
    sound_slots[channel] = wave;
    // Flags 0: behind whatever the channel still has queued.
    SoundMixer1->PlayWave(channel, wave, 0, 0);
  } catch (...) {
  }
}

void TForm1::PumpSound() {
  if (!SoundMixer1) return;
  try {
    SoundMixer1->Pump();
  } catch (...) {
  }
}
