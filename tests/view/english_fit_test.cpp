// Every text of the English catalogue, in the game's font and size, in the
// box where the game shows it: message lines, choice labels, the status
// panel, the goods card, the evening shop's panel, the seal box and the
// collection, the dialogs and the volume notice. Built lines are filled
// with the longest names and numbers they can carry. Fails on a line wider
// than its box, on more lines than the box holds and on a word broken
// across lines. Every text in po/picolatte.pot must have a place here.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/form.h"
#include "app/lang.h"
#include "content/tables.h"
#include "files/regular_file.h"
#include "platform/bitmap.h"
#include "view/text_boxes.h"
#include "view/text_wrap.h"

namespace {

// A place and its font size; the game's own boxes where it has them. Lines
// are always measured at the box's own size: English never gets smaller type.
struct Box {
  const char* where;
  ShownText shown;
};
TFont Bold(int points) {
  return {kGameFace, points, true, 0xFFFFFF};
}
const Box kMessage = {"message line", kMessageLine};
const Box kChoice = {"choice label", {{390 - (kChoiceLeft + 25), 1}, Bold(10)}};
const Box kStatus8 = {"status panel", {{105, 1}, Bold(8)}};  // the panel's dark board
const Box kStatus9 = {"status panel", {{105, 1}, Bold(9)}};
const Box kCardName = {"goods card", kGoodsCardName};
const Box kCardText = {"goods card", kGoodsCardDescription};
const Box kList = {"shop list", kItemListEntry};
const Box kDetail = {"shop detail", kItemDetail};
const Box kShopButton = {"shop button", {{213 - 8, 1}, Bold(10)}};
const Box kSealLabel = {"seal under the pointer", {{150, 1}, Bold(7)}};
const Box kCollectionNameBox = {"collection", kCollectionName};
const Box kCollectionText = {"collection", kCollectionDescription};
const Box kDialogTitle = {"dialog title", {{kDialogBoard.width - 16, 1}, Bold(9)}};
const Box kDialogText = {"dialog text", {{kDialogBoard.width - 28, 5}, Bold(9)}};
const Box kDialogButton = {"dialog button", {{kDialogYesButton.width - 6, 1}, Bold(10)}};
// From 6 pixels in to the notice's level bar (ten cells of 4 pixels, 1 apart).
const Box kVolume = {"volume notice", {{kVolumeNoticeBox.width - 6 - 49 - 6, 1}, Bold(9)}};

struct Entry {
  std::string id;
  std::vector<std::string> files;
};

// The template's texts and the files each comes from.
std::vector<Entry> TemplateEntries() {
  std::ifstream in(LANG_PO_DIR "/picolatte.pot");
  std::vector<Entry> out;
  std::vector<std::string> files;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("#: ", 0) == 0) {
      std::istringstream refs(line.substr(3));
      std::string ref;
      files.clear();
      while (refs >> ref) files.push_back(ref.substr(0, ref.find(':')));
    } else if (line.rfind("msgid \"", 0) == 0 && line.size() > 8) {
      std::string id;
      for (size_t i = 7; i + 1 < line.size(); ++i) {
        if (line[i] == '\\' && i + 2 < line.size()) ++i;
        id += line[i];
      }
      out.push_back({id, files});
    }
  }
  return out;
}

