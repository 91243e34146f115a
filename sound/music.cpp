// Music: the window's MIDI player `mid_p` is the platform's music player.
// A piece loops: its natural end comes back as mid_pNotify, which plays it
// again; a stop, a newer piece or the window closing end it for good.
#include "platform/music.h"

#include "app/form.h"

void TForm1::Music(const std::string& name) {
  try {
    MusicPlayer& mid_p = platform.Music();
    if (!name.empty() && mid_p.Open(DatPath(name))) mid_p.Play();
  } catch (...) {
    // Missing file or no synthesizer: the music stays off.
  }
}

void TForm1::Silence() {
  try {
    platform.Music().Stop();
  } catch (...) {
  }
}

void TForm1::mid_pNotify() {
  if (closing) return;  // the window is going away
  try {
    platform.Music().Play();
  } catch (...) {
  }
}
