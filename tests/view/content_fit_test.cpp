// Every name, description and spoken line of the content tables fits the box
// the game shows it in, at the game's own fonts; and the line breaker's rules
// for Japanese and for Latin text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/tables.h"
#include "content/words.h"
#include "view/text_boxes.h"
#include "view/text_wrap.h"

namespace {

// Each text with the box it is shown in; counts in messages at two digits.
std::vector<std::pair<std::string, ShownText>> EveryShownText() {
  static GoodsTable table;
  static CustomerTable customers;
  FillGoodsTable(table);
  FillCustomerTable(customers);
  std::vector<std::pair<std::string, ShownText>> all;
  for (int goods = 0; goods < kGoodsCount; ++goods) {
    const titem& item = table[goods];
    if (item.name.empty()) continue;
    all.push_back({item.name, kGoodsCardName});
    all.push_back({item.description, kGoodsCardDescription});
    all.push_back({item.name + "\r(所持: 99個)\r\r" + item.description + "\r\r値段:\\ " +
                       std::to_string(item.price) + "円",
                   kItemDetail});
    all.push_back({"Item【" + item.name + "】を 1個入手した(所持:99個)", kMessageLine});
    if (item.kind == kKindSeal || goods >= kFirstMaterial) {
      // Sold in the evening shop: a list entry, smaller or narrowed as far as the list goes.
      ShownText entry = kItemListEntry;
      entry.font.size = kItemListSmallest;
      entry.box.width = kItemListEntry.box.width * 100 / kItemListNarrowest;
      all.push_back({item.name, entry});
    }
    if (item.kind == kKindSeal) {
      all.push_back({item.name, kCollectionName});
      all.push_back({item.description, kCollectionDescription});
      all.push_back({"【" + item.name + "】が 1枚盗まれた!!(残: 99枚)", kMessageLine});
      all.push_back({"【" + item.name + "】を取った、どこに貼ろっかな", kMessageLine});
    }
  }
  for (const tman& customer : customers) {
    if (customer.name.empty()) continue;
    all.push_back({customer.name + "が現れた!!", kMessageLine});
    all.push_back({customer.name + "はむっつりして帰っていった....", kMessageLine});
    for (const auto* lines : {&customer.request_lines, &customer.farewell_lines})
      for (const std::string& line : *lines)
        if (!line.empty()) all.push_back({line, kMessageLine});
  }
  auto spoken = [&all](const auto& lines) {
    for (const char* line : lines) all.push_back({line, kMessageLine});
  };
  using namespace words;
  spoken(kGreatReactions), spoken(kLikedReactions), spoken(kDislikedReactions), spoken(kNeutralReactions);
  spoken(kManagerWageCut), spoken(kManagerBonus70), spoken(kManagerBonus81), spoken(kManagerBonus91);
  spoken(kManagerPerfect), spoken(kManagerClear), spoken(kManagerStory1), spoken(kManagerStory2);
  spoken(kManagerStory3), spoken(kManagerParting);
  all.push_back({kManagerPromotion, kMessageLine});
  all.push_back({kManagerDismissal, kMessageLine});
  return all;
}

TEST(ContentFit, EveryNameAndLineOfTheTablesFitsItsBox) {
  int checked = 0;
  for (const auto& [text, shown] : EveryShownText()) {
    ++checked;
    EXPECT_TRUE(TextFits(text, shown.box, shown.font))
        << "\"" << text << "\" does not fit " << shown.box.width << " px x " << shown.box.max_lines
        << " lines at " << shown.font.size << " pt";
  }
  EXPECT_GT(checked, 500);
}

std::vector<std::string> Wrap(const std::string& text, int width, int points = 9) {
  return WrapText(text, width, {kGameFace, points, true, 0});
}

int Width(const std::string& text, int points = 9) {
  Bitmap canvas;
  canvas.font = {kGameFace, points, true, 0};
  return canvas.TextWidth(text);
}

// Every way through the rules, each on a width that forces its break: the
// line holds the first `chars` characters of the text and not one more.
TEST(LineBreaking, JapaneseKeepsItsMarksWithTheirWords) {
  ASSERT_GT(Width("あ"), 0) << "no font";
  struct Case {
    const char* text;
    int chars;
    std::vector<std::string> lines;
  } cases[] = {
      // 、 and 。 never begin a line: the character before them goes along.
      {"ああああ、いい", 4, {"あああ", "あ、いい"}},
      {"あいうえ。おか", 4, {"あいう", "え。おか"}},
      // Nor does the long vowel mark, a small kana or a closing bracket.
      {"あいうシーあ", 4, {"あいう", "シーあ"}},
      {"あいうきゃあ", 4, {"あいう", "きゃあ"}},
      {"「あいう」で", 4, {"「あい", "う」で"}},
      // 「 never ends a line: it goes down with its word.
      {"あいう「え」あ", 4, {"あいう", "「え」あ"}},
      // No last line of one lone character when a break further back helps.
      {"あいうえおか", 5, {"あいうえ", "おか"}},
      {"あいうえおか。", 5, {"あいうえ", "おか。"}},
      // Line breaks in the text stay; an empty paragraph stays an empty line.
      {"あい\r\rう", 4, {"あい", "", "う"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> chars = SplitCharacters(c.text);
    std::string held;
    for (int i = 0; i < c.chars; ++i) held += chars[i];
    EXPECT_EQ(Wrap(c.text, Width(held)), c.lines) << c.text;
  }
}

// UTF-8 written by hand, to hold the splitter against.
std::string Encode(char32_t c) {
  std::string s;
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  int tail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
  s += static_cast<char>(((0xFF00 >> (tail + 1)) & 0xFF) | (c >> (6 * tail)));
  for (int i = tail - 1; i >= 0; --i) s += static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3F));
  return s;
}

// Every character comes out whole, at each edge of the one- to four-byte
// forms; a stray or impossible byte is a character of its own; a cut-off
// last character is kept as it is, and nothing is read past the end.
TEST(LineBreaking, CharactersSplitWholeAtEveryEdgeOfUtf8) {
  std::vector<std::string> expected;
  for (char32_t c : {0x1, 0x41, 0x7F, 0x80, 0xE9, 0x7FF, 0x800, 0x3042, 0xFFFD, 0xFFFF, 0x10000, 0x1F600, 0x10FFFF})
    expected.push_back(Encode(c));
  for (int stray : {0x80, 0xBF, 0xF8, 0xFF}) expected.push_back(std::string(1, static_cast<char>(stray)));
  std::string text;
  for (const std::string& c : expected) text += c;
  EXPECT_EQ(SplitCharacters(text), expected);
  for (size_t cut = 1; cut < 4; ++cut) {
    std::string head = text + Encode(0x1F600).substr(0, cut);
    std::vector<std::string> chars = SplitCharacters(head);
    EXPECT_EQ(chars.back(), Encode(0x1F600).substr(0, cut));
  }
}

TEST(LineBreaking, LatinBreaksAtSpacesAndNeverInsideAWord) {
  const std::string text = "Wrap every present with care, and a seal makes customers smile.";
  for (int width = Width("present with") + 1; width < Width(text); width += 7) {
    std::vector<std::string> lines = Wrap(text, width);
    std::string joined;
    for (const std::string& line : lines) {
      EXPECT_LE(Width(line), width) << line;
      EXPECT_FALSE(line.empty() || line.front() == ' ' || line.back() == ' ') << "[" << line << "]";
      joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(joined, text) << "a word was cut at width " << width;
  }
  // A word wider than the line is the one thing cut inside, and only where full.
  const int width = Width("Wrapping");
  std::vector<std::string> lines = Wrap("a Wrappingpapersupplies b", width);
  EXPECT_EQ(lines.front(), "a");
  std::string letters;
  for (const std::string& line : lines) {
    EXPECT_LE(Width(line), width) << line;
    for (char ch : line) letters += ch == ' ' ? "" : std::string(1, ch);
  }
  EXPECT_EQ(letters, "aWrappingpapersuppliesb");
  EXPECT_GT(lines.size(), 3u);
}

TEST(LineBreaking, FitsTellsBoxesThatAreTooSmall) {
  const TFont font = {kGameFace, 9, true, 0};
  EXPECT_TRUE(TextFits("ねこのシャーペン", {Width("ねこのシャーペン"), 1}, font));
  EXPECT_FALSE(TextFits("ねこのシャーペン", {Width("ねこのシャーペン") - 1, 1}, font));
  EXPECT_FALSE(TextFits("あ\rい", {200, 1}, font));  // a one-line box never wraps
  EXPECT_TRUE(TextFits("あいうえおかきくけこ", {Width("あいうえお") + 1, 2}, font));
  EXPECT_FALSE(TextFits("あいうえおかきくけこさ", {Width("あいうえお") + 1, 2}, font));
  EXPECT_FALSE(TextFits("Unbreakablewords", {Width("Unbreakable"), 3}, font));
}

}  // namespace
