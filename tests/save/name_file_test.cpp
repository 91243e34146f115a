#include <gtest/gtest.h>

#include <string>

#include "save/save_files.h"
#include "save/sjis.h"
#include "tests/save/scratch_dir.h"

namespace {

NameList Filled() {
  NameList names;
  names.fill("old");
  return names;
}

TEST(NameFile, DecodesShiftJisLines) {
  ScratchDir dir;
  // 山田 / ﾌｧｲﾙ / an empty line / abc without a line end.
  WriteBytes(dir / "name.dat", "\x8E\x52\x93\x63\r\n\xCC\xA7\xB2\xD9\r\n\r\nabc");
  NameList names = Filled();
  ASSERT_FALSE(ReadNameFile(dir / "name.dat", names).failed());
  EXPECT_EQ(names[0], "山田");
  EXPECT_EQ(names[1], "ﾌｧｲﾙ");
  EXPECT_EQ(names[2], "");
  EXPECT_EQ(names[3], "abc");
  EXPECT_EQ(names[4], "");  // past the end of the file
  EXPECT_EQ(names[225], "");
}

TEST(NameFile, LineEndsAndLongFiles) {
  NameList names = Filled();
  ParseNames("a\nb\r\nc\rd\r\n", names);
  EXPECT_EQ((std::vector<std::string>(names.begin(), names.begin() + 5)),
            (std::vector<std::string>{"a", "b", "c", "d", ""}));
  std::string many;
  for (int i = 0; i < 300; ++i) many += std::to_string(i) + "\r\n";
  ParseNames(many, names);
  EXPECT_EQ(names[0], "0");
  EXPECT_EQ(names[225], "225");
}

TEST(NameFile, BrokenBytesDoNotStopTheReading) {
  NameList names = Filled();
  ParseNames("\xA0\x81\r\n\x8E\x52", names);
  EXPECT_EQ(names[0], "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(names[1], "山");
}

TEST(NameFile, MissingFileLeavesTheNamesEmpty) {
  ScratchDir dir;
  NameList names = Filled();
  EXPECT_FALSE(ReadNameFile(dir / "name.dat", names).failed());
  for (const std::string& name : names) EXPECT_EQ(name, "");
  // A folder in its place is an error, though.
  std::filesystem::create_directory(dir / "name.dat");
  EXPECT_EQ(ReadNameFile(dir / "name.dat", names).kind, FileError::Io);
}

TEST(SavedProgress, LoadsBothFilesAndStopsAtABrokenMyDat) {
  ScratchDir dir;
  tmy saved;
  saved.play_count = 4;
  saved.seal_collected[120] = 1;
  ASSERT_FALSE(WriteProgressFile(dir / "my.dat", saved).failed());
  WriteBytes(dir / "name.dat", "\x8E\x52\x93\x63\r\n");

  tmy my;
  NameList names = Filled();
  ASSERT_FALSE(LoadSavedProgress(dir / "my.dat", dir / "name.dat", my, names).failed());
  EXPECT_EQ(my.play_count, 4);
  EXPECT_EQ(my.seal_collected[120], 1);
  EXPECT_EQ(names[0], "山田");

  WriteBytes(dir / "my.dat", "1\r\nx\r\n");
  names = Filled();
  FileError error = LoadSavedProgress(dir / "my.dat", dir / "name.dat", my, names);
  EXPECT_EQ(error.kind, FileError::NotNumeric);
  EXPECT_EQ(error.path, dir / "my.dat");
  EXPECT_EQ(names[0], "old");
  EXPECT_EQ(ReadBytes(dir / "my.dat"), "1\r\nx\r\n");  // left for the player to look at
}

TEST(DeliveredFiles, CreatedOnlyWhereMissing) {
  ScratchDir dir;
  ASSERT_FALSE(CreateDeliveredSaveFiles(dir.path()).failed());
  EXPECT_EQ(ReadBytes(dir / "my.dat"), FormatProgress(tmy{}));
  EXPECT_EQ(ReadBytes(dir / "name.dat"), DeliveredNameList());

  // A player's progress and a changed name list survive the next build.
  tmy progress;
  progress.play_count = 8;
  ASSERT_FALSE(WriteProgressFile(dir / "my.dat", progress).failed());
  WriteBytes(dir / "name.dat", "x\r\n");
  ASSERT_FALSE(CreateDeliveredSaveFiles(dir.path()).failed());
  EXPECT_EQ(ReadBytes(dir / "my.dat"), FormatProgress(progress));
  EXPECT_EQ(ReadBytes(dir / "name.dat"), "x\r\n");

  // A deleted my.dat comes back fresh.
  std::filesystem::remove(dir / "my.dat");
  ASSERT_FALSE(CreateDeliveredSaveFiles(dir.path()).failed());
  EXPECT_EQ(ReadBytes(dir / "my.dat"), FormatProgress(tmy{}));
}

TEST(DeliveredFiles, NameListHas226DistinctJapaneseNames) {
  std::string sjis = DeliveredNameList();
  EXPECT_EQ(sjis.find('?'), std::string::npos);  // every character is in CP932
  EXPECT_EQ(sjis.substr(sjis.size() - 2), "\r\n");
  NameList names;
  ParseNames(sjis, names);
  std::set<std::string> distinct(names.begin(), names.end());
  EXPECT_EQ(distinct.size(), 226u);
  for (const std::string& name : names) {
    EXPECT_GE(SjisLength(name), 6) << name;  // family name + given name, two bytes each
    EXPECT_EQ(Utf8ToSjis(name).find_first_of("\r\n"), std::string::npos);
  }
  int lines = 0;
  for (char c : sjis) lines += c == '\n';
  EXPECT_EQ(lines, 226);
}

}  // namespace
