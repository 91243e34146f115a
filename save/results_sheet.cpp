// 成績.txt: the player's results, rewritten at every save for them to read
// or share; the game never reads it back.
#include <string>

#include "save/save_files.h"
#include "save/sjis.h"

std::string ResultsSheetText(const tmy& my) {
  std::string marks;
  if (my.progress_flags[kLetterRead] >= 1) marks = "＜シールマスター＞";
  if (my.progress_flags[kGameCleared] >= 1) marks += "＜クリアしたよ＞";
  const std::string lines[] = {
      "★ピコラッテ ver1.3",
      "プレー回数: " + std::to_string(my.play_count) + "回",
      "最高レベル: " + std::to_string(my.best_level) + " 最高日数:" + std::to_string(my.best_days) + "日",
      "私の好きなチール:           (←ここには貴方の一番好きなチールを書いてね)",
      marks,
  };
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return Utf8ToSjis(text);
}

FileError WriteResultsSheet(const std::string& path, const tmy& my) {
  return WriteFileAtomic(path, ResultsSheetText(my));
}
