// The window's LoadProgress and SaveProgress: files beside the game, tables
// filled only after a good load, and failures shown to the player.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "save/save_files.h"
#include "tests/app/app_fixture.h"

namespace {

class SaveProgressTest : public AppTest {
 protected:
  std::string Dat(const std::string& name) const { return (dir_ / "dat" / name).string(); }
  std::string Bytes(const std::filesystem::path& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }
  // Errors go to standard error and onto a board that the player closes.
  void ExpectErrors() {
    PressWhenIdle(KeyCode::Escape);
    testing::internal::CaptureStderr();
  }
  std::vector<std::string> Errors() {
    std::vector<std::string> lines;
    std::istringstream in(testing::internal::GetCapturedStderr());
    for (std::string line; std::getline(in, line);)
      if (line.rfind("picolatte: ", 0) == 0) lines.push_back(line.substr(11));
    return lines;
  }
  bool TablesFilled() const {
    return !form->goods_table[1].name.empty() && !form->customer_table[0].name.empty();
  }
};

TEST_F(SaveProgressTest, FirstStartWithoutSaveFilesIsFreshProgress) {
  std::filesystem::remove(Dat("my.dat"));
  std::filesystem::remove(Dat("name.dat"));
  form->my.play_count = 5;
  ExpectErrors();
  ASSERT_TRUE(form->LoadProgress());
  EXPECT_TRUE(Errors().empty());
  EXPECT_EQ(form->my.play_count, 0);
  EXPECT_TRUE(TablesFilled());
  EXPECT_FALSE(std::filesystem::exists(Dat("my.dat")));  // created by the first save

  ASSERT_TRUE(form->SaveProgress());
  EXPECT_EQ(Bytes(Dat("my.dat")), FormatProgress(tmy{}));
}

TEST_F(SaveProgressTest, LoadsWhatWasSaved) {
  form->my.play_count = 3;
  form->my.best_level = 7;
  form->my.progress_flags[kGameCleared] = 1;
  form->my.seal_collected[101] = 1;
  ASSERT_TRUE(form->SaveProgress());
  EXPECT_EQ(Bytes(dir_ / "成績.txt"), ResultsSheetText(form->my));

  form.reset();
  form = std::make_unique<TForm1>(*platform);
  ASSERT_TRUE(form->LoadProgress());
  EXPECT_EQ(form->my.play_count, 3);
  EXPECT_EQ(form->my.best_level, 7);
  EXPECT_EQ(form->my.progress_flags[kGameCleared], 1);
  EXPECT_EQ(form->my.seal_collected[101], 1);
}

TEST_F(SaveProgressTest, BrokenMyDatStopsTheStartAndStaysAsItIs) {
  Put(Dat("my.dat"), "0\r\n0\r\nzero\r\n");
  ExpectErrors();
  EXPECT_FALSE(form->LoadProgress());
  std::vector<std::string> errors = Errors();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("入力値が数値ではありません"), std::string::npos);
  EXPECT_NE(errors[0].find(Dat("my.dat")), std::string::npos);
  EXPECT_EQ(form->dialog.kind, DialogKind::Error);
  EXPECT_NE(form->dialog.text.find("入力値が数値ではありません"), std::string::npos);
  EXPECT_EQ(Bytes(Dat("my.dat")), "0\r\n0\r\nzero\r\n");
}

TEST_F(SaveProgressTest, StartUpGivesUpOnABrokenMyDatWithoutSaving) {
  if (!std::filesystem::exists(dir_ / "cg" / "00.bmp")) GTEST_SKIP() << "the pictures are not built";
  Put(Dat("my.dat"), "1\r\n-\r\n");
  ExpectErrors();
  EXPECT_FALSE(form->FormCreate());
  std::vector<std::string> errors = Errors();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("入力値が数値ではありません"), std::string::npos);
  EXPECT_EQ(Bytes(Dat("my.dat")), "1\r\n-\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "成績.txt"));
}

TEST_F(SaveProgressTest, UnreadableNameListStopsTheStartAndLosesNothing) {
  Put(Dat("my.dat"), "0\r\n0\r\n0\r\n6\r\n");
  std::filesystem::remove(Dat("name.dat"));
  std::filesystem::create_directory(Dat("name.dat"));  // cannot be read as a file
  ExpectErrors();
  EXPECT_FALSE(form->LoadProgress());
  std::vector<std::string> errors = Errors();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("name.dat"), std::string::npos);
  EXPECT_EQ(form->dialog.kind, DialogKind::Error);
  EXPECT_EQ(Bytes(Dat("my.dat")), "0\r\n0\r\n0\r\n6\r\n");
  EXPECT_TRUE(std::filesystem::is_directory(Dat("name.dat")));
}