class EnglishFit : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string bytes, why;
    ASSERT_EQ(ReadRegularFile(TEST_DIST_DIR "/dat/en.mo", bytes), 0);
    ASSERT_TRUE(en.Load(bytes, why)) << why;
    FillGoodsTable(goods);
    FillCustomerTable(customers);
    canvas.SetSize(400, 300);
  }

  // The English of `japanese` in `box`; a failure names both.
  void Fits(const std::string& japanese, const Box& box) { Shown(japanese, en.Translate(japanese), box); }
  void Shown(const std::string& japanese, const std::string& english, const Box& box) {
    ++checked;
    if (&box == &kVolume) {  // the notice's text may reach as far as the Japanese does
      EXPECT_LE(Width(english, box), std::max(box.shown.box.width, Width(japanese, box))) << english;
      return;
    }
    EXPECT_TRUE(TextFits(english, box.shown.box, box.shown.font))
        << box.where << " (" << box.shown.box.width << " px, " << box.shown.box.max_lines
        << " lines): " << japanese << " -> " << english << " (" << Width(english, box) << " px)";
  }
  int Width(const std::string& text, const Box& box) {
    canvas.font = box.shown.font;
    return canvas.TextWidth(text);
  }

  std::vector<std::string> Names(int from, int to) const {
    std::vector<std::string> out;
    for (int g = from; g <= to; ++g)
      if (!goods[g].name.empty()) out.push_back(goods[g].name);
    return out;
  }
  std::vector<std::string> CustomerNames() const {
    std::vector<std::string> out;
    for (const tman& c : customers)
      if (!c.name.empty()) out.push_back(c.name);
    return out;
  }

  // A built line, each %s filled with every one of `names`, %d with `number`.
  void Built(const std::string& id, const std::vector<std::string>& names, const std::string& number,
             const Box& box) {
    for (const std::string& name : names.empty() ? std::vector<std::string>{""} : names) {
      std::string line;
      for (size_t i = 0; i < id.size(); ++i) {
        if (id[i] == '%' && i + 1 < id.size()) {
          char c = id[++i];
          line += c == 'd' ? number : c == 's' ? name : std::string(1, c);
        } else {
          line += id[i];
        }
      }
      std::string english = en.Translate(line);
      EXPECT_NE(english, line) << "no template took " << line;
      Shown(line, english, box);
    }
  }

  TCatalogue en;
  GoodsTable goods;
  CustomerTable customers;
  Bitmap canvas;
  int checked = 0;
};

