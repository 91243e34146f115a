// Saving replaces a file whole or not at all, and failures are reported.
#include <errno.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "save/save_files.h"
#include "tests/save/scratch_dir.h"

namespace {

tmy Progress(int seed) {
  tmy my;
  for (int i = 0; i < 100; ++i) my.progress_flags[i] = seed * 100000 + i;
  for (int i = 0; i < 1000; ++i) my.seal_collected[i] = seed * 1000000 + i;
  my.play_count = seed;
  my.best_level = seed + 1;
  my.best_days = seed + 2;
  return my;
}

// Runs `fn` in a child process and returns its exit status (or -signal).
template <typename Fn>
int InChild(Fn fn) {
  pid_t pid = fork();
  if (pid == 0) _exit(fn());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

TEST(AtomicSave, ReplacesTheFileAndLeavesNothingElse) {
  ScratchDir dir;
  std::string path = dir / "my.dat";
  ASSERT_FALSE(WriteProgressFile(path, Progress(1)).failed());
  chmod(path.c_str(), 0640);
  ASSERT_FALSE(WriteProgressFile(path, Progress(2)).failed());
  EXPECT_EQ(ReadBytes(path), FormatProgress(Progress(2)));
  EXPECT_EQ(dir.Files(), (std::set<std::string>{"my.dat"}));
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the player's permissions survive
}

TEST(AtomicSave, DiskFullHalfWayKeepsTheOldFile) {
  ScratchDir dir;
  std::string path = dir / "my.dat";
  const tmy old_progress = Progress(3);
  ASSERT_FALSE(WriteProgressFile(path, old_progress).failed());
  const std::string old_bytes = ReadBytes(path);

  // The child may write only 4 KB per file: the new my.dat (about 13 KB) stops
  // half way, as on a full disk.
  int status = InChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    FileError error = SaveSavedProgress(path, dir / "成績.txt", Progress(4));
    if (error.kind != FileError::Io || error.code != EFBIG) return 1;
    return FileErrorText(error) == "ﾃﾞｨｽｸがいっぱいです\n" + path ? 0 : 2;
  });
  EXPECT_EQ(status, 0);
  ASSERT_GT(FormatProgress(Progress(4)).size(), 4096u);

  EXPECT_EQ(ReadBytes(path), old_bytes);
  tmy loaded;
  ASSERT_FALSE(ReadProgressFile(path, loaded).failed());
  EXPECT_EQ(loaded.seal_collected, old_progress.seal_collected);
  EXPECT_EQ(loaded.best_days, old_progress.best_days);
  // No half-written temporary is left, and the sheet was not written.
  EXPECT_EQ(dir.Files(), (std::set<std::string>{"my.dat"}));
}

TEST(AtomicSave, KilledMidSaveLeavesOldOrNewFileWhole) {
  ScratchDir dir;
  std::string path = dir / "my.dat";
  const std::string old_bytes = FormatProgress(Progress(5));
  const std::string new_bytes = FormatProgress(Progress(6));
  ASSERT_FALSE(WriteProgressFile(path, Progress(5)).failed());
  for (int round = 0; round < 20; ++round) {
    pid_t pid = fork();
    if (pid == 0) {
      for (int i = 0;; ++i) WriteProgressFile(path, Progress(i % 2 == 0 ? 6 : 5));
    }
    usleep(2000 + round * 500);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    std::string bytes = ReadBytes(path);
    ASSERT_TRUE(bytes == old_bytes || bytes == new_bytes)
        << "round " << round << ": " << bytes.size() << " bytes";
  }
}

TEST(AtomicSave, FailedMyDatMeansNoSheet) {
  ScratchDir dir;
  // The dat folder is missing.
  FileError error = SaveSavedProgress(dir / "dat/my.dat", dir / "成績.txt", Progress(1));
  EXPECT_EQ(error.kind, FileError::Io);
  EXPECT_EQ(FileErrorText(error), "ﾌｧｲﾙが見つかりません\n" + (dir / "dat/my.dat"));
  EXPECT_TRUE(dir.Files().empty());

  std::filesystem::create_directory(dir / "dat");
  ASSERT_FALSE(SaveSavedProgress(dir / "dat/my.dat", dir / "成績.txt", Progress(1)).failed());
  EXPECT_EQ(ReadBytes(dir / "成績.txt"), ResultsSheetText(Progress(1)));
}

// Runs `fn` as an ordinary user (root writes through any permission): in a
// child that gives up root when the tests run as root. 0 = passed.
template <typename Fn>
int AsOrdinaryUser(const ScratchDir& dir, Fn fn) {
  if (geteuid() != 0) return fn();
  const uid_t nobody = 65534;
  if (chown(dir.path().c_str(), nobody, nobody) != 0) return 90;
  return InChild([&] {
    if (setgid(nobody) != 0 || setuid(nobody) != 0) return 91;
    return fn();
  });
}

TEST(AtomicSave, WriteProtectedFileIsNotReplaced) {
  ScratchDir dir;
  std::string path = dir / "my.dat";
  int status = AsOrdinaryUser(dir, [&] {
    if (WriteProgressFile(path, Progress(1)).failed()) return 1;
    chmod(path.c_str(), 0444);
    FileError error = WriteProgressFile(path, Progress(2));
    if (error.kind != FileError::Io || IoErrorMessage(error.code) != "ﾌｧｲﾙへのｱｸｾｽが拒否されました") return 2;
    return 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadBytes(path), FormatProgress(Progress(1)));
  EXPECT_EQ(dir.Files(), (std::set<std::string>{"my.dat"}));
}

TEST(AtomicSave, ReadOnlyFolderIsReportedAndKeepsTheOldFile) {
  ScratchDir dir;
  std::string path = dir / "my.dat";
  int status = AsOrdinaryUser(dir, [&] {
    if (WriteProgressFile(path, Progress(1)).failed()) return 1;
    chmod(dir.path().c_str(), 0555);
    FileError error = SaveSavedProgress(path, dir / "成績.txt", Progress(2));
    chmod(dir.path().c_str(), 0755);
    if (FileErrorText(error) != "ﾌｧｲﾙへのｱｸｾｽが拒否されました\n" + path) return 2;
    return 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadBytes(path), FormatProgress(Progress(1)));
  EXPECT_EQ(dir.Files(), (std::set<std::string>{"my.dat"}));
}

}  // namespace
