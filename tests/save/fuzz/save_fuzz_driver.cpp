// Runs the save-file fuzz entry on random and mutated my.dat files, without
// libFuzzer, so that it works with gcc under the sanitizers.
//   save_fuzz_asan [count] [scratch folder]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "save/save_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::mt19937 rng(20240607);

int Pick(int n) {
  return std::uniform_int_distribution<int>(0, n - 1)(rng);
}

const char* const kPieces[] = {"\r\n",        "\n",
                               "\r",          " ",
                               "\t",          "",
                               "-",           "+",
                               "0",           "2147483647",
                               "2147483648",  "-2147483648",
                               "-2147483649", "99999999999999999999",
                               "abc",         "\x82\x50",
                               "\xA0",        "\x81",
                               "ピコ",        "\0",
                               "\x1A",        "1e5",
                               "0x7f",        "--1",
                               "+-1",         "1 2 3"};

// A my.dat as the game writes it, with random values.
std::string ValidFile() {
  tmy my;
  for (auto& v : my.progress_flags) v = Pick(4) == 0 ? static_cast<int32_t>(rng()) : Pick(3);
  for (auto& v : my.seal_collected) v = Pick(10) == 0 ? static_cast<int32_t>(rng()) : Pick(2);
  my.play_count = static_cast<int32_t>(rng());
  my.best_level = Pick(11);
  my.best_days = Pick(1000);
  return FormatProgress(my);
}

std::string RandomBytes() {
  std::string s(Pick(4000), '\0');
  for (char& c : s) c = static_cast<char>(rng());
  return s;
}

std::string Pieces() {
  std::string s;
  for (int i = Pick(3000); i > 0; --i) s += kPieces[Pick(std::size(kPieces))];
  return s;
}

void Mutate(std::string& s) {
  for (int n = 1 + Pick(8); n > 0; --n) {
    size_t at = s.empty() ? 0 : Pick(static_cast<int>(s.size()) + 1);
    switch (Pick(6)) {
      case 0:
        if (!s.empty()) s[std::min(at, s.size() - 1)] = static_cast<char>(rng());
        break;
      case 1:
        s.insert(at, kPieces[Pick(std::size(kPieces))]);
        break;
      case 2:
        s.erase(at, Pick(64));
        break;
      case 3:
        s.resize(at);  // cut short
        break;
      case 4:
        s.insert(at, std::string(Pick(20), "\r\n \t"[Pick(4)]));
        break;
      case 5:
        if (!s.empty()) s.insert(at, s.substr(Pick(static_cast<int>(s.size())), Pick(200)));
        break;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  std::string scratch = argc > 2 ? argv[2] : "fuzz_scratch";
  std::filesystem::create_directories(scratch);
  int loaded = 0, refused = 0;
  for (int i = 0; i < count; ++i) {
    std::string input;
    switch (i % 4) {
      case 0:
        input = ValidFile();
        Mutate(input);
        break;
      case 1:
        input = ValidFile();
        if (Pick(2)) Mutate(input);
        break;
      case 2:
        input = Pieces();
        break;
      default:
        input = RandomBytes();
        break;
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    // Every so often the same bytes go through the file on disk.
    tmy my;
    FileError error;
    if (i % 50 == 0) {
      std::string path = scratch + "/my.dat";
      if (WriteFileAtomic(path, input).failed()) return 3;
      error = ReadProgressFile(path, my);
    } else {
      error = ParseProgress(input, my);
    }
    (error.failed() ? refused : loaded)++;
  }
  std::printf("%d files: %d loaded, %d refused as not numeric\n", count, loaded, refused);
  // Both outcomes must have been reached, or the inputs were too tame.
  return loaded > count / 20 && refused > count / 20 ? 0 : 1;
}
