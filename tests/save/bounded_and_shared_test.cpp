// Save files under hostile conditions: what stands in their place is refused
// without reading it, and two copies of the game saving the same my.dat add
// up instead of wiping out each other.
#include <errno.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "save/save_files.h"
#include "tests/save/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

TEST(BoundedSaveFiles, WhatIsNotASaveFileIsRefusedAndKeptAsItIs) {
  ScratchDir dir;
  struct Case {
    const char* what;
    std::function<void(const std::string&)> make;
    FileError::Kind kind;
    int code;
  };
  const Case cases[] = {
      {"3 GB sparse file",
       [](const std::string& p) {
         WriteBytes(p, "");
         fs::resize_file(p, 3ull << 30);
       },
       FileError::TooLarge, EFBIG},
      {"one byte over the cap",
       [](const std::string& p) { WriteBytes(p, std::string(kSaveFileMaxBytes + 1, '\n')); },
       FileError::TooLarge, EFBIG},
      {"FIFO", [](const std::string& p) { mkfifo(p.c_str(), 0600); }, FileError::Io, EINVAL},
      {"link to /dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }, FileError::Io,
       EINVAL},
  };
  for (const char* name : {"my.dat", "name.dat"}) {
    for (const Case& c : cases) {
      const std::string path = dir / name;
      fs::remove(path);
      c.make(path);
      const fs::file_type type = fs::symlink_status(path).type();
      tmy my;
      NameList names;
      FileError error =
          std::string(name) == "my.dat" ? ReadProgressFile(path, my) : ReadNameFile(path, names);
      EXPECT_EQ(error.kind, c.kind) << name << ", " << c.what;
      EXPECT_EQ(error.code, c.code) << name << ", " << c.what;
      if (c.kind == FileError::TooLarge) {
        EXPECT_EQ(FileErrorText(error), "ﾌｧｲﾙが大きすぎます (1024 KB まで)\n" + path);
      }
      // Saving over anything but a plain file is refused too.
      if (type != fs::file_type::regular) {
        EXPECT_TRUE(WriteProgressFile(path, my).failed()) << name << ", " << c.what;
        EXPECT_EQ(fs::symlink_status(path).type(), type) << name << ", " << c.what;
      }
    }
  }
}

TEST(BoundedSaveFiles, ParseCountsTheValuesAFileHeld) {
  const std::string whole = FormatProgress(tmy{});
  for (auto [text, expected] : {std::pair<std::string, int>{whole, 1103},
                                {whole + "7\r\n", 1103},
                                {"", 0},
                                {"1\r\n\r\n2\r\n", 2},
                                {whole.substr(0, 551 * 3), 551}}) {
    tmy my;
    int found = -5;
    ASSERT_FALSE(ParseProgress(text, my, &found).failed());
    EXPECT_EQ(found, expected) << text.size() << " bytes";
  }
}

TEST(BoundedSaveFiles, ACopyKeptAsideNeverReplacesAnotherNorFollowsALink) {
  ScratchDir dir;
  const std::string path = dir / "my.dat";
  WriteBytes(dir / "victim", "victim");
  fs::create_symlink(dir / "victim", path + ".kept");
  std::string first, second;
  ASSERT_FALSE(KeepCopyBeside(path, "one", first).failed());
  ASSERT_FALSE(KeepCopyBeside(path, "two", second).failed());
  EXPECT_EQ(first, path + ".kept2");
  EXPECT_EQ(second, path + ".kept3");
  EXPECT_EQ(ReadBytes(first), "one");
  EXPECT_EQ(ReadBytes(second), "two");
  EXPECT_EQ(ReadBytes(dir / "victim"), "victim");
}

tmy Lasting(int plays, int level, int days, std::initializer_list<int> seals,
            std::initializer_list<int> flags) {
  tmy my;
  my.play_count = plays;
  my.best_level = level;
  my.best_days = days;
  for (int s : seals) my.seal_collected[s] = 1;
  for (int f : flags) my.progress_flags[f] = 1;
  return my;
}

bool SameLasting(const tmy& a, const tmy& b) {
  return FormatProgress(a) == FormatProgress(b);
}

