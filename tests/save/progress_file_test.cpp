#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <string>

#include "save/save_files.h"
#include "tests/save/scratch_dir.h"

namespace {

// A state whose saved fields all differ, negatives and limits included.
tmy SampleProgress() {
  tmy my;
  for (int i = 0; i < 100; ++i) my.progress_flags[i] = i % 3 == 0 ? -i : i * 7;
  for (int i = 0; i < 1000; ++i) my.seal_collected[i] = i % 5 == 0 ? 1 : i * 1001 - 500000;
  my.progress_flags[98] = INT32_MIN;
  my.progress_flags[99] = INT32_MAX;
  my.play_count = 123;
  my.best_level = -4;
  my.best_days = 2147483647;
  return my;
}

void ExpectSameSavedFields(const tmy& a, const tmy& b) {
  EXPECT_EQ(a.progress_flags, b.progress_flags);
  EXPECT_EQ(a.seal_collected, b.seal_collected);
  EXPECT_EQ(a.play_count, b.play_count);
  EXPECT_EQ(a.best_level, b.best_level);
  EXPECT_EQ(a.best_days, b.best_days);
}

tmy NonZeroSaved() {
  tmy my;
  my.progress_flags.fill(9);
  my.seal_collected.fill(9);
  my.play_count = my.best_level = my.best_days = 9;
  return my;
}

std::string Lines(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* line : lines) out += std::string(line) + "\r\n";
  return out;
}

