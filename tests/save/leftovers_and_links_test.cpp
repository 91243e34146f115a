// Saving through symbolic links, and the temporary files that saves cut short
// leave behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "save/save_files.h"
#include "tests/save/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

tmy Progress(int seed) {
  tmy my;
  for (int i = 0; i < 1000; ++i) my.seal_collected[i] = seed * 1000 + i;
  my.play_count = seed;
  return my;
}

// The id of a process that has ended and been reaped.
pid_t DeadPid() {
  pid_t pid = fork();
  if (pid == 0) _exit(0);
  waitpid(pid, nullptr, 0);
  return pid;
}

bool IsLink(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

}  // namespace

TEST(SaveThroughLinks, ALinkedFileIsReplacedWhereItPointsAndStaysALink) {
  ScratchDir dir;
  fs::create_directory(dir / "real");
  const std::string target = dir / "real/my.dat";
  const std::string link = dir / "my.dat";
  ASSERT_FALSE(WriteProgressFile(target, Progress(1)).failed());
  fs::create_symlink("real/my.dat", link);  // relative, as players make them

  ASSERT_FALSE(WriteProgressFile(link, Progress(2)).failed());
  EXPECT_TRUE(IsLink(link));
  EXPECT_EQ(ReadBytes(target), FormatProgress(Progress(2)));
  ASSERT_FALSE(WriteProgressFile(link, Progress(3)).failed());
  EXPECT_EQ(ReadBytes(target), FormatProgress(Progress(3)));
  EXPECT_EQ(ScratchDirFiles(dir.path() + "/real"), (std::set<std::string>{"my.dat"}));
  EXPECT_EQ(dir.Files(), (std::set<std::string>{"my.dat", "real"}));
}

TEST(SaveThroughLinks, ChainsDanglingLinksAndLoops) {
  ScratchDir dir;
  // A chain of two links, the last one absolute.
  fs::create_directory(dir / "b");
  fs::create_symlink(dir / "b/sheet.txt", dir / "b/link.txt");
  fs::create_symlink("b/link.txt", dir / "sheet.txt");
  ASSERT_FALSE(WriteFileAtomic(dir / "sheet.txt", "one\r\n").failed());
  EXPECT_TRUE(IsLink(dir / "sheet.txt"));
  EXPECT_TRUE(IsLink(dir / "b/link.txt"));
  EXPECT_EQ(ReadBytes(dir / "b/sheet.txt"), "one\r\n");  // created where the chain ends

  // A loop cannot be saved through, and is not replaced either.
  fs::create_symlink("loop2", dir / "loop1");
  fs::create_symlink("loop1", dir / "loop2");
  FileError error = WriteFileAtomic(dir / "loop1", "x");
  EXPECT_EQ(error.kind, FileError::Io);
  EXPECT_TRUE(IsLink(dir / "loop1"));
}

// The system opens a file at the end of up to 40 links; the save reaches every
// file that the game could read, and refuses a longer chain like the system.
TEST(SaveThroughLinks, ChainsAsLongAsTheSystemFollows) {
  ScratchDir dir;
  auto chain = [&](const std::string& name, int links) {
    fs::create_directory(dir / name);
    for (int i = 0; i < links; ++i)
      fs::create_symlink(std::to_string(i + 1), dir / (name + "/" + std::to_string(i)));
    return dir / (name + "/0");
  };
  const std::string longest = chain("forty", 40);
  ASSERT_FALSE(WriteFileAtomic(longest, "saved").failed());
  EXPECT_EQ(ReadBytes(dir / "forty/40"), "saved");
  EXPECT_EQ(ReadBytes(longest), "saved");  // and the system reads it back through the chain

  const std::string too_long = chain("forty-one", 41);
  EXPECT_EQ(WriteFileAtomic(too_long, "lost").kind, FileError::Io);
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "forty-one/41")));
  EXPECT_TRUE(IsLink(too_long));
}

TEST(Leftovers, OnlyTemporariesOfEndedProcessesAreRemoved) {
  ScratchDir dir;
  const std::string dead = std::to_string(DeadPid());
  const std::string alive = std::to_string(getpid());
  const std::set<std::string> removed = {"my.dat." + dead + ".0.tmp", "my.dat." + dead + ".17.tmp"};
  const std::set<std::string> kept = {
      "my.dat",
      "my.dat." + alive + ".3.tmp",  // a save running right now
      "my.dat.tmp",
      "my.dat.x.1.tmp",
      "my.dat." + dead + ".tmp",
      "my.dat." + dead + ".0.tmp.keep",
      "my.dat.1.2.3.tmp",
      "name.dat." + dead + ".0.tmp",  // not ours to judge
  };
  for (const std::string& name : removed) WriteBytes(dir / name, "x");
  for (const std::string& name : kept) WriteBytes(dir / name, "x");
  RemoveLeftoverTemporaries(dir / "my.dat");
  EXPECT_EQ(dir.Files(), kept);
}

TEST(Leftovers, BesideALinksTargetToo) {
  ScratchDir dir;
  fs::create_directory(dir / "real");
  const std::string dead = std::to_string(DeadPid());
  WriteBytes(dir / "real/成績.txt", "x");
  WriteBytes(dir / ("real/成績.txt." + dead + ".4.tmp"), "x");
  fs::create_symlink("real/成績.txt", dir / "成績.txt");
  WriteBytes(dir / ("成績.txt." + dead + ".1.tmp"), "x");  // from before the link
  RemoveLeftoverTemporaries(dir / "成績.txt");
  EXPECT_EQ(ScratchDirFiles(dir / "real"), (std::set<std::string>{"成績.txt"}));
  EXPECT_EQ(dir.Files(), (std::set<std::string>{"real", "成績.txt"}));
}

// A save killed between writing and renaming leaves its temporary file; the
// next start clears it and the file itself stays whole.
TEST(Leftovers, ASaveKilledMidWayLeavesNothingAfterTheNextStart) {
  ScratchDir dir;
  const std::string path = dir / "my.dat";
  ASSERT_FALSE(WriteProgressFile(path, Progress(1)).failed());
  bool saw_leftover = false;
  for (int round = 0; round < 40 && !saw_leftover; ++round) {
    pid_t pid = fork();
    if (pid == 0) {
      for (int i = 0;; ++i) WriteProgressFile(path, Progress(i % 2 + 1));
    }
    usleep(1000 + round * 300);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    saw_leftover = dir.Files().size() > 1;
  }
  ASSERT_TRUE(saw_leftover) << "no kill landed between writing and renaming";
  RemoveLeftoverTemporaries(path);
  EXPECT_EQ(dir.Files(), (std::set<std::string>{"my.dat"}));
  tmy loaded;
  EXPECT_FALSE(ReadProgressFile(path, loaded).failed());
}
