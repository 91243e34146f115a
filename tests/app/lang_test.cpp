// The English catalogue as the build compiles it from po/en.po, and the
// reading of catalogues: templates, line breaks, missing texts, bad files.
#include "app/lang.h"

#include <gtest/gtest.h>

#include <regex>
#include <vector>

#include "app/settings.h"
#include "content/tables.h"
#include "content/words.h"
#include "files/regular_file.h"

namespace {

const TCatalogue& English() {
  static const TCatalogue catalogue = [] {
    TCatalogue c;
    std::string bytes, why;
    EXPECT_EQ(ReadRegularFile(std::string(TEST_DIST_DIR) + "/dat/en.mo", bytes), 0);
    EXPECT_TRUE(c.Load(bytes, why)) << why;
    return c;
  }();
  return catalogue;
}

bool HasJapanese(const std::string& text) {
  // Kana, kanji, full-width letters and half-width kana in UTF-8.
  static const std::regex japanese("\xE3[\x81-\x83]|[\xE4-\xE9][\x80-\xBF]|\xEF\xBC[\xA1-\xBA]|\xEF\xBD[\xA1-\xBF]");
  return std::regex_search(text, japanese);
}

// Every text of the content tables: names, descriptions, lines, speeches.
std::vector<std::string> TableTexts() {
  static GoodsTable goods;
  static CustomerTable customers;
  FillGoodsTable(goods);
  FillCustomerTable(customers);
  std::vector<std::string> out;
  for (const titem& g : goods)
    if (!g.name.empty()) out.insert(out.end(), {g.name, g.description});
  for (const tman& c : customers) {
    if (c.name.empty()) continue;
    out.push_back(c.name);
    for (const auto* list : {&c.request_lines, &c.farewell_lines})
      for (const std::string& line : *list)
        if (!line.empty()) out.push_back(line);
  }
  auto add = [&](const auto& lines) { out.insert(out.end(), std::begin(lines), std::end(lines)); };
  using namespace words;
  add(kGreatReactions), add(kLikedReactions), add(kDislikedReactions), add(kNeutralReactions);
  add(kManagerWageCut), add(kManagerBonus70), add(kManagerBonus81), add(kManagerBonus91);
  add(kManagerPerfect), add(kManagerClear), add(kManagerStory1), add(kManagerStory2);
  add(kManagerStory3), add(kManagerParting);
  out.insert(out.end(), {kManagerPromotion, kManagerDismissal, kAboutCredit});
  return out;
}

TEST(EnglishCatalogue, EveryTableTextReadsInEnglish) {
  std::vector<std::string> texts = TableTexts();
  ASSERT_GT(texts.size(), 450u);
  for (const std::string& ja : texts) {
    std::string en = English().Translate(ja);
    EXPECT_FALSE(en.empty()) << ja;
    EXPECT_FALSE(HasJapanese(en)) << ja << " -> " << en;
  }
}

TEST(EnglishCatalogue, BuiltLinesAreTranslatedWithTheirNamesAndNumbers) {
  const std::pair<const char*, const char*> cases[] = {
      {"ロクサンが現れた!!", "Roxanne appears!!"},
      {"お金 500円を入手", "Got 500 yen"},
      {"お金が -20円減った", "Lost -20 yen"},
      {"【ハートのチール】が 1枚盗まれた!!(残: 3枚)", "1 [Heart Stickie] was stolen!! (3 left)"},
      {"包んだ(小さな袋 残: 12コ)", "Wrapped (Small Bag left: 12)"},
      {"うむっ、今日のお客さんの満足度は 100％じゃ。", "Hmm, today's customers were 100% satisfied."},
      {"音量 70%", "Vol 70%"},
      {"Item【ムーンチール】を 1個入手した(所持:2個)", "Item: got 1 [Moon Stickie] (have 2)"},
      {"某国の王子は怒りながら帰っていった....", "The Prince of Elsewhere stormed off angry...."},
      // A name the catalogue does not know is carried over as it is.
      {"山田が現れた!!", "山田 appears!!"},
  };
  for (const auto& [ja, en] : cases) EXPECT_EQ(English().Translate(ja), en) << ja;
}

TEST(EnglishCatalogue, MissingTextsStayJapaneseAndLinesKeepTheirBreaks) {
  EXPECT_EQ(English().Translate(""), "");
  EXPECT_EQ(English().Translate("まだ訳のない言葉"), "まだ訳のない言葉");
  EXPECT_EQ(English().Translate("ロクサンが現れた!!?"), "ロクサンが現れた!!?");  // no template fits
  EXPECT_EQ(English().Translate("箱\r(所持: 3個)\r\r未訳\r\n値段:￥ 70円\n"),
            "Box\r(Have: 3)\r\r未訳\r\nPrice: ¥70\n");
  TTranslator t;
  t.SetCatalogue(English());
  EXPECT_EQ(t.Shown("包む"), "包む") << "Japanese until English is chosen";
  t.Select(Language::English);
  EXPECT_EQ(t.Shown("包む"), "Wrap");
  t.Select(Language::Japanese);
  EXPECT_EQ(t.Shown("包む"), "包む");
}

// A catalogue file as msgfmt writes it, from (msgid, msgstr) pairs.
std::string MoFile(const std::vector<std::pair<std::string, std::string>>& entries) {
  auto u32 = [](std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i) & 0xFF);
  };
  const uint32_t n = static_cast<uint32_t>(entries.size());
  std::string head, strings;
  const uint32_t table = 28, data = table + 16 * n;
  u32(head, 0x950412de), u32(head, 0), u32(head, n), u32(head, table), u32(head, table + 8 * n);
  u32(head, 0), u32(head, data);
  std::string ids, strs;
  for (int side = 0; side < 2; ++side) {
    for (const auto& e : entries) {
      const std::string& s = side == 0 ? e.first : e.second;
      u32(side == 0 ? ids : strs, static_cast<uint32_t>(s.size()));
      u32(side == 0 ? ids : strs, data + static_cast<uint32_t>(strings.size()));
      strings += s + '\0';
    }
  }
  return head + ids + strs + strings;
}

