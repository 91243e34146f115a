// dat/my.dat: the progress flags, the seal collection and the three counters,
// one plain decimal number per line.
#include <array>
#include <charconv>
#include <cstdint>
#include <string>

#include "save/save_files.h"

namespace {

// Every saved field in file order.
template <typename My, typename Fn>
void ForEachSavedField(My& my, Fn fn) {
  for (auto& flag : my.progress_flags) fn(flag);
  for (auto& seal : my.seal_collected) fn(seal);
  fn(my.play_count);
  fn(my.best_level);
  fn(my.best_days);
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}
bool IsLineEnd(char c) {
  return c == '\n' || c == '\r';
}

// Walks a my.dat text value by value.
class ValueReader {
 public:
  explicit ValueReader(std::string_view text) : text_(text) {}

  // False when the token is not a decimal int32. At the end of the text the
  // value is 0.
  bool Next(int32_t& value) {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) StepOver();
    size_t start = pos_;
    while (pos_ < text_.size() && !IsBlank(text_[pos_])) ++pos_;
    std::string_view token = text_.substr(start, pos_ - start);
    if (token.empty()) {
      value = 0;
      return true;
    }
    ++found_;
    if (!ParseDecimal(token, value)) return false;
    while (pos_ < text_.size() && !IsLineEnd(text_[pos_])) ++pos_;
    if (pos_ < text_.size()) StepOver();
    return true;
  }
  int line() const { return line_; }
  int found() const { return found_; }

 private:
  // Steps over one byte, counting lines; CR LF, LF and a lone CR each end one.
  void StepOver() {
    char c = text_[pos_++];
    if (c == '\n' || (c == '\r' && (pos_ >= text_.size() || text_[pos_] != '\n'))) ++line_;
  }

  static bool ParseDecimal(std::string_view token, int32_t& value) {
    if (token.front() == '+') {
      token.remove_prefix(1);
      if (token.empty() || token.front() < '0' || token.front() > '9') return false;
    }
    int32_t parsed = 0;
    auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), parsed);
    if (ec != std::errc() || end != token.data() + token.size()) return false;
    value = parsed;
    return true;
  }

  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
  int found_ = 0;  // values read so far
};

}  // namespace

std::string FormatProgress(const tmy& my) {
  std::string out;
  out.reserve(kProgressLines * 4);
  ForEachSavedField(my, [&](int32_t value) {
    out += std::to_string(value);
    out += "\r\n";
  });
  return out;
}

FileError ParseProgress(std::string_view text, tmy& my, int* found) {
  ValueReader reader(text);
  FileError error;
  ForEachSavedField(my, [&](int32_t& value) {
    if (error.failed()) return;
    int32_t read = 0;
    if (reader.Next(read)) {
      value = read;
    } else {
      error.kind = FileError::NotNumeric;
      error.line = reader.line();
    }
  });
  if (found) *found = reader.found();
  return error;
}

FileError ReadProgressFile(const std::string& path, tmy& my, int* found) {
  std::string bytes;
  bool missing = false;
  FileError error = ReadWholeFile(path, bytes, missing);
  if (found) *found = -1;
  if (missing) {
    // First start, or the file was deleted: fresh progress.
    ForEachSavedField(my, [](int32_t& value) { value = 0; });
    return {};
  }
  if (error.failed()) return error;
  error = ParseProgress(bytes, my, found);
  if (error.failed()) error.path = path;
  return error;
}

FileError WriteProgressFile(const std::string& path, const tmy& my) {
  return WriteFileAtomic(path, FormatProgress(my));
}

bool SameSavedProgress(const tmy& a, const tmy& b) {
  std::array<int32_t, kProgressLines> values;
  size_t n = 0;
  ForEachSavedField(a, [&](int32_t value) { values[n++] = value; });
  bool same = true;
  n = 0;
  ForEachSavedField(b, [&](int32_t value) { same = same && values[n++] == value; });
  return same;
}
