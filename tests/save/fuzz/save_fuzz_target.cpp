// Fuzz entry for the save-file readers: any bytes give either progress or the
// "not a number" error, never a crash, and what loads saves and loads again
// unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "save/save_files.h"
#include "save/sjis.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  static tmy my;
  my = tmy{};
  FileError error = ParseProgress(text, my);
  if (error.failed()) {
    Check(error.kind == FileError::NotNumeric);
    size_t lines = 1;
    for (char c : text) lines += c == '\n' || c == '\r';
    Check(error.line >= 1 && static_cast<size_t>(error.line) <= lines);
  } else {
    static tmy again;
    again = tmy{};
    std::string saved = FormatProgress(my);
    Check(!ParseProgress(saved, again).failed());
    Check(again.progress_flags == my.progress_flags && again.seal_collected == my.seal_collected &&
          again.play_count == my.play_count && again.best_level == my.best_level &&
          again.best_days == my.best_days);
    Check(FormatProgress(again) == saved);
  }

  static NameList names;
  ParseNames(text, names);
  for (const std::string& name : names) Check(name.find_first_of("\r\n") == std::string::npos);
  std::vector<std::string> lines = CutSjisLines(names[0], {22, 44});
  Check(lines.size() == 3 && SjisLength(lines[0]) <= 22 && SjisLength(lines[1]) <= 22);
  return 0;
}
