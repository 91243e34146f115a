#include "save/sjis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kKana = "ピ";  // two bytes in Shift-JIS

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(SjisConversion, EncodesFullAndHalfWidthCharacters) {
  EXPECT_EQ(Utf8ToSjis("ピコラッテ"), "\x83\x73\x83\x52\x83\x89\x83\x62\x83\x65");
  EXPECT_EQ(Utf8ToSjis("ﾌｧｲﾙ"), "\xCC\xA7\xB2\xD9");
  EXPECT_EQ(Utf8ToSjis("★＜＞←"), "\x81\x9A\x81\x83\x81\x84\x81\xA9");
  EXPECT_EQ(Utf8ToSjis("abc 123\r\n"), "abc 123\r\n");
  EXPECT_EQ(SjisToUtf8("\x8E\x52\x93\x63\xCC\xA7\xB2\xD9"), "山田ﾌｧｲﾙ");
}

TEST(SjisConversion, RoundTripsGameTexts) {
  for (std::string text :
       {"私の好きなチール:           (←ここには貴方の一番好きなチールを書いてね)",
        "入力値が数値ではありません", "I/O ｴﾗｰ (5)", "＜シールマスター＞＜クリアしたよ＞", ""}) {
    EXPECT_EQ(SjisToUtf8(Utf8ToSjis(text)), text);
  }
}

TEST(SjisConversion, BadInputBecomesMarkersNotErrors) {
  // A character CP932 lacks, and broken UTF-8 (a stray continuation byte, a
  // truncated sequence at the end).
  EXPECT_EQ(Utf8ToSjis("a😀b"), "a?b");
  EXPECT_EQ(Utf8ToSjis("a\x80z"), "a?z");
  EXPECT_EQ(Utf8ToSjis("x\xE3\x81"), "x?");
  // A lone lead byte at the end, and a byte that is no character.
  EXPECT_EQ(SjisToUtf8("A\x81"), "A\xEF\xBF\xBD");
  EXPECT_EQ(SjisToUtf8("\xA0Z"), "\xEF\xBF\xBDZ");
}

TEST(SjisLength, CountsShiftJisBytes) {
  EXPECT_EQ(SjisLength(""), 0);
  EXPECT_EQ(SjisLength("abc"), 3);
  EXPECT_EQ(SjisLength("ピコラッテ"), 10);
  EXPECT_EQ(SjisLength("ﾌｧｲﾙ"), 4);  // half-width kana take one byte each
}

TEST(CutSjisLines, CutsAtTwentyTwoAndFortyFourBytes) {
  const std::vector<int> cuts = {22, 44};
  std::string a22 = Repeat("a", 22);
  EXPECT_EQ(CutSjisLines(a22, cuts), (std::vector<std::string>{a22, "", ""}));
  EXPECT_EQ(CutSjisLines(a22 + "b", cuts), (std::vector<std::string>{a22, "b", ""}));
  std::string b22 = Repeat("b", 22);
  EXPECT_EQ(CutSjisLines(a22 + b22 + "ccc", cuts), (std::vector<std::string>{a22, b22, "ccc"}));
  EXPECT_EQ(CutSjisLines("", cuts), (std::vector<std::string>{"", "", ""}));
  // Eleven two-byte characters fill a line exactly.
  EXPECT_EQ(CutSjisLines(Repeat(kKana, 12), cuts), (std::vector<std::string>{Repeat(kKana, 11), kKana, ""}));
  EXPECT_EQ(CutSjisLines(Repeat("ﾌ", 23), cuts), (std::vector<std::string>{Repeat("ﾌ", 22), "ﾌ", ""}));
}

TEST(CutSjisLines, CharacterAcrossACutMovesToTheNextLine) {
  const std::vector<int> cuts = {22, 44};
  // "a" then eleven kana: the eleventh kana takes bytes 22-23.
  std::vector<std::string> lines = CutSjisLines(Repeat("a", 1) + Repeat(kKana, 11), cuts);
  EXPECT_EQ(lines, (std::vector<std::string>{Repeat("a", 1) + Repeat(kKana, 10), kKana, ""}));
  // The second line keeps its 22 bytes from where it starts, so the text
  // moves along and the third line takes the rest.
  lines = CutSjisLines(Repeat("a", 1) + Repeat(kKana, 30), cuts);
  EXPECT_EQ(lines, (std::vector<std::string>{Repeat("a", 1) + Repeat(kKana, 10), Repeat(kKana, 11),
                                             Repeat(kKana, 9)}));
  for (const std::string& line : lines) EXPECT_LE(SjisLength(line), 22);
}

TEST(CutSjisLines, OddCutLists) {
  EXPECT_EQ(CutSjisLines("abc", {}), (std::vector<std::string>{"abc"}));
  // A cut too narrow for a two-byte character leaves that line empty.
  EXPECT_EQ(CutSjisLines(kKana + "x", {1, 3}), (std::vector<std::string>{"", kKana, "x"}));
  // A cut that goes backwards holds nothing.
  EXPECT_EQ(CutSjisLines("abcdef", {4, 2}), (std::vector<std::string>{"abcd", "", "ef"}));
}

}  // namespace