TEST(ProgressFile, FormatIsElevenHundredThreeDecimalLines) {
  tmy my = SampleProgress();
  std::string text = FormatProgress(my);
  int lines = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_GT(i, 0u);
      EXPECT_EQ(text[i - 1], '\r') << "line end at byte " << i;
      ++lines;
    }
  }
  EXPECT_EQ(lines, kProgressLines);
  EXPECT_EQ(text.substr(0, 12), "0\r\n7\r\n14\r\n-3");
  EXPECT_NE(text.find("\r\n-2147483648\r\n2147483647\r\n1\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 23), "\r\n123\r\n-4\r\n2147483647\r\n");
  EXPECT_EQ(FormatProgress(tmy{}), [] {
    std::string zeros;
    for (int i = 0; i < kProgressLines; ++i) zeros += "0\r\n";
    return zeros;
  }());
}

TEST(ProgressFile, SavedFileLoadsBackTheSameValues) {
  ScratchDir dir;
  tmy saved = SampleProgress();
  saved.money = 500;  // not saved
  ASSERT_FALSE(WriteProgressFile(dir / "my.dat", saved).failed());
  EXPECT_EQ(ReadBytes(dir / "my.dat"), FormatProgress(saved));

  tmy loaded;
  loaded.money = 77;
  ASSERT_FALSE(ReadProgressFile(dir / "my.dat", loaded).failed());
  ExpectSameSavedFields(loaded, saved);
  EXPECT_EQ(loaded.money, 77);
  // Saving what was loaded gives the same bytes again.
  ASSERT_FALSE(WriteProgressFile(dir / "again.dat", loaded).failed());
  EXPECT_EQ(ReadBytes(dir / "again.dat"), ReadBytes(dir / "my.dat"));
}

// Every one of the 1103 saved values counts when two records are compared
// (the page saves when they differ); the running day does not.
TEST(ProgressFile, SameSavedProgressSeesEverySavedValueAndNothingElse) {
  const tmy base = SampleProgress();
  const std::string text = FormatProgress(base);
  EXPECT_TRUE(SameSavedProgress(base, base));
  size_t line_start = 0;
  for (int line = 0; line < kProgressLines; ++line) {
    size_t line_end = text.find("\r\n", line_start);
    std::string changed = text.substr(0, line_start) + "77" + text.substr(line_end);
    if (text.substr(line_start, line_end - line_start) == "77")
      changed = text.substr(0, line_start) + "78" + text.substr(line_end);
    tmy other;
    ASSERT_FALSE(ParseProgress(changed, other).failed());
    EXPECT_FALSE(SameSavedProgress(base, other)) << "line " << line;
    line_start = line_end + 2;
  }
  tmy running = base;
  running.money += 500;
  EXPECT_TRUE(SameSavedProgress(base, running));
}

TEST(ProgressFile, BlanksAndLineEndsDoNotMatter) {
  tmy reference = SampleProgress();
  std::string plain = FormatProgress(reference);
  std::string spaced;
  for (char c : plain) {
    if (c == '\n') {
      spaced += "\n\r\n  \t\r\n";  // blank lines and blank-only lines
    } else if (c != '\r') {
      spaced += c;
    }
  }
  tmy my;
  ASSERT_FALSE(ParseProgress("\r\n\r\n   " + spaced, my).failed());
  ExpectSameSavedFields(my, reference);
}

TEST(ProgressFile, RestOfAValuesLineIsSkipped) {
  tmy my;
  ASSERT_FALSE(ParseProgress("1 2 3\r\n\t4 x y\r\n5\tnot a number\r\n6", my).failed());
  EXPECT_EQ(my.progress_flags[0], 1);
  EXPECT_EQ(my.progress_flags[1], 4);
  EXPECT_EQ(my.progress_flags[2], 5);
  EXPECT_EQ(my.progress_flags[3], 6);
  // Old Mac line ends count as line ends too.
  ASSERT_FALSE(ParseProgress("7 8\r9\r", my).failed());
  EXPECT_EQ(my.progress_flags[0], 7);
  EXPECT_EQ(my.progress_flags[1], 9);
}

TEST(ProgressFile, ShortFileReadsZerosPastItsEnd) {
  tmy my = NonZeroSaved();
  ASSERT_FALSE(ParseProgress("1\r\n2\r\n", my).failed());
  EXPECT_EQ(my.progress_flags[0], 1);
  EXPECT_EQ(my.progress_flags[1], 2);
  EXPECT_EQ(my.progress_flags[2], 0);
  EXPECT_EQ(my.seal_collected[999], 0);
  EXPECT_EQ(my.best_days, 0);

  my = NonZeroSaved();
  ASSERT_FALSE(ParseProgress("", my).failed());
  ExpectSameSavedFields(my, tmy{});

  // Everything but the last line.
  tmy reference = SampleProgress();
  std::string text = FormatProgress(reference);
  text.erase(text.rfind("2147483647\r\n"));
  ASSERT_FALSE(ParseProgress(text, my).failed());
  EXPECT_EQ(my.best_level, -4);
  EXPECT_EQ(my.best_days, 0);
}

TEST(ProgressFile, SignedValues) {
  tmy my;
  ASSERT_FALSE(ParseProgress("-5\r\n+7\r\n-0\r\n-2147483648\r\n2147483647\r\n007\r\n", my).failed());
  EXPECT_EQ(my.progress_flags[0], -5);
  EXPECT_EQ(my.progress_flags[1], 7);
  EXPECT_EQ(my.progress_flags[2], 0);
  EXPECT_EQ(my.progress_flags[3], INT32_MIN);
  EXPECT_EQ(my.progress_flags[4], INT32_MAX);
  EXPECT_EQ(my.progress_flags[5], 7);
}

TEST(ProgressFile, TokenThatIsNoNumberStopsTheReading) {
  for (const char* bad : {"abc", "12abc", "-", "+", "+-5", "--5", "1.5", "0x10", "2147483648", "-2147483649",
                          "99999999999999999999", "１", "\x82\x50"}) {
    tmy my = NonZeroSaved();
    FileError error = ParseProgress(Lines({"1", "", "2", bad, "3"}), my);
    EXPECT_EQ(error.kind, FileError::NotNumeric) << bad;
    EXPECT_EQ(error.line, 4) << bad;
    // Values before the bad token stay set; the ones after it are not read.
    EXPECT_EQ(my.progress_flags[0], 1);
    EXPECT_EQ(my.progress_flags[1], 2);
    EXPECT_EQ(my.progress_flags[2], 9);
    EXPECT_EQ(my.best_days, 9);
  }
  // Junk after the value on its line is never looked at.
  tmy my;
  EXPECT_FALSE(ParseProgress("1 abc\r\n", my).failed());
}

TEST(ProgressFile, MissingFileIsFreshProgress) {
  ScratchDir dir;
  tmy my = NonZeroSaved();
  my.money = 300;
  EXPECT_FALSE(ReadProgressFile(dir / "my.dat", my).failed());
  ExpectSameSavedFields(my, tmy{});
  EXPECT_EQ(my.money, 300);
}

TEST(ProgressFile, UnreadableOrBrokenFileIsReportedWithItsName) {
  ScratchDir dir;
  std::filesystem::create_directory(dir / "my.dat");  // a folder where the file should be
  tmy my;
  FileError error = ReadProgressFile(dir / "my.dat", my);
  EXPECT_EQ(error.kind, FileError::Io);
  EXPECT_EQ(FileErrorText(error), "I/O ｴﾗｰ (21)\n" + (dir / "my.dat"));

  // A pipe in the file's place is refused at once instead of waiting for a writer.
  ASSERT_EQ(mkfifo((dir / "pipe.dat").c_str(), 0644), 0);
  error = ReadProgressFile(dir / "pipe.dat", my);
  EXPECT_EQ(FileErrorText(error), "I/O ｴﾗｰ (22)\n" + (dir / "pipe.dat"));

  WriteBytes(dir / "broken.dat", "1\r\n2\r\nｱ\r\n");
  error = ReadProgressFile(dir / "broken.dat", my);
  EXPECT_EQ(error.kind, FileError::NotNumeric);
  EXPECT_EQ(FileErrorText(error), "入力値が数値ではありません\n" + (dir / "broken.dat") + " (3 行目)");
}

TEST(FileErrorText, UsesTheRuntimeMessages) {
  FileError error{FileError::Io, ENOENT, 0, "/x/dat/my.dat"};
  EXPECT_EQ(FileErrorText(error), "ﾌｧｲﾙが見つかりません\n/x/dat/my.dat");
  EXPECT_EQ(IoErrorMessage(EACCES), "ﾌｧｲﾙへのｱｸｾｽが拒否されました");
  EXPECT_EQ(IoErrorMessage(EROFS), "ﾌｧｲﾙへのｱｸｾｽが拒否されました");
  EXPECT_EQ(IoErrorMessage(ENOSPC), "ﾃﾞｨｽｸがいっぱいです");
  EXPECT_EQ(IoErrorMessage(EFBIG), "ﾃﾞｨｽｸがいっぱいです");
  EXPECT_EQ(IoErrorMessage(EIO), "I/O ｴﾗｰ (5)");
  EXPECT_EQ(FileErrorText(FileError{}), "");
}

}  // namespace