TEST_F(SaveProgressTest, FailedSaveIsShownAndWritesNoSheet) {
  std::filesystem::remove_all(dir_ / "dat");
  ExpectErrors();
  EXPECT_FALSE(form->SaveProgress());
  std::vector<std::string> errors = Errors();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "ﾌｧｲﾙが見つかりません " + Dat("my.dat"));  // one line on stderr
  EXPECT_EQ(form->dialog.text, "ﾌｧｲﾙが見つかりません\n" + Dat("my.dat"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "成績.txt"));
}

// A my.dat cut short is read (zeros past its end) but kept aside first, and
// the player is told where; a whole one says nothing.
TEST_F(SaveProgressTest, ShortMyDatIsReportedAndKeptAsideBeforeItIsSavedOver) {
  tmy played;
  played.progress_flags.fill(1);
  const std::string cut = FormatProgress(played).substr(0, 300 * 3);
  Put(Dat("my.dat"), cut);
  ExpectErrors();
  ASSERT_TRUE(form->LoadProgress());
  std::vector<std::string> errors = Errors();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("my.dat の値が足りません (300 / 1103)"), std::string::npos) << errors[0];
  EXPECT_NE(errors[0].find(Dat("my.dat.kept")), std::string::npos) << errors[0];
  EXPECT_EQ(Bytes(Dat("my.dat.kept")), cut);
  EXPECT_EQ(form->my.progress_flags[99], 1);
  EXPECT_EQ(form->my.seal_collected[199], 0);
  ASSERT_TRUE(form->SaveProgress());
  EXPECT_EQ(Bytes(Dat("my.dat")), FormatProgress(form->my));
  EXPECT_EQ(Bytes(Dat("my.dat.kept")), cut);

  form = std::make_unique<TForm1>(*platform);
  ExpectErrors();
  ASSERT_TRUE(form->LoadProgress());
  EXPECT_TRUE(Errors().empty());
  EXPECT_FALSE(std::filesystem::exists(Dat("my.dat.kept2")));
}

// Two real processes on the same files: the second copy waits on a board
// while the first holds them, then reads the first's progress afresh; OK on
// the board gives up without writing anything.
TEST_F(SaveProgressTest, ASecondCopyWaitsForTheFirstAndReadsItsProgress) {
  const std::string folder = (dir_ / "dat").string() + "/";
  for (bool give_up : {true, false}) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t first = fork();
    ASSERT_GE(first, 0);
    if (first == 0) {
      if (!ClaimSaveFolder(folder)) _exit(2);
      tmy played;
      played.play_count = give_up ? 5 : 7;
      if (WriteProgressFile(Dat("my.dat"), played).failed()) _exit(3);
      if (write(ready[1], "x", 1) != 1) _exit(4);
      usleep(give_up ? 5000000 : 300000);  // playing
      _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    close(ready[0]);
    close(ready[1]);
    const std::string before = Bytes(Dat("my.dat"));
    form.reset();
    platform = std::make_unique<HeadlessPlatform>(dir_.string());
    form = std::make_unique<TForm1>(*platform);
    if (give_up) {
      PressWhenIdle(KeyCode::Enter);
    } else {
      platform->on_idle = [](HeadlessPlatform&) { usleep(10000); };  // real time for the first to end
    }
    testing::internal::CaptureStderr();
    const bool loaded = form->LoadProgress();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("another copy of the game is using " + folder), std::string::npos) << errors;
    EXPECT_NE(form->dialog.text.find("ピコラッテはもう一つ開いています"), std::string::npos);
    if (give_up) {
      EXPECT_FALSE(loaded);
      EXPECT_EQ(Bytes(Dat("my.dat")), before);
      EXPECT_FALSE(std::filesystem::exists(dir_ / "成績.txt"));
    } else {
      EXPECT_TRUE(loaded);
      EXPECT_EQ(form->my.play_count, 7);
    }
    kill(first, SIGKILL);
    int status = 0;
    waitpid(first, &status, 0);
  }
}

}  // namespace