TEST_F(EnglishFit, EveryTranslatedLineFitsWhereTheGameShowsIt) {
  const std::vector<std::string> seals = Names(100, 150), materials = Names(200, 207);
  const std::vector<std::string> all_goods = Names(1, 999), people = CustomerNames();
  const std::vector<std::string> held_goods = [&] {
    std::vector<std::string> v = seals;
    v.insert(v.end(), materials.begin(), materials.end());
    return v;
  }();
  // Where each built line goes, what fills it, and its largest number.
  struct Place {
    const std::vector<std::string>* names;
    const char* number;
    const Box* box;
  };
  const std::vector<std::string> none, path = {"/usr/share/games/picolatte/cg/seal_box.bmp"};
  const std::map<std::string, Place> built = {
      {"%sが現れた!!", {&people, "", &kMessage}},
      {"%sは泣きながらどこかへ行った", {&people, "", &kMessage}},
      {"%sは帰っていった....", {&people, "", &kMessage}},
      {"%sはむっつりして帰っていった....", {&people, "", &kMessage}},
      {"%sは不服そうに帰っていった....", {&people, "", &kMessage}},
      {"%sは怒りながら帰っていった....", {&people, "", &kMessage}},
      {"【%s】を取った、どこに貼ろっかな", {&seals, "", &kMessage}},
      {"【%s】を貼った", {&seals, "", &kMessage}},
      {"【%s】が 1枚盗まれた!!(残: %d枚)", {&seals, "999", &kMessage}},
      {"Item【%s】を 1個入手した(所持:%d個)", {&held_goods, "999", &kMessage}},
      {"%sがもうありません", {&materials, "", &kMessage}},
      {"包んだ(%s 残: %dコ)", {&materials, "999", &kMessage}},
      {"お金 %d円が盗まれてしまった!!", {&none, "4999999", &kMessage}},
      {"お金 %d円を入手", {&none, "9999999", &kMessage}},
      {"お金が %d円減った", {&none, "9999999", &kMessage}},
      {"うむっ、今日のお客さんの満足度は %d％じゃ。", {&none, "100", &kMessage}},
      {"レベルアップ!! → %d", {&none, "10", &kMessage}},
      {"お客の満足度 %dUP", {&none, "99", &kMessage}},
      {"お客の満足度 %dDOWN", {&none, "99", &kMessage}},
      {"音量 %d%%", {&none, "100", &kVolume}},
      {"オープンから %d日目", {&none, "9999", &kStatus8}},
      {"金:￥%d円", {&none, "9999999", &kStatus9}},
      {"%d円", {&none, "9999999", &kShopButton}},
      {"(所持: %d個)", {&none, "999", &kDetail}},
      {"値段:￥ %d円", {&none, "999", &kDetail}},
      {"絵が読めません: %s", {&path, "", &kDialogText}},
      {"I/O ｴﾗｰ (%d)", {&none, "-2147483648", &kDialogText}},
      {"%s (%d 行目)", {&path, "1103", &kDialogText}},
      {"ﾌｧｲﾙが大きすぎます (%d KB まで)", {&none, "65536", &kDialogText}},
      {"my.dat の値が足りません (%d / %d)。足りない分を 0 として続けます。", {&none, "1103", &kDialogText}},
      {"元のファイルは %s に残しました", {&path, "", &kDialogText}},
  };
  const std::set<std::string> choices = {"断る", "包む", "折る", "シール", "はい終わり", "次", "帰って寝る", "手紙"};
  std::set<std::string> names(all_goods.begin(), all_goods.end()), descriptions, speakers(people.begin(), people.end());
  for (const titem& g : goods)
    if (!g.name.empty()) descriptions.insert(g.description);

  for (const Entry& e : TemplateEntries()) {
    auto has = [&](const char* file) { return std::count(e.files.begin(), e.files.end(), file) > 0; };
    if (auto b = built.find(e.id); b != built.end()) {
      Built(e.id, *b->second.names, b->second.number, *b->second.box);
    } else if (e.id.find('%') != std::string::npos) {
      ADD_FAILURE() << "a built line with no place in this test: " << e.id;
    } else if (names.count(e.id)) {
      Fits(e.id, kList);
      Fits(e.id, kCardName);
      Fits(e.id, kDetail);
      Fits(e.id, kCollectionNameBox);
      Fits(e.id, kSealLabel);
    } else if (descriptions.count(e.id)) {
      Fits(e.id, kDetail);
      Fits(e.id, kCollectionText);
      Fits(e.id, kCardText);
    } else if (speakers.count(e.id)) {
      Fits(e.id, kMessage);  // and inside every line above that names them
    } else if (choices.count(e.id)) {
      Fits(e.id, kChoice);
    } else if (has("app/dialog.h")) {
      Fits(e.id, kDialogButton);
    } else if (has("app/input.cpp") || has("save/file_error.cpp") || has("save/form_save.cpp")) {
      Fits(e.id, kDialogText);
    } else if (e.id == "ピコラッテ") {
      Shown(e.id, "× " + en.Translate(e.id), kDialogTitle);
    } else if (has("app/volume_keys.cpp")) {
      Fits(e.id, kVolume);
    } else if (has("inventory/item_panel.cpp")) {
      Fits(e.id, kShopButton);
    } else if (e.id == kWindowCaption) {
      EXPECT_NE(en.Translate(e.id), e.id);  // the window's title bar: no box of the game's
    } else if (has("view/status_panel.cpp")) {
      continue;  // the read-outs, below
    } else {
      Fits(e.id, has("inventory/shop.cpp") && e.id.find("『") == std::string::npos ? kDetail : kMessage);
    }
  }
  // The status panel's read-outs: a small label, a big number and a small
  // unit in one row.
  struct Readout {
    const char *label, *unit, *number;
    int points;
  };
  for (const Readout& r : {Readout{"閉店まで ", " 時間", "18", 12}, Readout{"客の満足度 ", " ％", "100", 15}}) {
    int width = Width(en.Translate(r.label), kStatus8) + Width(en.Translate(r.unit), kStatus8);
    canvas.font.size = r.points;
    width += canvas.TextWidth(r.number);
    EXPECT_LE(width, kStatus8.shown.box.width) << "status read-out: " << en.Translate(r.label);
    ++checked;
  }
  EXPECT_GT(checked, 1500) << "the fit test measured too little";
}

}  // namespace