TEST(TwoCopies, MergeAddsEachCopysOwnChanges) {
  struct Case {
    const char* what;
    tmy disk, base, mine, expected;
  };
  const Case cases[] = {
      {"alone: the file is what this copy last wrote", Lasting(5, 2, 3, {101}, {0}),
       Lasting(5, 2, 3, {101}, {0}), Lasting(6, 3, 3, {101, 102}, {0, 3}),
       Lasting(6, 3, 3, {101, 102}, {0, 3})},
      {"the other copy played and collected meanwhile", Lasting(8, 4, 2, {101, 105}, {0, 1}),
       Lasting(5, 2, 2, {101}, {0}), Lasting(6, 3, 7, {101, 102, 150}, {0, 3}),
       Lasting(9, 4, 7, {101, 102, 105, 150}, {0, 1, 3})},
      {"this copy only watched the title", Lasting(6, 3, 2, {101, 102, 105, 150}, {3, 4}),
       Lasting(5, 2, 2, {101}, {0}), Lasting(5, 2, 2, {101}, {0}),
       Lasting(6, 3, 2, {101, 102, 105, 150}, {3, 4})},
      {"this copy erased everything", Lasting(6, 3, 2, {101, 150}, {3}), Lasting(5, 2, 2, {101}, {0}),
       Lasting(0, 0, 0, {}, {}), Lasting(0, 0, 0, {}, {})},
  };
  for (const Case& c : cases) {
    tmy mine = c.mine;
    MergeProgress(c.disk, c.base, mine);
    EXPECT_TRUE(SameLasting(mine, c.expected)) << c.what;
  }
}

// Every lasting field on its own, while the other copy played two games: a
// copy that lowered it erased its progress, which then stands as it is; a
// copy that raised it adds that to the other copy's games.
TEST(TwoCopies, EachLastingFieldMergesOnItsOwn) {
  tmy start = Lasting(5, 2, 3, {}, {});
  const size_t flags = start.progress_flags.size(), seals = start.seal_collected.size();
  auto field = [&](tmy& my, size_t k) -> int32_t& {
    if (k < flags) return my.progress_flags[k];
    if (k < flags + seals) return my.seal_collected[k - flags];
    return k == flags + seals ? my.best_level : my.best_days;
  };
  std::vector<size_t> missed_erase, missed_raise;
  for (size_t k = 0; k < flags + seals + 2; ++k) {
    tmy base = start;
    field(base, k) += 1;
    tmy disk = base;
    disk.play_count += 2;
    tmy erased = base;
    field(erased, k) -= 1;
    tmy merged = erased;
    MergeProgress(disk, base, merged);
    if (!SameLasting(merged, erased)) missed_erase.push_back(k);
    tmy raised = base;
    field(raised, k) += 1;
    MergeProgress(disk, base, raised);
    if (field(raised, k) != field(base, k) + 1 || raised.play_count != disk.play_count) missed_raise.push_back(k);
  }
  EXPECT_EQ(missed_erase, std::vector<size_t>{}) << "(flags, then seals, then the two bests)";
  EXPECT_EQ(missed_raise, std::vector<size_t>{});
  tmy fewer_games = start;
  fewer_games.play_count = 0;
  tmy merged = fewer_games;
  MergeProgress(Lasting(9, 2, 3, {}, {}), start, merged);
  EXPECT_EQ(merged.play_count, 0);  // erased: the other copy's games go too
}

// Two real processes save the same my.dat over and over, each adding games
// and seals of its own; the lock keeps one save from crossing the other.
TEST(TwoCopies, ConcurrentSavesLoseNothing) {
  ScratchDir dir;
  const std::string path = dir / "my.dat";
  ASSERT_FALSE(WriteProgressFile(path, Lasting(10, 1, 1, {}, {})).failed());
  constexpr int kSaves = 20;
  pid_t children[2];
  for (int copy = 0; copy < 2; ++copy) {
    children[copy] = fork();
    ASSERT_GE(children[copy], 0);
    if (children[copy] != 0) continue;
    tmy my, base;
    if (ReadProgressFile(path, my).failed()) _exit(2);
    base = my;
    for (int i = 0; i < kSaves; ++i) {
      my.play_count += 1;
      my.seal_collected[200 + copy * kSaves + i] = 1;
      if (SaveMergedProgress(path, dir / "成績.txt", my, base).failed()) _exit(3);
    }
    my.best_level = std::max(my.best_level, 5 + copy);  // as a review raises it
    _exit(SaveMergedProgress(path, dir / "成績.txt", my, base).failed() ? 4 : 0);
  }
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  tmy saved;
  int found = 0;
  ASSERT_FALSE(ReadProgressFile(path, saved, &found).failed());
  EXPECT_EQ(found, kProgressLines);
  EXPECT_EQ(saved.play_count, 10 + 2 * kSaves);
  EXPECT_EQ(saved.best_level, 6);
  int seals = 0;
  for (int32_t s : saved.seal_collected) seals += s;
  EXPECT_EQ(seals, 2 * kSaves);
  EXPECT_EQ(ReadBytes(dir / "成績.txt"), ResultsSheetText(saved));
}

}  // namespace
