// The shop's world: every article, seal and wrapping material (the goods
// table) and every customer, filled with their fixed contents at start.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// One goods record. Goods, seals and materials are always referred to by
// their goods number (the index in the goods table).
struct titem {
  std::string picture;      // file in cg/, e.g. "key01.bmp"
  std::string name;         // empty = no record at this number
  std::string description;  // one short line for the goods card
  int32_t price = 0;        // yen
  int32_t kind = 0;         // 99 article or material, 44 seal
  int32_t amount = 0;       // pack size when bought; 0 in every row
  int32_t wrap_class = 0;   // articles: material 200 + wrap_class, 0-7
};

inline constexpr int kGoodsCount = 1000;
inline constexpr int kKindItem = 99;
inline constexpr int kKindSeal = 44;
inline constexpr int kFirstMaterial = 200;

// Seals the game hands out or judges by number.
inline constexpr int kSealHajimeRobo = 129;  // everybody loves it
inline constexpr int kSealManager = 132;     // the manager's reward for a perfect day
inline constexpr int kSealHen = 133;         // everybody loves it; the hen's gift
inline constexpr int kSealMoon = 136;        // a gift of the night
inline constexpr int kSealTreasure = 146;    // first of the prince's four stolen seals

using GoodsTable = std::array<titem, kGoodsCount>;

// One customer. Lists hold no count: a text list ends at its first empty
// entry, an integer list is scanned whole and its zeros match nothing.
struct tman {
  std::string picture;  // file in cg/
  std::string name;     // empty = empty slot
  std::array<std::string, 50> request_lines;
  std::array<std::string, 50> farewell_lines;
  std::array<int32_t, 20> wished_goods{};  // goods numbers; only 0-8 are drawn
  std::array<int32_t, 100> liked_seals{};  // position 0 is the favourite
  std::array<int32_t, 100> disliked_seals{};
  int32_t rank = 0;  // lowest clerk level at which this customer comes
  // A seal they like earns a gift: this line, then one of `thanks_gifts`
  // goods from `first_thanks_gift` on, drawn at random (none when 0).
  std::string thanks_line;
  int32_t first_thanks_gift = 0;
  int32_t thanks_gifts = 0;
};

inline constexpr int kCustomerCount = 256;
using CustomerTable = std::array<tman, kCustomerCount>;

// Writes the default rows (articles 1-76, seals 100-150 without 130,
// materials 200-207); every other number stays empty.
void FillGoodsTable(GoodsTable& goods);
// Writes customers 0-25; every other slot stays empty.
void FillCustomerTable(CustomerTable& customers);
// Last goods number whose name equals `name` exactly; 0 when none.
int FindGoodsByName(const GoodsTable& goods, const std::string& name);

// The material used for a wrap class and what the two steps show and play.
struct WrapStyle {
  const char* wrapped_picture;
  const char* wrap_sound;
  const char* folded_picture;
  const char* fold_sound;
};
// Wrap classes 0-7; nullptr outside.
const WrapStyle* WrapStyleFor(int wrap_class);
