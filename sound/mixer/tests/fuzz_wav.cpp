// Feeds random and mutated WAV files to the loader, from memory and from
// disk, into sessions of every output format; built with ASan and UBSan.
// Every load must give a sound or an ESoundMixerError, nothing else.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

#include "sound/mixer/internal.h"
#include "sound/mixer/tests/virtual_wave_out.h"
#include "sound/mixer/tests/wav_mutator.h"

namespace {

// Checks a loaded sound, plays a little of it, releases it.
void Exercise(TMixSession* s, VirtualWaveOut& device, TMixWave* w) {
  if (w->data == nullptr || w->length <= 0 || w->name[15] != '\0') {
    std::cerr << "a loaded wave without data\n";
    std::abort();
  }
  TMixPlayParams p;
  p.session = s;
  p.channel = static_cast<int>(w->length % 5);
  p.wave = w;
  p.loops = static_cast<uint16_t>(w->length % 3);
  MixerPlay(&p);
  device.PlayBytes(static_cast<uint32_t>(s->block_length));
  Pump();
  ReleaseWave(s, w);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 10500;
  const uint32_t seed = argc > 2 ? static_cast<uint32_t>(std::atoi(argv[2])) : 20261208;
  const auto path =
      std::filesystem::temp_directory_path() / ("mixer_fuzz_" + std::to_string(::getpid()) + ".wav");
  WavMutator mutator(seed);
  VirtualWaveOut device;
  device.record = false;
  int loaded = 0, refused = 0;
  std::map<std::string, int> messages;  // how far the files got
  const TMixConfig configs[] = {{10, 0, 1, 11}, {10, 3, 2, 22}, {10, 3, 2, 44}, {10, 2, 1, 44}};
  for (int round = 0; round * 1000 < runs; ++round) {
    TMixSession* s = InitSession(device, "", &configs[round % std::size(configs)]);
    OpenChannels(s, 0, kOpenAll);
    MixerActivate(s, true);
    for (int i = round * 1000; i < std::min(runs, (round + 1) * 1000); ++i) {
      const std::vector<uint8_t> file = mutator.Next();
      static const uint8_t kEmpty = 0;
      try {
        TMixWave* w;
        if (i % 8 == 0) {
          std::ofstream(path, std::ios::binary | std::ios::trunc)
              .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
          w = LoadWave(s, path.string(), kLoadFile);
        } else {
          w = LoadWave(s,
                       TMemoryFile{file.empty() ? &kEmpty : file.data(), static_cast<uint32_t>(file.size())});
        }
        ++loaded;
        Exercise(s, device, w);
      } catch (const ESoundMixerError& e) {
        ++refused;
        ++messages[std::string(e.what()).substr(0, 40)];
      }
    }
    EndSession(s);
  }
  std::filesystem::remove(path);
  std::cout << runs << " files: " << loaded << " loaded, " << refused << " refused\n";
  for (const auto& [message, count] : messages) std::cout << "  " << count << "  " << message << "\n";
  return loaded + refused == runs && loaded > 0 && refused > 0 ? 0 : 1;
}
