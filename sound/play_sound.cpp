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
  if (auto it = wave_cache.find(name); it != wave_cache.end()) return it->second;
  TMixWave* wave = SoundMixer1->LoadWaveFile(DatPath(name));
  if (wave) wave_cache.emplace(name, wave);
  return wave;
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
    // Slots and cache share their waves, so each is forgotten before it is
    // freed and none is freed twice.
    auto release = [this](TMixWave* wave) {
      for (TMixWave*& slot : sound_slots)
        if (slot == wave) slot = nullptr;
      std::erase_if(wave_cache, [wave](const auto& entry) { return entry.second == wave; });
      SoundMixer1->FreeWaveData(wave);
    };
    for (int channel = kSoundSlots - 1; channel >= 0; --channel) {
      if (TMixWave* wave = sound_slots[channel]) release(wave);
    }
    while (!wave_cache.empty()) release(wave_cache.begin()->second);
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
