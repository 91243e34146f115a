// The game's three pieces of music, composed in code as Standard MIDI Files.
#pragma once

#include "tools/assetgen/midi_writer.h"

namespace assetgen {

midi::Song ComposeCollection();  // col.mid: a calm music box for the seal collection
midi::Song ComposeShop();        // shop.mid: the bright evening shop
midi::Song ComposeStar();        // star.mid: the dreamy evening shop

// The conductor track: name, tempo, metre and key.
midi::Track Conductor(const char* title, double bpm, int beats_per_bar, int sharps);
// Program, volume, pan (-64..63 around the centre) and reverb of one channel.
void SetUpChannel(midi::Track& t, int channel, int program, int volume, int pan, int reverb);

}  // namespace assetgen
