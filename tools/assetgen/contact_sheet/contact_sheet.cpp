// contact_sheet CG_DIR SHEET_PNG FRAME_PNG: every picture of CG_DIR at twice
// its size with its file name and, under it, the words it must show (the
// goods' name and description, the customer's name and first line), so a
// review of picture against words is one look; and a mock shop frame composed
// the way the game draws it (shop, customer, counter pieces, package).
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "tools/assetgen/contact_sheet/captions.h"

namespace {

struct Picture {
  std::string name;
  Bitmap bmp;
  std::vector<std::pair<std::string, Rgb>> caption;  // lines wrapped to the tile's width
};

constexpr int kCaptionLine = 10;  // pixels per caption line

// Breaks `text` into lines no wider than `width` pixels, between characters.
std::vector<std::string> Wrap(Bitmap& measure, const std::string& text, int width) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size();) {
    size_t n = 1;
    unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0xF0)
      n = 4;
    else if (lead >= 0xE0)
      n = 3;
    else if (lead >= 0xC0)
      n = 2;
    std::string ch = text.substr(i, n);
    if (!line.empty() && measure.TextWidth(line + ch) > width) lines.push_back(line), line.clear();
    line += ch;
    i += n;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

int TileWidth(const Bitmap& b) {
  return std::max(b.Width() * 2, 96);
}

// Checks under the sprites so their key colour shows as clear.
void Checks(Bitmap& sheet, int x, int y, int w, int h) {
  for (int j = 0; j < h; j += 8)
    for (int i = 0; i < w; i += 8) {
      sheet.brush_color = ((i + j) / 8) % 2 ? 0xD8D0C8 : 0xB8B0A8;
      sheet.FillRect(x + i, y + j, std::min(x + i + 8, x + w), std::min(y + j + 8, y + h));
    }
}

std::vector<Picture> LoadAll(const std::string& dir) {
  std::vector<Picture> pics;
  for (auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".bmp") continue;
    Picture p{entry.path().filename().string(), Bitmap(), {}};
    if (!p.bmp.LoadFromFile(entry.path().string())) {
      std::fprintf(stderr, "contact_sheet: cannot load %s\n", entry.path().c_str());
      continue;
    }
    // Shown as the game draws them: scenes and the counter front are copied
    // opaque, the middle shop-front piece keys out black, sprites their
    // bottom-left colour.
    bool opaque = p.bmp.Width() >= 195 && p.name != "front_mid.bmp" && p.name != "front3.bmp" &&
                  p.name != "seal_box.bmp";
    p.bmp.transparent = !opaque;
    if (p.name == "front_mid.bmp") p.bmp.auto_key = false, p.bmp.key_color = 0x000000;
    pics.push_back(std::move(p));
  }
  // The words under each picture.
  auto words = PictureCaptions();
  Bitmap measure(1, 1);
  measure.font.size = 7;
  for (Picture& p : pics) {
    // File name in grey, the game's names in white, descriptions in yellow.
    p.caption.push_back({p.name, 0xB8B0C0});
    for (const Words& w : words[p.name])
      for (std::string& line : Wrap(measure, w.text, TileWidth(p.bmp)))
        p.caption.push_back({std::move(line), w.is_name ? 0xFFFFFF : 0xFFE89A});
  }
  // Big pictures first, then by name.
  std::sort(pics.begin(), pics.end(), [](const Picture& a, const Picture& b) {
    bool big_a = a.bmp.Width() >= 150, big_b = b.bmp.Width() >= 150;
    return big_a != big_b ? big_a : a.name < b.name;
  });
  return pics;
}