TEST(Catalogue, TemplatesMayReorderAndUntranslatedEntriesAreSkipped) {
  TCatalogue c;
  std::string why;
  ASSERT_TRUE(c.Load(MoFile({{"", "Content-Type: text/plain; charset=UTF-8\n"},
                             {"%sは%d個の%sを買った", "%3$s x%2$d, bought by %1$s (100%%)"},
                             {"ねこ", "cat"},
                             {"いぬ", ""},
                             {"%d%%", "%d per cent"}}),
                     why))
      << why;
  EXPECT_EQ(c.size(), 3u);
  EXPECT_EQ(c.Translate("いぬは3個のねこを買った"), "cat x3, bought by いぬ (100%)");
  EXPECT_EQ(c.Translate("いぬ"), "いぬ");
  EXPECT_EQ(c.Translate("40%"), "40 per cent");
  EXPECT_EQ(c.Translate("x%"), "x%");
}

TEST(Catalogue, DamagedFilesAreRefusedWhole) {
  const std::string good = MoFile({{"ねこ", "cat"}, {"いぬ", "dog"}});
  // Cut anywhere before the last string's end, some entry lies outside.
  for (size_t cut = 0; cut + 1 < good.size(); ++cut) {
    TCatalogue c;
    std::string why;
    EXPECT_FALSE(c.Load(good.substr(0, cut), why)) << cut;
    EXPECT_NE(why, "") << cut;
    EXPECT_EQ(c.size(), 0u) << cut;
    EXPECT_EQ(c.Translate("ねこ"), "ねこ") << cut;
  }
  std::string swapped = good;  // the other byte order
  swapped.replace(0, 4, "\x95\x04\x12\xde");
  TCatalogue c;
  std::string why;
  EXPECT_FALSE(c.Load(swapped, why));
  EXPECT_FALSE(c.Load("\xde\x12\x04\x95", why));
}

TEST(Catalogue, LanguageCodesAndTheSettingRoundTrip) {
  for (Language l : {Language::Japanese, Language::English}) {
    Language back = l == Language::English ? Language::Japanese : Language::English;
    ASSERT_TRUE(ParseLanguage(LanguageCode(l), back));
    EXPECT_EQ(back, l);
    GameSettings s;
    s.language = l;
    GameSettings read;
    std::string why;
    ASSERT_TRUE(ParseSettings(FormatSettings(s), read, why)) << why;
    EXPECT_EQ(read, s);
  }
  Language l = Language::English;
  for (const char* bad : {"", "EN", "english", "fr", "en "}) EXPECT_FALSE(ParseLanguage(bad, l)) << bad;
  GameSettings s;
  std::string why;
  EXPECT_FALSE(ParseSettings("Language=fr\n", s, why));
  EXPECT_EQ(CatalogueFile(Language::Japanese), "");
  EXPECT_EQ(CatalogueFile(Language::English), "en.mo");
}

}  // namespace
