// The goods table: its three sections, their rows and edges, lookups by name
// and the wrapping styles.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>

#include "content/tables.h"
#include "tests/content/sjis.h"

namespace {

const GoodsTable& Goods() {
  static const std::unique_ptr<GoodsTable> goods = [] {
    auto table = std::make_unique<GoodsTable>();
    FillGoodsTable(*table);
    return table;
  }();
  return *goods;
}

bool InSection(int number) {
  return (number >= 1 && number <= 76) || (number >= 100 && number <= 150 && number != 130) ||
         (number >= 200 && number <= 207);
}

struct Row {
  int number;
  const char* picture;
  const char* name;
  int price;
  int kind;
  int wrap_class;
};

void ExpectRow(const Row& row) {
  SCOPED_TRACE(row.number);
  const titem& item = Goods()[row.number];
  EXPECT_EQ(item.picture, row.picture);
  EXPECT_EQ(item.name, row.name);
  EXPECT_EQ(item.price, row.price);
  EXPECT_EQ(item.kind, row.kind);
  EXPECT_EQ(item.amount, 0);
  EXPECT_EQ(item.wrap_class, row.wrap_class);
}

TEST(GoodsTable, OnlyTheThreeSectionsHoldRows) {
  int articles = 0, seals = 0, materials = 0;
  for (int n = 0; n < kGoodsCount; ++n) {
    const titem& item = Goods()[n];
    SCOPED_TRACE(n);
    if (!InSection(n)) {
      EXPECT_TRUE(item.name.empty());
      EXPECT_TRUE(item.picture.empty());
      EXPECT_TRUE(item.description.empty());
      EXPECT_EQ(item.price, 0);
      EXPECT_EQ(item.kind, 0);
      EXPECT_EQ(item.wrap_class, 0);
      continue;
    }
    EXPECT_FALSE(item.name.empty());
    EXPECT_FALSE(item.description.empty());
    EXPECT_GT(item.price, 0);
    EXPECT_EQ(item.amount, 0);
    if (item.kind == kKindSeal) ++seals;
    if (item.kind == kKindItem) (n < kFirstMaterial ? articles : materials)++;
  }
  EXPECT_EQ(articles, 76);
  EXPECT_EQ(seals, 50);
  EXPECT_EQ(materials, 8);
  EXPECT_TRUE(Goods()[0].name.empty());
  EXPECT_TRUE(Goods()[130].name.empty());
  EXPECT_NE(Goods()[130].kind, kKindSeal);
}

TEST(GoodsTable, ArticleRowsAtTheEdgesAndBetween) {
  ExpectRow({1, "key01.bmp", "うんちのキーホルダ", 10, 99, 1});
  ExpectRow({3, "note.bmp", "ねこのノート", 10, 99, 1});
  ExpectRow({7, "doll03.bmp", "ふわふわぬいぐるみ", 25, 99, 0});
  ExpectRow({17, "stick.bmp", "ビクトリーのお魚ステッキ（占い用）", 28, 99, 1});
  ExpectRow({19, "doll06.bmp", "巨大くまぬいぐるみ", 80, 99, 3});
  ExpectRow({31, "mayoke.bmp", "まゆみ王子の特製「魔除けのお札」", 2000, 99, 1});
  ExpectRow({37, "igo.bmp", "可愛い囲碁盤", 260, 99, 6});
  ExpectRow({50, "reis.bmp", "ＲＥＩ’ＳＴシャツ", 220, 99, 5});
  ExpectRow({60, "shut.bmp", "CUTIEカレッジ制服シャツ", 120, 99, 5});
  ExpectRow({64, "coke.bmp", "コーラ", 20, 99, 7});
  ExpectRow({73, "cake.bmp", "天兄ちゃんのデコレーションケーキ", 185, 99, 4});
  ExpectRow({75, "croun.bmp", "ヴォマクトクラウン", 3000, 99, 4});
  ExpectRow({76, "tiala.bmp", "ディアナティアラ", 400, 99, 4});
  EXPECT_EQ(Goods()[3].description, "ねこの表紙だよ");
}

TEST(GoodsTable, ArticlesUseEveryWrapClassAndNoOther) {
  std::set<int> classes;
  for (int n = 1; n <= 76; ++n) {
    EXPECT_GE(Goods()[n].wrap_class, 0) << n;
    EXPECT_LE(Goods()[n].wrap_class, 7) << n;
    classes.insert(Goods()[n].wrap_class);
  }
  EXPECT_EQ(classes.size(), 8u);
  int wrap_sum = 0, price_sum = 0;
  for (int n = 1; n <= 76; ++n) {
    wrap_sum += Goods()[n].wrap_class;
    price_sum += Goods()[n].price;
  }
  // Totals of the two number columns of the article list.
  EXPECT_EQ(wrap_sum, 222);
  EXPECT_EQ(price_sum, 12907);
}

TEST(GoodsTable, PostersShareOnePicture) {
  std::set<std::string> names;
  for (int n : {24, 67, 68}) {
    EXPECT_EQ(Goods()[n].picture, "poster.bmp") << n;
    names.insert(Goods()[n].name);
  }
  EXPECT_EQ(names.size(), 3u);
  int sharing = 0;
  for (const titem& item : Goods()) sharing += item.picture == "poster.bmp";
  EXPECT_EQ(sharing, 3);
}

TEST(GoodsTable, SealRows) {
  ExpectRow({100, "seal01.bmp", "うんちのチール", 15, 44, 0});
  ExpectRow({115, "seal16.bmp", "とっても可愛いピンクチール（超キラキラ）", 500, 44, 0});
  ExpectRow({121, "seal22.bmp", "♪のチール", 25, 44, 0});
  ExpectRow({129, "seal30.bmp", "ハジメロボのチール", 2000, 44, 0});
  ExpectRow({131, "seal31.bmp", "派手なお花のチール", 500, 44, 0});
  ExpectRow({132, "seal32.bmp", "天長のチール", 15000, 44, 0});
  ExpectRow({141, "seal41.bmp", "LOVE髑髏のチール", 280, 44, 0});
  ExpectRow({145, "seal45.bmp", "00-6435pチール", 305, 44, 0});
  ExpectRow({150, "seal50.bmp", "ゴールデンエッグチール", 15000, 44, 0});
  EXPECT_EQ(Goods()[100].description, "うんちの絵入り");
}

// Seal pictures run 01-50 in goods-number order, skipping the empty 130.
TEST(GoodsTable, SealPicturesFollowTheirNumbers) {
  for (int nn = 1; nn <= 50; ++nn) {
    int number = nn <= 30 ? 99 + nn : 100 + nn;
    char picture[16];
    std::snprintf(picture, sizeof picture, "seal%02d.bmp", nn);
    EXPECT_EQ(Goods()[number].picture, picture) << number;
    EXPECT_EQ(Goods()[number].kind, kKindSeal) << number;
  }
}

TEST(GoodsTable, MaterialRowsAndTheirStyles) {
  ExpectRow({200, "mepoka_small2.bmp", "ちっちゃな袋", 15, 99, 0});
  ExpectRow({201, "mepoka2.bmp", "小さな袋", 10, 99, 0});
  ExpectRow({202, "mepoka_mid2.bmp", "大きめの袋", 20, 99, 0});
  ExpectRow({203, "mepoka_big2.bmp", "特大の袋", 50, 99, 0});
  ExpectRow({204, "hako0.bmp", "箱", 70, 99, 0});
  ExpectRow({205, "tesage2.bmp", "手さげ袋", 60, 99, 0});
  ExpectRow({206, "hako2.bmp", "大きな箱", 100, 99, 0});
  ExpectRow({207, "kami2.bmp", "パン袋", 30, 99, 0});
  EXPECT_EQ(Goods()[201].description, "小さいの");

  const WrapStyle* small = WrapStyleFor(0);
  ASSERT_NE(small, nullptr);
  EXPECT_STREQ(small->wrapped_picture, "mepoka_small.bmp");
  EXPECT_STREQ(small->wrap_sound, "small.wav");
  EXPECT_STREQ(small->folded_picture, "mepoka_small2.bmp");
  EXPECT_STREQ(small->fold_sound, "small2.wav");
  const WrapStyle* box = WrapStyleFor(4);
  ASSERT_NE(box, nullptr);
  EXPECT_STREQ(box->wrapped_picture, "hako0.bmp");
  EXPECT_STREQ(box->wrap_sound, "dan.wav");
  EXPECT_STREQ(box->folded_picture, "hako.bmp");
  EXPECT_STREQ(box->fold_sound, "hako2.wav");
  const WrapStyle* bread = WrapStyleFor(7);
  ASSERT_NE(bread, nullptr);
  EXPECT_STREQ(bread->wrapped_picture, "kami.bmp");
  EXPECT_STREQ(bread->wrap_sound, "kami.wav");
  EXPECT_STREQ(bread->folded_picture, "kami2.bmp");
  EXPECT_STREQ(bread->fold_sound, "kami2.wav");
  EXPECT_EQ(WrapStyleFor(-1), nullptr);
  EXPECT_EQ(WrapStyleFor(8), nullptr);
}

// Wrapping and folding are two sounds on two channels: never the same file,
// and every class sounds and looks different from the others.
TEST(GoodsTable, EveryWrapClassHasItsOwnStyle) {
  std::set<std::string> wrap_sounds, fold_sounds, wrapped, folded;
  for (int c = 0; c <= 7; ++c) {
    const WrapStyle* style = WrapStyleFor(c);
    ASSERT_NE(style, nullptr) << c;
    EXPECT_STRNE(style->wrap_sound, style->fold_sound) << c;
    EXPECT_STRNE(style->wrapped_picture, style->folded_picture) << c;
    wrap_sounds.insert(style->wrap_sound);
    fold_sounds.insert(style->fold_sound);
    wrapped.insert(style->wrapped_picture);
    folded.insert(style->folded_picture);
  }
  EXPECT_EQ(wrap_sounds.size(), 8u);
  EXPECT_EQ(fold_sounds.size(), 8u);
  EXPECT_EQ(wrapped.size(), 8u);
  EXPECT_EQ(folded.size(), 8u);
  // The folded bags are the material rows' own pictures.
  for (int c : {0, 1, 2, 3, 5, 6, 7})
    EXPECT_EQ(Goods()[200 + c].picture, WrapStyleFor(c)->folded_picture) << c;
}

TEST(GoodsTable, FindByNameKeepsTheLastMatch) {
  EXPECT_EQ(FindGoodsByName(Goods(), "うんちのキーホルダ"), 1);
  EXPECT_EQ(FindGoodsByName(Goods(), "ディアナティアラ"), 76);
  EXPECT_EQ(FindGoodsByName(Goods(), "うんちのチール"), 100);
  EXPECT_EQ(FindGoodsByName(Goods(), "ゴールデンエッグチール"), 150);
  EXPECT_EQ(FindGoodsByName(Goods(), "パン袋"), 207);
  EXPECT_EQ(FindGoodsByName(Goods(), "パン"), 0);
  EXPECT_EQ(FindGoodsByName(Goods(), "パン袋 "), 0);
  EXPECT_EQ(FindGoodsByName(Goods(), "nothing"), 0);
  EXPECT_EQ(FindGoodsByName(Goods(), ""), 0);

  auto table = std::make_unique<GoodsTable>(Goods());
  (*table)[500].name = "ねこのノート";
  (*table)[998].name = "ねこのノート";
  EXPECT_EQ(FindGoodsByName(*table, "ねこのノート"), 998);
  (*table)[999].name = "ねこのノート";
  EXPECT_EQ(FindGoodsByName(*table, "ねこのノート"), 999);
}

TEST(GoodsTable, FillingAgainLeavesNoStrayRows) {
  auto table = std::make_unique<GoodsTable>();
  (*table)[130].name = "stray";
  (*table)[500].price = 7;
  FillGoodsTable(*table);
  EXPECT_TRUE((*table)[130].name.empty());
  EXPECT_EQ((*table)[500].price, 0);
  EXPECT_EQ((*table)[1].name, "うんちのキーホルダ");
}

TEST(GoodsTable, NamesAreDistinctAndShiftJis) {
  std::set<std::string> names;
  for (int n = 0; n < kGoodsCount; ++n) {
    if (Goods()[n].name.empty()) continue;
    EXPECT_TRUE(names.insert(Goods()[n].name).second) << n;
    EXPECT_TRUE(sjis::FromUtf8(Goods()[n].name)) << n;
  }
}

// The goods card shows a description in up to three lines of 22 bytes each.
TEST(GoodsTable, DescriptionsFitTheGoodsCard) {
  int long_ones = 0;
  for (int n = 0; n < kGoodsCount; ++n) {
    const std::string& text = Goods()[n].description;
    if (text.empty()) continue;
    SCOPED_TRACE(n);
    std::optional<std::string> bytes = sjis::FromUtf8(text);
    ASSERT_TRUE(bytes) << text;
    EXPECT_LE(bytes->size(), 66u) << text;
    long_ones += bytes->size() > 44;
    EXPECT_TRUE(sjis::IsCharBoundary(*bytes, std::min<size_t>(22, bytes->size()))) << text;
    EXPECT_TRUE(sjis::IsCharBoundary(*bytes, std::min<size_t>(44, bytes->size()))) << text;
  }
  EXPECT_LE(long_ones, 10);
}

}  // namespace
