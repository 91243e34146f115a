// Sound of the browser: one Web Audio context carries the mixer's blocks and
// the music, which was rendered to Ogg Vorbis at build time (scripts/
// render_music), since FluidSynth does not run in the page.
//
//   auto audio = OpenWebAudio();       // null when the browser has no Web Audio
//   mixer device: audio->wave_out()    music: audio->music()
//   in the event pump:  InputEvent::Kind kind;
//                       while (audio->PollEvent(kind)) report kind;
//   on the first click or key:  audio->Unlock();
//   build: scripts/render_music BUILD_DIST DIR writes col.ogg, shop.ogg and
//          star.ogg; pack them in dat/ beside the .mid files, or serve
//          them beside the page (Module.picoMusicBytes, web/page.js).
//
// The page's audio callback never calls into the game's code, which may be
// suspended in emscripten_sleep: blocks are copied out at Write, and the
// callback only moves counters that the game reads when it polls. Until the
// context runs (browsers start audio only after a gesture) the blocks are
// consumed by the clock, so the mixer goes on as with a silent device.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

class WaveOutDevice;
class MusicPlayer;

class WebAudio {
 public:
  virtual ~WebAudio() = default;
  virtual WaveOutDevice& wave_out() = 0;
  // Opens "dat/x.mid" as the rendered "dat/x.ogg" beside it, or as the
  // piece of that name that the page serves.
  virtual MusicPlayer& music() = 0;
  // The next thing that happened since the last call: AudioDone when blocks
  // have finished (one however many did) or a Reset dropped some, MusicDone
  // when the current play reached its end. A music end made stale by a stop,
  // open or play is dropped. False when nothing is left to report.
  virtual bool PollEvent(InputEvent::Kind& kind) = 0;
  // True while the mixer's blocks are queued: the pump should look often,
  // so that the short blocks never run dry.
  virtual bool Busy() const = 0;
  // Resumes the audio context; call from a user gesture's event.
  virtual void Unlock() = 0;
  // True once the context runs and sound is heard.
  virtual bool Unlocked() const = 0;
  // Master volume of the blocks and the music, 0 (silent) to 100 percent,
  // on the same curve as the desktop's (platform/master_volume.h).
  virtual void SetVolume(int percent) = 0;
};

std::unique_ptr<WebAudio> OpenWebAudio();

// The music file the browser plays for a piece: "x.mid" becomes "x.ogg";
// any other name is kept.
std::string WebMusicPath(const std::string& midi_path);
