// Breaking text into lines that fit a width on the canvas: the item panel's
// details and the dialogs' messages.
#include "view/text_wrap.h"

#include <algorithm>
#include <utility>

static size_t Utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}
std::vector<std::string> SplitCharacters(const std::string& text) {
  std::vector<std::string> out;
  for (size_t at = 0; at < text.size();) {
    size_t len = std::min(Utf8Length(static_cast<unsigned char>(text[at])), text.size() - at);
    out.push_back(text.substr(at, len));
    at += len;
  }
  return out;
}

// Breaks one paragraph to `width` pixels: between words where the line has
// a space, otherwise between any two characters (Japanese has no spaces).
static void WrapParagraph(Bitmap& canvas, const std::string& paragraph, int width,
                          std::vector<std::string>& lines) {
  std::vector<std::string> chars = SplitCharacters(paragraph);
  std::string line;
  size_t line_start = 0;
  for (size_t i = 0; i < chars.size(); ++i) {
    std::string wider = line + chars[i];
    if (line.empty() || canvas.TextWidth(wider) <= width) {
      line = std::move(wider);
      continue;
    }
    size_t space = std::string::npos;
    if (chars[i] != " ") {
      for (size_t j = i; j > line_start + 1; --j) {
        if (chars[j - 1] == " ") {
          space = j - 1;
          break;
        }
      }
    }
    if (space != std::string::npos) {
      std::string head;
      for (size_t j = line_start; j < space; ++j) head += chars[j];
      lines.push_back(head);
      line_start = space + 1;
      line.clear();
      for (size_t j = line_start; j <= i; ++j) line += chars[j];
    } else {
      lines.push_back(line);
      line_start = i;
      line = chars[i] == " " ? "" : chars[i];
      if (chars[i] == " ") line_start = i + 1;
    }
  }
  lines.push_back(line);
}

std::vector<std::string> WrapText(Bitmap& canvas, const std::string& text, int width) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    size_t end = text.find_first_of("\r\n", start);
    WrapParagraph(canvas, text.substr(start, end - start), width, lines);
    if (end == std::string::npos) break;
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}
