// TSoundMixer, the mixer component of the main window: one session, the
// Activated and Channels properties and the wave methods.
#include "sound/mixer/internal.h"

TSoundMixer::TSoundMixer(WaveOutDevice& device, const std::string& ini_path) {
  session_ = MixerInit(device, ini_path);
  if (session_ == nullptr) throw ESoundMixerError("Initialization failed (MixerInit)");
  params_.size = 24;
  params_.session = session_;
}

TSoundMixer::~TSoundMixer() {
  // A destructor must not throw; the session is gone afterwards either way.
  try {
    SetChannels(0);
  } catch (const ESoundMixerError&) {
  }
  try {
    SetActivated(false);
  } catch (const ESoundMixerError&) {
  }
  try {
    if (session_ != nullptr) EndSession(session_);
  } catch (const ESoundMixerError&) {
  }
}

void TSoundMixer::SetActivated(bool on) {
  if (on == activated_) return;
  MixerActivate(session_, on);
  activated_ = on;
}

void TSoundMixer::SetChannels(uint8_t bits) {
  if (bits == 255) {
    OpenChannels(session_, 0, kOpenAll);
  } else if (bits == 0) {
    CloseChannels(session_, 0, kFlushAll);
  } else {
    for (int c = 0; c < kMixChannels; ++c) {
      const bool was = channels_ & (1 << c), now = bits & (1 << c);
      if (now && !was) OpenChannels(session_, c, kOpenOne);
      if (was && !now) CloseChannels(session_, c, 0);
    }
  }
  channels_ = bits;
}

TMixWave* TSoundMixer::LoadWaveFile(const std::string& path) {
  return LoadWave(session_, path, kLoadFile);
}

void TSoundMixer::FreeWaveData(TMixWave* wave) {
  ReleaseWave(session_, wave);
}

bool TSoundMixer::WaveInUse(const TMixWave* wave) const {
  return ::WaveInUse(session_, wave);
}

void TSoundMixer::PlayWave(int channel, TMixWave* wave, uint16_t loops, uint32_t flags, MixNotify* notify) {
  params_.channel = channel;
  params_.wave = wave;
  params_.loops = loops;
  params_.flags = flags;
  params_.notify = notify;
  MixerPlay(&params_);
}

void TSoundMixer::Pump() {
  ::Pump();
}
