// The customer table: who comes, what they bring, which seals they like and
// dislike, and how many lines they say.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "content/tables.h"
#include "tests/content/sjis.h"

namespace {

const CustomerTable& Customers() {
  static const std::unique_ptr<CustomerTable> customers = [] {
    auto table = std::make_unique<CustomerTable>();
    FillCustomerTable(*table);
    return table;
  }();
  return *customers;
}

const GoodsTable& Goods() {
  static const std::unique_ptr<GoodsTable> goods = [] {
    auto table = std::make_unique<GoodsTable>();
    FillGoodsTable(*table);
    return table;
  }();
  return *goods;
}

template <typename T, size_t N>
int CountNonZero(const std::array<T, N>& list) {
  int count = 0;
  for (T v : list) count += v != 0;
  return count;
}

template <size_t N>
int CountLines(const std::array<std::string, N>& lines) {
  int count = 0;
  while (count < static_cast<int>(N) && !lines[count].empty()) ++count;
  return count;
}

template <typename T, size_t N>
std::vector<T> Prefix(const std::array<T, N>& list, size_t n) {
  return std::vector<T>(list.begin(), list.begin() + n);
}

struct Expected {
  int number;
  const char* name;
  const char* picture;
  int rank;
  int favourite;
  int wished, liked, disliked;  // entries that are not 0
  int requests, farewells;
};

constexpr Expected kExpected[] = {
    {0, "ロクサン", "girl00.bmp", 0, 135, 5, 13, 2, 2, 2},
    {1, "死美ちゃん", "girl01.bmp", 0, 129, 9, 11, 2, 2, 2},
    {2, "平堂院エリカ", "girl02.bmp", 1, 115, 6, 7, 6, 2, 2},
    {3, "花豆", "boy00.bmp", 2, 116, 5, 10, 3, 2, 2},
    {4, "はりね", "girl03.bmp", 2, 137, 6, 13, 4, 2, 1},
    {5, "ヒコ゜ピコ゜ヒコ゜クン", "boy01.bmp", 2, 111, 3, 5, 14, 2, 2},
    {6, "ぷん子", "girl04.bmp", 3, 138, 7, 10, 4, 2, 2},
    {7, "としくん", "boy02.bmp", 3, 139, 6, 8, 4, 2, 2},
    {8, "セブン", "seven.bmp", 4, 132, 6, 9, 6, 2, 2},
    {9, "ツン", "tun.bmp", 4, 140, 4, 11, 5, 2, 2},
    {10, "ムン", "mun.bmp", 5, 136, 5, 10, 4, 2, 2},
    {11, "わたっ娘", "wata.bmp", 5, 117, 6, 8, 3, 1, 2},
    {12, "ユカリー", "yukari.bmp", 6, 131, 5, 8, 5, 2, 2},
    {13, "モナト", "monato.bmp", 6, 107, 8, 8, 3, 2, 1},
    {14, "天伊優香", "yuuka.bmp", 7, 141, 7, 7, 5, 2, 2},
    {15, "どこかの国の王様", "jisrof.bmp", 8, 120, 4, 4, 38, 1, 1},
    {16, "のぶひと", "nobu.bmp", 1, 112, 5, 10, 2, 2, 2},
    {17, "バイオン", "bione.bmp", 0, 143, 3, 7, 4, 1, 1},
    {18, "あかちゃん・運坊(うんぼう)", "unbou.bmp", 2, 144, 4, 10, 3, 1, 1},
    {19, "徳次郎", "toku.bmp", 4, 126, 6, 9, 7, 1, 1},
    {20, "リチャード", "maichel.bmp", 2, 145, 8, 12, 5, 1, 1},
    {21, "ターミン", "tam.bmp", 0, 133, 6, 7, 4, 1, 1},
    {22, "あかちゃん・雲歩狼(うんぽろ)", "unporo.bmp", 0, 142, 5, 12, 3, 1, 1},
    {23, "さなちゃん", "sanae.bmp", 2, 113, 7, 11, 4, 1, 1},
    {24, "ぶぶこ", "bubuko.bmp", 1, 119, 8, 7, 9, 2, 2},
    {25, "某国の王子", "prince.bmp", 5, 146, 5, 14, 8, 2, 2},
};

TEST(CustomerTable, EveryCustomerAsListed) {
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(e.number);
    const tman& man = Customers()[e.number];
    EXPECT_EQ(man.name, e.name);
    EXPECT_EQ(man.picture, e.picture);
    EXPECT_EQ(man.rank, e.rank);
    EXPECT_EQ(man.liked_seals[0], e.favourite);
    EXPECT_EQ(CountNonZero(man.wished_goods), e.wished);
    EXPECT_EQ(CountNonZero(man.liked_seals), e.liked);
    EXPECT_EQ(CountNonZero(man.disliked_seals), e.disliked);
    EXPECT_EQ(CountLines(man.request_lines), e.requests);
    EXPECT_EQ(CountLines(man.farewell_lines), e.farewells);
    // Nothing hides behind the end of a text list.
    for (int k = e.requests; k < 50; ++k) EXPECT_TRUE(man.request_lines[k].empty()) << k;
    for (int k = e.farewells; k < 50; ++k) EXPECT_TRUE(man.farewell_lines[k].empty()) << k;
  }
}

