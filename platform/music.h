// The MIDI music player: open a Standard MIDI File, play it from the start,
// stop. The end of a piece is reported as an InputEvent::MusicDone on the main
// thread; a stop, a close or a newer piece reports nothing.
#pragma once

#include <string>

class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  // Opens a piece, closing (and silencing) one still open. False on failure.
  virtual bool Open(const std::string& path) = 0;
  // Plays the open piece from its start. False when nothing can be played.
  virtual bool Play() = 0;
  virtual void Stop() = 0;
  virtual bool IsOpen() const = 0;
};

// Player that plays nothing: no soundfont, no device, or tests.
class SilentMusicPlayer : public MusicPlayer {
 public:
  bool Open(const std::string& path) override {
    path_ = path;
    return false;
  }
  bool Play() override { return false; }
  void Stop() override {}
  bool IsOpen() const override { return false; }

 private:
  std::string path_;
};
