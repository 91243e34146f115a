// Shift-JIS (CP932) conversion through iconv, and cutting at byte counts.
#include "save/sjis.h"

#include <errno.h>
#include <iconv.h>

#include <algorithm>

namespace {

// One iconv descriptor per direction, opened on first use.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `in`; at a byte it cannot take, appends `bad` and lets
  // `skip(rest, left)` say how many bytes to step over.
  template <typename Skip>
  std::string Run(const std::string& in, const std::string& bad, Skip skip) {
    std::string out;
    out.reserve(in.size() * 3 / 2 + 8);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char buffer[256];
    while (src_left > 0) {
      char* dst = buffer;
      size_t dst_left = sizeof buffer;
      size_t r = iconv(cd_, &src, &src_left, &dst, &dst_left);
      int err = errno;
      out.append(buffer, dst - buffer);
      if (r != static_cast<size_t>(-1)) continue;
      if (err == E2BIG) continue;
      // EILSEQ or EINVAL (cut short at the end): step over the bad bytes.
      out += bad;
      size_t n =
          std::min(src_left, std::max<size_t>(1, skip(reinterpret_cast<unsigned char*>(src), src_left)));
      src += n;
      src_left -= n;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

// Length of the UTF-8 sequence that starts with byte `c`; 1 for a stray byte.
size_t Utf8SequenceLength(unsigned char c) {
  if (c >= 0xF0 && c <= 0xF4) return 4;
  if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
  if (c >= 0xC2) return 2;
  return 1;
}

// Steps over one broken UTF-8 character: its lead byte and the continuation
// bytes that follow it, at most as many as the lead byte announces.
size_t SkipUtf8(const unsigned char* p, size_t left) {
  size_t n = Utf8SequenceLength(p[0]);
  size_t i = 1;
  while (i < n && i < left && (p[i] & 0xC0) == 0x80) ++i;
  return i;
}

bool IsSjisLead(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::string AsciiOnly(const std::string& in, char bad) {
  std::string out = in;
  for (char& c : out)
    if (static_cast<unsigned char>(c) >= 0x80) c = bad;
  return out;
}

}  // namespace

// Some C libraries (the browser build's) know CP932 only as Shift_JIS.
std::string Utf8ToSjis(const std::string& utf8) {
  thread_local Converter cp932("CP932", "UTF-8");
  thread_local Converter shift_jis("SHIFT_JIS", "UTF-8");
  Converter& to_sjis = cp932.ok() ? cp932 : shift_jis;
  if (!to_sjis.ok()) return AsciiOnly(utf8, '?');
  return to_sjis.Run(utf8, "?", SkipUtf8);
}

std::string SjisToUtf8(const std::string& sjis) {
  thread_local Converter cp932("UTF-8", "CP932");
  thread_local Converter shift_jis("UTF-8", "SHIFT_JIS");
  Converter& from_sjis = cp932.ok() ? cp932 : shift_jis;
  if (!from_sjis.ok()) return AsciiOnly(sjis, '?');
  return from_sjis.Run(sjis, "\xEF\xBF\xBD", [](const unsigned char*, size_t) { return size_t{1}; });
}

int SjisLength(const std::string& utf8) {
  return static_cast<int>(Utf8ToSjis(utf8).size());
}

std::vector<std::string> CutSjisLines(const std::string& utf8, const std::vector<int>& cuts) {
  const std::string sjis = Utf8ToSjis(utf8);
  std::vector<std::string> lines;
  size_t start = 0;
  int previous_cut = 0;
  for (int cut : cuts) {
    size_t width = cut > previous_cut ? static_cast<size_t>(cut - previous_cut) : 0;
    previous_cut = std::max(previous_cut, cut);
    size_t end = start;
    while (end < sjis.size()) {
      size_t step = IsSjisLead(static_cast<unsigned char>(sjis[end])) && end + 1 < sjis.size() ? 2 : 1;
      if (end + step - start > width) break;
      end += step;
    }
    lines.push_back(SjisToUtf8(sjis.substr(start, end - start)));
    start = end;
  }
  lines.push_back(SjisToUtf8(sjis.substr(start)));
  return lines;
}