TEST(CustomerTable, SlotsPastTheLastCustomerAreEmpty) {
  for (int n = 26; n < kCustomerCount; ++n) {
    const tman& man = Customers()[n];
    EXPECT_TRUE(man.name.empty()) << n;
    EXPECT_TRUE(man.picture.empty()) << n;
    EXPECT_EQ(man.rank, 0) << n;
    EXPECT_EQ(
        CountNonZero(man.wished_goods) + CountNonZero(man.liked_seals) + CountNonZero(man.disliked_seals), 0)
        << n;
    EXPECT_EQ(CountLines(man.request_lines) + CountLines(man.farewell_lines), 0) << n;
  }
}

TEST(CustomerTable, WholeListsOfSomeCustomers) {
  const CustomerTable& c = Customers();
  EXPECT_EQ(Prefix(c[0].wished_goods, 6), (std::vector<int32_t>{33, 19, 18, 2, 70, 0}));
  EXPECT_EQ(Prefix(c[0].liked_seals, 14),
            (std::vector<int32_t>{135, 110, 101, 102, 103, 109, 146, 147, 148, 149, 122, 131, 137, 0}));
  EXPECT_EQ(Prefix(c[0].disliked_seals, 3), (std::vector<int32_t>{127, 128, 0}));
  EXPECT_EQ(c[0].request_lines[0], "これ包んでください");
  EXPECT_EQ(c[0].farewell_lines[0], "はい、どうも");

  EXPECT_EQ(Prefix(c[1].wished_goods, 10), (std::vector<int32_t>{33, 19, 4, 18, 37, 55, 56, 64, 65, 0}));
  EXPECT_EQ(Prefix(c[5].disliked_seals, 15),
            (std::vector<int32_t>{101, 102, 113, 109, 108, 103, 115, 110, 105, 106, 104, 144, 149, 137, 0}));
  EXPECT_EQ(Prefix(c[4].disliked_seals, 5), (std::vector<int32_t>{125, 125, 118, 143, 0}));
  EXPECT_EQ(Prefix(c[13].wished_goods, 9), (std::vector<int32_t>{35, 34, 30, 31, 58, 59, 68, 74, 0}));
  EXPECT_EQ(Prefix(c[20].liked_seals, 13),
            (std::vector<int32_t>{145, 103, 126, 132, 133, 136, 124, 146, 147, 148, 149, 150, 0}));
  EXPECT_EQ(Prefix(c[24].disliked_seals, 10),
            (std::vector<int32_t>{126, 125, 118, 108, 114, 123, 127, 128, 143, 0}));
  EXPECT_EQ(Prefix(c[25].liked_seals, 15),
            (std::vector<int32_t>{146, 107, 132, 133, 134, 135, 136, 125, 143, 119, 147, 148, 149, 150, 0}));
  EXPECT_EQ(Prefix(c[25].disliked_seals, 9),
            (std::vector<int32_t>{109, 137, 131, 117, 101, 102, 137, 122, 0}));
}

