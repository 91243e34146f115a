// Breaking text into lines that fit a width on the canvas: the item panel's
// details, the goods card's description and the dialogs' messages.
#include "view/text_wrap.h"

#include <algorithm>
#include <utility>

namespace {

size_t Utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

bool OneOf(const std::string& c, const char* const* set) {
  for (; *set; ++set)
    if (c == *set) return true;
  return false;
}

// Characters that never begin a line: closing brackets, stops and commas,
// the long vowel mark, small kana, iteration marks and the like.
const char* const kNoStart[] = {
    "、", "。", "，", "．", "・", "：", "；", "？", "！", "ー", "～", "〜", "…",  "‥",  "」", "』",   "）",
    "］", "｝", "〕", "〉", "》", "】", "”",  "’",  "ぁ", "ぃ", "ぅ", "ぇ", "ぉ", "っ", "ゃ", "ゅ",   "ょ",
    "ゎ", "ァ", "ィ", "ゥ", "ェ", "ォ", "ッ", "ャ", "ュ", "ョ", "ヮ", "ヵ", "ヶ", "々", "ゝ", "ゞ",   "ヽ",
    "ヾ", "゛", "゜", "♪",  "!",  "?",  ".",  ",",  ":",  ";",  ")",  "]",  "}",  "%",  "％", nullptr};
// Characters that never end a line: opening brackets.
const char* const kNoEnd[] = {"「", "『", "（", "［", "｛", "〔", "〈", "《",   "【",
                              "“",  "‘",  "(",  "[",  "{",  "￥", "\\", nullptr};

bool IsSpace(const std::string& c) {
  return c == " ";
}

// Letters and figures of Latin text (and the other alphabets of two-byte
// UTF-8): a run of them is a word, which breaks only at its spaces.
bool IsWordChar(const std::string& c) {
  return (c.size() == 1 && !IsSpace(c) && static_cast<unsigned char>(c[0]) > 0x20) || c.size() == 2;
}

// Whether a line may end before character i and the next begin with it.
bool BreakBefore(const std::vector<std::string>& c, size_t i) {
  if (i == 0 || i >= c.size() || IsSpace(c[i])) return false;
  if (IsSpace(c[i - 1])) return !OneOf(c[i], kNoStart);
  if (IsWordChar(c[i - 1]) && IsWordChar(c[i])) return false;
  return !OneOf(c[i], kNoStart) && !OneOf(c[i - 1], kNoEnd);
}

// The characters [from, to) without the spaces at their end.
std::string Join(const std::vector<std::string>& c, size_t from, size_t to) {
  while (to > from && IsSpace(c[to - 1])) --to;
  std::string s;
  for (size_t i = from; i < to; ++i) s += c[i];
  return s;
}

// A last line that is one lone character (of Japanese; a short word of
// Latin text is fine) with at most closing marks after it.
bool LoneCharacter(const std::vector<std::string>& c, size_t from) {
  int shown = 0;
  for (size_t i = from; i < c.size(); ++i) {
    if (IsWordChar(c[i])) return false;
    if (!IsSpace(c[i]) && !OneOf(c[i], kNoStart)) ++shown;
  }
  return shown <= 1;
}

// Breaks one paragraph to `width` pixels. `forced` is set when a line had to
// be cut where no line may end.
void WrapParagraph(const TFont& font, const std::string& paragraph, int width,
                   std::vector<std::string>& lines, bool& forced) {
  std::vector<std::string> c = SplitCharacters(paragraph);
  std::vector<size_t> starts;
  size_t start = 0;
  const size_t n = c.size();
  while (true) {
    starts.push_back(start);
    std::string line;
    size_t end = start;
    while (end < n) {
      std::string wider = line + c[end];
      if (end > start && Bitmap::TextWidth(wider, font) > width) break;
      line = std::move(wider);
      ++end;
    }
    if (end >= n) break;
    size_t next = end;
    if (!IsSpace(c[end])) {
      // Back to the last place where a line may end; without one (a word
      // longer than the line, a run of closing marks) the line is cut where it is full.
      size_t b = end;
      while (b > start && !BreakBefore(c, b)) --b;
      next = b > start ? b : end;
      forced = forced || b == start;
    }
    while (next < n && IsSpace(c[next])) ++next;
    if (next >= n) break;
    start = next;
  }
  // A lone last character takes company from the line before it.
  if (starts.size() >= 2 && LoneCharacter(c, starts.back())) {
    size_t previous = starts[starts.size() - 2];
    for (size_t b = starts.back() - 1; b > previous + 1; --b) {
      if (!BreakBefore(c, b)) continue;
      if (Bitmap::TextWidth(Join(c, b, n), font) <= width) starts.back() = b;
      break;
    }
  }
  for (size_t k = 0; k < starts.size(); ++k) {
    size_t to = k + 1 < starts.size() ? starts[k + 1] : n;
    lines.push_back(Join(c, starts[k], to));
  }
}

}  // namespace

std::vector<std::string> SplitCharacters(const std::string& text) {
  std::vector<std::string> out;
  for (size_t at = 0; at < text.size();) {
    size_t len = std::min(Utf8Length(static_cast<unsigned char>(text[at])), text.size() - at);
    out.push_back(text.substr(at, len));
    at += len;
  }
  return out;
}

namespace {

std::vector<std::string> Wrap(const std::string& text, int width, const TFont& font, bool& forced) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    size_t end = text.find_first_of("\r\n", start);
    WrapParagraph(font, text.substr(start, end - start), width, lines, forced);
    if (end == std::string::npos) break;
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

}  // namespace

std::vector<std::string> WrapText(const std::string& text, int width, const TFont& font) {
  bool forced = false;
  return Wrap(text, width, font, forced);
}

bool TextFits(const std::string& text, const TextBox& box, const TFont& font) {
  if (box.max_lines <= 1)
    return text.find_first_of("\r\n") == std::string::npos && Bitmap::TextWidth(text, font) <= box.width;
  // A word cut in two, or a line cut before a mark that may not start it, does not fit.
  bool forced = false;
  std::vector<std::string> lines = Wrap(text, box.width, font, forced);
  if (forced || static_cast<int>(lines.size()) > box.max_lines) return false;
  for (const std::string& line : lines)
    if (Bitmap::TextWidth(line, font) > box.width) return false;
  return true;
}
