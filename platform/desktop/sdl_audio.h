// Sound of the SDL platform: one SDL audio device (signed 16-bit stereo,
// 44100 Hz) carries the mixer's 8-bit blocks and the FluidSynth music.
//
//   auto audio = OpenSdlAudio();       // after SDL_Init
//   if (!audio) { warn once; audio = OpenSilentAudio(); }
//   mixer device: audio->wave_out()    music: audio->music()
//   in the event pump:  InputEvent::Kind kind;
//                       if (SdlAudioEventKind(sdl_event, kind)) report kind;
//
// The audio thread posts SDL user events; SdlAudioEventKind turns them into
// AudioDone (pump the mixer) or MusicDone (a piece played to its end). It
// returns false for every other event and for a music end that a stop, open
// or play has made stale: drop those. Destroy the object before SDL_Quit.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"

union SDL_Event;
class WaveOutDevice;
class MusicPlayer;

class SdlAudio {
 public:
  virtual ~SdlAudio() = default;
  virtual WaveOutDevice& wave_out() = 0;
  virtual MusicPlayer& music() = 0;
  // False for the silent stand-in.
  virtual bool audible() const = 0;
  // The output device the mixer opened by number (WaveOutDevice in the
  // mixer's settings), as SDL names it; empty for the system's default.
  virtual std::string device_name() const = 0;
  // Master volume, 0-100 percent, applied to the final samples.
  virtual void SetVolume(int percent) = 0;
  // A paused output stops taking blocks and music; resuming goes on where
  // it stopped.
  virtual void SetPaused(bool paused) = 0;

  // For measurements: called on the audio thread with every run of mixer
  // bytes the moment the callback starts playing it. Null to remove.
  using Tap = void (*)(void* user, const uint8_t* bytes, uint32_t count);
  virtual void SetTap(Tap tap, void* user) = 0;
};

// Opens the default SDL audio device; null when none can be opened.
std::unique_ptr<SdlAudio> OpenSdlAudio();
// The stand-in when there is no device: the mixer's blocks are consumed by
// SDL_GetTicks and a 10 ms SDL timer posts AudioDone; no music. Never null.
std::unique_ptr<SdlAudio> OpenSilentAudio();

bool SdlAudioEventKind(const SDL_Event& event, InputEvent::Kind& kind);
