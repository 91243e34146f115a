#include "tools/assetgen/contact_sheet/captions.h"

#include <memory>

#include "content/tables.h"

std::map<std::string, std::vector<Words>> PictureCaptions() {
  std::map<std::string, std::vector<Words>> words;
  auto goods = std::make_unique<GoodsTable>();
  FillGoodsTable(*goods);
  for (const titem& g : *goods) {
    if (g.name.empty()) continue;
    auto& lines = words[g.picture];  // several posters share one picture
    lines.push_back({g.name, true});
    lines.push_back({g.description, false});
  }
  auto customers = std::make_unique<CustomerTable>();
  FillCustomerTable(*customers);
  for (const tman& m : *customers) {
    if (m.name.empty()) continue;
    words[m.picture] = {{m.name, true}, {"「" + m.request_lines[0] + "」", false}};
  }
  const std::pair<const char*, const char*> scenes[] = {
      {"ten.bmp", "天長 (the manager), at closing"},
      {"yoru.bmp", "night: a noise in the dark shop"},
      {"yoru2.bmp", "the thief in the shop at night"},
      {"night.bmp", "night falls at the clerk's home"},
      {"night2.bmp", "a moonlit night: a seal from the moon"},
      {"asa.bmp", "an ordinary morning, the cock crows"},
      {"asa2.bmp", "morning: the hen lays an egg"},
      {"asa2a.bmp", "morning: a golden egg"},
      {"asa3.bmp", "morning: a chick is found"},
      {"letter.bmp", "the letter, once every seal is collected"},
      {"clear.bmp", "the game is cleared (level 10)"},
      {"haikei2.bmp", "the shop with an empty counter"},
  };
  for (auto [file, role] : scenes) words[file].push_back({role, false});
  return words;
}
