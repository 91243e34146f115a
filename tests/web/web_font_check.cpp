// The page's font (scripts/web_font) against the font it was made from:
// every character the original maps must map to the same outline with the
// same advance, except ideographs that no Shift-JIS text (as the game's own
// converter reads it), no row of the game's tables and none of the TEXT
// files (the game's sources) holds; nothing may be added, the line metrics
// must be equal, and the game's own rasteriser for the page must give
// identical pixels for every character kept at the sizes the game draws.
// Prints what differs; exit 1 when anything does.
// Usage: web_font_check ORIGINAL.ttf WEB.ttf [TEXT...]
#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb_truetype.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "content/tables.h"
#include "platform/text_raster.h"
#include "save/sjis.h"

namespace {

std::vector<char> Read(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool Open(const std::vector<char>& bytes, stbtt_fontinfo& info) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  return !bytes.empty() && stbtt_InitFont(&info, data, stbtt_GetFontOffsetForIndex(data, 0)) != 0;
}

// The outline and horizontal metrics of a glyph, as numbers.
std::vector<int> Glyph(stbtt_fontinfo& info, int index) {
  std::vector<int> out;
  int advance, bearing;
  stbtt_GetGlyphHMetrics(&info, index, &advance, &bearing);
  out.push_back(advance);
  out.push_back(bearing);
  stbtt_vertex* v = nullptr;
  int n = stbtt_GetGlyphShape(&info, index, &v);
  // (cx1 and cy1 are only set for cubic curves, which TrueType has none of.)
  for (int i = 0; i < n; ++i) out.insert(out.end(), {v[i].type, v[i].x, v[i].y, v[i].cx, v[i].cy});
  stbtt_FreeShape(&info, v);
  return out;
}

std::string Utf8(int cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | cp >> 6);
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | cp >> 12);
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | cp >> 18);
    s += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

// The code points of a UTF-8 text (a broken sequence is skipped).
void AddCodePoints(const std::string& text, std::set<int>& out) {
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const int n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    if (n == 0 || i + n > text.size()) {
      ++i;
      continue;
    }
    int cp = n == 1 ? c : c & (0xFF >> (n + 1));
    for (int k = 1; k < n; ++k) cp = cp << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    out.insert(cp);
    i += n;
  }
}

// Every character the game may have to draw: whatever a Shift-JIS file can
// hold, the rows of its tables, and the texts given.
std::set<int> CharactersTheGameDraws(char** texts, int count) {
  std::set<int> chars;
  std::string all;
  for (int b = 0x20; b <= 0xFC; ++b) {
    if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) all += SjisToUtf8(std::string(1, static_cast<char>(b)));
    if (!((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))) continue;
    for (int t = 0x40; t <= 0xFC; ++t)
      all += SjisToUtf8(std::string{static_cast<char>(b), static_cast<char>(t)});
  }
  auto goods = std::make_unique<GoodsTable>();
  auto customers = std::make_unique<CustomerTable>();
  FillGoodsTable(*goods);
  FillCustomerTable(*customers);
  for (const titem& g : *goods) all += g.name + g.description;
  for (const tman& c : *customers) {
    all += c.name;
    for (const std::string& line : c.request_lines) all += line;
    for (const std::string& line : c.farewell_lines) all += line;
  }
  for (int i = 0; i < count; ++i) {
    std::vector<char> text = Read(texts[i]);
    all.append(text.begin(), text.end());
  }
  AddCodePoints(all, chars);
  chars.erase(0xFFFD);  // what a byte that is no character becomes
  return chars;
}

bool Ideograph(int cp) {
  return (cp >= 0x3400 && cp <= 0x4DBF) || (cp >= 0x4E00 && cp <= 0x9FFF) || (cp >= 0xF900 && cp <= 0xFAFF) ||
         (cp >= 0x20000 && cp <= 0x3FFFF);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: web_font_check ORIGINAL.ttf WEB.ttf [TEXT...]\n");
    return 2;
  }
  std::vector<char> original_bytes = Read(argv[1]), web_bytes = Read(argv[2]);
  stbtt_fontinfo original, web;
  if (!Open(original_bytes, original) || !Open(web_bytes, web)) {
    std::fprintf(stderr, "web_font_check: cannot open the fonts\n");
    return 1;
  }
  int differences = 0;
  auto differ = [&](const std::string& what) {
    if (++differences <= 20) std::printf("differs: %s\n", what.c_str());
  };

  int a1, d1, g1, a2, d2, g2;
  stbtt_GetFontVMetrics(&original, &a1, &d1, &g1);
  stbtt_GetFontVMetrics(&web, &a2, &d2, &g2);
  if (a1 != a2 || d1 != d2 || g1 != g2) differ("line metrics");
  if (stbtt_ScaleForMappingEmToPixels(&original, 1000) != stbtt_ScaleForMappingEmToPixels(&web, 1000))
    differ("units per em");

  const std::set<int> drawn = CharactersTheGameDraws(argv + 3, argc - 3);
  std::vector<int> mapped;
  int left_out = 0, drawn_and_mapped = 0;
  for (int cp = 0; cp <= 0x10FFFF; ++cp) {
    int i1 = stbtt_FindGlyphIndex(&original, cp), i2 = stbtt_FindGlyphIndex(&web, cp);
    if (i1 != 0 && drawn.count(cp)) ++drawn_and_mapped;
    if (i1 != 0 && i2 == 0 && Ideograph(cp) && !drawn.count(cp)) {
      ++left_out;  // an ideograph beyond Shift-JIS that nothing of the game holds
      continue;
    }
    if ((i1 == 0) != (i2 == 0)) {
      differ("U+" + std::to_string(cp) + (i1 ? " is missing" : " was added"));
      continue;
    }
    if (i1 == 0) continue;
    mapped.push_back(cp);
    if (Glyph(original, i1) != Glyph(web, i2)) differ("the outline or advance of U+" + std::to_string(cp));
  }

  // The game's rasteriser, lines of 64 characters at the sizes the game uses.
  auto r1 = CreateStbRasterizer(original_bytes), r2 = CreateStbRasterizer(web_bytes);
  if (!r1 || !r2) {
    std::fprintf(stderr, "web_font_check: the rasteriser cannot open the fonts\n");
    return 1;
  }
  size_t lines = 0;
  for (size_t at = 0; at < mapped.size(); at += 64) {
    std::string line;
    for (size_t k = at; k < mapped.size() && k < at + 64; ++k) line += Utf8(mapped[k]);
    for (int px : {9, 11, 12, 13, 16}) {
      for (bool bold : {false, true}) {
        TextRun t1, t2;
        bool ok1 = r1->Render(line, px, bold, t1), ok2 = r2->Render(line, px, bold, t2);
        ++lines;
        if (ok1 != ok2 || t1.w != t2.w || t1.h != t2.h || t1.alpha != t2.alpha)
          differ("the pixels of the line from U+" + std::to_string(mapped[at]) + " at " + std::to_string(px) +
                 " px");
      }
    }
  }
  if (drawn_and_mapped < 7000)
    differ("too few of the characters the game may draw were found: is iconv's CP932 there?");
  std::printf(
      "web_font_check: %zu characters (%d of the %zu the game may draw that the original has), %d ideographs "
      "beyond Shift-JIS left out, %zu rendered lines, %d differences\n",
      mapped.size(), drawn_and_mapped, drawn.size(), left_out, lines, differences);
  return differences == 0 ? 0 : 1;
}
