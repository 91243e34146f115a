// Shift-JIS (code page 932) helpers for checking the game's texts: every
// text is shown in that code page, and lengths and cuts count its bytes.
#pragma once

#include <iconv.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

namespace sjis {

inline std::optional<std::string> Convert(const std::string& text, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in = text;
  std::vector<char> out(in.size() * 4 + 16);
  char* in_p = in.data();
  size_t in_left = in.size();
  char* out_p = out.data();
  size_t out_left = out.size();
  size_t r = iconv(cd, &in_p, &in_left, &out_p, &out_left);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1) || in_left != 0) return std::nullopt;
  return std::string(out.data(), out.size() - out_left);
}

// The code-page-932 bytes of a UTF-8 text, or nothing when a character has
// no place in the code page or would not come back unchanged.
inline std::optional<std::string> FromUtf8(const std::string& utf8) {
  std::optional<std::string> bytes = Convert(utf8, "CP932", "UTF-8");
  if (!bytes) return std::nullopt;
  std::optional<std::string> back = Convert(*bytes, "UTF-8", "CP932");
  if (!back || *back != utf8) return std::nullopt;
  return bytes;
}

inline bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// True when `offset` falls between two characters of the Shift-JIS text.
inline bool IsCharBoundary(const std::string& bytes, size_t offset) {
  size_t i = 0;
  while (i < offset && i < bytes.size()) i += IsLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
  return i == offset;
}

}  // namespace sjis