TEST(CustomerTable, ZeroGapsStayInTheDislikedLists) {
  const CustomerTable& c = Customers();
  EXPECT_EQ(Prefix(c[1].disliked_seals, 4), (std::vector<int32_t>{0, 111, 119, 0}));
  EXPECT_EQ(Prefix(c[19].disliked_seals, 9), (std::vector<int32_t>{115, 113, 0, 112, 111, 144, 138, 139, 0}));
  EXPECT_EQ(Prefix(c[23].disliked_seals, 6), (std::vector<int32_t>{126, 125, 118, 0, 143, 0}));
  // Customer 1 both likes and dislikes 111.
  EXPECT_EQ(c[1].liked_seals[1], 111);
}

TEST(CustomerTable, TheKingDislikesAWholeRange) {
  const tman& king = Customers()[15];
  for (int p = 0; p <= 38; ++p) EXPECT_EQ(king.disliked_seals[p], p == 7 ? 0 : 100 + p) << p;
  for (int p = 39; p < 100; ++p) EXPECT_EQ(king.disliked_seals[p], 0) << p;
  EXPECT_EQ(Prefix(king.liked_seals, 5), (std::vector<int32_t>{120, 139, 147, 148, 0}));
  EXPECT_EQ(Prefix(king.wished_goods, 5), (std::vector<int32_t>{11, 31, 38, 75, 0}));
}

// The middle character of ヒコ゜ is the stand-alone sound mark, not a ポ.
TEST(CustomerTable, NameWithTheSeparateSoundMark) {
  EXPECT_EQ(Customers()[5].name,
            "\xE3\x83\x92\xE3\x82\xB3\xE3\x82\x9C\xE3\x83\x94\xE3\x82\xB3\xE3\x82\x9C"
            "\xE3\x83\x92\xE3\x82\xB3\xE3\x82\x9C\xE3\x82\xAF\xE3\x83\xB3");
  EXPECT_EQ(sjis::FromUtf8(Customers()[5].name)->size(), 22u);
}

TEST(CustomerTable, ListsNameRealGoodsAndSeals) {
  for (int n = 0; n < 26; ++n) {
    const tman& man = Customers()[n];
    SCOPED_TRACE(n);
    // Only the first nine wished goods are ever drawn, without gaps.
    for (int p = 0; p < 20; ++p) {
      int g = man.wished_goods[p];
      if (p < CountNonZero(man.wished_goods)) {
        EXPECT_LT(p, 9);
        EXPECT_GE(g, 1);
        EXPECT_LE(g, 76);
        EXPECT_FALSE(Goods()[g].name.empty()) << g;
      } else {
        EXPECT_EQ(g, 0) << p;
      }
    }
    for (int32_t s : man.liked_seals) {
      if (s != 0) {
        EXPECT_EQ(Goods()[s].kind, kKindSeal) << s;
      }
    }
    // The king's range runs over the empty number 130; nobody else names it.
    for (int32_t s : man.disliked_seals) {
      if (s != 0 && !(n == 15 && s == 130)) {
        EXPECT_EQ(Goods()[s].kind, kKindSeal) << s;
      }
    }
  }
}

// Customers speak on the one message line across the scene.
TEST(CustomerTable, LinesFitTheMessageLine) {
  for (int n = 0; n < 26; ++n) {
    const tman& man = Customers()[n];
    SCOPED_TRACE(n);
    EXPECT_TRUE(sjis::FromUtf8(man.name));
    for (const auto* lines : {&man.request_lines, &man.farewell_lines}) {
      for (const std::string& line : *lines) {
        if (line.empty()) continue;
        std::optional<std::string> bytes = sjis::FromUtf8(line);
        ASSERT_TRUE(bytes) << line;
        EXPECT_LE(bytes->size(), 56u) << line;
      }
    }
  }
}

TEST(CustomerTable, FillingAgainClearsEveryOtherSlot) {
  auto table = std::make_unique<CustomerTable>();
  (*table)[40].name = "stray";
  (*table)[3].farewell_lines[5] = "stray";
  (*table)[3].disliked_seals[60] = 118;
  FillCustomerTable(*table);
  EXPECT_TRUE((*table)[40].name.empty());
  EXPECT_TRUE((*table)[3].farewell_lines[5].empty());
  EXPECT_EQ((*table)[3].disliked_seals[60], 0);
  EXPECT_EQ((*table)[3].name, "花豆");
}

}  // namespace