Bitmap Sheet(const std::vector<Picture>& pics) {
  const int width = 1640, gap = 8;
  // Lay out rows first to know the height.
  struct Place {
    int x, y;
  };
  std::vector<Place> places;
  int x = gap, y = gap, row_h = 0;
  for (auto& p : pics) {
    int w = TileWidth(p.bmp), h = p.bmp.Height() * 2 + 2 + kCaptionLine * int(p.caption.size());
    if (x + w + gap > width) x = gap, y += row_h + gap, row_h = 0;
    places.push_back({x, y});
    x += w + gap;
    row_h = std::max(row_h, h);
  }
  Bitmap sheet(width, y + row_h + gap);
  sheet.brush_color = 0x4A3A48;
  sheet.FillRect(0, 0, sheet.Width(), sheet.Height());
  sheet.font.size = 7;
  sheet.font.color = 0xFFFFFF;
  for (size_t i = 0; i < pics.size(); ++i) {
    const Bitmap& b = pics[i].bmp;
    int px = places[i].x, py = places[i].y;
    Checks(sheet, px, py, b.Width() * 2, b.Height() * 2);
    sheet.StretchDraw(px, py, px + b.Width() * 2, py + b.Height() * 2, b);
    sheet.brush_clear = true;
    int ty = py + b.Height() * 2 + 2;
    for (const auto& [line, color] : pics[i].caption) {
      sheet.font.color = color;
      sheet.TextOut(px, ty, line);
      ty += kCaptionLine;
    }
    sheet.brush_clear = false;
  }
  return sheet;
}

const Bitmap* Find(const std::vector<Picture>& pics, const std::string& name) {
  for (auto& p : pics)
    if (p.name == name) return &p.bmp;
  return nullptr;
}

// The shop as the game composes it, with two customers and packages side by side.
Bitmap MockFrames(const std::vector<Picture>& pics) {
  const char* sets[][2] = {
      {"girl02.bmp", "croun.bmp"}, {"jisrof.bmp", "hako.bmp"}, {"unbou.bmp", "mepoka.bmp"}};
  Bitmap out(390 * 3 + 8, 260);
  for (int k = 0; k < 3; ++k) {
    Bitmap frame(390, 260);
    const Bitmap *shop = Find(pics, "haikei2.bmp"), *guest = Find(pics, sets[k][0]),
                 *pack = Find(pics, sets[k][1]);
    const Bitmap *mid = Find(pics, "front_mid.bmp"), *right = Find(pics, "front3.bmp"),
                 *front = Find(pics, "front2.bmp");
    if (!shop || !guest || !pack || !mid || !right || !front) return out;
    frame.CopyRect(0, 0, 390, 260, *shop, 0, 0, 195, 130);
    int w = guest->Width();
    frame.StretchDraw(195 - w, 0, 195 + w, 150, *guest);
    Bitmap mid_black = *mid;
    mid_black.auto_key = false;
    mid_black.key_color = 0x000000;
    frame.Draw(0, 100, mid_black);
    frame.Draw(260, 0, *right);
    frame.CopyRect(0, 150, 390, 260, *front, 0, 0, 390, 110);
    w = pack->Width();
    frame.StretchDraw(195 - w, 170 - w, 195 + w, 170 + w, *pack);
    frame.brush_clear = true;
    frame.font.size = 8;
    frame.font.bold = true;
    frame.font.color = 0xFFFFFF;
    frame.TextOut(300, 35, "オープンから 1日目");
    frame.TextOut(320, 105, "LV: 1");
    frame.font.color = 0xBB0077;
    frame.TextOut(300, 145, "ヴォマクトクラウン");
    frame.font.size = 10;
    frame.font.color = 0xFFCCDD;
    frame.TextOut(281, 183, "シール");
    frame.TextOut(281, 211, "はい終わり");
    frame.font.color = 0xFFFFFF;
    frame.TextOut(5, 245, "折った");
    out.CopyRect(k * 394, 0, k * 394 + 390, 260, frame, 0, 0, 390, 260);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: contact_sheet CG_DIR SHEET_PNG FRAME_PNG\n");
    return 2;
  }
  std::vector<Picture> pics = LoadAll(argv[1]);
  if (pics.empty()) {
    std::fprintf(stderr, "contact_sheet: no pictures in %s\n", argv[1]);
    return 1;
  }
  if (!Sheet(pics).SaveToPng(argv[2]) || !MockFrames(pics).SaveToPng(argv[3])) {
    std::fprintf(stderr, "contact_sheet: cannot write the sheets\n");
    return 1;
  }
  std::printf("%zu pictures\n", pics.size());
  return 0;
}
