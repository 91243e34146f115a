// The save files that ship with the game: a fresh my.dat and the name list.
// They are created only where they are missing, so a rebuild or an update
// never touches a player's progress.
#include <errno.h>
#include <sys/stat.h>

#include <string>

#include "save/save_files.h"
#include "save/sjis.h"

namespace {

const char* const kFamilyNames[26] = {
    "青木", "石田", "上野", "大川", "岡本", "川口", "北村", "木下", "小池", "坂本", "佐野", "島田", "杉山",
    "高木", "竹内", "田村", "中野", "西川", "野口", "浜田", "平野", "藤井", "前田", "松尾", "森本", "山下",
};
const char* const kGivenNames[26] = {
    "彩花", "葵",   "明美", "梓",   "絵里", "香織", "和也", "健太", "浩二", "早苗", "翔太", "慎吾", "菜摘",
    "直樹", "七海", "春香", "陽子", "真由", "美咲", "光",   "勇気", "由美", "悠人", "優子", "蓮",   "亮",
};

bool Exists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 || errno != ENOENT;
}

}  // namespace

std::string DeliveredNameList() {
  std::string text;
  for (int n = 0; n < kNameLines; ++n) {
    // For one family name every row of 26 takes a different given name.
    int family = n % 26;
    int given = (7 * family + n / 26) % 26;
    text += std::string(kFamilyNames[family]) + kGivenNames[given] + "\r\n";
  }
  return Utf8ToSjis(text);
}

FileError CreateDeliveredSaveFiles(const std::string& dat_dir) {
  std::string my_dat = dat_dir + "/" + kMyDatName;
  if (!Exists(my_dat)) {
    FileError error = WriteProgressFile(my_dat, tmy{});
    if (error.failed()) return error;
  }
  std::string name_dat = dat_dir + "/" + kNameDatName;
  if (!Exists(name_dat)) return WriteFileAtomic(name_dat, DeliveredNameList());
  return {};
}
