// Wrapping materials, goods numbers 200-207: material 200 + n serves wrap
// class n, with its own pictures and sounds for wrapping and folding.
#include <cstdint>
#include <iterator>

#include "content/goods_rows.h"

namespace {

constexpr PlainGoodsRow kMaterials[] = {
    {200, "mepoka_small2.bmp", "ちっちゃな袋", 15, "とってもちっちゃいの"},
    {201, "mepoka2.bmp", "小さな袋", 10, "小さいの"},
    {202, "mepoka_mid2.bmp", "大きめの袋", 20, "ちょっと大きいの"},
    {203, "mepoka_big2.bmp", "特大の袋", 50, "すごく大きいの"},
    {204, "hako0.bmp", "箱", 70, "しっかりした箱"},
    {205, "tesage2.bmp", "手さげ袋", 60, "持ち手つきの袋"},
    {206, "hako2.bmp", "大きな箱", 100, "大きくて丈夫な箱"},
    {207, "kami2.bmp", "パン袋", 30, "パンを入れる紙袋"},
};

constexpr WrapStyle kWrapStyles[] = {
    {"mepoka_small.bmp", "small.wav", "mepoka_small2.bmp", "small2.wav"},
    {"mepoka.bmp", "white0.wav", "mepoka2.bmp", "white.wav"},
    {"mepoka_mid.bmp", "mis.wav", "mepoka_mid2.bmp", "mis2.wav"},
    {"mepoka_big.bmp", "don.wav", "mepoka_big2.bmp", "big.wav"},
    {"hako0.bmp", "dan.wav", "hako.bmp", "hako2.wav"},
    {"tesage.bmp", "tesage.wav", "tesage2.bmp", "tesage2.wav"},
    {"hako1.bmp", "hako3.wav", "hako2.bmp", "hako4.wav"},
    {"kami.bmp", "kami.wav", "kami2.bmp", "kami2.wav"},
};

}  // namespace

void FillMaterialRows(GoodsTable& goods) {
  WritePlainRows(goods, kMaterials, kKindItem);
}

const WrapStyle* WrapStyleFor(int wrap_class) {
  if (wrap_class < 0 || wrap_class >= static_cast<int>(std::size(kWrapStyles))) return nullptr;
  return &kWrapStyles[wrap_class];
}
