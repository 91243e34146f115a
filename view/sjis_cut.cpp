// Cutting UTF-8 text where its Shift-JIS form reaches a byte count. A
// two-byte character that would straddle the cut starts the next line.
#include "view/sjis_cut.h"

namespace {

// Length of the UTF-8 sequence starting with `lead`.
size_t Utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

char32_t Decode(const std::string& s, size_t at, size_t len) {
  auto c = static_cast<unsigned char>(s[at]);
  if (len == 1) return c;
  char32_t cp = c & (0x7F >> len);
  for (size_t i = 1; i < len && at + i < s.size(); ++i) {
    cp = (cp << 6) | (static_cast<unsigned char>(s[at + i]) & 0x3F);
  }
  return cp;
}

// Bytes the character takes in Shift-JIS: ASCII, the yen sign, the overline
// and half-width katakana are single bytes; everything else is double.
int SjisBytes(char32_t cp) {
  if (cp < 0x80 || cp == 0xA5 || cp == 0x203E) return 1;
  if (cp >= 0xFF61 && cp <= 0xFF9F) return 1;
  return 2;
}

}  // namespace

std::vector<std::string> CutDescriptionLines(const std::string& utf8) {
  constexpr int kLineBytes = 22;
  constexpr size_t kLines = 3;
  std::vector<std::string> lines(1);
  int used = 0;
  for (size_t at = 0; at < utf8.size();) {
    size_t len = Utf8Length(static_cast<unsigned char>(utf8[at]));
    if (at + len > utf8.size()) len = utf8.size() - at;
    int bytes = SjisBytes(Decode(utf8, at, len));
    if (lines.size() < kLines && used + bytes > kLineBytes) {
      lines.emplace_back();
      used = 0;
    }
    lines.back().append(utf8, at, len);
    used += bytes;
    at += len;
  }
  return lines;
}
