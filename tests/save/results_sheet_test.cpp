#include <gtest/gtest.h>

#include <string>

#include "save/save_files.h"
#include "save/sjis.h"
#include "tests/save/scratch_dir.h"

namespace {

const char kHeader[] = "\x81\x9A\x83\x73\x83\x52\x83\x89\x83\x62\x83\x65 ver1.3\r\n";  // ★ピコラッテ
const char kFavouriteLine[] = "私の好きなチール:           (←ここには貴方の一番好きなチールを書いてね)\r\n";

std::string Sheet(const std::string& line2, const std::string& line3, const std::string& line5) {
  return kHeader + Utf8ToSjis(line2 + "\r\n" + line3 + "\r\n" + kFavouriteLine + line5 + "\r\n");
}

TEST(ResultsSheet, FreshPlayerGetsZerosAndAnEmptyMarksLine) {
  std::string sheet = ResultsSheetText(tmy{});
  EXPECT_EQ(sheet, Sheet("プレー回数: 0回", "最高レベル: 0 最高日数:0日", ""));
  // Five CR LF lines, the last one empty.
  EXPECT_EQ(sheet.substr(sheet.size() - 4), "\r\n\r\n");
  int line_ends = 0;
  for (size_t at = sheet.find("\r\n"); at != std::string::npos; at = sheet.find("\r\n", at + 2)) ++line_ends;
  EXPECT_EQ(line_ends, 5);
  // Eleven blanks between the colon and the parenthesis.
  EXPECT_NE(sheet.find(":           (\x81\xA9"), std::string::npos);
  EXPECT_EQ(sheet.find(":            ("), std::string::npos);
}

TEST(ResultsSheet, CountersAndMarks) {
  tmy my;
  my.play_count = 12;
  my.best_level = 10;
  my.best_days = 345;
  my.progress_flags[kLetterRead] = 1;
  my.progress_flags[kGameCleared] = 2;
  EXPECT_EQ(ResultsSheetText(my),
            Sheet("プレー回数: 12回", "最高レベル: 10 最高日数:345日", "＜シールマスター＞＜クリアしたよ＞"));

  my.progress_flags[kLetterRead] = 0;
  EXPECT_EQ(ResultsSheetText(my),
            Sheet("プレー回数: 12回", "最高レベル: 10 最高日数:345日", "＜クリアしたよ＞"));

  my.progress_flags[kLetterRead] = 1;
  my.progress_flags[kGameCleared] = 0;
  EXPECT_EQ(ResultsSheetText(my),
            Sheet("プレー回数: 12回", "最高レベル: 10 最高日数:345日", "＜シールマスター＞"));

  // Negative flags are no marks; negative counters print their sign.
  my.progress_flags[kLetterRead] = -1;
  my.progress_flags[kGameCleared] = -1;
  my.play_count = -3;
  EXPECT_EQ(ResultsSheetText(my), Sheet("プレー回数: -3回", "最高レベル: 10 最高日数:345日", ""));
}

TEST(ResultsSheet, WrittenBesideTheGameInShiftJis) {
  ScratchDir dir;
  tmy my;
  my.play_count = 1;
  my.progress_flags[kGameCleared] = 1;
  std::string path = dir / "成績.txt";
  ASSERT_FALSE(WriteResultsSheet(path, my).failed());
  EXPECT_EQ(ReadBytes(path), ResultsSheetText(my));
  EXPECT_EQ(SjisToUtf8(ReadBytes(path)).substr(0, 36), "★ピコラッテ ver1.3\r\nプレー");
}

}  // namespace
